#pragma once

class QWidget;

// Shows a window: makes it visible, brings it to the front and activates it.
void showWindow(QWidget *window);
// Centres a shown top-level window on its screen, frame and all. Before the window manager
// has framed the window, the frame of our last framed window stands in for its frame, and
// the window is centred again when it appears if its own frame turns out different.
void centreOnScreen(QWidget *window);
// For a modal window: nothing may hide it while the rest of the program waits for it. It is
// described to X11 window managers as a tool bar, the one kind of framed window to which
// Openbox, for one, gives no minimise button (it gives one to every dialog); and should it
// be minimised all the same, it is shown again at once. Call before the window is shown.
void keepModalWindowShown(QWidget *window);
