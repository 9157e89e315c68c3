#pragma once

// Unless the user has chosen a Qt platform (QT_QPA_PLATFORM set to a name), asks Qt for X11 first and
// Wayland when there is no X display: the strip window sits at the top of the screen above all
// other windows, which Wayland does not let a client do, but XWayland does. Qt tries the
// platforms of the list in turn. Call before the QApplication is made; a "-platform" argument
// still takes precedence. Windows has only its own platform and leaves the variable alone.
void chooseQtPlatform();
