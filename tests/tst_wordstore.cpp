#include "levelbanks.h"
#include "wordstore.h"

#include <QTest>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

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
    void loadRefersToTheBank();
    void reloadReturnsToFirstWord();
    void smallerBankEndsWhereItEnds();
    void everyLevelLoads_data();
    void everyLevelLoads();
    void level1BackFromFirstWord();
    void supplementAfterLevel1EmptiesSecondText();
    void level3AfterLevel1();
};

// A bank of n words "w1".."wn" (first text, second text and meaning alike), but word
// emptySecond, whose second text is empty.
class FixtureBank
{
public:
    explicit FixtureBank(int32_t n, int32_t emptySecond = 0)
    {
        for (int32_t k = 1; k <= n; ++k) {
            std::u16string word(1, u'w');
            for (char digit : std::to_string(k))
                word += char16_t(digit);
            for (int i = 0; i < 3; ++i) {
                m_bounds.push_back(uint32_t(m_text.size()));
                if (i != 1 || k != emptySecond)
                    m_text += word;
            }
        }
        m_bounds.push_back(uint32_t(m_text.size()));
    }
    Bank bank() const { return Bank(m_text.data(), m_bounds.data(), int32_t(m_bounds.size() / 3), 0); }

private:
    std::u16string m_text;
    std::vector<uint32_t> m_bounds;
};

void TestWordStore::newStoreIsEmpty()
{
    WordStore store;
    QCOMPARE(store.position(), 0);
    QCOMPARE(store.count(), 0);
    QCOMPARE(store.counterText(), std::string("0/0"));
    for (int32_t k : {-1, 0, 1, 8775, WordStore::Capacity}) {
        const BankEntry word = store.word(k);
        QVERIFY(word.first.empty() && word.second.empty() && word.meaning.empty());
    }
}

void TestWordStore::emptyStoreRefusesToStep()
{
    WordStore store;
    store.stepNext();
    QCOMPARE(store.position(), 0);
    store.stepPrevious();
    QCOMPARE(store.position(), 0);
    const BankEntry word = store.currentWord();
    QVERIFY(word.first.empty() && word.shownSecond().empty() && word.meaning.empty());
    QCOMPARE(store.counterText(), std::string("0/0"));
}

void TestWordStore::wrapsBothWays()
{
    const FixtureBank bank(731);
    WordStore store;
    store.load(bank.bank());
    store.stepPrevious();
    QCOMPARE(store.position(), 731);
    QCOMPARE(store.counterText(), std::string("731/731"));
    QVERIFY(store.currentWord().first == u"w731");
    store.stepNext();
    QCOMPARE(store.position(), 1);
    store.stepNext();
    QCOMPARE(store.position(), 2);
    store.stepPrevious();
    store.stepPrevious();
    QCOMPARE(store.position(), 731);
    // Word k is read within the bank only.
    QVERIFY(store.word(731).meaning == u"w731");
    QVERIFY(store.word(732).first.empty() && store.word(0).first.empty());
}

void TestWordStore::oneWordBank()
{
    const FixtureBank bank(1);
    WordStore store;
    store.load(bank.bank());
    store.stepNext();
    QCOMPARE(store.position(), 1);
    store.stepPrevious();
    QCOMPARE(store.position(), 1);
    QCOMPARE(store.counterText(), std::string("1/1"));
}

void TestWordStore::emptySecondTextShowsFirst()
{
    const FixtureBank bank(3, 2);
    WordStore store;
    store.load(bank.bank());
    store.stepNext();
    QVERIFY(store.currentWord().shownSecond() == u"w2");
    QVERIFY(store.currentWord().second.empty());
    // A second text equal to the first is returned as it is.
    store.stepNext();
    QVERIFY(store.currentWord().first == store.currentWord().shownSecond());
}

