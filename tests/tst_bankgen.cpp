// The bank generator stops the build on a bad table or word list, naming file, line and cause.

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class TestBankGen : public QObject
{
    Q_OBJECT

private slots:
    void badLists_data();
    void badLists();
    void badTables_data();
    void badTables();
    void goodList();
    void generatedHeaderAndDepfile();
    void compiledChecks_data();
    void compiledChecks();

private:
    // Runs bankgen on a table and the lists it names (file name, contents); returns its exit
    // code and what it printed.
    std::pair<int, QString> generate(const QByteArray &table, const QList<std::pair<QString, QByteArray>> &lists);
    // The same on a table of one bank, Level4, and its list.
    std::pair<int, QString> run(const QByteArray &list, int count, bool readingFirst = false);
    QTemporaryDir m_dir;
};

static const QByteArray tableHeader = "level\tlist\twords\tfirst text\tlevel button\tmenu entry\t"
                                      "start window place\tblanks before\tstart window text\n";
// The start window's columns of a table of one bank.
static const QByteArray startColumns = "\t1\t0\t4 级： 7 百多词";

std::pair<int, QString> TestBankGen::generate(const QByteArray &table,
                                              const QList<std::pair<QString, QByteArray>> &lists)
{
    QList<std::pair<QString, QByteArray>> files = lists;
    files.append({QStringLiteral("banks.tsv"), table});
    for (const auto &[name, bytes] : files) {
        QFile out(m_dir.filePath(name));
        if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return {-1, QString()};
        out.write(bytes);
    }
    QProcess gen;
    gen.start(QStringLiteral(BANKGEN), {m_dir.filePath(QStringLiteral("banks.tsv")), m_dir.filePath(QStringLiteral("out.cpp")),
                                        m_dir.filePath(QStringLiteral("wordlevel.h")), m_dir.filePath(QStringLiteral("out.d"))});
    gen.waitForFinished();
    return {gen.exitCode(), QString::fromUtf8(gen.readAllStandardError())};
}

std::pair<int, QString> TestBankGen::run(const QByteArray &list, int count, bool readingFirst)
{
    const QByteArray table = tableHeader + "Level4\tlist.tsv\t" + QByteArray::number(count)
        + (readingFirst ? "\treading" : "\twritten") + "\t4 级单词\t4 级词" + startColumns + "\n";
    return generate(table, {{QStringLiteral("list.tsv"), list}});
}

void TestBankGen::badLists_data()
{
    QTest::addColumn<QByteArray>("list");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("message");
    const QByteArray good = "会う\tあう\t会面，见面\n";
    QTest::newRow("two fields") << good + "雨\tあめ\n" << 2 << "list.tsv:2: error: expected 3 tab-separated fields";
    QTest::newRow("four fields") << good + "雨\tあめ\t雨\tx\n" << 2 << "list.tsv:2: error: expected 3";
    QTest::newRow("empty first text") << "\tあめ\t雨\n" + good << 2 << "list.tsv:1: error: the first text is empty";
    QTest::newRow("empty second text") << good + "雨\t\t雨\n" << 2 << "list.tsv:2: error: the second text is empty";
    QTest::newRow("empty meaning") << good + "雨\tあめ\t\n" << 2 << "list.tsv:2: error: the meaning is empty";
    QTest::newRow("emoji") << good + "雨\tあめ\t雨😀\n" << 2
                           << "list.tsv:2: error: the meaning has a character that GBK cannot encode: '😀' (U+1F600)";
    QTest::newRow("half-width form of no GBK") << good + "\xEF\xBD\xB1\tあ\tx\n" << 2
                                               << "error: the first text has a character that GBK cannot encode: 'ｱ' (U+FF71)";
    QTest::newRow("Windows line end") << good + "雨\tあめ\t雨\r\n" << 2
                                      << "list.tsv:2: error: the meaning has a control character: U+000D";
    QTest::newRow("control character") << QByteArray("会\x01う\tあう\t会面\n") << 1
                                       << "list.tsv:1: error: the first text has a control character: U+0001";
    QTest::newRow("too few words") << good << 2 << "holds 1 words; the bank must have exactly 2";
    QTest::newRow("too many words") << good + good << 1 << "holds 2 words; the bank must have exactly 1";
}

void TestBankGen::badLists()
{
    QFETCH(QByteArray, list);
    QFETCH(int, count);
    QFETCH(QString, message);
    const auto [code, printed] = run(list, count);
    QCOMPARE(code, 1);
    QVERIFY2(printed.contains(message), qPrintable(printed));
}

