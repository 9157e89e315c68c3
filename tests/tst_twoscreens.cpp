// The windows on a desktop of two monitors side by side whose primary one is on the right
// (tests/withtwoscreens.sh: Xorg's dummy driver with two outputs, under Openbox), where the
// left monitor's corner, not the primary one's, is the desktop's (0, 0): the strip stands at
// the top of the primary monitor, and each centred window is centred on the monitor it opens
// on, which is the primary one for the start window and that of the window the learner comes
// from for the others.

#include "windowsfixture.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWindow>

#include <functional>

class TestTwoScreens : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void stripStandsAtTopOfPrimaryScreen();
    void windowIsCentredOnScreenItOpensOn_data();
    void windowIsCentredOnScreenItOpensOn();
    void everyOpeningFollowsTheMainWindow();
    void mainWindowFollowsTheMovedSearchWindow();
};

namespace {

QScreen *primaryScreen() { return QGuiApplication::primaryScreen(); }

// The other monitor, left of the primary one.
QScreen *leftScreen()
{
    for (QScreen *screen : QGuiApplication::screens())
        if (screen != primaryScreen())
            return screen;
    return nullptr;
}

// The window with its frame, once the window manager has framed it; the window alone, as the
// program placed it, for one that has no frame (Qt does not always bring its QWindow's idea
// of where a window without a frame stands up to date).
QRect frameOf(QWidget *window)
{
    QWindow *handle = window->windowHandle();
    if (!handle || !handle->isExposed())
        return QRect();
    if (window->windowFlags() & Qt::FramelessWindowHint)
        return window->geometry();
    return handle->frameMargins().isNull() ? QRect() : handle->frameGeometry();
}

// Whether a frame is centred on that area, to the pixel (one pixel off where the area's odd
// remainder cannot be split evenly). Every window fits both monitors.
bool centredOn(const QRect &frame, const QRect &area)
{
    if (frame.isNull())
        return false;
    const int left = frame.left() - area.left(), right = area.right() - frame.right();
    const int top = frame.top() - area.top(), bottom = area.bottom() - frame.bottom();
    return left >= 0 && right >= 0 && top >= 0 && bottom >= 0 && qAbs(left - right) <= 1 && qAbs(top - bottom) <= 1;
}

QString describe(const QRect &rect)
{
    return QStringLiteral("%1,%2 %3x%4").arg(rect.x()).arg(rect.y()).arg(rect.width()).arg(rect.height());
}

// Moves the shown main window to the middle of a screen, as the learner drags it. Its frame,
// a few pixels wide, stays well inside. The frame's size is not asked for: just after a window
// opens, Qt may still take it from the window manager's frame as it was before the frame was
// sized (seen as 1 x 1 under load), and the window then lands across the two monitors.
bool moveMainWindowTo(QScreen *screen)
{
    const QSize size = mainWindow()->size();
    mainWindow()->move(screen->availableGeometry().center() - QPoint(size.width(), size.height()) / 2);
    return QTest::qWaitFor([screen] {
        return mainWindow()->screen() == screen && screen->availableGeometry().contains(frameOf(mainWindow()));
    });
}

// Drags the shown main window across the two monitors: its left end, top-left corner included,
// on the left monitor, most of it on the primary one.
bool moveMainWindowAcross()
{
    const QPoint corner(leftScreen()->geometry().right() - 99, 200);
    if (!QTest::qWaitFor([] { return !frameOf(mainWindow()).isNull(); }))
        return false;
    mainWindow()->move(corner);
    return QTest::qWaitFor([corner] { return frameOf(mainWindow()).topLeft() == corner; });
}

} // namespace

void TestTwoScreens::initTestCase()
{
    if (QGuiApplication::platformName() != QStringLiteral("xcb") || QGuiApplication::screens().size() != 2)
        QSKIP("runs on an X server with two monitors and a window manager (tests/withtwoscreens.sh)");
    // The desktop this is about: the primary monitor does not start at the desktop's corner.
    QVERIFY2(primaryScreen()->geometry().left() > 0,
             qPrintable(QStringLiteral("primary monitor at %1").arg(describe(primaryScreen()->geometry()))));
    QCOMPARE(leftScreen()->geometry().topLeft(), QPoint(0, 0));
}

void TestTwoScreens::init()
{
    buildWindows();
}

void TestTwoScreens::cleanup()
{
    destroyWindows();
}

