// The windows under a real window manager (Openbox on a virtual X server, see
// withwindowmanager.sh), on a desktop with a panel along the top of the screen: where they sit
// with their frames, what the window manager lets the learner do to the modal windows, and what
// reaches the screen of the strip. CTest runs it on a large screen, on a 640 x 480 one, and at a
// display scale of 150%.

#include "windowsfixture.h"
#include "x11client.h"
#include "x11properties.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <QWindow>

#include <functional>

class TestWindowManager : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void startWindowIsPlaced();
    void mainWindowFrameIsPlaced();
    void settingsWindowFrameIsPlaced();
    void modalWindowIsNeverHiddenAlone_data();
    void modalWindowIsNeverHiddenAlone();
    void searchWindowFrameIsPlacedEveryTime();
    void stripStandsAtTheTopOverThePanel();
    void stripShowsItsBarAndNoKeyColour();
    void stripMenuOpensFromTheKeyboard_data();
    void stripMenuOpensFromTheKeyboard();
    void levelButtonsTabStopIsTheCheckedOne_data();
    void levelButtonsTabStopIsTheCheckedOne();
    void searchWindowWorksFromTheKeyboard();
    void desktopEntryNamesTheWindowsClass();

private:
    // Puts the panel on the desktop or takes it away, and waits until Qt has the work area.
    bool showPanel(bool shown);

    // The desktop's other program, which shows the panel.
    X11Client m_desktop;
    unsigned long m_panel = 0;
};

namespace {

// The window with its frame, once the window manager has framed it.
QRect framed(QWidget *window)
{
    QWindow *handle = window->windowHandle();
    return handle && !handle->frameMargins().isNull() ? handle->frameGeometry() : QRect();
}

// A frame that fits the screen is centred on it, to the pixel (a frame one pixel narrower or
// shorter than the screen's odd remainder cannot do better; at a fractional scale, one more
// for the rounding). One that does not fit starts at the screen's top-left corner, so that
// every control can be reached.
bool framePlaced(const QRect &frame, const QRect &screen)
{
    if (frame.isNull())
        return false;
    if (frame.width() > screen.width() || frame.height() > screen.height())
        return frame.topLeft() == screen.topLeft();
    const int slack = qFuzzyCompare(qApp->devicePixelRatio(), qRound(qApp->devicePixelRatio())) ? 1 : 2;
    const int left = frame.left() - screen.left(), right = screen.right() - frame.right();
    const int top = frame.top() - screen.top(), bottom = screen.bottom() - frame.bottom();
    return qAbs(left - right) <= slack && qAbs(top - bottom) <= slack;
}

bool framePlaced(QWidget *window)
{
    return framePlaced(framed(window), window->screen()->availableGeometry());
}

QString describe(QWidget *window)
{
    const QRect frame = framed(window);
    return QStringLiteral("frame %1,%2 %3x%4 on %5x%6")
        .arg(frame.x()).arg(frame.y()).arg(frame.width()).arg(frame.height())
        .arg(window->screen()->availableGeometry().width()).arg(window->screen()->availableGeometry().height());
}

// The panel's height in device pixels: a whole number of pixels at 100%, 150% and 200%.
constexpr int panelHeight = 48;

} // namespace

bool TestWindowManager::showPanel(bool shown)
{
    if (shown && !m_panel)
        m_panel = m_desktop.createTopPanel(panelHeight);
    if (!shown && m_panel) {
        m_desktop.destroyWindow(m_panel);
        m_panel = 0;
    }
    QScreen *screen = QGuiApplication::primaryScreen();
    const int panel = shown ? qRound(panelHeight / screen->devicePixelRatio()) : 0;
    return QTest::qWaitFor([screen, panel] {
        return screen->availableGeometry() == screen->geometry().adjusted(0, panel, 0, 0);
    });
}

void TestWindowManager::initTestCase()
{
    if (QGuiApplication::platformName() != QStringLiteral("xcb") || !m_desktop.isConnected())
        QSKIP("runs on an X server with a window manager (tests/withwindowmanager.sh)");
}

