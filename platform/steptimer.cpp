#include "steptimer.h"

QTimer *makeStepTimer(int intervalMs, QObject *parent)
{
    auto *timer = new QTimer(parent);
    timer->setTimerType(Qt::PreciseTimer);
    timer->setInterval(intervalMs);
    return timer;
}

void startIfStopped(QTimer *timer)
{
    if (!timer->isActive())
        timer->start();
}

void setTimerRunning(QTimer *timer, bool running)
{
    if (running)
        startIfStopped(timer);
    else
        timer->stop();
}

void setIntervalKeepingCount(QTimer *timer, int intervalMs)
{
    if (timer->interval() != intervalMs)
        timer->setInterval(intervalMs);
}
