#pragma once

#include <QTimer>

// The two step timers are plain QTimers of type Qt::PreciseTimer (a coarse timer may fire up to
// 5% early or late). Switching one on or changing its interval follows two rules, so that a
// timer already running keeps its rhythm.

// A precise timer, stopped, with the given interval.
QTimer *makeStepTimer(int intervalMs, QObject *parent);
// Starts a stopped timer; a running one keeps its period (QTimer::start would restart it).
void startIfStopped(QTimer *timer);
// Starts or stops the timer by the rule above.
void setTimerRunning(QTimer *timer, bool running);
// A different interval restarts a running timer's count; the interval it already has does not.
void setIntervalKeepingCount(QTimer *timer, int intervalMs);
