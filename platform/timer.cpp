#include "timer.h"

Timer::Timer(int intervalMs, QObject *parent)
    : QTimer(parent)
{
    setTimerType(Qt::PreciseTimer); // a coarse timer may fire up to 5% early or late
    setInterval(intervalMs);
}

void Timer::SetEnabled(bool enabled)
{
    if (enabled && !isActive())
        start();
    else if (!enabled)
        stop();
}

void Timer::SetInterval(int ms)
{
    if (ms != interval())
        setInterval(ms);
}
