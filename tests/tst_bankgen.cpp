// The bank generator stops the build on a bad word list, naming file, line and cause.

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
    // Runs bankgen on one list; returns its exit code and what it printed.
    std::pair<int, QString> run(const QByteArray &list, int count, bool secondOptional = false);
    QTemporaryDir m_dir;
};

std::pair<int, QString> TestBankGen::run(const QByteArray &list, int count, bool secondOptional)
{
    const QString file = m_dir.filePath(QStringLiteral("list.tsv"));
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return {-1, QString()};
    out.write(list);
    out.close();
    QProcess gen;
    gen.start(QStringLiteral(BANKGEN),
              {m_dir.filePath(QStringLiteral("out.cpp")),
               QStringLiteral("Level4=%1:%2%3").arg(file).arg(count).arg(secondOptional ? ":second-optional" : "")});
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
    // The supplement may leave its second text empty; the output holds the GBK bytes.
    const auto [code, printed] = run("おい\t\t喂，嘿\n", 1, true);
    QCOMPARE(code, 0);
    QVERIFY(printed.isEmpty());
    QFile generated(m_dir.filePath(QStringLiteral("out.cpp")));
    QVERIFY(generated.open(QIODevice::ReadOnly));
    const QByteArray source = generated.readAll();
    QVERIFY(source.contains("\"\\244\\252\\244\\244\\316\\271\\243\\254\\272\\331\""));  // おい喂，嘿
    QVERIFY(source.contains("0, 4, 4, 10,")); // where each text begins, and the end
}

QTEST_GUILESS_MAIN(TestBankGen)
#include "tst_bankgen.moc"
