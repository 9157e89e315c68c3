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
    void goodList();

private:
    // Runs bankgen on a table of one bank and its list; returns its exit code and what it printed.
    std::pair<int, QString> run(const QByteArray &list, int count, bool readingFirst = false);
    QTemporaryDir m_dir;
};

std::pair<int, QString> TestBankGen::run(const QByteArray &list, int count, bool readingFirst)
{
    const QByteArray table = "level\tlist\twords\tfirst text\tlevel button\tmenu entry\nLevel4\tlist.tsv\t"
        + QByteArray::number(count) + (readingFirst ? "\treading" : "\twritten") + "\t4 级单词\t4 级词\n";
    for (const auto &[name, bytes] : {std::pair{"list.tsv", list}, std::pair{"banks.tsv", table}}) {
        QFile out(m_dir.filePath(QLatin1String(name)));
        if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return {-1, QString()};
        out.write(bytes);
    }
    QProcess gen;
    gen.start(QStringLiteral(BANKGEN), {m_dir.filePath(QStringLiteral("out.cpp")), m_dir.filePath(QStringLiteral("banks.tsv"))});
    gen.waitForFinished();
    return {gen.exitCode(), QString::fromUtf8(gen.readAllStandardError())};
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

QTEST_GUILESS_MAIN(TestBankGen)
#include "tst_bankgen.moc"
