#pragma once

// What an X11 window manager writes on a window, read with Xlib. Kept apart: Xlib's
// macros (None, Status, Bool, ...) clash with names in Qt and in our windows.

#include <QStringList>

// The names in an atom-list property of a window, such as _NET_WM_ALLOWED_ACTIONS;
// empty when the window has no such property or the program runs on no X server.
QStringList x11AtomListProperty(unsigned long window, const char *property);
