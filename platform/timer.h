#pragma once

#include <QTimer>

// A precise timer with an enabled flag: enabling a running timer leaves its period alone,
// and setting the interval it already has does not restart its count.
class Timer : public QTimer
{
    Q_OBJECT

public:
    explicit Timer(int intervalMs, QObject *parent = nullptr);

    bool Enabled() const { return isActive(); }
    void SetEnabled(bool enabled);
    void SetInterval(int ms); // a different value restarts a running timer's count
};
