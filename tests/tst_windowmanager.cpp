// The windows under a real window manager (Openbox on a virtual X server, see
// withwindowmanager.sh): where they sit with their frames, and what the window manager
// lets the learner do to the modal settings window.

#include "windowsfixture.h"
#include "x11properties.h"

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
    void mainWindowFrameIsCentred();
    void settingsWindowFrameIsCentred();
    void settingsWindowCannotBeMinimised();
    void messageAndColourDialogsCannotBeMinimised();
    void searchWindowFrameIsCentredEveryTime();
};

namespace {

// The window with its frame, once the window manager has framed it.
QRect framed(QWidget *window)
{
    QWindow *handle = window->windowHandle();
    return handle && !handle->frameMargins().isNull() ? handle->frameGeometry() : QRect();
}

// The frame is centred on the screen, to the pixel (a frame one pixel narrower or shorter
// than the screen's odd remainder cannot do better).
bool frameCentred(QWidget *window)
{
    const QRect frame = framed(window);
    const QRect screen = window->screen()->availableGeometry();
    if (frame.isNull())
        return false;
    const int left = frame.left() - screen.left(), right = screen.right() - frame.right();
    const int top = frame.top() - screen.top(), bottom = screen.bottom() - frame.bottom();
    return qAbs(left - right) <= 1 && qAbs(top - bottom) <= 1;
}

QString describe(QWidget *window)
{
    const QRect frame = framed(window);
    return QStringLiteral("frame %1,%2 %3x%4 on %5x%6")
        .arg(frame.x()).arg(frame.y()).arg(frame.width()).arg(frame.height())
        .arg(window->screen()->availableGeometry().width()).arg(window->screen()->availableGeometry().height());
}

} // namespace

void TestWindowManager::initTestCase()
{
    if (QGuiApplication::platformName() != QStringLiteral("xcb"))
        QSKIP("runs on an X server with a window manager (tests/withwindowmanager.sh)");
}

void TestWindowManager::init()
{
    buildWindows();
}

void TestWindowManager::cleanup()
{
    destroyWindows();
}

void TestWindowManager::mainWindowFrameIsCentred()
{
    QVERIFY(enterMainWindow());
    QTRY_VERIFY(!framed(mainWindow()).isNull());
    QVERIFY(mainWindow()->windowHandle()->frameMargins().top() > 10); // a title bar
    QTRY_VERIFY2(frameCentred(mainWindow()), qPrintable(describe(mainWindow())));
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

void TestWindowManager::settingsWindowFrameIsCentred()
{
    withSettingsShown([] { QTRY_VERIFY2(frameCentred(settingsWindow()), qPrintable(describe(settingsWindow()))); });
}

void TestWindowManager::settingsWindowCannotBeMinimised()
{
    withSettingsShown([] {
        // The window manager offers no minimise button, nor any other way to minimise it:
        // minimised, it would leave the main window waiting for it, out of reach.
        const auto actions = [] { return x11AtomListProperty(settingsWindow()->winId(), "_NET_WM_ALLOWED_ACTIONS"); };
        QTRY_VERIFY(actions().contains(QStringLiteral("_NET_WM_ACTION_CLOSE")));
        QVERIFY2(!actions().contains(QStringLiteral("_NET_WM_ACTION_MINIMIZE")), qPrintable(actions().join(u' ')));
        // Asked to minimise all the same, it stays.
        settingsWindow()->showMinimized();
        QTest::qWait(200);
        QTRY_VERIFY(!settingsWindow()->isMinimized());
        QVERIFY(QTest::qWaitForWindowExposed(settingsWindow()));
    });
}

void TestWindowManager::messageAndColourDialogsCannotBeMinimised()
{
    // Qt's own message box and colour dialog, not the tests' recording prompts.
    QtPrompts prompts;
    QStringList checked;
    // Checks the modal window that opens next, then closes it.
    auto checkNextModal = [&checked](const QString &what) {
        QTimer::singleShot(0, qApp, [&checked, what] {
            auto close = qScopeGuard([] {
                if (QWidget *modal = QApplication::activeModalWidget())
                    modal->close();
            });
            QTRY_VERIFY(QApplication::activeModalWidget());
            QWidget *modal = QApplication::activeModalWidget();
            QVERIFY(QTest::qWaitForWindowExposed(modal));
            const auto actions = [modal] { return x11AtomListProperty(modal->winId(), "_NET_WM_ALLOWED_ACTIONS"); };
            QTRY_VERIFY(actions().contains(QStringLiteral("_NET_WM_ACTION_CLOSE")));
            QVERIFY2(!actions().contains(QStringLiteral("_NET_WM_ACTION_MINIMIZE")), qPrintable(what));
            checked.append(what);
        });
    };
    checkNextModal(QStringLiteral("message box"));
    prompts.message(QStringLiteral("请选择词库后再进行操作。"));
    checkNextModal(QStringLiteral("colour dialog"));
    prompts.chooseColor(Qt::black);
    QCOMPARE(checked, QStringList({QStringLiteral("message box"), QStringLiteral("colour dialog")}));
}

void TestWindowManager::searchWindowFrameIsCentredEveryTime()
{
    QVERIFY(enterMainWindow());
    searchButton()->click();
    QVERIFY(QTest::qWaitForWindowExposed(searchWindow()));
    QTRY_VERIFY(!framed(searchWindow()).isNull());
    QTRY_VERIFY2(frameCentred(searchWindow()), qPrintable(describe(searchWindow())));
    const QRect first = framed(searchWindow());
    searchWindow()->close();
    QVERIFY(QTest::qWaitForWindowExposed(mainWindow()));
    searchButton()->click();
    QVERIFY(QTest::qWaitForWindowExposed(searchWindow()));
    QTRY_VERIFY(!framed(searchWindow()).isNull());
    QTRY_VERIFY2(frameCentred(searchWindow()), qPrintable(describe(searchWindow())));
    QCOMPARE(framed(searchWindow()), first); // no jump
    searchWindow()->close();
}

QTEST_MAIN(TestWindowManager)
#include "tst_windowmanager.moc"
