#pragma once

#include <QGroupBox>

// A group box without a caption, drawn as the platform draws one: an etched frame around
// a fill of its own background colour. Qt's styles paint a tint over the fill.
class PlainGroupBox : public QGroupBox
{
    Q_OBJECT

public:
    using QGroupBox::QGroupBox;

protected:
    void paintEvent(QPaintEvent *event) override;
};
