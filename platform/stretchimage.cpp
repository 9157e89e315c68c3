#include "stretchimage.h"

#include <QPainter>

void StretchImage::setImage(const QImage &image)
{
    m_image = image;
    update();
}

void StretchImage::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(rect(), m_image);
}
