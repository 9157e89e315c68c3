// mapwait PROGRAM [ARGS...]: starts PROGRAM on the current X display and prints, in
// microseconds, the time from just before the process starts until its first top-level
// window is mapped; then prints the process id and leaves the program running.
// Meant for a private X server (xvfb-run) on which nothing else maps windows.

#include <X11/Xlib.h>

#include <chrono>
#include <csignal>
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
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);

    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        // The program must not hold our output open: whoever reads it waits for its end.
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        execv(argv[1], argv + 1);
        _exit(127);
    }
    for (;;) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == MapNotify && event.xmap.event == DefaultRootWindow(display))
            break;
    }
    const auto mapped = std::chrono::steady_clock::now();
    std::printf("%lld %d\n",
                static_cast<long long>(std::chrono::duration_cast<std::chrono::microseconds>(mapped - start).count()),
                static_cast<int>(pid));
    XCloseDisplay(display);
    return 0;
}