void TestWindowManager::init()
{
    // A panel at the top, as most desktops have: the area free for windows, which they are
    // centred in, is then not the whole screen.
    QVERIFY(showPanel(true));
    buildWindows();
}

void TestWindowManager::cleanup()
{
    destroyWindows();
}

void TestWindowManager::startWindowIsPlaced()
{
    // No frame: the window itself is placed, and its own rectangle is what reaches the screen.
    // (Not QWidget::frameGeometry(): Qt takes a frameless window's "frame" from Openbox's frame
    // window, which it may read while Openbox has only begun framing the window, at 1 x 1 pixels,
    // and then keeps, since a frameless window that does not move is told of no change.)
    currentWindows()->openStartWindow();
    QVERIFY(QTest::qWaitForWindowExposed(startWindow()));
    const QRect screen = startWindow()->screen()->availableGeometry();
    QTRY_VERIFY2(framePlaced(startWindow()->geometry(), screen),
                 qPrintable(QStringLiteral("start window at %1,%2 %3x%4 on %5,%6 %7x%8")
                                .arg(startWindow()->x()).arg(startWindow()->y())
                                .arg(startWindow()->width()).arg(startWindow()->height())
                                .arg(screen.x()).arg(screen.y()).arg(screen.width()).arg(screen.height())));
}

void TestWindowManager::mainWindowFrameIsPlaced()
{
    QVERIFY(enterMainWindow());
    QTRY_VERIFY(!framed(mainWindow()).isNull());
    QVERIFY(mainWindow()->windowHandle()->frameMargins().top() > 10); // a title bar
    QTRY_VERIFY2(framePlaced(mainWindow()), qPrintable(describe(mainWindow())));
}

// Opens the settings window from the main window, runs check while it is shown, closes it.
static void withSettingsShown(const std::function<void()> &check)
{
    QVERIFY(enterMainWindow());
    bool ran = false;
    QTimer::singleShot(0, settingsWindow(), [&] {
        auto close = qScopeGuard([] { doneButton()->click(); });
        QVERIFY(QTest::qWaitForWindowExposed(settingsWindow()));
        QTRY_VERIFY(!framed(settingsWindow()).isNull());
        check();
        ran = !QTest::currentTestFailed();
    });
    settingsButton()->click(); // modal: returns when the window closes
    QVERIFY(ran);
    QVERIFY(!settingsWindow()->isVisible());
}

void TestWindowManager::settingsWindowFrameIsPlaced()
{
    withSettingsShown([] { QTRY_VERIFY2(framePlaced(settingsWindow()), qPrintable(describe(settingsWindow()))); });
}

void TestWindowManager::modalWindowIsNeverHiddenAlone_data()
{
    QTest::addColumn<QString>("modal");
    QTest::newRow("settings window") << QStringLiteral("settings");
    QTest::newRow("message box") << QStringLiteral("message");
    QTest::newRow("colour dialog") << QStringLiteral("colours");
}

