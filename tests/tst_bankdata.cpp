// Content checks over every bank compiled into the program: counts, the GBK data
// against the word lists, characters, columns, order, dictionary pairs, meanings and
// the levels kept apart.

#include "kanaorder.h"
#include "levelbanks.h"

#include <QFile>
#include <QHash>
#include <QSet>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTest>

namespace {

struct BankFile {
    const char *name;
    const char *file;
    int count;
    bool readingFirst; // the level-2 supplement: reading first, written form second
};

BankFile bankFile(WordLevel level)
{
    switch (level) {
    case WordLevel::Level1: return {"Level1", "level1.tsv", 8775, false};
    case WordLevel::Level2Extra: return {"Level2Extra", "level2extra.tsv", 4205, true};
    case WordLevel::Level2: return {"Level2", "level2.tsv", 2331, false};
    case WordLevel::Level3: return {"Level3", "level3.tsv", 554, false};
    case WordLevel::Level4: return {"Level4", "level4.tsv", 731, false};
    }
    return {};
}

struct Word {
    QString first, second, meaning;
    int number = 0; // 1-based
    // (written form, reading) whatever the column order of the bank.
    QString written(bool readingFirst) const { return readingFirst ? (second.isEmpty() ? first : second) : first; }
    QString reading(bool readingFirst) const { return readingFirst ? first : second; }
};

// Dictionary comparisons: "·" as "・", full-width letters and digits as ASCII,
// katakana readings as hiragana.
QString normalForm(QString s)
{
    s.replace(QChar(0x00B7), QChar(0x30FB));
    for (QChar &c : s)
        if (c.unicode() >= 0xFF01 && c.unicode() <= 0xFF5E)
            c = QChar(c.unicode() - 0xFEE0);
    return s;
}
QString normalReading(const QString &s) { return toHiragana(normalForm(s)); }

struct Dictionary {
    QHash<QString, bool> pairs;    // "form\treading" -> marked common (P)
    QHash<QString, bool> readings; // reading -> some entry with it is marked (P)

    bool load(const QString &path)
    {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return false;
        QStringDecoder eucJp("EUC-JP");
        const QString text = eucJp.decode(file.readAll());
        for (QStringView line : QStringTokenizer(text, u'\n')) {
            const qsizetype space = line.indexOf(u' ');
            if (space <= 0)
                continue;
            const QStringView form = line.left(space);
            QStringView reading = form;
            if (line.mid(space + 1).startsWith(u'[')) {
                const qsizetype close = line.indexOf(u']', space);
                if (close < 0)
                    continue;
                reading = line.mid(space + 2, close - space - 2);
            }
            const bool common = line.contains(u"(P)");
            bool &pair = pairs[normalForm(form.toString()) + u'\t' + normalReading(reading.toString())];
            pair = pair || common;
            bool &any = readings[normalReading(reading.toString())];
            any = any || common;
        }
        return !pairs.isEmpty();
    }

    // Found, and marked common?
    std::pair<bool, bool> lookUp(const QString &written, const QString &reading) const
    {
        if (isKana(written.simplified().remove(QChar(0x00B7)))) {
            const auto it = readings.constFind(normalReading(reading));
            return {it != readings.cend(), it != readings.cend() && *it};
        }
        const auto it = pairs.constFind(normalForm(written) + u'\t' + normalReading(reading));
        return {it != pairs.cend(), it != pairs.cend() && *it};
    }
};

QString decodeGbk(GbkText text)
{
    QStringDecoder gbk("GBK");
    return gbk.decode(QByteArrayView(text.data(), qsizetype(text.size())));
}

} // namespace

class TestBankData : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void eachBank_data();
    void countsAndListsAgree_data() { eachBank_data(); }
    void countsAndListsAgree();
    void characters_data() { eachBank_data(); }
    void characters();
    void columns_data() { eachBank_data(); }
    void columns();
    void syllabaryOrder_data() { eachBank_data(); }
    void syllabaryOrder();
    void dictionaryPairs_data() { eachBank_data(); }
    void dictionaryPairs();
    void meanings_data() { eachBank_data(); }
    void meanings();
    void noRepeatedWord_data() { eachBank_data(); }
    void noRepeatedWord();
    void noWordInTwoLevels();
    void commonWords_data();
    void commonWords();
    void supplementDrawnFromLevel1();
    void fixedPoints();

private:
    Dictionary m_dictionary;
    QHash<QString, QString> m_exceptions; // "written\treading" -> reason
    QHash<int, QList<Word>> m_banks;      // by WordLevel
};

