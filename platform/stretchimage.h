#pragma once

#include <QImage>
#include <QWidget>

// Draws an image stretched into the whole widget, pixel for pixel (no smoothing, so a
// colour key in the image stays exact), proportions not kept.
class StretchImage : public QWidget
{
public:
    using QWidget::QWidget;
    void setImage(const QImage &image);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage m_image;
};
