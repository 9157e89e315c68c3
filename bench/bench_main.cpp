// Benchmarks of the real program's work: loading the largest bank, one timer tick of each
// window, the search with its grid update, and creating the five windows (offscreen).

#include "levelbanks.h"
#include "appwindows.h"
#include "browsemodel.h"
#include "mainwindow.h"
#include "prompts.h"
#include "searchmodel.h"
#include "searchwindow.h"
#include "stripwindow.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>

#include <benchmark/benchmark.h>

#include <fstream>
#include <memory>
#include <string>

namespace {

QtPrompts prompts;
std::unique_ptr<AppWindows> windows;


long residentKb()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stol(line.substr(6));
    return -1;
}

void BM_LoadLevel1(benchmark::State &state)
{
    WordStore store;
    for (auto _ : state) {
        loadLevelBank(store, WordLevel::Level1);
        benchmark::DoNotOptimize(store.count());
    }
}
BENCHMARK(BM_LoadLevel1);

// The main window's auto-browse tick: step and redraw the word lines (painting excluded).
void BM_MainTick(benchmark::State &state)
{
    windows->model().loadLevel(WordLevel::Level1);
    for (auto _ : state)
        windows->mainWindow()->advanceAutoBrowse();
}
BENCHMARK(BM_MainTick);

// The strip's tick: step, rebuild the strip's line, redraw the main window.
void BM_StripTick(benchmark::State &state)
{
    windows->model().loadLevel(WordLevel::Level1);
    for (auto _ : state)
        windows->stripWindow()->advance();
}
BENCHMARK(BM_StripTick);

void searchLevel1(benchmark::State &state, const QString &text)
{
    windows->model().loadLevel(WordLevel::Level1);
    SearchWindow *search = windows->searchWindow();
    search->findChild<QLineEdit *>(QStringLiteral("searchBox"))->setText(text);
    QPushButton *button = search->findChild<QPushButton *>(QStringLiteral("searchButton"));
    for (auto _ : state)
        button->click(); // conversion, the pass over the bank, the grid's model and widths
    state.counters["results"] = double(search->findChild<SearchModel *>(QStringLiteral("searchResults"))->results().size());
}

void BM_SearchA(benchmark::State &state)
{
    searchLevel1(state, QStringLiteral("あ"));
}
BENCHMARK(BM_SearchA)->Unit(benchmark::kMicrosecond);

void BM_SearchNoMatch(benchmark::State &state)
{
    searchLevel1(state, QStringLiteral("無い語句"));
}
BENCHMARK(BM_SearchNoMatch)->Unit(benchmark::kMicrosecond);

// A pasted megabyte is longer than any text of the bank: neither converted nor looked for.
void BM_SearchPastedMegabyte(benchmark::State &state)
{
    searchLevel1(state, QString(1 << 20, u'x'));
}
BENCHMARK(BM_SearchPastedMegabyte)->Unit(benchmark::kMicrosecond);

// 100,000 ticks of both timers: the resident memory must not grow.
void BM_TicksKeepMemory(benchmark::State &state)
{
    windows->model().loadLevel(WordLevel::Level1);
    for (int i = 0; i < 1000; ++i) // warm up
        windows->stripWindow()->advance();
    long before = 0, after = 0;
    for (auto _ : state) {
        before = residentKb();
        for (int i = 0; i < 50000; ++i) {
            windows->mainWindow()->advanceAutoBrowse();
            windows->stripWindow()->advance();
        }
        after = residentKb();
    }
    state.counters["rss_before_kB"] = double(before);
    state.counters["rss_after_kB"] = double(after);
    state.counters["growth_kB"] = double(after - before);
}
BENCHMARK(BM_TicksKeepMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_CreateWindows(benchmark::State &state)
{
    windows.reset();
    for (auto _ : state) {
        windows = std::make_unique<AppWindows>(prompts);
        windows->createRemainingWindows();
        state.PauseTiming();
        windows.reset();
        state.ResumeTiming();
    }
    windows = std::make_unique<AppWindows>(prompts);
    windows->createRemainingWindows();
}
BENCHMARK(BM_CreateWindows)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    prepareApplication(app);
    windows = std::make_unique<AppWindows>(prompts);
    windows->createRemainingWindows();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    windows.reset();
    return 0;
}
