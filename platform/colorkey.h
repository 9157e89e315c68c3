#pragma once

#include <QColor>
#include <QImage>
#include <QRegion>

class QWidget;

// The region, in the picture's logical pixels, of what stays visible when every pixel of
// exactly the key colour is see-through. The picture may be drawn at a device pixel ratio,
// as QWidget::grab draws a window at a display scale: Qt scales a window's mask to device
// pixels by rounding each edge, so a logical pixel stays visible only when none of the
// device pixels it turns into is of the key colour.
QRegion colorKeyRegion(const QImage &picture, QRgb key);

// Makes every pixel that the window draws in the key colour see-through, by masking
// the window with the region of the other pixels (no mask when there is no such pixel).
void applyColorKey(QWidget *window, const QColor &key);
