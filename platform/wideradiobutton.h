#pragma once

#include <QRadioButton>

// A radio button that takes clicks over its whole place, as the platform the program comes
// from has it, not only over its circle and text: the level buttons' places are wider than
// their captions.
class WideRadioButton : public QRadioButton
{
    Q_OBJECT

public:
    using QRadioButton::QRadioButton;

protected:
    bool hitButton(const QPoint &pos) const override;
};