void TestBankData::initTestCase()
{
    QVERIFY2(m_dictionary.load(QStringLiteral(EDICT_FILE)),
             "the EDICT dictionary is missing: install Debian's edict package");

    QFile exceptions(QStringLiteral(BANK_DATA_DIR "/exceptions.tsv"));
    if (exceptions.open(QIODevice::ReadOnly | QIODevice::Text)) {
        for (const QString &line : QString::fromUtf8(exceptions.readAll()).split(u'\n', Qt::SkipEmptyParts)) {
            const QStringList f = line.split(u'\t');
            QVERIFY2(f.size() == 3 && !f[2].trimmed().isEmpty(),
                     qPrintable("an exception needs written form, reading and reason: " + line));
            m_exceptions.insert(f[0] + u'\t' + f[1], f[2]);
        }
    }

    for (WordLevel level : AllLevels) {
        QList<Word> words;
        const Bank bank = BankWords(level);
        for (int32_t i = 0; i < bank.size(); ++i) {
            const BankEntry entry = bank[i];
            words.append({decodeGbk(entry.first), decodeGbk(entry.second), decodeGbk(entry.meaning), i + 1});
        }
        m_banks.insert(int(level), words);
    }
}

void TestBankData::eachBank_data()
{
    QTest::addColumn<int>("level");
    for (WordLevel level : AllLevels)
        QTest::newRow(bankFile(level).name) << int(level);
}

void TestBankData::countsAndListsAgree()
{
    QFETCH(int, level);
    const BankFile bank = bankFile(WordLevel(level));
    const QList<Word> &words = m_banks[level];
    QCOMPARE(words.size(), bank.count);

    // The compiled GBK texts read back exactly as the UTF-8 word list says.
    QFile file(QStringLiteral(BANK_DATA_DIR "/") + QLatin1String(bank.file));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), bank.count);
    for (const Word &w : words)
        QCOMPARE(w.first + u'\t' + w.second + u'\t' + w.meaning, lines[w.number - 1]);
}

void TestBankData::characters()
{
    QFETCH(int, level);
    QStringEncoder gbk("GBK");
    for (const Word &w : m_banks[level]) {
        for (const QString &text : {w.first, w.second, w.meaning}) {
            for (QChar c : text) {
                const QByteArray bytes = gbk.encode(QString(c));
                QVERIFY2(!gbk.hasError(), qPrintable(QString("word %1: %2").arg(w.number).arg(text)));
                if (c.unicode() >= 0x3041 && c.unicode() <= 0x3093)
                    QCOMPARE(quint8(bytes[0]), quint8(0xA4));
                else if (c.unicode() >= 0x30A1 && c.unicode() <= 0x30F6)
                    QCOMPARE(quint8(bytes[0]), quint8(0xA5));
                else if (c == QChar(0x30FC))
                    QCOMPARE(bytes, QByteArray("\xA9\x60"));
                QVERIFY2(c.unicode() < 0xFF61 || c.unicode() > 0xFF9F,
                         qPrintable(QString("word %1: half-width kana in %2").arg(w.number).arg(text)));
            }
        }
    }
}

void TestBankData::columns()
{
    QFETCH(int, level);
    const bool readingFirst = bankFile(WordLevel(level)).readingFirst;
    for (const Word &w : m_banks[level]) {
        const QString where = QString("word %1 (%2 %3)").arg(w.number).arg(w.first, w.second);
        QVERIFY2(!w.first.isEmpty() && !w.meaning.isEmpty(), qPrintable(where));
        const QString reading = w.reading(readingFirst);
        QVERIFY2(isKana(QString(reading).remove(QChar(0x00B7))), qPrintable(where + ": the reading is not kana"));
        const bool kanaOnly = isKana(QString(w.written(readingFirst)).remove(QChar(0x00B7)));
        if (readingFirst) {
            // The written form is left empty for a word written in kana only.
            QVERIFY2(!kanaOnly || w.second.isEmpty() || w.second == w.first, qPrintable(where));
        } else {
            QVERIFY2(!w.second.isEmpty(), qPrintable(where + ": empty reading"));
            QVERIFY2(!kanaOnly || w.first == w.second, qPrintable(where + ": a kana word must repeat itself"));
        }
    }
}

void TestBankData::syllabaryOrder()
{
    QFETCH(int, level);
    const bool readingFirst = bankFile(WordLevel(level)).readingFirst;
    const QList<Word> &words = m_banks[level];
    for (qsizetype i = 1; i < words.size(); ++i) {
        const QString a = words[i - 1].reading(readingFirst), b = words[i].reading(readingFirst);
        QVERIFY2(kanaSortKey(a) <= kanaSortKey(b),
                 qPrintable(QString("word %1 %2 sorts after word %3 %4").arg(i).arg(a).arg(i + 1).arg(b)));
    }
}

void TestBankData::dictionaryPairs()
{
    QFETCH(int, level);
    const bool readingFirst = bankFile(WordLevel(level)).readingFirst;
    const QList<Word> &words = m_banks[level];
    QStringList missing;
    int excepted = 0;
    for (const Word &w : words) {
        const QString written = w.written(readingFirst), reading = w.reading(readingFirst);
        if (m_dictionary.lookUp(written, reading).first)
            continue;
        if (m_exceptions.contains(written + u'\t' + reading))
            ++excepted;
        else
            missing.append(QString("%1 %2 [%3]").arg(w.number).arg(written, reading));
    }
    QVERIFY2(missing.isEmpty(), qPrintable("not in the dictionary: " + missing.join(", ")));
    QVERIFY2(excepted * 100 <= words.size(),
             qPrintable(QString("%1 dictionary exceptions: more than 1% of the bank").arg(excepted)));
}

