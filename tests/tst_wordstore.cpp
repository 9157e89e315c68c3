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
    void smallerBankAfterALargerOne_data();
    void smallerBankAfterALargerOne();
    void everyLevelLoads_data();
    void everyLevelLoads();
    void supplementAfterLevel1EmptiesSecondText();
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
    // Shown at once, before any step: a step from nowhere would land on the word anyway.
    QCOMPARE(store.position(), 1);
    QCOMPARE(store.counterText(), std::string("1/1"));
    QVERIFY(store.currentWord().first == u"w1" && store.currentWord().meaning == u"w1");
    store.stepNext();
    QCOMPARE(store.position(), 1);
    store.stepPrevious();
    QCOMPARE(store.position(), 1);
    QCOMPARE(store.counterText(), std::string("1/1"));
    QVERIFY(store.currentWord().first == u"w1");
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

void TestWordStore::smallerBankAfterALargerOne_data()
{
    QTest::addColumn<WordLevel>("larger");
    QTest::addColumn<int>("at"); // the word shown when the smaller bank is loaded
    QTest::addColumn<WordLevel>("smaller");
    QTest::addColumn<int>("count"); // the smaller bank's
    QTest::newRow("Level4 at word 1, then Level3") << WordLevel::Level4 << 1 << WordLevel::Level3 << 554;
    QTest::newRow("Level1 at word 5000, then Level3") << WordLevel::Level1 << 5000 << WordLevel::Level3 << 554;
    QTest::newRow("Level1 at its last word, then Level2") << WordLevel::Level1 << 8775 << WordLevel::Level2 << 2331;
}

// The smaller bank starts at its word 1, ends where it ends, and nothing of the larger one
// is left behind it.
void TestWordStore::smallerBankAfterALargerOne()
{
    QFETCH(WordLevel, larger);
    QFETCH(int, at);
    QFETCH(WordLevel, smaller);
    QFETCH(int, count);
    WordStore store;
    loadLevelBank(store, larger);
    for (int i = 1; i < at; ++i)
        store.stepNext();
    QCOMPARE(store.position(), at);
    loadLevelBank(store, smaller);
    QCOMPARE(store.count(), count);
    QCOMPARE(store.counterText(), "1/" + std::to_string(count));
    QVERIFY(store.word(count).first == bankWords(smaller)[count - 1].first);
    for (int32_t k = count + 1; k <= bankSize(larger); ++k)
        QVERIFY(store.word(k).first.empty() && store.word(k).second.empty() && store.word(k).meaning.empty());
    // Stepping stays within the bank.
    store.stepPrevious();
    QCOMPARE(store.position(), count);
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
    QVERIFY(store.word(count + 1).first.empty() && store.word(count + 1).meaning.empty());
    // Back from word 1 to the last word, and on to word 1 again.
    store.stepPrevious();
    QCOMPARE(store.counterText(), std::to_string(count) + "/" + std::to_string(count));
    QVERIFY(store.currentWord().first == words[count - 1].first);
    store.stepNext();
    QCOMPARE(store.position(), 1);
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

QTEST_APPLESS_MAIN(TestWordStore)
#include "tst_wordstore.moc"
