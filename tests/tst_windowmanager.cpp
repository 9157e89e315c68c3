// The windows under a real window manager (Openbox on a virtual X server, see
// withwindowmanager.sh): where they sit with their frames, and what the window manager
// lets the learner do to the modal settings window.

#include "formsfixture.h"
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
    setUpForms();
}

void TestWindowManager::mainWindowFrameIsCentred()
{
    QVERIFY(enterMainWindow());
    QTRY_VERIFY(!framed(Form1).isNull());
    QVERIFY(Form1->windowHandle()->frameMargins().top() > 10); // a title bar
    QTRY_VERIFY2(frameCentred(Form1), qPrintable(describe(Form1)));
}

// Opens the settings window from the main window, runs check while it is shown, closes it.
static void withSettingsShown(const std::function<void()> &check)
{
    QVERIFY(enterMainWindow());
    bool ran = false;
    QTimer::singleShot(0, Form5, [&] {
        auto close = qScopeGuard([] { Form5->Button2->click(); });
        QVERIFY(QTest::qWaitForWindowExposed(Form5));
        QTRY_VERIFY(!framed(Form5).isNull());
        check();
        ran = !QTest::currentTestFailed();
    });
    Form1->Button3->click(); // modal: returns when the window closes
    QVERIFY(ran);
    QVERIFY(!Form5->isVisible());
}

void TestWindowManager::settingsWindowFrameIsCentred()
{
    withSettingsShown([] { QTRY_VERIFY2(frameCentred(Form5), qPrintable(describe(Form5))); });
}

void TestWindowManager::settingsWindowCannotBeMinimised()
{
    withSettingsShown([] {
        // The window manager offers no minimise button, nor any other way to minimise it:
        // minimised, it would leave the main window waiting for it, out of reach.
        const auto actions = [] { return x11AtomListProperty(Form5->winId(), "_NET_WM_ALLOWED_ACTIONS"); };
        QTRY_VERIFY(actions().contains(QStringLiteral("_NET_WM_ACTION_CLOSE")));
        QVERIFY2(!actions().contains(QStringLiteral("_NET_WM_ACTION_MINIMIZE")), qPrintable(actions().join(u' ')));
        // Asked to minimise all the same, it stays.
        Form5->showMinimized();
        QTest::qWait(200);
        QTRY_VERIFY(!Form5->isMinimized());
        QVERIFY(QTest::qWaitForWindowExposed(Form5));
    });
}

void TestWindowManager::messageAndColourDialogsCannotBeMinimised()
{
    // Qt's own message box and colour dialog, not the tests' recording prompts.
    RecordingPrompts &recording = setUpForms();
    setPrompts(nullptr);
    auto restore = qScopeGuard([&recording] { setPrompts(&recording); });
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
    prompts().message(QStringLiteral("请选择词库后再进行操作。"));
    checkNextModal(QStringLiteral("colour dialog"));
    prompts().chooseColor(Qt::black);
    QCOMPARE(checked, QStringList({QStringLiteral("message box"), QStringLiteral("colour dialog")}));
}

void TestWindowManager::searchWindowFrameIsCentredEveryTime()
{
    QVERIFY(enterMainWindow());
    Form1->Button2->click();
    QVERIFY(QTest::qWaitForWindowExposed(Form3));
    QTRY_VERIFY(!framed(Form3).isNull());
    QTRY_VERIFY2(frameCentred(Form3), qPrintable(describe(Form3)));
    const QRect first = framed(Form3);
    Form3->close();
    QVERIFY(QTest::qWaitForWindowExposed(Form1));
    Form1->Button2->click();
    QVERIFY(QTest::qWaitForWindowExposed(Form3));
    QTRY_VERIFY(!framed(Form3).isNull());
    QTRY_VERIFY2(frameCentred(Form3), qPrintable(describe(Form3)));
    QCOMPARE(framed(Form3), first); // no jump
    Form3->close();
}

QTEST_MAIN(TestWindowManager)
#include "tst_windowmanager.moc"