void TestBankGen::badTables_data()
{
    QTest::addColumn<QByteArray>("row");
    QTest::addColumn<QString>("message");
    QTest::newRow("eight fields") << QByteArray("Level4\tlist.tsv\t1\twritten\t4 级单词\t4 级词\t1\t0\n")
                                  << "banks.tsv:2: error: expected 9 tab-separated fields";
    QTest::newRow("first text neither") << QByteArray("Level4\tlist.tsv\t1\tkana\t4 级单词\t4 级词" + startColumns + "\n")
                                        << "banks.tsv:2: error: the first text is \"written\" or \"reading\", not \"kana\"";
    QTest::newRow("no number of words") << QByteArray("Level4\tlist.tsv\tmany\twritten\t4 级单词\t4 级词" + startColumns + "\n")
                                        << "banks.tsv:2: error: the number of words is not a number of at least 1: \"many\"";
    QTest::newRow("no words") << QByteArray("Level4\tlist.tsv\t0\twritten\t4 级单词\t4 级词" + startColumns + "\n")
                              << "banks.tsv:2: error: the number of words is not a number of at least 1: \"0\"";
    QTest::newRow("number with a letter after it") << QByteArray("Level4\tlist.tsv\t12x\twritten\t4 级单词\t4 级词" + startColumns + "\n")
                                                   << "banks.tsv:2: error: the number of words is not a number of at least 1: \"12x\"";
    QTest::newRow("number with a sign") << QByteArray("Level4\tlist.tsv\t+1\twritten\t4 级单词\t4 级词" + startColumns + "\n")
                                        << "banks.tsv:2: error: the number of words is not a number of at least 1: \"+1\"";
    QTest::newRow("Windows line end") << QByteArray("Level4\tlist.tsv\t1\twritten\t4 级单词\t4 级词" + startColumns + "\r\n")
                                      << "banks.tsv:2: error: the start window text has a control character: U+000D";
    QTest::newRow("level with a blank") << QByteArray("Level 4\tlist.tsv\t1\twritten\t4 级单词\t4 级词" + startColumns + "\n")
                                        << "banks.tsv:2: error: the level is not a name of letters, digits and '_' that begins with a letter: \"Level 4\"";
    QTest::newRow("level beginning with a digit") << QByteArray("4\tlist.tsv\t1\twritten\t4 级单词\t4 级词" + startColumns + "\n")
                                                  << "banks.tsv:2: error: the level is not a name";
    QTest::newRow("a level twice") << QByteArray("Level4\tlist.tsv\t1\twritten\tb\tm\t1\t0\ts\n"
                                                 "Level4\tlist.tsv\t1\twritten\tb\tm\t2\t1\ts\n")
                                   << "banks.tsv:3: error: the level Level4 has a row already, at ";
    QTest::newRow("a start window place twice") << QByteArray("Level4\tlist.tsv\t1\twritten\tb\tm\t1\t0\ts\n"
                                                              "Level3\tlist.tsv\t1\twritten\tb\tm\t1\t1\ts\n")
                                                << "banks.tsv:3: error: the start window place 1 is taken already, at ";
    QTest::newRow("a start window place beyond the banks") << QByteArray("Level4\tlist.tsv\t1\twritten\tb\tm\t2\t0\ts\n")
                                                           << "banks.tsv:2: error: the start window place 2 is beyond the 1 banks";
    QTest::newRow("start window place 0") << QByteArray("Level4\tlist.tsv\t1\twritten\tb\tm\t0\t0\ts\n")
                                          << "banks.tsv:2: error: the start window place is not a number of at least 1: \"0\"";
    QTest::newRow("blanks before not a number") << QByteArray("Level4\tlist.tsv\t1\twritten\tb\tm\t1\t-1\ts\n")
                                                << "banks.tsv:2: error: the blanks before are not a number: \"-1\"";
    QTest::newRow("list missing") << QByteArray("Level4\tnone.tsv\t1\twritten\t4 级单词\t4 级词" + startColumns + "\n")
                                  << "none.tsv: error: cannot open the word list";
}

void TestBankGen::badTables()
{
    QFETCH(QByteArray, row);
    QFETCH(QString, message);
    const auto [code, printed] = generate(tableHeader + row, {{QStringLiteral("list.tsv"), "会う\tあう\t会面\n"}});
    QCOMPARE(code, 1);
    QVERIFY2(printed.contains(message), qPrintable(printed));
}

void TestBankGen::goodList()
{
    // A bank with its reading first may leave its second text empty; the output holds the
    // texts as UTF-16 literals, quotes and backslashes escaped, and the table's row.
    const auto [code, printed] = run("おい\t\t喂，嘿\n\"a\\\tb\tc\n", 2, true);
    QCOMPARE(code, 0);
    QVERIFY(printed.isEmpty());
    QFile generated(m_dir.filePath(QStringLiteral("out.cpp")));
    QVERIFY(generated.open(QIODevice::ReadOnly));
    const QString source = QString::fromUtf8(generated.readAll());
    QVERIFY(source.contains(u"u\"おい喂，嘿\"")); // one literal a word
    QVERIFY(source.contains(u"u\"\\\"a\\\\bc\"")); // "a\ b c
    QVERIFY(source.contains(u"0, 2, 2, 5, 8, 9, 10,")); // where each text begins, in UTF-16 units, and the end
    QVERIFY(source.contains(u"{WordLevel::Level4, \"Level4\", \"list.tsv\", true, u\"4 级单词\", u\"4 级词\","));
    QVERIFY(source.contains(u"Bank(kLevel4Text, kLevel4Bounds, 2, 3)")); // the longest text: 喂，嘿
}

