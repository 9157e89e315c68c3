#include "levelbanks.h"
#include "wordstore.h"

#include <QTest>

#include <algorithm>
#include <string>
#include <vector>

// Records the display calls of a load together with the cursor at that moment.
class RecordingDisplay : public WordDisplay
{
public:
    explicit RecordingDisplay(const WordStore &store) : m_store(store) {}
    void showLevel() override { calls.push_back("sync " + m_store.counterText()); }
    void showCurrentWord() override
    {
        calls.push_back("show " + m_store.counterText() + " " + std::string(m_store.currentFirst()));
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
        texts.push_back(std::string("w").append(std::to_string(k)));
        store.firstTexts[k] = store.secondTexts[k] = texts.back();
        store.meanings[k] = texts.back();
    }
    store.position = 1;
    store.count = n;
}

void TestWordStore::newStoreIsEmpty()
{
    WordStore store;
    QCOMPARE(store.position, 0);
    QCOMPARE(store.count, 0);
    QCOMPARE(store.counterText(), std::string("0/0"));
    for (int32_t k : {1, 8775, WordStore::Capacity}) {
        QVERIFY(store.firstTexts[k].empty());
        QVERIFY(store.secondTexts[k].empty());
        QVERIFY(store.meanings[k].empty());
    }
}

void TestWordStore::emptyStoreRefusesToStep()
{
    WordStore store;
    store.stepNext();
    QCOMPARE(store.position, 0);
    store.stepPrevious();
    QCOMPARE(store.position, 0);
    QVERIFY(store.currentFirst().empty());
    QVERIFY(store.currentSecond().empty());
    QVERIFY(store.currentMeaning().empty());
    QCOMPARE(store.counterText(), std::string("0/0"));
}

void TestWordStore::wrapsBothWays()
{
    WordStore store;
    fill(store, 731);
    store.stepPrevious();
    QCOMPARE(store.position, 731);
    QCOMPARE(store.counterText(), std::string("731/731"));
    QCOMPARE(store.currentFirst(), GbkText("w731"));
    store.stepNext();
    QCOMPARE(store.position, 1);
    store.stepNext();
    QCOMPARE(store.position, 2);
    store.stepPrevious();
    store.stepPrevious();
    QCOMPARE(store.position, 731);
}

void TestWordStore::oneWordBank()
{
    WordStore store;
    fill(store, 1);
    store.stepNext();
    QCOMPARE(store.position, 1);
    store.stepPrevious();
    QCOMPARE(store.position, 1);
    QCOMPARE(store.counterText(), std::string("1/1"));
}

void TestWordStore::emptySecondTextShowsFirst()
{
    WordStore store;
    fill(store, 3);
    store.secondTexts[2] = GbkText();
    store.stepNext();
    QCOMPARE(store.currentSecond(), GbkText("w2"));
    QVERIFY(store.secondTexts[2].empty());
    // A second text equal to the first is returned as it is.
    store.stepNext();
    QCOMPARE(store.currentFirst(), store.currentSecond());
}

void TestWordStore::loadWritesThenSyncsThenShows()
{
    WordStore store;
    RecordingDisplay display(store);
    loadLevelBank(store, WordLevel::Level4, display);
    const auto words = bankWords(WordLevel::Level4);
    // showLevel runs before the cursor moves, showCurrentWord after.
    QCOMPARE(display.calls.size(), size_t(2));
    QCOMPARE(display.calls[0], std::string("sync 0/0"));
    QCOMPARE(display.calls[1], "show 1/731 " + std::string(words[0].first));
    QCOMPARE(store.position, 1);
    QCOMPARE(store.count, 731);
    QCOMPARE(store.firstTexts[731], words[730].first);
    QCOMPARE(store.meanings[731], words[730].meaning);
    // The store refers to the bank constants rather than copying them.
    QCOMPARE(static_cast<const void *>(store.firstTexts[2].data()), static_cast<const void *>(words[1].first.data()));
}

void TestWordStore::reloadReturnsToFirstWord()
{
    WordStore store;
    RecordingDisplay display(store);
    loadLevelBank(store, WordLevel::Level4, display);
    for (int i = 0; i < 299; ++i)
        store.stepNext();
    QCOMPARE(store.position, 300);
    loadLevelBank(store, WordLevel::Level4, display);
    QCOMPARE(store.position, 1);
    QCOMPARE(display.calls[2], std::string("sync 300/731"));
}

