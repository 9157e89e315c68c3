#pragma once

#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

// A check box that reports a mouse release after the click it completes has been handled.
class MouseUpCheckBox : public QCheckBox
{
    Q_OBJECT

public:
    using QCheckBox::QCheckBox;

signals:
    void mouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, QPoint pos);

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
};

// A label that reports a left click (on release) and a right click.
class ClickLabel : public QLabel
{
    Q_OBJECT

public:
    using QLabel::QLabel;

signals:
    void clicked();
    void rightClicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
};

// A group box without a caption, drawn as the platform draws one: an etched frame around
// a fill of its own background colour. Qt's styles paint a tint over the fill.
class PlainGroupBox : public QGroupBox
{
    Q_OBJECT

public:
    using QGroupBox::QGroupBox;

protected:
    void paintEvent(QPaintEvent *event) override;
};

// A push button that Return and keypad Enter press while it has the focus, as Space does,
// the way buttons behave on the platform the program comes from. It never becomes a
// window's default button, so Enter on any other control presses nothing.
class FocusButton : public QPushButton
{
    Q_OBJECT

public:
    using QPushButton::QPushButton;

protected:
    void keyPressEvent(QKeyEvent *event) override;
};

// A focus button (see above) at a fixed place.
QPushButton *MakeButton(QWidget *parent, const QString &text, const QRect &geometry, const QString &hint = {});
// Gives a widget an opaque background of one colour.
void SetBackground(QWidget *widget, const QColor &color);
// A close request as the windows take it: FormCloseQuery may refuse it, then FormClose
// runs. An accepted close only hides the window.
template <class Form>
void HandleCloseRequest(Form *form, QCloseEvent *event)
{
    bool canClose = true;
    form->FormCloseQuery(canClose);
    if (!canClose) {
        event->ignore();
        return;
    }
    form->FormClose();
    event->accept();
}

// For a modal window: nothing may hide it while the rest of the program waits for it. It is
// described to X11 window managers as a tool bar, the one kind of framed window to which
// Openbox, for one, gives no minimise button (it gives one to every dialog); and should it
// be minimised all the same, it is shown again at once. Call before the window is shown.
void KeepModalWindowShown(QWidget *window);

// Shows a window: makes it visible, brings it to the front and activates it.
void ShowWindow(QWidget *window);
// Centres a shown top-level window on its screen, frame and all. Before the window manager
// has framed the window, the frame of our last framed window stands in for its frame, and
// the window is centred again when it appears if its own frame turns out different.
void CentreOnScreen(QWidget *window);

// Draws an image stretched into the whole widget, pixel for pixel (no smoothing, so a
// colour key in the image stays exact), proportions not kept.
class StretchImage : public QWidget
{
public:
    using QWidget::QWidget;
    void SetImage(const QImage &image);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage m_image;
};
