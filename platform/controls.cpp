#include "controls.h"

#include "focusbutton.h"

#include <QImage>
#include <QImageReader>

QPushButton *makeButton(QWidget *parent, const QString &text, const QRect &geometry, const QString &hint)
{
    auto *button = new FocusButton(text, parent);
    button->setGeometry(geometry);
    button->setToolTip(hint);
    // Read aloud, "↑" or "← 上" says little: the hint says what the button does.
    if (!hint.isEmpty())
        button->setAccessibleName(hint);
    button->setAutoDefault(false);
    return button;
}

void setBackground(QWidget *widget, const QColor &color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, color);
    palette.setColor(QPalette::Base, color);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

QImage readBitmap(const QString &path)
{
    QImageReader reader(path, "bmp");
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}
