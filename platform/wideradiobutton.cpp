#include "wideradiobutton.h"

bool WideRadioButton::hitButton(const QPoint &pos) const
{
    return rect().contains(pos);
}
