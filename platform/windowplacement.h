#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

// Shows a window: makes it visible, brings it to the front and activates it.
void showWindow(QWidget *window);
// Where a window's frame of the given size goes in a screen's available area: centred when
// it fits; otherwise at the area's top-left corner, so that every control can be reached.
QPoint framePosition(const QSize &frame, const QRect &available);
// Places a shown top-level window on its screen by framePosition, frame and all. Before the
// window manager has framed the window, the frame of our last framed window stands in for
// its frame, and the window is placed again when it appears if its own frame turns out
// different.
void placeOnScreen(QWidget *window);
// For a modal window: nothing may hide it while the rest of the program waits for it. On X11
// it is described to the window manager as a tool bar, the one kind of framed window to which
// Openbox, for one, gives no minimise button (it gives one to every dialog); on Windows a
// dialog has none. Should it be minimised all the same, it is shown again at once. Call before
// the window is shown.
void keepModalWindowShown(QWidget *window);