void TestWordStore::smallerBankLeavesHigherSlots()
{
    WordStore store;
    RecordingDisplay display(store);
    loadLevelBank(store, WordLevel::Level4, display);
    const auto level4 = bankWords(WordLevel::Level4);
    const auto level3 = bankWords(WordLevel::Level3);
    loadLevelBank(store, WordLevel::Level3, display);
    QCOMPARE(store.count, 554);
    QCOMPARE(store.counterText(), std::string("1/554"));
    QCOMPARE(store.firstTexts[554], level3[553].first);
    QCOMPARE(store.firstTexts[555], level4[554].first);
    QCOMPARE(store.meanings[731], level4[730].meaning);
    store.stepPrevious();
    QCOMPARE(store.position, 554);
    store.stepNext();
    QCOMPARE(store.position, 1);
}

void TestWordStore::everyLevelLoads_data()
{
    QTest::addColumn<WordLevel>("level");
    QTest::addColumn<int>("count");
    QTest::newRow("Level1") << WordLevel::Level1 << int(bankSize(WordLevel::Level1));
    QTest::newRow("Level2Extra") << WordLevel::Level2Extra << int(bankSize(WordLevel::Level2Extra));
    QTest::newRow("Level2") << WordLevel::Level2 << int(bankSize(WordLevel::Level2));
    QTest::newRow("Level3") << WordLevel::Level3 << int(bankSize(WordLevel::Level3));
    QTest::newRow("Level4") << WordLevel::Level4 << int(bankSize(WordLevel::Level4));
}

void TestWordStore::everyLevelLoads()
{
    QFETCH(WordLevel, level);
    QFETCH(int, count);
    WordStore store;
    RecordingDisplay display(store);
    loadLevelBank(store, level, display);
    QCOMPARE(store.count, count);
    QCOMPARE(store.counterText(), "1/" + std::to_string(count));
    const auto words = bankWords(level);
    QCOMPARE(store.currentFirst(), words[0].first);
    QCOMPARE(store.meanings[count], words[count - 1].meaning);
    size_t longest = 0;
    for (int32_t i = 0; i < count; ++i)
        longest = std::max({longest, words[i].first.size(), words[i].second.size(), words[i].meaning.size()});
    QCOMPARE(store.longestText, longest);
}

void TestWordStore::level1BackFromFirstWord()
{
    WordStore store;
    RecordingDisplay display(store);
    loadLevelBank(store, WordLevel::Level1, display);
    store.stepPrevious();
    QCOMPARE(store.position, 8775);
    QCOMPARE(store.counterText(), std::string("8775/8775"));
    QCOMPARE(store.currentFirst(), bankWords(WordLevel::Level1)[8774].first);
}

void TestWordStore::supplementAfterLevel1EmptiesSecondText()
{
    WordStore store;
    RecordingDisplay display(store);
    loadLevelBank(store, WordLevel::Level1, display);
    QVERIFY(!store.secondTexts[87].empty());
    loadLevelBank(store, WordLevel::Level2Extra, display);
    QVERIFY(store.secondTexts[87].empty());
    for (int i = 1; i < 87; ++i)
        store.stepNext();
    QCOMPARE(store.currentSecond(), store.currentFirst());
    QCOMPARE(store.currentFirst(), GbkText("\xA4\xAA\xA4\xA4")); // おい
}

void TestWordStore::level3AfterLevel1()
{
    WordStore store;
    RecordingDisplay display(store);
    loadLevelBank(store, WordLevel::Level1, display);
    for (int i = 1; i < 5000; ++i)
        store.stepNext();
    QCOMPARE(store.position, 5000);
    loadLevelBank(store, WordLevel::Level3, display);
    QCOMPARE(store.counterText(), std::string("1/554"));
    const auto level1 = bankWords(WordLevel::Level1);
    for (int32_t k = 555; k <= 8775; ++k)
        QVERIFY(store.firstTexts[k] == level1[k - 1].first && store.meanings[k] == level1[k - 1].meaning);
    // Stepping stays within the bank.
    store.stepPrevious();
    QCOMPARE(store.position, 554);
    store.stepNext();
    QCOMPARE(store.position, 1);
}

QTEST_APPLESS_MAIN(TestWordStore)
#include "tst_wordstore.moc"
