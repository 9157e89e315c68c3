#include "levelbanks.h"
#include "wordstore.h"

#include <QTest>

#include <string>
#include <vector>

// Records the display calls of a load together with the cursor at that moment.
class RecordingDisplay : public WordDisplay
{
public:
    explicit RecordingDisplay(const WordStore &store) : m_store(store) {}
    void SyncStripLevel() override { calls.push_back("sync " + m_store.CounterText()); }
    void ShowCurrentWord() override
    {
        calls.push_back("show " + m_store.CounterText() + " " + std::string(m_store.CurrentJm()));
    }
    std::vector<std::string> calls;

private:
    const WordStore &m_store;
};

class TestWordStore : public QObject
{
    Q_OBJECT

private slots:
    void newStoreIsEmpty();
    void emptyStoreRefusesToStep();
    void wrapsBothWays();
    void oneWordBank();
    void emptySecondTextShowsFirst();
    void loadWritesThenSyncsThenShows();
    void reloadReturnsToFirstWord();
    void smallerBankLeavesHigherSlots();
};

static void fill(WordStore &store, int32_t n)
{
    static std::vector<std::string> texts;
    texts.reserve(3 * WordStore::Capacity);
    for (int32_t k = 1; k <= n; ++k) {
        texts.push_back("w" + std::to_string(k));
        store.JMLIST[k] = store.HZLIST[k] = texts.back();
        store.CNLIST[k] = texts.back();
    }
    store.WDPOS = 1;
    store.WDTOTAL = n;
}

void TestWordStore::newStoreIsEmpty()
{
    WordStore store;
    QCOMPARE(store.WDPOS, 0);
    QCOMPARE(store.WDTOTAL, 0);
    QCOMPARE(store.CounterText(), std::string("0/0"));
    for (int32_t k : {1, 8775, WordStore::Capacity}) {
        QVERIFY(store.JMLIST[k].empty());
        QVERIFY(store.HZLIST[k].empty());
        QVERIFY(store.CNLIST[k].empty());
    }
}

void TestWordStore::emptyStoreRefusesToStep()
{
    WordStore store;
    store.StepNext();
    QCOMPARE(store.WDPOS, 0);
    store.StepPrev();
    QCOMPARE(store.WDPOS, 0);
    QVERIFY(store.CurrentJm().empty());
    QVERIFY(store.CurrentHz().empty());
    QVERIFY(store.CurrentCn().empty());
    QCOMPARE(store.CounterText(), std::string("0/0"));
}

void TestWordStore::wrapsBothWays()
{
    WordStore store;
    fill(store, 731);
    store.StepPrev();
    QCOMPARE(store.WDPOS, 731);
    QCOMPARE(store.CounterText(), std::string("731/731"));
    QCOMPARE(store.CurrentJm(), GbkText("w731"));
    store.StepNext();
    QCOMPARE(store.WDPOS, 1);
    store.StepNext();
    QCOMPARE(store.WDPOS, 2);
    store.StepPrev();
    store.StepPrev();
    QCOMPARE(store.WDPOS, 731);
}

void TestWordStore::oneWordBank()
{
    WordStore store;
    fill(store, 1);
    store.StepNext();
    QCOMPARE(store.WDPOS, 1);
    store.StepPrev();
    QCOMPARE(store.WDPOS, 1);
    QCOMPARE(store.CounterText(), std::string("1/1"));
}

void TestWordStore::emptySecondTextShowsFirst()
{
    WordStore store;
    fill(store, 3);
    store.HZLIST[2] = GbkText();
    store.StepNext();
    QCOMPARE(store.CurrentHz(), GbkText("w2"));
    QVERIFY(store.HZLIST[2].empty());
    // A second text equal to the first is returned as it is.
    store.StepNext();
    QCOMPARE(store.CurrentJm(), store.CurrentHz());
}

void TestWordStore::loadWritesThenSyncsThenShows()
{
    WordStore store;
    RecordingDisplay display(store);
    LoadLevelBank(store, WordLevel::Level4, display);
    const auto words = BankWords(WordLevel::Level4);
    // SyncStripLevel runs before the cursor moves, ShowCurrentWord after.
    QCOMPARE(display.calls.size(), size_t(2));
    QCOMPARE(display.calls[0], std::string("sync 0/0"));
    QCOMPARE(display.calls[1], "show 1/731 " + std::string(words[0].first));
    QCOMPARE(store.WDPOS, 1);
    QCOMPARE(store.WDTOTAL, 731);
    QCOMPARE(store.JMLIST[731], words[730].first);
    QCOMPARE(store.CNLIST[731], words[730].meaning);
    // The store refers to the bank constants rather than copying them.
    QCOMPARE(static_cast<const void *>(store.JMLIST[2].data()), static_cast<const void *>(words[1].first.data()));
}

void TestWordStore::reloadReturnsToFirstWord()
{
    WordStore store;
    RecordingDisplay display(store);
    LoadLevelBank(store, WordLevel::Level4, display);
    for (int i = 0; i < 299; ++i)
        store.StepNext();
    QCOMPARE(store.WDPOS, 300);
    LoadLevelBank(store, WordLevel::Level4, display);
    QCOMPARE(store.WDPOS, 1);
    QCOMPARE(display.calls[2], std::string("sync 300/731"));
}

void TestWordStore::smallerBankLeavesHigherSlots()
{
    WordStore store;
    RecordingDisplay display(store);
    LoadLevelBank(store, WordLevel::Level4, display);
    const auto level4 = BankWords(WordLevel::Level4);
    const auto level3 = BankWords(WordLevel::Level3);
    LoadLevelBank(store, WordLevel::Level3, display);
    QCOMPARE(store.WDTOTAL, 554);
    QCOMPARE(store.CounterText(), std::string("1/554"));
    QCOMPARE(store.JMLIST[554], level3[553].first);
    QCOMPARE(store.JMLIST[555], level4[554].first);
    QCOMPARE(store.CNLIST[731], level4[730].meaning);
    store.StepPrev();
    QCOMPARE(store.WDPOS, 554);
    store.StepNext();
    QCOMPARE(store.WDPOS, 1);
}

QTEST_APPLESS_MAIN(TestWordStore)
#include "tst_wordstore.moc"
