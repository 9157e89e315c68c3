// The program on a Wayland desktop (Weston with XWayland, see underweston.sh), started as a
// Wayland session starts it and driven from outside through XWayland's display: it comes up
// on XWayland, where only it can keep the strip on top, and its windows open and close as
// under X11.

#include "x11client.h"

#include <QDeadlineTimer>
#include <QProcess>
#include <QTest>

#include <functional>
#include <optional>

class TestWayland : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void windowsOpenAndCloseOnXWayland();

private:
    // The program's window with that title and size, once it is shown.
    std::optional<X11Client::TopLevel> waitForShown(const QString &title, const QSize &size);
    // Whether, within a while, no such window is shown (unmapped, or its X window gone).
    bool waitForHidden(const QString &title, const QSize &size);
    bool isShown(const QString &title, const QSize &size) const;

    X11Client m_x;
};

namespace {
const QString caption = QStringLiteral("Tessarine 2005 （ Corvanel系列 2 ）");
const QSize startSize(681, 217), mainSize(776, 304), stripSize(910, 28), searchSize(801, 257), settingsSize(279, 97);
const QString searchCaption = QStringLiteral("在当前词库中查找单词");
const QString settingsCaption = QStringLiteral("浏览设置");
const QString stripCaption = QStringLiteral("Tessarine 2005");
} // namespace

void TestWayland::initTestCase()
{
    if (qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") || !m_x.isConnected())
        QSKIP("runs in a Wayland session with XWayland (tests/underweston.sh)");
}

std::optional<X11Client::TopLevel> TestWayland::waitForShown(const QString &title, const QSize &size)
{
    for (QDeadlineTimer deadline(10000); !deadline.hasExpired(); QTest::qWait(50)) {
        for (const X11Client::TopLevel &window : m_x.topLevels())
            if (window.title == title && window.geometry.size() == size && window.viewable)
                return window;
    }
    return std::nullopt;
}

bool TestWayland::waitForHidden(const QString &title, const QSize &size)
{
    for (QDeadlineTimer deadline(10000); !deadline.hasExpired(); QTest::qWait(50))
        if (!isShown(title, size))
            return true;
    return false;
}

bool TestWayland::isShown(const QString &title, const QSize &size) const
{
    const QList<X11Client::TopLevel> windows = m_x.topLevels();
    return std::any_of(windows.cbegin(), windows.cend(), [&](const X11Client::TopLevel &w) {
        return w.title == title && w.geometry.size() == size && w.viewable;
    });
}

void TestWayland::windowsOpenAndCloseOnXWayland()
{
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("QT_QPA_PLATFORM")); // the program chooses for itself
    environment.insert(QStringLiteral("XDG_SESSION_TYPE"), QStringLiteral("wayland"));
    program.setProcessEnvironment(environment);
    program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    program.start(QStringLiteral(VELKARO_PROGRAM), QStringList());
    QVERIFY(program.waitForStarted());
    auto stop = qScopeGuard([&program] {
        if (program.state() != QProcess::NotRunning) {
            program.kill();
            program.waitForFinished();
        }
    });

    // Its windows are X windows: the program runs on XWayland, not on Qt's Wayland plugin.
    const auto start = waitForShown(caption, startSize);
    QVERIFY2(start, "the start window did not come up on XWayland");
    m_x.click(start->id, QPoint(637, 123)); // 进   入
    const auto main = waitForShown(caption, mainSize);
    QVERIFY(main);
    QVERIFY(waitForHidden(caption, startSize));

    // Settings, modal over the main window: "一切设置好了" closes it.
    m_x.click(main->id, QPoint(695, 281)); // 设置
    const auto settings = waitForShown(settingsCaption, settingsSize);
    QVERIFY(settings);
    QVERIFY(isShown(caption, mainSize));
    m_x.click(settings->id, QPoint(208, 76)); // 一切设置好了
    QVERIFY(waitForHidden(settingsCaption, settingsSize));

    // Search, in place of the main window; closed, the main window comes back.
    m_x.click(main->id, QPoint(695, 256)); // 查询
    const auto search = waitForShown(searchCaption, searchSize);
    QVERIFY(search);
    QVERIFY(waitForHidden(caption, mainSize));
    m_x.requestClose(search->id);
    QVERIFY(waitForHidden(searchCaption, searchSize));
    QVERIFY(waitForShown(caption, mainSize));

    // The strip, in place of the main window. Whether the compositor keeps it above the
    // windows of other programs is its own choice: seen and reported, not asserted.
    m_x.click(main->id, QPoint(742, 256)); // 小窗
    const auto strip = waitForShown(stripCaption, stripSize);
    QVERIFY(strip);
    QVERIFY(waitForHidden(caption, mainSize));
    const unsigned long other = m_x.createWindow(QRect(0, 0, 1000, 600));
    QTest::qWait(500);
    int stripIndex = -1, otherIndex = -1;
    for (const X11Client::TopLevel &window : m_x.topLevels()) {
        if (window.id == strip->id)
            stripIndex = window.stackingIndex;
        if (window.id == other)
            otherIndex = window.stackingIndex;
    }
    qInfo("strip at %d,%d; stacked %s another program's window opened after it", strip->geometry.x(),
          strip->geometry.y(), stripIndex > otherIndex ? "above" : "below");
    m_x.requestClose(strip->id);
    QVERIFY(waitForHidden(stripCaption, stripSize));
    QVERIFY(waitForShown(caption, mainSize));

    // 返回 to the start window, and 退出 ends the run.
    m_x.click(main->id, QPoint(742, 281)); // 返回
    QVERIFY(waitForShown(caption, startSize));
    m_x.click(start->id, QPoint(637, 197)); // 退   出
    QVERIFY(program.waitForFinished(10000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 0);
}

QTEST_GUILESS_MAIN(TestWayland)
#include "tst_wayland.moc"