// The header gives the levels in the order of the table's rows, and the start window's line
// its groups in the order of their places, each after its blanks; the depfile names the
// table and every list, so that the build runs bankgen again when one of them changes.
void TestBankGen::generatedHeaderAndDepfile()
{
    const QByteArray table = tableHeader + "Level4\tfour.tsv\t1\twritten\tb\tm\t3\t2\t4 级\n"
        + "Level1\tone.tsv\t1\twritten\tb\tm\t1\t0\t1 级\n" + "Level2\ttwo.tsv\t1\treading\tb\tm\t2\t1\t2 级\n";
    const QByteArray word = "会う\tあう\t会面\n";
    const auto [code, printed] = generate(table, {{QStringLiteral("four.tsv"), word}, {QStringLiteral("one.tsv"), word},
                                                  {QStringLiteral("two.tsv"), word}});
    QCOMPARE(code, 0);
    QVERIFY2(printed.isEmpty(), qPrintable(printed));
    QFile header(m_dir.filePath(QStringLiteral("wordlevel.h")));
    QVERIFY(header.open(QIODevice::ReadOnly));
    const QString levels = QString::fromUtf8(header.readAll());
    QVERIFY2(levels.contains(u"enum class WordLevel {\n    Level4,\n    Level1,\n    Level2,\n};"), qPrintable(levels));
    QVERIFY2(levels.contains(u"AllLevels[] = {\n    WordLevel::Level4,\n    WordLevel::Level1,\n    WordLevel::Level2,\n};"),
             qPrintable(levels));
    QVERIFY2(levels.contains(u"BankSizesLine =\n    u\"1 级 2 级  4 级\";"), qPrintable(levels));
    QFile depfile(m_dir.filePath(QStringLiteral("out.d")));
    QVERIFY(depfile.open(QIODevice::ReadOnly));
    const QStringList rule = QString::fromUtf8(depfile.readAll()).trimmed().split(u' ');
    QCOMPARE(rule.value(0), m_dir.filePath(QStringLiteral("out.cpp:")));
    QCOMPARE(rule.mid(1), QStringList({m_dir.filePath(QStringLiteral("banks.tsv")), m_dir.filePath(QStringLiteral("four.tsv")),
                                       m_dir.filePath(QStringLiteral("one.tsv")), m_dir.filePath(QStringLiteral("two.tsv"))}));
}

// What the compiler checks of the generated banks: no bank holds more words than the store
// (16,999); and what bankgen makes compiles whatever the order of the table's rows.
void TestBankGen::compiledChecks_data()
{
    QTest::addColumn<QStringList>("levels");
    QTest::addColumn<int>("firstCount");
    QTest::addColumn<bool>("compiles");
    const QStringList inOrder = {QStringLiteral("Level1"), QStringLiteral("Level2Extra"), QStringLiteral("Level2"),
                                 QStringLiteral("Level3"), QStringLiteral("Level4")};
    QStringList swapped = inOrder;
    swapped.swapItemsAt(3, 4);
    QTest::newRow("as many words as the store holds") << inOrder << 16999 << true;
    QTest::newRow("one word more") << inOrder << 17000 << false;
    QTest::newRow("rows in another order") << swapped << 1 << true;
    QTest::newRow("one bank") << inOrder.mid(0, 1) << 1 << true;
}

void TestBankGen::compiledChecks()
{
    QFETCH(QStringList, levels);
    QFETCH(int, firstCount);
    QFETCH(bool, compiles);
    QByteArray table = tableHeader;
    QList<std::pair<QString, QByteArray>> lists;
    for (const QString &level : levels) {
        const int count = lists.isEmpty() ? firstCount : 1;
        const QByteArray place = QByteArray::number(lists.size() + 1);
        table += level.toUtf8() + '\t' + level.toUtf8() + ".tsv\t" + QByteArray::number(count) + "\twritten\tb\tm\t"
            + place + "\t1\t" + place + " 级\n";
        lists.append({level + QStringLiteral(".tsv"), QByteArray("会う\tあう\t会面\n").repeated(count)});
    }
    const auto [code, printed] = generate(table, lists);
    QCOMPARE(code, 0);
    QProcess compiler;
    compiler.start(QStringLiteral(CXX_COMPILER), {QStringLiteral("-std=c++20"), QStringLiteral("-fsyntax-only"),
                                                  QStringLiteral("-I") + m_dir.path(),
                                                  QStringLiteral("-I" WORDBANK_DIR), m_dir.filePath(QStringLiteral("out.cpp"))});
    QVERIFY(compiler.waitForFinished(60000));
    const QString errors = QString::fromUtf8(compiler.readAllStandardError());
    QVERIFY2((compiler.exitCode() == 0) == compiles, qPrintable(errors));
    if (!compiles)
        QVERIFY2(errors.contains(QLatin1String("static assertion failed")), qPrintable(errors));
}

QTEST_GUILESS_MAIN(TestBankGen)
#include "tst_bankgen.moc"
