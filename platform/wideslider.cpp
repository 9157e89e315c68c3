#include "wideslider.h"

#include <QMouseEvent>
#include <QStyle>
#include <QStyleOptionSlider>

void WideSlider::mousePressEvent(QMouseEvent *event)
{
    QStyleOptionSlider option;
    initStyleOption(&option);
    const QRect groove = style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, this);
    const QRect handle = style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this);
    const QPoint pos = event->position().toPoint();
    if (groove.contains(pos) || handle.contains(pos)) {
        QSlider::mousePressEvent(event);
        return;
    }
    // Moved across the track onto its middle line, where the press means what it means
    // at that point of the track.
    const QPointF shift = orientation() == Qt::Horizontal ? QPointF(0, groove.center().y() - event->position().y())
                                                          : QPointF(groove.center().x() - event->position().x(), 0);
    QMouseEvent onTrack(event->type(), event->position() + shift, event->scenePosition() + shift,
                        event->globalPosition() + shift, event->button(), event->buttons(), event->modifiers(),
                        event->pointingDevice());
    QSlider::mousePressEvent(&onTrack);
    event->setAccepted(onTrack.isAccepted());
}
