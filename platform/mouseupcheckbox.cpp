#include "mouseupcheckbox.h"

#include <QMouseEvent>

void MouseUpCheckBox::mouseReleaseEvent(QMouseEvent *event)
{
    QCheckBox::mouseReleaseEvent(event); // toggles and emits clicked first
    emit mouseUp(event->button(), event->modifiers(), event->position().toPoint());
}
