#pragma once

#include <QCheckBox>

// A check box that reports a mouse release after the click it completes has been handled.
class MouseUpCheckBox : public QCheckBox
{
    Q_OBJECT

public:
    using QCheckBox::QCheckBox;

signals:
    void mouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint pos);

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
};
