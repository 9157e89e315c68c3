// Content checks over every bank compiled into the program: counts, the compiled texts
// against the word lists, characters, columns, order, dictionary pairs, meanings,
// the levels kept apart, and how well each bank covers the test's own vocabulary.

#include "kanaorder.h"
#include "levelbanks.h"
#include "wordsearch.h"

#include <QFile>
#include <QHash>
#include <QSet>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTest>

#include <optional>
#include <tuple>

namespace {

struct BankFile {
    const char *name;
    QString file;
    int count;
    bool readingFirst; // the level-2 supplement: reading first, written form second
};

BankFile bankFile(WordLevel level)
{
    const BankInfo &bank = bankInfo(level);
    return {bank.name, QStringLiteral(WORDBANK_DIR "/") + QLatin1String(bank.listFile), bank.words.size(),
            bank.readingFirst};
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

// An affix ("～回", "お～") marks where it attaches; the dictionary and the syllabary
// read the word without the mark.
QString withoutAffixMark(QString s) { return s.remove(QChar(0xFF5E)); }

bool isHan(QChar c) { return c.unicode() >= 0x4E00 && c.unicode() <= 0x9FFF; }

// A word of the test's old vocabulary lists (tests/data/old-levels.tsv).
struct ListWord {
    int level = 0; // 4 the easiest .. 1 the hardest
    QString written, reading;

    // Same reading, and written forms that are equal or share a kanji; a word written
    // in kana on either side matches by its reading alone. So the lists' older spellings
    // (明い, 分る) match the modern ones (明るい, 分かる).
    bool matches(const QString &bankWritten, const QString &bankReading) const
    {
        if (normalReading(reading) != normalReading(bankReading))
            return false;
        if (isKana(QString(written).remove(QChar(0x30FB)))
            || isKana(QString(bankWritten).remove(QChar(0x00B7))) || written == bankWritten)
            return true;
        return std::any_of(written.cbegin(), written.cend(),
                           [&](QChar c) { return isHan(c) && bankWritten.contains(c); });
    }
};

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
            add(form.toString(), reading.toString(), common);
            // An adverb marked "adv-to" takes と: some editions list さっさ, others さっさと.
            if (line.contains(u"adv-to") && !form.endsWith(u'と'))
                add(form.toString() + u'と', reading.toString() + u'と', common);
        }
        return !pairs.isEmpty();
    }

    void add(const QString &form, const QString &reading, bool common)
    {
        bool &pair = pairs[normalForm(form) + u'\t' + normalReading(reading)];
        pair = pair || common;
        bool &any = readings[normalReading(reading)];
        any = any || common;
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

QString toQString(WordText text)
{
    return QStringView(text).toString();
}

// A meaning's first item: up to the first "，" or "；" outside a parenthesised note.
QString leadingItem(const QString &meaning)
{
    int depth = 0;
    for (qsizetype i = 0; i < meaning.size(); ++i) {
        const QChar c = meaning[i];
        if (c == QChar(0xFF08))
            ++depth;
        else if (c == QChar(0xFF09))
            --depth;
        else if (depth == 0 && (c == QChar(0xFF0C) || c == QChar(0xFF1B)))
            return meaning.left(i);
    }
    return meaning;
}

// The rows below the heading line of one of our tab-separated tables, each split into its
// fields; nothing when the file cannot be read.
std::optional<QList<QStringList>> tableRows(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return std::nullopt;
    QList<QStringList> rows;
    const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
    for (const QString &line : lines.mid(1))
        rows.append(line.split(u'\t'));
    return rows;
}

} // namespace

class TestBankData : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void eachBank_data();
    void countsAndListsAgree_data();
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
    void neighboursShareAMeaningOnlyAsOneWord_data() { eachBank_data(); }
    void neighboursShareAMeaningOnlyAsOneWord();
    void noWordInTwoLevels();
    void oneMeaningPerWord();
    void commonWords_data();
    void commonWords();
    void supplementDrawnFromLevel1();
    void keptWordsHeld();
    void fixedPoints();
    void examListCovered_data();
    void examListCovered();
    void bankDrawnFromItsList_data();
    void bankDrawnFromItsList();
    void falseFriendsDoNotLead_data();
    void falseFriendsDoNotLead();
    void closedSetsLead_data();
    void closedSetsLead();
    void noWordOfAnEasierList_data();
    void noWordOfAnEasierList();

