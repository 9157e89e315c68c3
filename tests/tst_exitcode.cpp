// The built program's exit code is what its event loop returned. The program runs under gdb,
// which stops it once its event loop is running (at the creation of the windows behind the
// start window, which the start window's first paint queues), makes it do one thing there, and
// lets it run to its end: close its windows, as a learner closes the start window, or end the
// event loop with a code of its own. gdb then exits with the program's exit code.

#include <QProcess>
#include <QStandardPaths>
#include <QTest>

class TestExitCode : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void programReturnsItsEventLoopsCode_data();
    void programReturnsItsEventLoopsCode();

private:
    QString m_gdb;
};

void TestExitCode::initTestCase()
{
    m_gdb = QStandardPaths::findExecutable(QStringLiteral("gdb"));
    QVERIFY2(!m_gdb.isEmpty(), "gdb is missing: install Debian's gdb package (scripts/deps.sh test)");
}

void TestExitCode::programReturnsItsEventLoopsCode_data()
{
    QTest::addColumn<QString>("action"); // a gdb expression, evaluated inside the running event loop
    QTest::addColumn<int>("exitCode");
    QTest::newRow("start window closed") << QStringLiteral("((void (*)())_ZN12QApplication15closeAllWindowsEv)()") << 0;
    QTest::newRow("event loop ended with 7") << QStringLiteral("((void (*)(int))_ZN16QCoreApplication4exitEi)(7)") << 7;
    QTest::newRow("event loop ended with 1") << QStringLiteral("((void (*)(int))_ZN16QCoreApplication4exitEi)(1)") << 1;
}

void TestExitCode::programReturnsItsEventLoopsCode()
{
    QFETCH(QString, action);
    QFETCH(int, exitCode);
    QProcess gdb;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // LeakSanitizer cannot run under a debugger; the sanitizer build's other checks still do.
    environment.insert(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("detect_leaks=0"));
    gdb.setProcessEnvironment(environment);
    gdb.setProcessChannelMode(QProcess::MergedChannels);
    const QStringList commands{
        QStringLiteral("set pagination off"),
        QStringLiteral("set confirm off"),
        QStringLiteral("set breakpoint pending on"),
        QStringLiteral("break AppWindows::createRemainingWindows"),
        QStringLiteral("run"),
        QStringLiteral("delete"),
        QStringLiteral("call ") + action,
        QStringLiteral("continue"),
        QStringLiteral("quit $_exitcode"),
    };
    QStringList arguments{QStringLiteral("-nx"), QStringLiteral("-batch")};
    for (const QString &command : commands)
        arguments << QStringLiteral("-ex") << command;
    arguments << QStringLiteral("--args") << QStringLiteral(VELKARO_PROGRAM);
    gdb.start(m_gdb, arguments);
    QVERIFY(gdb.waitForStarted());
    if (!gdb.waitForFinished(90000)) {
        gdb.kill();
        gdb.waitForFinished();
        QFAIL(qPrintable("the program did not end:\n" + QString::fromLocal8Bit(gdb.readAll())));
    }
    const QString log = QString::fromLocal8Bit(gdb.readAll());
    // The action ran while the program was stopped in its event loop, and the program then
    // ended by itself.
    QVERIFY2(log.contains(QLatin1String("Breakpoint 1, ")) && log.contains(QLatin1String("[Inferior 1 (process")),
             qPrintable(log));
    QCOMPARE(gdb.exitStatus(), QProcess::NormalExit);
    QVERIFY2(gdb.exitCode() == exitCode,
             qPrintable(QStringLiteral("exit code %1, not %2:\n%3").arg(gdb.exitCode()).arg(exitCode).arg(log)));
}

QTEST_GUILESS_MAIN(TestExitCode)
#include "tst_exitcode.moc"