void TestBankData::meanings()
{
    QFETCH(int, level);
    const bool readingFirst = bankFile(WordLevel(level)).readingFirst;
    for (const Word &w : m_banks[level]) {
        const QString where = QString("word %1 %2: %3").arg(w.number).arg(w.first, w.meaning);
        QVERIFY2(w.meaning.size() <= 40, qPrintable(where + " is longer than 40 characters"));
        QVERIFY2(w.meaning != w.written(readingFirst), qPrintable(where + " copies the written form"));
        bool han = false, latin = false, kana = false;
        for (QChar c : w.meaning) {
            han = han || (c.unicode() >= 0x4E00 && c.unicode() <= 0x9FFF);
            latin = latin || (c.unicode() < 0x80 && c.isLetter());
            kana = kana || isKana(QString(c));
        }
        const QString written = w.written(readingFirst);
        const bool latinWord = std::any_of(written.cbegin(), written.cend(),
                                           [](QChar c) { return c.isLetter() && (c.unicode() < 0x80 || c.unicode() >= 0xFF21); });
        QVERIFY2(han, qPrintable(where + " has no Chinese character"));
        QVERIFY2(!kana, qPrintable(where + " holds kana"));
        QVERIFY2(!latin || latinWord, qPrintable(where + " holds Latin letters"));
    }
}

void TestBankData::noRepeatedWord()
{
    QFETCH(int, level);
    QSet<QString> seen;
    for (const Word &w : m_banks[level]) {
        const QString key = w.first + u'\t' + w.second + u'\t' + w.meaning;
        QVERIFY2(!seen.contains(key), qPrintable(QString("word %1 repeats %2").arg(w.number).arg(key)));
        seen.insert(key);
    }
}

void TestBankData::noWordInTwoLevels()
{
    QHash<QString, const char *> owner;
    for (WordLevel level : AllLevels) {
        const BankFile bank = bankFile(level);
        if (bank.readingFirst)
            continue; // the supplement is drawn from level 1 on purpose
        QSet<QString> own;
        for (const Word &w : m_banks[int(level)])
            own.insert(w.first + u'\t' + w.second);
        for (const QString &key : own) {
            QVERIFY2(!owner.contains(key), qPrintable(key + " is in " + owner.value(key) + " and " + bank.name));
            owner.insert(key, bank.name);
        }
    }
}

void TestBankData::commonWords_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("percent");
    QTest::newRow("Level2") << int(WordLevel::Level2) << 90;
    QTest::newRow("Level1") << int(WordLevel::Level1) << 75;
}

// Words the dictionary marks common "(P)".
void TestBankData::commonWords()
{
    QFETCH(int, level);
    QFETCH(int, percent);
    const QList<Word> &words = m_banks[level];
    qsizetype common = 0;
    for (const Word &w : words)
        common += m_dictionary.lookUp(w.first, w.second).second;
    QVERIFY2(common * 100 >= words.size() * percent,
             qPrintable(QString("%1 of %2 words are common").arg(common).arg(words.size())));
}

// The supplement is the bridge to level 1: nearly all its words are level-1 words,
// with the same meaning.
void TestBankData::supplementDrawnFromLevel1()
{
    QHash<QString, QString> level1; // "written\treading" -> meaning
    for (const Word &w : m_banks[int(WordLevel::Level1)])
        level1.insert(w.first + u'\t' + w.second, w.meaning);
    QSet<QString> pairs, shared;
    for (const Word &w : m_banks[int(WordLevel::Level2Extra)]) {
        const QString key = w.written(true) + u'\t' + w.reading(true);
        pairs.insert(key);
        if (level1.value(key) == w.meaning)
            shared.insert(key);
    }
    QVERIFY2(shared.size() * 100 >= pairs.size() * 98,
             qPrintable(QString("%1 of %2 pairs are level-1 words").arg(shared.size()).arg(pairs.size())));
}

void TestBankData::fixedPoints()
{
    const QList<Word> &level4 = m_banks[int(WordLevel::Level4)];
    QCOMPARE(level4[1].first, QStringLiteral("会う"));
    QCOMPARE(level4[1].second, QStringLiteral("あう"));
    QCOMPARE(level4[1].meaning, QStringLiteral("会面，见面"));
    const QList<Word> &supplement = m_banks[int(WordLevel::Level2Extra)];
    QCOMPARE(supplement[1].first, QStringLiteral("あいじょう"));
    QCOMPARE(supplement[1].second, QStringLiteral("愛情"));
    QCOMPARE(supplement[1].meaning, QStringLiteral("爱情，爱慕"));
    QCOMPARE(supplement[86].first, QStringLiteral("おい"));
    QVERIFY(supplement[86].second.isEmpty());
    QCOMPARE(supplement[86].meaning, QStringLiteral("喂，嘿"));
}

QTEST_GUILESS_MAIN(TestBankData)
#include "tst_bankdata.moc"
