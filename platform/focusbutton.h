#pragma once

#include <QPushButton>

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
