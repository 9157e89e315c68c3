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
    if (shouldForceXcb(currentDisplayEnvironment()))
        qputenv("QT_QPA_PLATFORM", "xcb");
}
