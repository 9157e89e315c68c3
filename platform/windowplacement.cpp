#include "windowplacement.h"

#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QWidget>
#include <QWindow>

QPoint framePosition(const QSize &frame, const QRect &available)
{
    if (frame.width() > available.width() || frame.height() > available.height())
        return available.topLeft();
    QRect outer(QPoint(), frame);
    outer.moveCenter(available.center());
    return outer.topLeft();
}

QScreen *WindowPlacement::screenOf(const QWidget *window)
{
    // A shown window's screen is the window system's word; Qt 6.8 may still report the old
    // geometry of a window the learner has just moved.
    if (window->isVisible() && window->screen())
        return window->screen();
    QScreen *screen = QGuiApplication::screenAt(window->geometry().center());
    return screen ? screen : window->screen();
}

// Centres a window again once it is on the screen and its frame is known, if the frame it was
// centred with was only a guess and a wrong one.
class WindowPlacement::PlaceAgainWhenFramed : public QObject
{
public:
    PlaceAgainWhenFramed(WindowPlacement &placement, QWidget *window, QScreen *screen, const QMargins &guess)
        : QObject(window), m_placement(placement), m_window(window), m_screen(screen), m_guess(guess)
    {
        window->windowHandle()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Expose && m_window->windowHandle()->isExposed()) {
            const QMargins frame = m_placement.currentFrame(m_window);
            if (!frame.isNull() && frame != m_guess && m_screen)
                centre(m_window, m_screen, frame);
            deleteLater();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    WindowPlacement &m_placement;
    QWidget *m_window;
    QPointer<QScreen> m_screen;
    QMargins m_guess;
};

void WindowPlacement::place(QWidget *window, QScreen *screen)
{
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    // Qt marks a window given a place (Qt::WA_Moved); until then it has only the place Qt gave
    // it, on whichever monitor holds the desktop's corner.
    if (window->testAttribute(Qt::WA_Moved) && screenOf(window) == screen)
        return; // where the learner left it
    QMargins frame = currentFrame(window);
    const bool framedByManager = !(window->windowFlags() & Qt::FramelessWindowHint);
    if (frame.isNull() && framedByManager) {
        frame = m_lastFrame;
        window->winId(); // its window, made now, so that its first appearance can be watched
        new PlaceAgainWhenFramed(*this, window, screen, frame);
    }
    centre(window, screen, frame);
}

void WindowPlacement::open(QWidget *window, QScreen *screen)
{
    place(window, screen);
    window->show();
    window->raise();
    window->activateWindow();
}

void WindowPlacement::centre(QWidget *window, QScreen *screen, const QMargins &frame)
{
    const QPoint outer = framePosition(window->size().grownBy(frame), screen->availableGeometry());
    window->setGeometry(QRect(outer + QPoint(frame.left(), frame.top()), window->size()));
}

QMargins WindowPlacement::currentFrame(const QWidget *window)
{
    const QWindow *handle = window->windowHandle();
    const QMargins frame = handle && handle->isVisible() ? handle->frameMargins() : QMargins();
    if (!frame.isNull())
        m_lastFrame = frame;
    return frame;
}
