#pragma once

#include <QColor>
#include <QRect>
#include <QString>

class QImage;
class QPushButton;
class QWidget;

// A focus button (focusbutton.h) at a fixed place, with an optional tooltip, which is then also
// its accessible name.
QPushButton *makeButton(QWidget *parent, const QString &text, const QRect &geometry, const QString &hint = {});
// Gives a widget an opaque background of one colour.
void setBackground(QWidget *widget, const QColor &color);
// Reads a BMP file or resource by Qt's built-in reader alone: asked for a known format, Qt
// would still load every image plugin to let it look at the data first.
QImage readBitmap(const QString &path);