private:
    // The list words of one level (affixes left out) and, for each, the banks holding it.
    QList<QSet<int>> banksHolding(int listLevel) const;
    // Which words of the level-4 and level-3 lists the given bank holds: (bank word number,
    // list level, list word) for each.
    QList<std::tuple<int, int, QString>> easierListWords(WordLevel level, const QList<int> &listLevels) const;
    // Every bank's entry of one word (written form and reading), with its bank.
    QList<std::pair<WordLevel, Word>> entriesOf(const QString &written, const QString &reading) const;

    Dictionary m_dictionary;
    QList<ListWord> m_examList;
    QHash<QString, QString> m_exceptions; // "written\treading" -> reason
    QSet<QString> m_keptWords;            // "written\treading"
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
        const Bank bank = bankWords(level);
        for (int32_t i = 0; i < bank.size(); ++i) {
            const BankEntry entry = bank[i];
            words.append({toQString(entry.first), toQString(entry.second), toQString(entry.meaning), i + 1});
        }
        m_banks.insert(int(level), words);
    }

    const auto kept = tableRows(QStringLiteral(KEPT_WORDS_FILE));
    QVERIFY2(kept, KEPT_WORDS_FILE);
    for (const QStringList &f : *kept) {
        QVERIFY2(f.size() == 2 && !f[0].isEmpty() && !f[1].isEmpty(), qPrintable(f.join(u'\t')));
        m_keptWords.insert(f.join(u'\t'));
    }

    const auto list = tableRows(QStringLiteral(EXAM_LIST_FILE));
    QVERIFY2(list, EXAM_LIST_FILE);
    for (const QStringList &f : *list) {
        QVERIFY2(f.size() >= 3, qPrintable(f.join(u'\t')));
        if (!f[1].contains(u'~') && !f[2].contains(u'~'))
            m_examList.append({f[0].toInt(), f[1], f[2]});
    }
    QCOMPARE(m_examList.size(), 644 + 597 + 3713 + 2903);
}

void TestBankData::eachBank_data()
{
    QTest::addColumn<int>("level");
    for (WordLevel level : AllLevels)
        QTest::newRow(bankFile(level).name) << int(level);
}

void TestBankData::countsAndListsAgree_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("count"); // as the counter shows it: "1/8775"
    const std::pair<WordLevel, int> counts[] = {{WordLevel::Level1, 8775}, {WordLevel::Level2Extra, 4205},
                                                {WordLevel::Level2, 2331}, {WordLevel::Level3, 554},
                                                {WordLevel::Level4, 731}};
    for (const auto &[level, count] : counts)
        QTest::newRow(bankFile(level).name) << int(level) << count;
}

// The word list's lines, the compiled bank and the count the learner sees all agree.
void TestBankData::countsAndListsAgree()
{
    QFETCH(int, level);
    QFETCH(int, count);
    const BankFile bank = bankFile(WordLevel(level));
    const QList<Word> &words = m_banks[level];
    QCOMPARE(words.size(), count);

    // The compiled texts read back exactly as the UTF-8 word list says.
    QFile file(bank.file);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), count);
    for (const Word &w : words)
        QCOMPARE(w.first + u'\t' + w.second + u'\t' + w.meaning, lines[w.number - 1]);
}

