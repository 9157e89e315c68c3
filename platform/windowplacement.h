#pragma once

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

class QScreen;
class QWidget;

// Where a window's frame of the given size goes in a screen's available area: centred when
// it fits; otherwise at the area's top-left corner, so that every control can be reached.
QPoint framePosition(const QSize &frame, const QRect &available);

// Places the program's top-level windows as they open, each on the monitor of the window the
// learner comes from: the first time centred there; later where the learner left it if that is
// on the same monitor, otherwise centred there. Whoever opens a window calls it.
class WindowPlacement
{
public:
    // The monitor that holds the middle of a window, shown or hidden (its last place).
    static QScreen *screenOf(const QWidget *window);

    // Places a hidden top-level window on that monitor by the rule above. QDialog::exec() then
    // shows it where it was put.
    void place(QWidget *window, QScreen *screen);
    // Places it, shows it, brings it to the front and activates it.
    void open(QWidget *window, QScreen *screen);

private:
    class PlaceAgainWhenFramed;

    // Centres the window's frame, as wide as the margins given, on the monitor.
    static void centre(QWidget *window, QScreen *screen, const QMargins &frame);
    // The window's frame, if the window manager has framed it by now; kept as the next guess.
    QMargins currentFrame(const QWidget *window);

    // The frame the window manager put around the last of our windows it framed: the best
    // guess for a window it has not framed yet, since it decorates them all alike.
    QMargins m_lastFrame;
};
