#pragma once

#include <QColor>
#include <QImage>
#include <QRegion>

class QWidget;

// The region of the pixels of image that are not of the key colour: what stays
// visible when every pixel of exactly that colour is see-through.
QRegion colorKeyRegion(const QImage &image, QRgb key);

// Makes every pixel that the window draws in the key colour see-through, by masking
// the window with the region of the other pixels (no mask when there is no such pixel).
void applyColorKey(QWidget *window, const QColor &key);
