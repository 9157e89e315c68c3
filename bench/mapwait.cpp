// mapwait PROGRAM [ARGS...]: starts PROGRAM on the current X display and prints, in
// microseconds from just before the process starts, when its first top-level window is
// mapped and when that window is first painted (its first X DAMAGE after the map); then
// prints the process id and leaves the program running.
// Meant for a private X server (xvfb-run) on which nothing else maps windows.

#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>

#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

int main(int argc, char **argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: mapwait PROGRAM [ARGS...]\n");
        return 2;
    }
    Display *display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "mapwait: no X display\n");
        return 2;
    }
    int damageEvent = 0, damageError = 0;
    if (!XDamageQueryExtension(display, &damageEvent, &damageError)) {
        std::fprintf(stderr, "mapwait: the X server has no DAMAGE extension\n");
        return 2;
    }
    const Window root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, False);

    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        // The program must not hold our output open: whoever reads it waits for its end.
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        execv(argv[1], argv + 1);
        _exit(127);
    }
    // Every top-level window is watched for damage from its creation on, so that no
    // paint can slip between the map and the watch; only the first mapped one counts.
    Window mappedWindow = 0;
    Clock::time_point mapped, painted;
    for (;;) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == CreateNotify && event.xcreatewindow.parent == root) {
            XDamageCreate(display, event.xcreatewindow.window, XDamageReportNonEmpty);
        } else if (event.type == MapNotify && event.xmap.event == root && !mappedWindow) {
            mappedWindow = event.xmap.window;
            mapped = Clock::now();
        } else if (event.type == damageEvent + XDamageNotify) {
            const auto *damage = reinterpret_cast<XDamageNotifyEvent *>(&event);
            if (mappedWindow && damage->drawable == mappedWindow) {
                painted = Clock::now();
                break;
            }
            XDamageSubtract(display, damage->damage, None, None);
        }
    }
    const auto us = [&](Clock::time_point t) {
        return static_cast<long long>(std::chrono::duration_cast<std::chrono::microseconds>(t - start).count());
    };
    std::printf("%lld %lld %d\n", us(mapped), us(painted), static_cast<int>(pid));
    XCloseDisplay(display);
    return 0;
}
