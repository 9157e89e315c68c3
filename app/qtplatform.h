#pragma once

#include <QByteArray>

// The environment variables that decide which Qt platform plugin the program starts on.
struct DisplayEnvironment {
    QByteArray waylandDisplay; // WAYLAND_DISPLAY
    QByteArray sessionType;    // XDG_SESSION_TYPE
    QByteArray x11Display;     // DISPLAY
    QByteArray qpaPlatform;    // QT_QPA_PLATFORM
};

// The four variables as this process sees them.
DisplayEnvironment currentDisplayEnvironment();

// Whether to start on xcb instead of Qt's own choice. The strip window sits at the top of the
// screen above all other windows, which Wayland does not let a client do, but XWayland does.
// True on a Wayland session (WAYLAND_DISPLAY set, or XDG_SESSION_TYPE "wayland") with an X
// display at hand (DISPLAY set), unless the user has chosen a platform (QT_QPA_PLATFORM).
// An empty variable counts as unset.
bool shouldForceXcb(const DisplayEnvironment &env);

// Sets QT_QPA_PLATFORM to "xcb" when shouldForceXcb says so. Call it before the
// QApplication is made; a "-platform" argument still takes precedence.
void chooseQtPlatform();