void TestTwoScreens::stripStandsAtTopOfPrimaryScreen()
{
    const QPoint place = primaryScreen()->geometry().topLeft() + QPoint(33, 0);
    QVERIFY(enterMainWindow());
    // From the main window on either monitor, every time it opens.
    for (QScreen *from : {primaryScreen(), leftScreen(), leftScreen()}) {
        QVERIFY(moveMainWindowTo(from));
        stripButton()->click();
        QVERIFY(QTest::qWaitForWindowExposed(stripWindow()));
        QTRY_COMPARE(frameOf(stripWindow()).topLeft(), place);
        stripBackAction()->trigger();
        QVERIFY(QTest::qWaitForWindowActive(mainWindow()));
    }
}

enum class Opened { Start, MainFromStart, Search, Settings };
// Where the learner has left the main window before opening the window.
enum class MainAt { PrimaryScreen, LeftScreen, MostlyOnPrimaryCornerOnLeft };

void TestTwoScreens::windowIsCentredOnScreenItOpensOn_data()
{
    QTest::addColumn<Opened>("window");
    QTest::addColumn<MainAt>("from");
    QTest::newRow("start window") << Opened::Start << MainAt::PrimaryScreen;
    QTest::newRow("main window") << Opened::MainFromStart << MainAt::PrimaryScreen;
    QTest::newRow("search window") << Opened::Search << MainAt::PrimaryScreen;
    QTest::newRow("settings window") << Opened::Settings << MainAt::PrimaryScreen;
    QTest::newRow("search window from the left monitor") << Opened::Search << MainAt::LeftScreen;
    QTest::newRow("settings window from the left monitor") << Opened::Settings << MainAt::LeftScreen;
    // The monitor that holds most of the main window, not the one under its corner.
    QTest::newRow("search window from across the monitors") << Opened::Search << MainAt::MostlyOnPrimaryCornerOnLeft;
    QTest::newRow("settings window from across the monitors") << Opened::Settings
                                                              << MainAt::MostlyOnPrimaryCornerOnLeft;
}

void TestTwoScreens::windowIsCentredOnScreenItOpensOn()
{
    QFETCH(Opened, window);
    QFETCH(MainAt, from);
    QScreen *expected = from == MainAt::LeftScreen ? leftScreen() : primaryScreen();
    // Checks the window once it is on the screen with its frame.
    auto check = [expected](QWidget *shown) {
        QVERIFY(QTest::qWaitForWindowExposed(shown));
        QTRY_VERIFY2(centredOn(frameOf(shown), expected->availableGeometry()),
                     qPrintable(QStringLiteral("%1 at %2, not centred on %3 %4")
                                    .arg(shown->objectName(), describe(frameOf(shown)), expected->name(),
                                         describe(expected->availableGeometry()))));
    };

    if (window == Opened::Start) {
        currentWindows()->openStartWindow(); // as the program starts
        check(startWindow());
        return;
    }
    QVERIFY(enterMainWindow());
    if (window == Opened::MainFromStart) {
        check(mainWindow());
        return;
    }
    if (from == MainAt::LeftScreen)
        QVERIFY(moveMainWindowTo(leftScreen()));
    if (from == MainAt::MostlyOnPrimaryCornerOnLeft) {
        QVERIFY(moveMainWindowAcross());
        const QRect across = frameOf(mainWindow());
        QVERIFY2(leftScreen()->geometry().contains(across.topLeft())
                     && primaryScreen()->geometry().contains(across.center()),
                 qPrintable(describe(across)));
    }
    if (window == Opened::Search) {
        searchButton()->click();
        check(searchWindow());
        searchWindow()->close();
        return;
    }
    bool checked = false;
    QTimer::singleShot(0, settingsWindow(), [&] {
        auto close = qScopeGuard([] { doneButton()->click(); });
        check(settingsWindow());
        checked = !QTest::currentTestFailed();
    });
    settingsButton()->click(); // modal: returns when the window closes
    QVERIFY(checked);
}

namespace {

// Whether the window, shown, has its frame centred on the screen's available area; says where it
// is when not.
bool waitUntilCentred(QWidget *shown, QScreen *screen)
{
    if (!QTest::qWaitForWindowExposed(shown))
        return false;
    if (QTest::qWaitFor([&] { return centredOn(frameOf(shown), screen->availableGeometry()); }))
        return true;
    qWarning("%s at %s, not centred on %s %s", qPrintable(shown->objectName()), qPrintable(describe(frameOf(shown))),
             qPrintable(screen->name()), qPrintable(describe(screen->availableGeometry())));
    return false;
}

// Opens the settings window from the main window, runs check while it is shown, closes it.
bool withSettings(const std::function<bool()> &check)
{
    bool passed = false;
    QTimer::singleShot(0, settingsWindow(), [&] {
        auto close = qScopeGuard([] { doneButton()->click(); });
        passed = check();
    });
    settingsButton()->click(); // modal: returns when the window closes
    return passed;
}

} // namespace