// Minimised alone, a modal window would leave the main window waiting for it, in view but out of
// reach. Openbox offers no minimise button on it; asked to minimise it all the same, it minimises
// the main window with it and brings both back together.
void TestWindowManager::modalWindowIsNeverHiddenAlone()
{
    QFETCH(QString, modal);
    QVERIFY(enterMainWindow());
    const auto hidden = [](QWidget *window) {
        return x11AtomListProperty(window->winId(), "_NET_WM_STATE").contains(QStringLiteral("_NET_WM_STATE_HIDDEN"));
    };
    bool ran = false;
    QTimer::singleShot(0, qApp, [&] {
        auto close = qScopeGuard([] {
            if (QWidget *shown = QApplication::activeModalWidget())
                shown->close();
        });
        QTRY_VERIFY(QApplication::activeModalWidget());
        QWidget *shown = QApplication::activeModalWidget();
        QVERIFY(QTest::qWaitForWindowExposed(shown));
        QTRY_VERIFY(!framed(shown).isNull());
        const auto actions = [shown] { return x11AtomListProperty(shown->winId(), "_NET_WM_ALLOWED_ACTIONS"); };
        QTRY_VERIFY(actions().contains(QStringLiteral("_NET_WM_ACTION_CLOSE")));
        QVERIFY2(!actions().contains(QStringLiteral("_NET_WM_ACTION_MINIMIZE")), qPrintable(actions().join(u' ')));
        shown->showMinimized(); // as a title bar's button or a window menu does
        QTest::qWait(300);
        QTRY_COMPARE(hidden(mainWindow()), hidden(shown));
        if (hidden(shown)) {
            QTRY_VERIFY(mainWindow()->isMinimized());
            mainWindow()->showNormal(); // the learner brings the main window back
            QTRY_VERIFY(!hidden(mainWindow()));
            QTRY_VERIFY2(!hidden(shown), "the main window comes back without its modal window");
        }
        QVERIFY(QTest::qWaitForWindowExposed(shown));
        ran = true;
    });
    // Qt's own message box and colour dialog, not the tests' recording prompts.
    QtPrompts prompts;
    if (modal == QLatin1String("settings"))
        settingsButton()->click(); // modal: returns when the window closes
    else if (modal == QLatin1String("message"))
        prompts.message(mainWindow(), QStringLiteral("请选择词库后再进行操作。"));
    else
        prompts.chooseColor(mainWindow(), Qt::black);
    QVERIFY(ran);
}

void TestWindowManager::searchWindowFrameIsPlacedEveryTime()
{
    QVERIFY(enterMainWindow());
    searchButton()->click();
    QVERIFY(QTest::qWaitForWindowExposed(searchWindow()));
    QTRY_VERIFY(!framed(searchWindow()).isNull());
    QTRY_VERIFY2(framePlaced(searchWindow()), qPrintable(describe(searchWindow())));
    const QRect first = framed(searchWindow());
    searchWindow()->close();
    QVERIFY(QTest::qWaitForWindowExposed(mainWindow()));
    searchButton()->click();
    QVERIFY(QTest::qWaitForWindowExposed(searchWindow()));
    QTRY_VERIFY(!framed(searchWindow()).isNull());
    QTRY_VERIFY2(framePlaced(searchWindow()), qPrintable(describe(searchWindow())));
    QCOMPARE(framed(searchWindow()), first); // no jump
    searchWindow()->close();
}

// The strip asks for the very top of the screen, over the panel, not for the top of the free area
// below it. Openbox lets a program put a window over a panel but keeps a tenth of its height
// below the panel: the strip stands that much lower than asked, mostly over the panel, in front
// of it (stripShowsItsBarAndNoKeyColour sees all of its bar).
void TestWindowManager::stripStandsAtTheTopOverThePanel()
{
    QVERIFY(enterMainWindow());
    stripButton()->click();
    QVERIFY(QTest::qWaitForWindowExposed(stripWindow()));
    // Where the X server has it, in device pixels, once the window manager has mapped it.
    const auto onScreen = [this] {
        for (const X11Client::TopLevel &window : m_desktop.topLevels())
            if (window.id == stripWindow()->winId() && window.viewable)
                return window.geometry;
        return QRect();
    };
    QTRY_VERIFY(!onScreen().isNull());
    const QRect strip = onScreen();
    const int asked = qRound(33 * QGuiApplication::primaryScreen()->devicePixelRatio());
    QVERIFY2(strip.left() == asked && strip.top() >= 0 && strip.top() < panelHeight
                 && strip.bottom() - panelHeight < strip.height() / 2,
             qPrintable(QStringLiteral("strip at %1,%2 %3x%4 with a panel %5 tall")
                            .arg(strip.x()).arg(strip.y()).arg(strip.width()).arg(strip.height()).arg(panelHeight)));
    stripBackAction()->trigger();
    QVERIFY(QTest::qWaitForWindowActive(mainWindow()));
}

