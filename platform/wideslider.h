#pragma once

#include <QSlider>

// A slider that takes clicks over its whole place, as the platform the program comes from has
// it: a click above or below the track, on the tick marks say, acts as a click on the track
// at that point (a page towards it, or the handle), not only one on the track's thin line.
class WideSlider : public QSlider
{
    Q_OBJECT

public:
    using QSlider::QSlider;

protected:
    void mousePressEvent(QMouseEvent *event) override;
};