void TestBankData::characters()
{
    QFETCH(int, level);
    QStringEncoder gbk("GBK");
    for (const Word &w : m_banks[level]) {
        for (const QString &text : {w.first, w.second, w.meaning}) {
            // The search window sizes its columns by this count of the text's GBK bytes.
            const WordText units(reinterpret_cast<const char16_t *>(text.utf16()), size_t(text.size()));
            QCOMPARE(qsizetype(gbkLength(units)), QByteArray(gbk.encode(text)).size());
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
        const QString reading = withoutAffixMark(w.reading(readingFirst));
        QVERIFY2(isKana(QString(reading).remove(QChar(0x00B7))), qPrintable(where + ": the reading is not kana"));
        const bool kanaOnly = isKana(withoutAffixMark(w.written(readingFirst)).remove(QChar(0x00B7)));
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
        const QString a = withoutAffixMark(words[i - 1].reading(readingFirst));
        const QString b = withoutAffixMark(words[i].reading(readingFirst));
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
        if (m_dictionary.lookUp(withoutAffixMark(written), withoutAffixMark(reading)).first)
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

// A meaning pasted onto the next line by mistake (躊躇 given 中断's "中断，中途停止") still reads
// as good Chinese, and no other bank may hold the word to compare with. Two neighbours share a
// meaning only as two forms of one word: the noun and the verb (試み, 試みる), a longer form (骨董,
// 骨董品) or another spelling (滴, 雫): they share a character of the written form, or one reading
// begins with the other, or, written in kana alone, they begin alike (もてなし, もてなす).
void TestBankData::neighboursShareAMeaningOnlyAsOneWord()
{
    QFETCH(int, level);
    const bool readingFirst = bankFile(WordLevel(level)).readingFirst;
    // Neighbours of one sense that are not forms of one word.
    const QSet<QString> synonyms{
        QStringLiteral("おまたせしました おまちどおさま"), // two set phrases for "sorry to keep you waiting"
        QStringLiteral("～くらい ～ぐらい"),             // one suffix, voiced or not
    };
    const auto hanOf = [](const QString &text) {
        QSet<QChar> han;
        for (QChar c : text)
            if (isHan(c) || c == QChar(0x3005)) // 々 repeats the character before it
                han.insert(c);
        return han;
    };
    const QList<Word> &words = m_banks[level];
    QStringList pasted;
    for (qsizetype i = 1; i < words.size(); ++i) {
        const Word &a = words[i - 1], &b = words[i];
        if (a.meaning != b.meaning)
            continue;
        const QString writtenA = a.written(readingFirst), writtenB = b.written(readingFirst);
        const QString readingA = a.reading(readingFirst).isEmpty() ? writtenA : a.reading(readingFirst);
        const QString readingB = b.reading(readingFirst).isEmpty() ? writtenB : b.reading(readingFirst);
        const QSet<QChar> hanA = hanOf(writtenA), hanB = hanOf(writtenB);
        const bool oneWord = hanA.intersects(hanB) || readingA.startsWith(readingB) || readingB.startsWith(readingA)
                             || (hanA.isEmpty() && hanB.isEmpty() && readingA.left(3) == readingB.left(3))
                             || synonyms.contains(writtenA + u' ' + writtenB);
        if (!oneWord)
            pasted.append(QStringLiteral("words %1 and %2 (%3, %4): %5")
                              .arg(a.number).arg(b.number).arg(writtenA, writtenB, a.meaning));
    }
    QVERIFY2(pasted.isEmpty(), qPrintable(QStringLiteral("%1: neighbours with one meaning: ")
                                              .arg(QLatin1String(bankFile(WordLevel(level)).name))
                                          + pasted.join(QStringLiteral("; "))));
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

// A word held by two banks (the supplement shares most of its words with level 1) has one
// meaning: a fix made in one bank and forgotten in the other shows here.
void TestBankData::oneMeaningPerWord()
{
    struct Held {
        const char *bank;
        int number;
        QString meaning;
    };
    QHash<QString, Held> first; // "written\treading" -> the first bank holding it
    QStringList differing;
    for (WordLevel level : AllLevels) {
        const BankFile bank = bankFile(level);
        for (const Word &w : m_banks[int(level)]) {
            const QString key = w.written(bank.readingFirst) + u'\t' + w.reading(bank.readingFirst);
            const auto it = first.constFind(key);
            if (it == first.cend())
                first.insert(key, {bank.name, w.number, w.meaning});
            else if (it->meaning != w.meaning)
                differing.append(QString("%1 [%2]: %3 line %4 \"%5\", %6 line %7 \"%8\"")
                                     .arg(w.written(bank.readingFirst), w.reading(bank.readingFirst))
                                     .arg(it->bank).arg(it->number).arg(it->meaning)
                                     .arg(bank.name).arg(w.number).arg(w.meaning));
        }
    }
    QVERIFY2(differing.isEmpty(), qPrintable("meanings differ: " + differing.join("; ")));
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

// The supplement is the bridge to level 1: nearly all its words are level-1 words, with the
// same meaning, or the basic words it alone holds (tests/data/kept-words.tsv).
void TestBankData::supplementDrawnFromLevel1()
{
    QHash<QString, QString> level1; // "written\treading" -> meaning
    for (const Word &w : m_banks[int(WordLevel::Level1)])
        level1.insert(w.first + u'\t' + w.second, w.meaning);
    QSet<QString> pairs, shared;
    for (const Word &w : m_banks[int(WordLevel::Level2Extra)]) {
        const QString key = w.written(true) + u'\t' + w.reading(true);
        pairs.insert(key);
        if (level1.value(key) == w.meaning || m_keptWords.contains(key))
            shared.insert(key);
    }
    QVERIFY2(shared.size() * 100 >= pairs.size() * 98,
             qPrintable(QString("%1 of %2 pairs are level-1 or kept basic words").arg(shared.size()).arg(pairs.size())));
}

// Words a learner meets in the first months, which the level lists leave out: a bank may
// drop one only when another holds it (tests/data/kept-words.tsv).
void TestBankData::keptWordsHeld()
{
    QSet<QString> held;
    for (WordLevel level : AllLevels) {
        const bool readingFirst = bankFile(level).readingFirst;
        for (const Word &w : m_banks[int(level)])
            held.insert(w.written(readingFirst) + u'\t' + w.reading(readingFirst));
    }
    QStringList lost;
    for (const QString &key : std::as_const(m_keptWords))
        if (!held.contains(key))
            lost.append(QString(key).replace(u'\t', u' '));
    lost.sort();
    QVERIFY2(lost.isEmpty(), qPrintable("in no bank: " + lost.join(", ")));
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

QList<QSet<int>> TestBankData::banksHolding(int listLevel) const
{
    QHash<QString, QList<std::pair<int, const Word *>>> byReading;
    for (WordLevel level : AllLevels) {
        const bool readingFirst = bankFile(level).readingFirst;
        for (const Word &w : m_banks[int(level)])
            byReading[normalReading(w.reading(readingFirst))].append({int(level), &w});
    }
    QList<QSet<int>> holding;
    for (const ListWord &l : m_examList) {
        if (l.level != listLevel)
            continue;
        QSet<int> banks;
        for (const auto &[level, w] : byReading.value(normalReading(l.reading))) {
            const bool readingFirst = bankFile(WordLevel(level)).readingFirst;
            if (l.matches(w->written(readingFirst), w->reading(readingFirst)))
                banks.insert(level);
        }
        holding.append(banks);
    }
    return holding;
}

void TestBankData::examListCovered_data()
{
    QTest::addColumn<int>("listLevel");
    QTest::addColumn<int>("heldPercent"); // by the four level banks
    QTest::addColumn<int>("ownPercent");  // by the banks of its own level
    QTest::addColumn<QList<int>>("ownBanks");
    QTest::newRow("level 4") << 4 << 98 << 98 << QList<int>{int(WordLevel::Level4)};
    QTest::newRow("level 3") << 3 << 98 << 97 << QList<int>{int(WordLevel::Level3), int(WordLevel::Level4)};
    QTest::newRow("level 2") << 2 << 98 << 97 << QList<int>{int(WordLevel::Level2), int(WordLevel::Level2Extra)};
    QTest::newRow("level 1") << 1 << 98 << 97 << QList<int>{int(WordLevel::Level1)};
}

// A learner who works through a level's bank meets that level's list words.
void TestBankData::examListCovered()
{
    QFETCH(int, listLevel);
    QFETCH(int, heldPercent);
    QFETCH(int, ownPercent);
    QFETCH(QList<int>, ownBanks);
    const QList<QSet<int>> holding = banksHolding(listLevel);
    const QSet<int> own(ownBanks.cbegin(), ownBanks.cend());
    qsizetype held = 0, inOwn = 0;
    for (QSet<int> banks : holding) {
        inOwn += banks.intersects(own);
        banks.remove(int(WordLevel::Level2Extra));
        held += !banks.isEmpty();
    }
    const qsizetype n = holding.size();
    qInfo("level %d list: %lld words, %.1f%% held by the level banks, %.1f%% in the banks of their level",
          listLevel, qlonglong(n), 100.0 * held / n, 100.0 * inOwn / n);
    QVERIFY2(held * 100 >= n * heldPercent, qPrintable(QString("%1 of %2 held").arg(held).arg(n)));
    QVERIFY2(inOwn * 100 >= n * ownPercent, qPrintable(QString("%1 of %2 in their level's banks").arg(inOwn).arg(n)));
}

void TestBankData::bankDrawnFromItsList_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("listLevel");
    QTest::newRow("Level3") << int(WordLevel::Level3) << 3;
    QTest::newRow("Level2") << int(WordLevel::Level2) << 2;
}

// Level3 and Level2 hold their own list level's words (97% at least), nothing else.
void TestBankData::bankDrawnFromItsList()
{
    QFETCH(int, level);
    QFETCH(int, listLevel);
    QHash<QString, QList<const ListWord *>> byReading;
    for (const ListWord &l : m_examList)
        if (l.level == listLevel)
            byReading[normalReading(l.reading)].append(&l);
    const QList<Word> &words = m_banks[level];
    qsizetype fromList = 0;
    for (const Word &w : words) {
        const auto candidates = byReading.value(normalReading(w.second));
        fromList += std::any_of(candidates.cbegin(), candidates.cend(),
                                [&](const ListWord *l) { return l->matches(w.first, w.second); });
    }
    qInfo("%s: %.1f%% from the level-%d list", bankFile(WordLevel(level)).name, 100.0 * fromList / words.size(), listLevel);
    QVERIFY2(fromList * 100 >= words.size() * 97,
             qPrintable(QString("%1 of %2 words from the list").arg(fromList).arg(words.size())));
}

// Japanese words whose characters, read as Chinese, make a Chinese word of another sense
// (tests/data/false-friends.tsv): a Chinese reader takes that word at its Chinese sense
// without noticing, so it must not lead the meaning.
void TestBankData::falseFriendsDoNotLead_data()
{
    QTest::addColumn<QString>("written");
    QTest::addColumn<QString>("reading");
    QTest::addColumn<QString>("lookalike");
    const auto rows = tableRows(QStringLiteral(FALSE_FRIENDS_FILE));
    QVERIFY2(rows, FALSE_FRIENDS_FILE);
    for (const QStringList &f : *rows) {
        QVERIFY2(f.size() == 4 && !f[2].isEmpty() && !f[3].isEmpty(), qPrintable(f.join(u'\t')));
        QTest::newRow(qPrintable(f[0] + u' ' + f[1])) << f[0] << f[1] << f[2];
    }
}

void TestBankData::falseFriendsDoNotLead()
{
    QFETCH(QString, written);
    QFETCH(QString, reading);
    QFETCH(QString, lookalike);
    const auto entries = entriesOf(written, reading);
    QVERIFY2(!entries.isEmpty(), "no bank holds the word");
    for (const auto &[level, w] : entries)
        QVERIFY2(!w.meaning.startsWith(lookalike),
                 qPrintable(QString("%1 word %2: %3").arg(bankFile(level).name).arg(w.number).arg(w.meaning)));
}

// The words where two meanings swap unnoticed, every one of them well formed: the closed sets
// (family words, positions, days and months, numbers and counters, colours, seasons, opposites)
// and the concrete nouns with a standard Chinese word (things and tools, food, animals and
// plants, body, places and buildings, jobs, transport, school and office; 鉛筆 and 万年筆).
// tests/data/leading-words.tsv gives the Chinese word each of their meanings begins with.
void TestBankData::closedSetsLead_data()
{
    QTest::addColumn<QString>("written");
    QTest::addColumn<QString>("reading");
    QTest::addColumn<QString>("leading");
    const auto rows = tableRows(QStringLiteral(LEADING_WORDS_FILE));
    QVERIFY2(rows, LEADING_WORDS_FILE);
    QSet<QString> sets;
    for (const QStringList &f : *rows) {
        QVERIFY2(f.size() == 4 && !f[2].isEmpty() && !f[3].isEmpty(), qPrintable(f.join(u'\t')));
        sets.insert(f[3]);
        QTest::newRow(qPrintable(f[0] + u' ' + f[1])) << f[0] << f[1] << f[2];
    }
    QCOMPARE(sets.size(), 15);
}

void TestBankData::closedSetsLead()
{
    QFETCH(QString, written);
    QFETCH(QString, reading);
    QFETCH(QString, leading);
    const auto entries = entriesOf(written, reading);
    QVERIFY2(!entries.isEmpty(), "no bank holds the word");
    for (const auto &[level, w] : entries)
        QVERIFY2(leadingItem(w.meaning) == leading,
                 qPrintable(QString("%1 line %2: \"%3\" should lead with \"%4\"")
                                .arg(bankFile(level).name).arg(w.number).arg(w.meaning, leading)));
}

QList<std::pair<WordLevel, Word>> TestBankData::entriesOf(const QString &written, const QString &reading) const
{
    QList<std::pair<WordLevel, Word>> entries;
    for (WordLevel level : AllLevels) {
        const bool readingFirst = bankFile(level).readingFirst;
        for (const Word &w : m_banks.value(int(level))) {
            if (w.written(readingFirst) == written && w.reading(readingFirst) == reading)
                entries.append({level, w});
        }
    }
    return entries;
}

// A word's identity across spellings: the kanji of its written form, in order, and its
// reading. So the lists' 明い and 分る are our 明るい and 分かる, while 化学 and 科学, or 風
// and 風邪, stay apart. A kana-only word keeps its reading alone.
static QString kanjiAndReading(const QString &written, const QString &reading)
{
    QString kanji;
    for (QChar c : written)
        if (isHan(c) || c == QChar(0x3005)) // 々
            kanji += c;
    return kanji + u'\t' + normalReading(reading);
}

QList<std::tuple<int, int, QString>> TestBankData::easierListWords(WordLevel level, const QList<int> &listLevels) const
{
    // The banks a list level's words belong in: level 4's in Level4, level 3's in Level4 or
    // Level3. The lists write many words in kana (つける, はし), which could be any of their
    // homographs; the word those banks hold for such a list word says which one the list means.
    const QHash<int, QList<WordLevel>> homes{{4, {WordLevel::Level4}}, {3, {WordLevel::Level4, WordLevel::Level3}}};
    const bool readingFirst = bankFile(level).readingFirst;
    QHash<QString, QList<const Word *>> byReading;
    for (const Word &w : m_banks[int(level)])
        byReading[normalReading(w.reading(readingFirst))].append(&w);

    QHash<QString, QList<std::pair<WordLevel, const Word *>>> homeByReading; // written form first in both
    for (WordLevel home : {WordLevel::Level4, WordLevel::Level3})
        for (const Word &w : m_banks[int(home)])
            homeByReading[normalReading(w.second)].append({home, &w});

    QList<std::tuple<int, int, QString>> found;
    for (const ListWord &l : m_examList) {
        if (!listLevels.contains(l.level))
            continue;
        const auto candidates = byReading.value(normalReading(l.reading));
        if (candidates.isEmpty())
            continue;
        QSet<QString> meant; // the list word as its own banks hold it
        for (const auto &[home, w] : homeByReading.value(normalReading(l.reading)))
            if (homes[l.level].contains(home) && l.matches(w->first, w->second))
                meant.insert(kanjiAndReading(w->first, w->second));
        for (const Word *w : candidates) {
            const QString written = w->written(readingFirst), reading = w->reading(readingFirst);
            const QString identity = kanjiAndReading(written, reading);
            // Missing from its own banks (moved out of them), the list word is whatever
            // matches it.
            if (identity == kanjiAndReading(l.written, l.reading)
                || (meant.isEmpty() ? l.matches(written, reading) : meant.contains(identity)))
                found.append({w->number, l.level, written + u' ' + reading});
        }
    }
    return found;
}

void TestBankData::noWordOfAnEasierList_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<QList<int>>("easierLists");
    // Level 1 takes the level-2 words that level 2 has no room for; the supplement begins with
    // those and goes on with level-1 words and basic words the lists leave out. So neither
    // holds a word of the level-4 or level-3 list, nor does level 2; level 3 none of level 4's.
    QTest::newRow("Level3") << int(WordLevel::Level3) << QList<int>{4};
    QTest::newRow("Level2") << int(WordLevel::Level2) << QList<int>{4, 3};
    QTest::newRow("Level2Extra") << int(WordLevel::Level2Extra) << QList<int>{4, 3};
    QTest::newRow("Level1") << int(WordLevel::Level1) << QList<int>{4, 3};
}

// A word of an easier level does not wait in a harder bank, where the learner of its level
// never meets it (a level-4 word moved into Level3 shows here, wherever it lands).
void TestBankData::noWordOfAnEasierList()
{
    QFETCH(int, level);
    QFETCH(QList<int>, easierLists);
    // Words written alike in two lists' senses: the list word and ours are different words.
    const QHash<QString, QString> otherWords{
        {QStringLiteral("Level2 デモ デモ"), QStringLiteral("the loanword \"demonstration\", not the conjunction でも of the level-4 list")},
    };
    // Basic words the supplement repeats from Level4 and Level3: the level-2 list names each of
    // them again in kanji, and the supplement's share of the level-2 list (examListCovered) needs
    // them until a level-2 list word no bank holds can take each one's place.
    const QSet<QString> repeatedInSupplement{
        QStringLiteral("挨拶 あいさつ"), QStringLiteral("鍵 かぎ"), QStringLiteral("頑張る がんばる"),
        QStringLiteral("毛 け"), QStringLiteral("怪我 けが"), QStringLiteral("喧嘩 けんか"),
        QStringLiteral("邪魔 じゃま"), QStringLiteral("醤油 しょうゆ"),
        QStringLiteral("随分 ずいぶん"), QStringLiteral("素晴らしい すばらしい"), QStringLiteral("是非 ぜひ"),
        QStringLiteral("全然 ぜんぜん"), QStringLiteral("たいてい たいてい"), QStringLiteral("多分 たぶん"),
        QStringLiteral("駄目 だめ"), QStringLiteral("誰 だれ"), QStringLiteral("茶碗 ちゃわん"),
        QStringLiteral("賑やか にぎやか"), QStringLiteral("値段 ねだん"), QStringLiteral("熱心 ねっしん"),
        QStringLiteral("喉 のど"), QStringLiteral("髭 ひげ"), QStringLiteral("風呂 ふろ"),
        QStringLiteral("褒める ほめる"), QStringLiteral("真面目 まじめ"), QStringLiteral("立派 りっぱ"),
    };
    const char *bank = bankFile(WordLevel(level)).name;
    QStringList misplaced;
    int repeated = 0;
    for (const auto &[number, listLevel, word] : easierListWords(WordLevel(level), easierLists)) {
        if (const QString reason = otherWords.value(QLatin1String(bank) + u' ' + word); !reason.isEmpty()) {
            qInfo("%s, not the list's: %s", qPrintable(word), qPrintable(reason));
            continue;
        }
        if (WordLevel(level) == WordLevel::Level2Extra && repeatedInSupplement.contains(word)) {
            ++repeated;
            continue;
        }
        misplaced.append(QStringLiteral("%1 (word %2, level-%3 list)").arg(word).arg(number).arg(listLevel));
    }
    if (repeated)
        qInfo("%s repeats %d words of the level-4 and level-3 lists that the level-2 list names again", bank, repeated);
    QVERIFY2(misplaced.isEmpty(), qPrintable(QStringLiteral("%1 holds easier words: ").arg(bank) + misplaced.join(", ")));
}

QTEST_GUILESS_MAIN(TestBankData)
#include "tst_bankdata.moc"
