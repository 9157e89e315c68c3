#pragma once

#include <QLabel>

// A label that reports a left click (on release) and a right click.
class ClickLabel : public QLabel
{
    Q_OBJECT

public:
    using QLabel::QLabel;

signals:
    void clicked();
    void rightClicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
};
