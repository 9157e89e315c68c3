// Benchmarks of the real program's work: loading the largest bank, one timer tick of each
// window, the search with its grid update, and creating the five windows (offscreen).

#include "levelbanks.h"
#include "main_window.h"
#include "search_window.h"
#include "startup.h"
#include "strip_window.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <fstream>
#include <string>

namespace {

class NoDisplay : public WordDisplay
{
public:
    void syncStripLevel() override {}
    void showCurrentWord() override {}
};

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
    NoDisplay display;
    for (auto _ : state) {
        loadLevelBank(store, WordLevel::Level1, display);
        benchmark::DoNotOptimize(store.count);
    }
}
BENCHMARK(BM_LoadLevel1);

// The main window's auto-browse tick: step and redraw the word lines (painting excluded).
void BM_MainTick(benchmark::State &state)
{
    Form1->loadLevelBank(WordLevel::Level1);
    for (auto _ : state)
        Form1->Timer1Timer();
}
BENCHMARK(BM_MainTick);

// The strip's tick: step, rebuild the strip's line, redraw the main window.
void BM_StripTick(benchmark::State &state)
{
    Form1->loadLevelBank(WordLevel::Level1);
    for (auto _ : state)
        Form2->Timer1Timer();
}
BENCHMARK(BM_StripTick);

void searchLevel1(benchmark::State &state, const QString &text)
{
    Form1->loadLevelBank(WordLevel::Level1);
    Form3->BOX->setText(text);
    for (auto _ : state)
        Form3->Button1Click(); // conversion, the pass over the bank, the grid's model and widths
    state.counters["results"] = double(Form3->Model->results().size());
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

// 100,000 ticks of both timers: the resident memory must not grow.
void BM_TicksKeepMemory(benchmark::State &state)
{
    Form1->loadLevelBank(WordLevel::Level1);
    for (int i = 0; i < 1000; ++i) // warm up
        Form2->Timer1Timer();
    long before = 0, after = 0;
    for (auto _ : state) {
        before = residentKb();
        for (int i = 0; i < 50000; ++i) {
            Form1->Timer1Timer();
            Form2->Timer1Timer();
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
    destroyForms();
    for (auto _ : state) {
        createForms(*qApp);
        state.PauseTiming();
        destroyForms();
        state.ResumeTiming();
    }
    createForms(*qApp);
}
BENCHMARK(BM_CreateWindows)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    createForms(app);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    destroyForms();
    return 0;
}
