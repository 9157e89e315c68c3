#include "qtplatform.h"

#include <QtGlobal>

DisplayEnvironment CurrentDisplayEnvironment()
{
    return {qgetenv("WAYLAND_DISPLAY"), qgetenv("XDG_SESSION_TYPE"), qgetenv("DISPLAY"),
            qgetenv("QT_QPA_PLATFORM")};
}

bool ShouldForceXcb(const DisplayEnvironment &env)
{
    const bool wayland = !env.waylandDisplay.isEmpty() || env.sessionType == "wayland";
    return wayland && !env.x11Display.isEmpty() && env.qpaPlatform.isEmpty();
}

void ChooseQtPlatform()
{
    if (ShouldForceXcb(CurrentDisplayEnvironment()))
        qputenv("QT_QPA_PLATFORM", "xcb");
}
