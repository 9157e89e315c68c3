#include "widgets.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QWindow>
#include <qdrawutil.h>

void MouseUpCheckBox::mouseReleaseEvent(QMouseEvent *event)
{
    QCheckBox::mouseReleaseEvent(event); // toggles and emits clicked first
    emit mouseUp(event->button(), event->modifiers(), event->position().toPoint());
}

void ClickLabel::mouseReleaseEvent(QMouseEvent *event)
{
    QLabel::mouseReleaseEvent(event);
    if (!rect().contains(event->position().toPoint()))
        return;
    if (event->button() == Qt::LeftButton)
        emit clicked();
    else if (event->button() == Qt::RightButton)
        emit rightClicked();
}

void PlainGroupBox::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    qDrawShadeRect(&painter, rect(), palette(), true, 1, 0); // etched: sunken line, raised line
}

void FocusButton::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        click();
        return;
    }
    QPushButton::keyPressEvent(event);
}

QPushButton *MakeButton(QWidget *parent, const QString &text, const QRect &geometry, const QString &hint)
{
    auto *button = new FocusButton(text, parent);
    button->setGeometry(geometry);
    button->setToolTip(hint);
    button->setAutoDefault(false);
    return button;
}

void SetBackground(QWidget *widget, const QColor &color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, color);
    palette.setColor(QPalette::Base, color);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

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
                    ShowWindow(window);
                }
            }, Qt::QueuedConnection);
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

void KeepModalWindowShown(QWidget *window)
{
    // Qt's X11 platform plugin reads this property (the value is its "toolbar" window type)
    // whenever it applies the window's flags; other platforms ignore it. Applying the
    // flags twice, with a flag that X11 ignores, makes it read the property now.
    constexpr int x11Toolbar = 0x08;
    window->winId();
    QWindow *handle = window->windowHandle();
    handle->setProperty("_q_xcb_wm_window_type", x11Toolbar);
    const Qt::WindowFlags flags = handle->flags();
    handle->setFlags(flags ^ Qt::WindowContextHelpButtonHint);
    handle->setFlags(flags);
    window->installEventFilter(new Unminimise(window));
}

void ShowWindow(QWidget *window)
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

void centreFrame(QWidget *window, const QMargins &frame)
{
    const QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect outer(QPoint(), window->size().grownBy(frame));
    outer.moveCenter(screen->availableGeometry().center());
    window->setGeometry(QRect(outer.topLeft() + QPoint(frame.left(), frame.top()), window->size()));
}

// Centres a window again once it is on the screen and its frame is known, if the frame
// it was centred with was only a guess and a wrong one.
class RecentreWhenFramed : public QObject
{
public:
    RecentreWhenFramed(QWidget *window, const QMargins &guess)
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
                centreFrame(m_window, frame);
            deleteLater();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QWidget *m_window;
    QMargins m_guess;
};

} // namespace

void CentreOnScreen(QWidget *window)
{
    QMargins frame = currentFrame(window);
    const bool framedByManager = !(window->windowFlags() & Qt::FramelessWindowHint);
    if (frame.isNull() && framedByManager && window->windowHandle()) {
        frame = lastFrame;
        new RecentreWhenFramed(window, frame);
    }
    centreFrame(window, frame);
}

void StretchImage::SetImage(const QImage &image)
{
    m_image = image;
    update();
}

void StretchImage::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(rect(), m_image);
}