// What the screen shows of the strip, over the panel and at any display scale: all of its bar as
// the strip draws it, and not one pixel of the red that marks what is see-through.
void TestWindowManager::stripShowsItsBarAndNoKeyColour()
{
    QVERIFY(enterMainWindow());
    stripButton()->click();
    QVERIFY(QTest::qWaitForWindowExposed(stripWindow()));
    const QRegion bar = stripWindow()->mask(); // in logical pixels
    QVERIFY(bar.boundingRect().width() > 600);
    // The part of the strip on the screen (a small screen cuts its right end off), as the
    // strip draws it and as the screen shows it, at the same moment.
    auto pictures = [] {
        QScreen *screen = stripWindow()->screen();
        const QRect place = stripWindow()->geometry() & screen->geometry();
        const QImage drawn = stripWindow()->grab(place.translated(-stripWindow()->pos())).toImage();
        const QRect onScreen = place.translated(-screen->geometry().topLeft());
        const QImage shown = screen->grabWindow(0, onScreen.x(), onScreen.y(), onScreen.width(), onScreen.height())
                                 .toImage();
        return std::pair{drawn.convertToFormat(QImage::Format_RGB32), shown.convertToFormat(QImage::Format_RGB32)};
    };
    // Counts the red pixels on the screen, and the pixels of the bar that the screen does not
    // show as drawn: those of the logical pixels inside the bar, away from its outline (there
    // a device pixel may go either way at a fractional scale).
    auto faults = [&bar](const QImage &drawn, const QImage &shown, int *redShown, int *barLost) {
        *redShown = *barLost = 0;
        if (shown.size() != drawn.size())
            return false;
        const qreal scale = drawn.devicePixelRatio();
        for (int y = 0; y < shown.height(); ++y) {
            for (int x = 0; x < shown.width(); ++x) {
                *redShown += shown.pixel(x, y) == qRgb(255, 0, 0);
                const QPoint logical(int(x / scale), int(y / scale));
                const bool inside = bar.contains(logical) && bar.contains(logical + QPoint(1, 0))
                    && bar.contains(logical - QPoint(1, 0)) && bar.contains(logical + QPoint(0, 1))
                    && bar.contains(logical - QPoint(0, 1));
                *barLost += inside && shown.pixel(x, y) != drawn.pixel(x, y);
            }
        }
        return true;
    };
    int redShown = -1, barLost = -1;
    bool clean = false; // once the window manager has mapped it and the shape is applied
    for (QDeadlineTimer deadline(5000); !clean && !deadline.hasExpired(); QTest::qWait(50)) {
        const auto [drawn, shown] = pictures();
        clean = faults(drawn, shown, &redShown, &barLost) && redShown == 0 && barLost == 0;
    }
    QCOMPARE(redShown, 0);
    QCOMPARE(barLost, 0);
    stripBackAction()->trigger();
    QVERIFY(QTest::qWaitForWindowActive(mainWindow()));
}

void TestWindowManager::stripMenuOpensFromTheKeyboard_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<bool>("shift");
    QTest::newRow("Menu key") << QStringLiteral("Menu") << false;
    QTest::newRow("Shift+F10") << QStringLiteral("F10") << true;
}

// The strip has no control but its menu: without the menu from the keyboard, only Alt+F4 leaves
// it. The keys come from the X server, as a learner's do.
void TestWindowManager::stripMenuOpensFromTheKeyboard()
{
    QFETCH(QString, key);
    QFETCH(bool, shift);
    // Without the panel, over which the strip stands: Qt keeps a menu out of it, and the menu
    // would open below the panel wherever it is anchored.
    QVERIFY(showPanel(false));
    QVERIFY(enterMainWindow());
    stripButton()->click();
    QVERIFY(QTest::qWaitForWindowActive(stripWindow()));
    QVERIFY(x11SendKey(stripWindow()->winId(), qPrintable(key), shift));
    QTRY_VERIFY(stripMenu()->isVisible());
    // Below the start of the word line, not wherever the mouse pointer happens to be.
    QCOMPARE(stripMenu()->pos(), stripLine()->mapToGlobal(stripLine()->rect().bottomLeft()));
    QTest::keyClick(stripMenu(), Qt::Key_Escape);
    QTRY_VERIFY(!stripMenu()->isVisible());
    stripBackAction()->trigger();
    QVERIFY(QTest::qWaitForWindowActive(mainWindow()));
}

