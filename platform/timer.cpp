#include "timer.h"

Timer::Timer(int intervalMs, QObject *parent)
    : QTimer(parent)
{
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
