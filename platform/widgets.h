#pragma once

#include <QCheckBox>
#include <QLabel>

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

// Gives a widget an opaque background of one colour.
void SetBackground(QWidget *widget, const QColor &color);
// Centres a top-level window on its screen.
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
