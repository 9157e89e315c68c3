#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class QScreen;
class QWidget;

// Shows a window: makes it visible, brings it to the front and activates it.
void showWindow(QWidget *window);
// Where a window's frame of the given size goes in a screen's available area: centred when
// it fits; otherwise at the area's top-left corner, so that every control can be reached.
QPoint framePosition(const QSize &frame, const QRect &available);
// The screen that holds the middle of a window, shown or hidden (its last place).
QScreen *screenOf(const QWidget *window);
// Makes a top-level window open on that screen: placeOnScreen puts it there. Without it, a
// window opens on the screen it stands on, which for one never placed is the screen at the
// desktop's top-left corner, on X11 not always the primary one.
void openOnScreen(QWidget *window, QScreen *screen);
// Places a shown top-level window on the screen it opens on by framePosition, frame and all.
// Before the window manager has framed the window, the frame of our last framed window stands
// in for its frame, and the window is placed again when it appears if its own frame turns out
// different.
void placeOnScreen(QWidget *window);
// For a modal window: nothing may hide it while the rest of the program waits for it. On X11
// it is described to the window manager as a tool bar, the one kind of framed window to which
// Openbox, for one, gives no minimise button (it gives one to every dialog); on Windows a
// dialog has none. Should it be minimised all the same, it is shown again at once. Call before
// the window is shown.
void keepModalWindowShown(QWidget *window);
