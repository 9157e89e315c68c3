#include "widgets.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
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

void ShowWindow(QWidget *window)
{
    window->show();
    window->raise();
    window->activateWindow();
}

void CentreOnScreen(QWidget *window)
{
    const QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect frame = window->frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window->move(frame.topLeft());
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
