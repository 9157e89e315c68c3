#include "qtplatform.h"

#include <QtGlobal>

DisplayEnvironment currentDisplayEnvironment()
{
    return {qgetenv("WAYLAND_DISPLAY"), qgetenv("XDG_SESSION_TYPE"), qgetenv("DISPLAY"),
            qgetenv("QT_QPA_PLATFORM")};
}

bool shouldForceXcb(const DisplayEnvironment &env)
{
    const bool wayland = !env.waylandDisplay.isEmpty() || env.sessionType == "wayland";
    return wayland && !env.x11Display.isEmpty() && env.qpaPlatform.isEmpty();
}

void chooseQtPlatform()
{
#ifndef Q_OS_WIN // Windows has neither Wayland nor X11: its own platform is the only one
    if (shouldForceXcb(currentDisplayEnvironment()))
        qputenv("QT_QPA_PLATFORM", "xcb");
#endif
}