void TestWindowManager::levelButtonsTabStopIsTheCheckedOne_data()
{
    QTest::addColumn<bool>("focusMovedOn"); // from level 2's button before the strip opens
    QTest::newRow("focus left on level 2") << false;
    QTest::newRow("focus moved on") << true;
}

// The five level buttons are one Tab stop, at the checked button, also when the program has
// checked it: coming back from the strip checks level 4 after the learner chose level 2.
void TestWindowManager::levelButtonsTabStopIsTheCheckedOne()
{
    QFETCH(bool, focusMovedOn);
    QVERIFY(enterMainWindow());
    QRadioButton *level2 = levelButton(WordLevel::Level2);
    QTest::mouseClick(level2, Qt::LeftButton, {}, QPoint(5, level2->height() / 2));
    QVERIFY(level2->isChecked());
    QCOMPARE(QApplication::focusWidget(), level2);
    if (focusMovedOn)
        QTest::keyClick(static_cast<QWidget *>(nullptr), Qt::Key_Tab);
    stripButton()->click();
    QVERIFY(QTest::qWaitForWindowActive(stripWindow()));
    stripBackAction()->trigger();
    QVERIFY(QTest::qWaitForWindowActive(mainWindow()));
    QVERIFY(levelButton(WordLevel::Level4)->isChecked());
    // From "返回", Tab comes to the level buttons, and on to the text-size buttons.
    const QList<QWidget *> walked = tabWalk(backButton(), 2);
    QCOMPARE(walked, (QList<QWidget *>{backButton(), levelButton(WordLevel::Level4), largerTextButton()}));
    // Space there keeps level 4 (on level 2 it would load level 2).
    QTest::keyClick(static_cast<QWidget *>(nullptr), Qt::Key_Space);
    QCOMPARE(model().level(), WordLevel::Level4);
}

// The search window with the keyboard alone, the keys coming from the X server: what the learner
// types replaces the "あ" the box opens with, Tab goes into the result grid and out of it again,
// and Esc closes the window as its close box does, back to the main window.
void TestWindowManager::searchWindowWorksFromTheKeyboard()
{
    QVERIFY(enterMainWindow());
    searchButton()->click();
    QVERIFY(QTest::qWaitForWindowActive(searchWindow()));
    const unsigned long window = searchWindow()->winId();
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(searchBox()));
    QVERIFY(x11SendKey(window, "a", false));
    QTRY_VERIFY(searchBox()->text() != QStringLiteral("あ"));
    QCOMPARE(searchBox()->text(), QStringLiteral("a"));
    QVERIFY(x11SendKey(window, "Tab", false));
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(resultGrid()));
    QVERIFY(x11SendKey(window, "Tab", false));
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(runSearchButton()));
    QVERIFY(x11SendKey(window, "Escape", false));
    QTRY_VERIFY(!searchWindow()->isVisible());
    QVERIFY(QTest::qWaitForWindowActive(mainWindow()));
}

// A task bar that matches windows by their X11 class finds the menu entry's icon and name
// only if the entry's StartupWMClass is the class the windows really get.
void TestWindowManager::desktopEntryNamesTheWindowsClass()
{
    QFile entry(QStringLiteral(DESKTOP_ENTRY));
    QVERIFY(entry.open(QIODevice::ReadOnly | QIODevice::Text));
    QString startupClass;
    for (const QString &line : QString::fromUtf8(entry.readAll()).split(u'\n'))
        if (line.startsWith(QStringLiteral("StartupWMClass=")))
            startupClass = line.section(u'=', 1);
    QVERIFY(!startupClass.isEmpty());

    currentWindows()->openStartWindow();
    QVERIFY(QTest::qWaitForWindowExposed(startWindow()));
    QCOMPARE(x11WindowClass(startWindow()->winId()), startupClass);
    QVERIFY(enterMainWindow());
    QCOMPARE(x11WindowClass(mainWindow()->winId()), startupClass);
}

QTEST_MAIN(TestWindowManager)
#include "tst_windowmanager.moc"