void TestWordStore::loadRefersToTheBank()
{
    WordStore store;
    loadLevelBank(store, WordLevel::Level4);
    const Bank words = bankWords(WordLevel::Level4);
    QCOMPARE(store.position(), 1);
    QCOMPARE(store.count(), 731);
    QVERIFY(store.word(731).first == words[730].first);
    QVERIFY(store.word(731).meaning == words[730].meaning);
    // The store refers to the bank constants rather than copying them.
    QCOMPARE(static_cast<const void *>(store.word(2).first.data()), static_cast<const void *>(words[1].first.data()));
}

void TestWordStore::reloadReturnsToFirstWord()
{
    WordStore store;
    loadLevelBank(store, WordLevel::Level4);
    for (int i = 0; i < 299; ++i)
        store.stepNext();
    QCOMPARE(store.position(), 300);
    loadLevelBank(store, WordLevel::Level4);
    QCOMPARE(store.position(), 1);
}

void TestWordStore::smallerBankEndsWhereItEnds()
{
    WordStore store;
    loadLevelBank(store, WordLevel::Level4);
    const Bank level3 = bankWords(WordLevel::Level3);
    loadLevelBank(store, WordLevel::Level3);
    QCOMPARE(store.count(), 554);
    QCOMPARE(store.counterText(), std::string("1/554"));
    QVERIFY(store.word(554).first == level3[553].first);
    QVERIFY(store.word(555).first.empty()); // nothing of the larger bank is left behind
    QVERIFY(store.word(731).meaning.empty());
    store.stepPrevious();
    QCOMPARE(store.position(), 554);
    store.stepNext();
    QCOMPARE(store.position(), 1);
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
    loadLevelBank(store, level);
    QCOMPARE(store.count(), count);
    QCOMPARE(bankSize(level), count);
    QCOMPARE(store.counterText(), "1/" + std::to_string(count));
    const Bank words = bankWords(level);
    QVERIFY(store.currentWord().first == words[0].first);
    QVERIFY(store.word(count).meaning == words[count - 1].meaning);
    size_t longest = 0;
    for (int32_t i = 0; i < count; ++i)
        longest = std::max({longest, words[i].first.size(), words[i].second.size(), words[i].meaning.size()});
    QCOMPARE(size_t(store.longestText()), longest);
    QVERIFY(count <= WordStore::Capacity);
}

void TestWordStore::level1BackFromFirstWord()
{
    WordStore store;
    loadLevelBank(store, WordLevel::Level1);
    store.stepPrevious();
    QCOMPARE(store.position(), 8775);
    QCOMPARE(store.counterText(), std::string("8775/8775"));
    QVERIFY(store.currentWord().first == bankWords(WordLevel::Level1)[8774].first);
}

void TestWordStore::supplementAfterLevel1EmptiesSecondText()
{
    WordStore store;
    loadLevelBank(store, WordLevel::Level1);
    QVERIFY(!store.word(87).second.empty());
    loadLevelBank(store, WordLevel::Level2Extra);
    QVERIFY(store.word(87).second.empty());
    for (int i = 1; i < 87; ++i)
        store.stepNext();
    QVERIFY(store.currentWord().shownSecond() == store.currentWord().first);
    QVERIFY(store.currentWord().first == u"おい");
}

void TestWordStore::level3AfterLevel1()
{
    WordStore store;
    loadLevelBank(store, WordLevel::Level1);
    for (int i = 1; i < 5000; ++i)
        store.stepNext();
    QCOMPARE(store.position(), 5000);
    loadLevelBank(store, WordLevel::Level3);
    QCOMPARE(store.counterText(), std::string("1/554"));
    for (int32_t k = 555; k <= 8775; ++k)
        QVERIFY(store.word(k).first.empty() && store.word(k).meaning.empty());
    // Stepping stays within the bank.
    store.stepPrevious();
    QCOMPARE(store.position(), 554);
    store.stepNext();
    QCOMPARE(store.position(), 1);
}

QTEST_APPLESS_MAIN(TestWordStore)
#include "tst_wordstore.moc"