// One run of the windows, the main window dragged between the monitors between openings: every
// window opens on the monitor of the window the learner comes from, the first time centred,
// later where it was left if that is on the same monitor, otherwise centred.
void TestTwoScreens::everyOpeningFollowsTheMainWindow()
{
    QVERIFY(enterMainWindow());
    QScreen *left = leftScreen(), *primary = primaryScreen();

    QVERIFY(moveMainWindowTo(left));
    QVERIFY(withSettings([left] { return waitUntilCentred(settingsWindow(), left); }));
    QVERIFY(moveMainWindowTo(primary));
    QVERIFY(withSettings([primary] { return waitUntilCentred(settingsWindow(), primary); }));
    // Moved by the learner, it opens where it was left while the main window stays on its monitor.
    // The learner drags it once it is on the screen in its frame: moved before the window manager
    // has framed it, Qt cannot yet tell the frame from the window, and the window lands a title
    // bar higher than asked (seen under load).
    const QPoint movedTo = primary->availableGeometry().topLeft() + QPoint(40, 60);
    QRect moved;
    QVERIFY(withSettings([movedTo, &moved] {
        if (!QTest::qWaitFor([] { return !frameOf(settingsWindow()).isNull(); }))
            return false;
        settingsWindow()->move(movedTo);
        if (QTest::qWaitFor([&moved, movedTo] {
                moved = frameOf(settingsWindow());
                return !moved.isNull() && moved.topLeft() == movedTo;
            }))
            return true;
        qWarning("settings window at %s, not moved to %d,%d", qPrintable(describe(moved)), movedTo.x(), movedTo.y());
        return false;
    }));
    QVERIFY(withSettings([&moved] { return QTest::qWaitFor([&moved] { return frameOf(settingsWindow()) == moved; }); }));
    QVERIFY(moveMainWindowTo(left));
    QVERIFY(withSettings([left] { return waitUntilCentred(settingsWindow(), left); }));

    // "返回" from the left monitor: the start window follows; "进入" brings the main window back
    // where it was.
    const QRect mainFrame = frameOf(mainWindow());
    backButton()->click();
    QVERIFY(waitUntilCentred(startWindow(), left));
    enterButton()->click();
    QVERIFY(QTest::qWaitForWindowExposed(mainWindow()));
    QTRY_COMPARE(frameOf(mainWindow()), mainFrame);

    // The search window, from either monitor, and back to the main window.
    for (QScreen *screen : {primary, left}) {
        QVERIFY(moveMainWindowTo(screen));
        searchButton()->click();
        QVERIFY(waitUntilCentred(searchWindow(), screen));
        searchWindow()->close();
        QVERIFY(QTest::qWaitForWindowActive(mainWindow()));
        QVERIFY(mainWindow()->screen() == screen);
    }

    // Back from the strip, which stands on the primary monitor: the main window comes to it.
    QVERIFY(moveMainWindowTo(left));
    stripButton()->click();
    QVERIFY(QTest::qWaitForWindowExposed(stripWindow()));
    stripBackAction()->trigger();
    QVERIFY(waitUntilCentred(mainWindow(), primary));
    QVERIFY(withSettings([primary] { return waitUntilCentred(settingsWindow(), primary); }));
}

// The search window dragged to the other monitor and closed: the main window comes back on the
// monitor the search window was left on, not on the one it stood on before.
void TestTwoScreens::mainWindowFollowsTheMovedSearchWindow()
{
    QVERIFY(enterMainWindow());
    QScreen *left = leftScreen(), *primary = primaryScreen();
    QVERIFY(moveMainWindowTo(primary));
    searchButton()->click();
    QVERIFY(waitUntilCentred(searchWindow(), primary));
    const QSize size = searchWindow()->size();
    searchWindow()->move(left->availableGeometry().center() - QPoint(size.width(), size.height()) / 2);
    QVERIFY(QTest::qWaitFor([left] {
        return searchWindow()->screen() == left && left->availableGeometry().contains(frameOf(searchWindow()));
    }));
    searchWindow()->close();
    QVERIFY(waitUntilCentred(mainWindow(), left));
    QCOMPARE(mainWindow()->screen(), left);
}

QTEST_MAIN(TestTwoScreens)
#include "tst_twoscreens.moc"
