#include "widecheckbox.h"

bool WideCheckBox::hitButton(const QPoint &pos) const
{
    return rect().contains(pos);
}
