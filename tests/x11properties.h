#pragma once

// What an X11 window manager writes on a window, read with Xlib, and keys sent to a window as
// the X server sends them. Kept apart: Xlib's macros (None, Status, Bool, ...) clash with names
// in Qt and in our windows.

#include <QStringList>

// The names in an atom-list property of a window, such as _NET_WM_ALLOWED_ACTIONS;
// empty when the window has no such property or the program runs on no X server.
QStringList x11AtomListProperty(unsigned long window, const char *property);

// The class half of the window's WM_CLASS (the instance name is the other half), by which a
// task bar matches the window to its desktop entry's StartupWMClass; empty without one.
QString x11WindowClass(unsigned long window);

// Sends a press and release of the key with that name ("Menu", "F10"), with Shift held if
// asked, to the window, as the X server delivers a key to the window that has the focus; so
// it reaches the program through Qt's X11 platform, unlike QTest's key events. False when the
// program runs on no X server or the key has no key code.
bool x11SendKey(unsigned long window, const char *keyName, bool shift);
