#pragma once

#include <QPushButton>

// A push button that Return and keypad Enter press while it has the focus, as Space does,
// the way buttons behave on the platform the program comes from; every button of the program
// is one. Not Qt's auto-default buttons, which do the same in a plain window: in a dialog
// (the settings window) Qt makes the first of them the dialog's default button, and Return on
// a check box or the slider would press it. This one never becomes a window's default button,
// so Return on any other control presses nothing.
class FocusButton : public QPushButton
{
    Q_OBJECT

public:
    using QPushButton::QPushButton;

protected:
    void keyPressEvent(QKeyEvent *event) override;
};
