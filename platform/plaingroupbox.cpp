#include "plaingroupbox.h"

#include <QPainter>
#include <qdrawutil.h>

void PlainGroupBox::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    qDrawShadeRect(&painter, rect(), palette(), true, 1, 0); // etched: sunken line, raised line
}
