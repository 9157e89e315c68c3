#include "colorkey.h"

#include <QBitmap>
#include <QPainter>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace {

// The logical pixels whose device pixels, [round(scale * x), round(scale * (x + 1))) as Qt
// scales a mask, meet the device pixels [from, to): the first and the last of them.
std::pair<int, int> logicalSpan(int from, int to, qreal scale)
{
    int first = std::max(0, int(std::floor(from / scale)) - 1);
    while (qRound(scale * (first + 1)) <= from)
        ++first;
    int last = int(std::ceil(to / scale)) + 1;
    while (qRound(scale * last) >= to)
        --last;
    return {first, last};
}

} // namespace

QRegion colorKeyRegion(const QImage &picture, QRgb key)
{
    // The key's pixels: the region of a bitmap holds its black pixels (color1), which are
    // the key's in a mask made with MaskOutColor.
    const QImage image = picture.convertToFormat(QImage::Format_RGB32);
    const QRegion keyed(QBitmap::fromImage(image.createMaskFromColor(key | 0xFF000000u, Qt::MaskOutColor)));
    const qreal scale = picture.devicePixelRatio();
    const QRect whole(QPoint(), picture.deviceIndependentSize().toSize());
    if (scale == 1.0)
        return QRegion(whole) - keyed;

    // Every logical pixel that turns into a key-coloured device pixel, drawn into a bitmap
    // and turned into a region at once.
    QBitmap hidden(whole.size());
    hidden.clear();
    QPainter painter(&hidden);
    for (const QRect &r : keyed) {
        const auto [left, right] = logicalSpan(r.left(), r.left() + r.width(), scale);
        const auto [top, bottom] = logicalSpan(r.top(), r.top() + r.height(), scale);
        painter.fillRect(QRect(QPoint(left, top), QPoint(right, bottom)), Qt::color1);
    }
    painter.end();
    return QRegion(whole) - QRegion(hidden);
}

void applyColorKey(QWidget *window, const QColor &key)
{
    window->clearMask();
    const QRegion visible = colorKeyRegion(window->grab().toImage(), key.rgb());
    if (visible == QRegion(window->rect()))
        window->clearMask();
    else
        window->setMask(visible);
}
