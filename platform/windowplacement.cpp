#include "windowplacement.h"

#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace {

class Unminimise : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *window = static_cast<QWidget *>(watched);
        if (event->type() == QEvent::WindowStateChange && window->isMinimized()) {
            QMetaObject::invokeMethod(window, [window] {
                if (window->isVisible() && window->isMinimized()) {
                    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
                    showWindow(window);
                }
            }, Qt::QueuedConnection);
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

void keepModalWindowShown(QWidget *window)
{
    // On Windows the window's flags decide its title bar's buttons, and a dialog's (the
    // settings window's, Qt's message box's and colour dialog's) have no minimise button.
    if (QGuiApplication::platformName() == QLatin1String("xcb")) {
        // Qt's X11 platform plugin reads this property (the value is its "toolbar" window
        // type) whenever it applies the window's flags. Applying the flags twice, with a flag
        // that X11 ignores, makes it read the property now.
        constexpr int x11Toolbar = 0x08;
        window->winId();
        QWindow *handle = window->windowHandle();
        handle->setProperty("_q_xcb_wm_window_type", x11Toolbar);
        const Qt::WindowFlags flags = handle->flags();
        handle->setFlags(flags ^ Qt::WindowContextHelpButtonHint);
        handle->setFlags(flags);
    }
    window->installEventFilter(new Unminimise(window));
}

QPoint framePosition(const QSize &frame, const QRect &available)
{
    if (frame.width() > available.width() || frame.height() > available.height())
        return available.topLeft();
    QRect outer(QPoint(), frame);
    outer.moveCenter(available.center());
    return outer.topLeft();
}

namespace {

// Where openOnScreen keeps the window's screen.
constexpr char openingScreenProperty[] = "_velkaro_opening_screen";

} // namespace

QScreen *screenOf(const QWidget *window)
{
    QScreen *screen = QGuiApplication::screenAt(window->geometry().center());
    return screen ? screen : window->screen();
}

void openOnScreen(QWidget *window, QScreen *screen)
{
    window->setProperty(openingScreenProperty, QVariant::fromValue(QPointer<QScreen>(screen)));
}

void showWindow(QWidget *window)
{
    window->show();
    window->raise();
    window->activateWindow();
}

namespace {

// The frame the window manager put around the last of our windows it framed: the best
// guess for a window it has not framed yet, since it decorates them all alike.
QMargins lastFrame;

// The window's frame, if the window manager has framed it by now.
QMargins currentFrame(QWidget *window)
{
    const QWindow *handle = window->windowHandle();
    const QMargins frame = handle && handle->isVisible() ? handle->frameMargins() : QMargins();
    if (!frame.isNull())
        lastFrame = frame;
    return frame;
}

void placeFrame(QWidget *window, const QMargins &frame)
{
    // Not the window's own screen, which the window system may not have settled yet: X11
    // gives a new window the screen its unplaced geometry lies on, and changes it when told
    // how the window stands.
    const QScreen *screen = window->property(openingScreenProperty).value<QPointer<QScreen>>();
    if (!screen)
        screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QPoint outer = framePosition(window->size().grownBy(frame), screen->availableGeometry());
    window->setGeometry(QRect(outer + QPoint(frame.left(), frame.top()), window->size()));
}

// Places a window again once it is on the screen and its frame is known, if the frame it
// was placed with was only a guess and a wrong one.
class PlaceAgainWhenFramed : public QObject
{
public:
    PlaceAgainWhenFramed(QWidget *window, const QMargins &guess)
        : QObject(window), m_window(window), m_guess(guess)
    {
        window->windowHandle()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Expose && m_window->windowHandle()->isExposed()) {
            const QMargins frame = currentFrame(m_window);
            if (!frame.isNull() && frame != m_guess)
                placeFrame(m_window, frame);
            deleteLater();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QWidget *m_window;
    QMargins m_guess;
};

} // namespace

void placeOnScreen(QWidget *window)
{
    QMargins frame = currentFrame(window);
    const bool framedByManager = !(window->windowFlags() & Qt::FramelessWindowHint);
    if (frame.isNull() && framedByManager && window->windowHandle()) {
        frame = lastFrame;
        new PlaceAgainWhenFramed(window, frame);
    }
    placeFrame(window, frame);
}

