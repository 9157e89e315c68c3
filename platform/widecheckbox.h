#pragma once

#include <QCheckBox>

// A check box that takes clicks over its whole place, as the platform the program comes from
// has it, not only over its box and text: a check box's place is often wider than its text.
class WideCheckBox : public QCheckBox
{
    Q_OBJECT

public:
    using QCheckBox::QCheckBox;

protected:
    bool hitButton(const QPoint &pos) const override;
};
