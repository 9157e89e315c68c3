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

Q_DECLARE_METATYPE(WordLevel)

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
    void everyLevelLoads_data();
    void everyLevelLoads();
    void level1BackFromFirstWord();
    void supplementAfterLevel1EmptiesSecondText();
    void level3AfterLevel1();
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

void TestWordStore::everyLevelLoads_data()
{
    QTest::addColumn<WordLevel>("level");
    QTest::addColumn<int>("count");
    QTest::newRow("Level1") << WordLevel::Level1 << 8775;
    QTest::newRow("Level2Extra") << WordLevel::Level2Extra << 4205;
    QTest::newRow("Level2") << WordLevel::Level2 << 2331;
    QTest::newRow("Level3") << WordLevel::Level3 << 554;
    QTest::newRow("Level4") << WordLevel::Level4 << 731;
}

void TestWordStore::everyLevelLoads()
{
    QFETCH(WordLevel, level);
    QFETCH(int, count);
    WordStore store;
    RecordingDisplay display(store);
    LoadLevelBank(store, level, display);
    QCOMPARE(store.WDTOTAL, count);
    QCOMPARE(store.CounterText(), "1/" + std::to_string(count));
    const auto words = BankWords(level);
    QCOMPARE(store.CurrentJm(), words[0].first);
    QCOMPARE(store.CNLIST[count], words[count - 1].meaning);
}

void TestWordStore::level1BackFromFirstWord()
{
    WordStore store;
    RecordingDisplay display(store);
    LoadLevelBank(store, WordLevel::Level1, display);
    store.StepPrev();
    QCOMPARE(store.WDPOS, 8775);
    QCOMPARE(store.CounterText(), std::string("8775/8775"));
    QCOMPARE(store.CurrentJm(), BankWords(WordLevel::Level1)[8774].first);
}

void TestWordStore::supplementAfterLevel1EmptiesSecondText()
{
    WordStore store;
    RecordingDisplay display(store);
    LoadLevelBank(store, WordLevel::Level1, display);
    QVERIFY(!store.HZLIST[87].empty());
    LoadLevelBank(store, WordLevel::Level2Extra, display);
    QVERIFY(store.HZLIST[87].empty());
    for (int i = 1; i < 87; ++i)
        store.StepNext();
    QCOMPARE(store.CurrentHz(), store.CurrentJm());
    QCOMPARE(store.CurrentJm(), GbkText("\xA4\xAA\xA4\xA4")); // おい
}

void TestWordStore::level3AfterLevel1()
{
    WordStore store;
    RecordingDisplay display(store);
    LoadLevelBank(store, WordLevel::Level1, display);
    for (int i = 1; i < 5000; ++i)
        store.StepNext();
    QCOMPARE(store.WDPOS, 5000);
    LoadLevelBank(store, WordLevel::Level3, display);
    QCOMPARE(store.CounterText(), std::string("1/554"));
    const auto level1 = BankWords(WordLevel::Level1);
    for (int32_t k = 555; k <= 8775; ++k)
        QVERIFY(store.JMLIST[k] == level1[k - 1].first && store.CNLIST[k] == level1[k - 1].meaning);
    // Stepping stays within the bank.
    store.StepPrev();
    QCOMPARE(store.WDPOS, 554);
    store.StepNext();
    QCOMPARE(store.WDPOS, 1);
}

QTEST_APPLESS_MAIN(TestWordStore)
#include "tst_wordstore.moc"
