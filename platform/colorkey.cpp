#include "colorkey.h"

#include <QList>
#include <QWidget>

QRegion colorKeyRegion(const QImage &source, QRgb key)
{
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    key |= 0xFF000000u;
    QList<QRect> rects;
    QList<QRect> band; // the runs of the rows that share them
    int bandTop = 0;

    auto closeBand = [&](int bottom) {
        for (const QRect &run : band)
            rects.append(QRect(run.left(), bandTop, run.width(), bottom - bandTop));
    };

    for (int y = 0; y < image.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        QList<QRect> runs;
        for (int x = 0; x < image.width();) {
            if ((line[x] | 0xFF000000u) == key) {
                ++x;
                continue;
            }
            const int start = x;
            while (x < image.width() && (line[x] | 0xFF000000u) != key)
                ++x;
            runs.append(QRect(start, 0, x - start, 1));
        }
        if (runs != band) {
            closeBand(y);
            band = runs;
            bandTop = y;
        }
    }
    closeBand(image.height());

    QRegion region;
    region.setRects(rects.constData(), int(rects.size()));
    return region;
}

void applyColorKey(QWidget *window, const QColor &key)
{
    QImage image(window->size(), QImage::Format_RGB32);
    window->clearMask();
    window->render(&image);
    const QRegion visible = colorKeyRegion(image, key.rgb());
    if (visible == QRegion(image.rect()))
        window->clearMask();
    else
        window->setMask(visible);
}
