#include "x11client.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

struct X11Client::Connection {
    Display *display = nullptr;
};

namespace {

// Windows come and go while we look at them: a window gone by the time it is asked about is
// no error of ours.
int ignoreErrors(Display *, XErrorEvent *)
{
    return 0;
}

} // namespace

X11Client::X11Client()
    : m_x(std::make_unique<Connection>())
{
    m_x->display = XOpenDisplay(nullptr);
    XSetErrorHandler(ignoreErrors);
}

X11Client::~X11Client()
{
    if (m_x->display)
        XCloseDisplay(m_x->display);
}

bool X11Client::isConnected() const
{
    return m_x->display != nullptr;
}

namespace {

QString titleOf(Display *display, Window window)
{
    // _NET_WM_NAME in UTF-8 where the client sets it, WM_NAME otherwise.
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, remaining = 0;
    unsigned char *data = nullptr;
    QString title;
    if (XGetWindowProperty(display, window, XInternAtom(display, "_NET_WM_NAME", False), 0, 1024, False,
                           XInternAtom(display, "UTF8_STRING", False), &type, &format, &count, &remaining, &data)
            == Success
        && data) {
        title = QString::fromUtf8(reinterpret_cast<const char *>(data), int(count));
        XFree(data);
        return title;
    }
    char *name = nullptr;
    if (XFetchName(display, window, &name) && name) {
        title = QString::fromLocal8Bit(name);
        XFree(name);
    }
    return title;
}

// The client windows among window and its descendants (a window manager puts each client
// window into a frame of its own), with the frame's place among the root's children.
void collect(Display *display, Window window, int stackingIndex, QList<X11Client::TopLevel> &found)
{
    const QString title = titleOf(display, window);
    if (!title.isEmpty()) {
        XWindowAttributes attributes;
        if (XGetWindowAttributes(display, window, &attributes)) {
            int x = 0, y = 0;
            Window child = 0;
            XTranslateCoordinates(display, window, attributes.root, 0, 0, &x, &y, &child);
            found.append({window, title, QRect(x, y, attributes.width, attributes.height),
                          attributes.map_state == IsViewable, stackingIndex});
        }
        return;
    }
    Window root = 0, parent = 0, *children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display, window, &root, &parent, &children, &count))
        return;
    for (unsigned int i = 0; i < count; ++i)
        collect(display, children[i], stackingIndex, found);
    if (children)
        XFree(children);
}

} // namespace

QList<X11Client::TopLevel> X11Client::topLevels() const
{
    QList<TopLevel> found;
    Display *display = m_x->display;
    if (!display)
        return found;
    Window root = 0, parent = 0, *children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count))
        return found;
    for (unsigned int i = 0; i < count; ++i) // bottom to top
        collect(display, children[i], int(i), found);
    if (children)
        XFree(children);
    return found;
}

void X11Client::click(unsigned long window, const QPoint &pos)
{
    Display *display = m_x->display;
    int rootX = 0, rootY = 0;
    Window child = 0;
    XTranslateCoordinates(display, Window(window), DefaultRootWindow(display), pos.x(), pos.y(), &rootX, &rootY, &child);
    XButtonEvent button{};
    button.display = display;
    button.window = Window(window);
    button.root = DefaultRootWindow(display);
    button.time = CurrentTime;
    button.x = pos.x();
    button.y = pos.y();
    button.x_root = rootX;
    button.y_root = rootY;
    button.button = Button1;
    button.same_screen = True;
    for (int type : {ButtonPress, ButtonRelease}) {
        button.type = type;
        button.state = type == ButtonPress ? 0 : Button1Mask;
        XEvent event{};
        event.xbutton = button;
        XSendEvent(display, Window(window), True, type == ButtonPress ? ButtonPressMask : ButtonReleaseMask, &event);
    }
    XFlush(display);
}

void X11Client::requestClose(unsigned long window)
{
    Display *display = m_x->display;
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = Window(window);
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = long(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, Window(window), False, NoEventMask, &event);
    XFlush(display);
}

unsigned long X11Client::createWindow(const QRect &geometry)
{
    Display *display = m_x->display;
    const Window window = XCreateSimpleWindow(display, DefaultRootWindow(display), geometry.x(), geometry.y(),
                                              unsigned(geometry.width()), unsigned(geometry.height()), 0, 0,
                                              WhitePixel(display, DefaultScreen(display)));
    XStoreName(display, window, "another program");
    XMapRaised(display, window);
    XFlush(display);
    return window;
}

unsigned long X11Client::createTopPanel(int height)
{
    Display *display = m_x->display;
    const int screen = DefaultScreen(display);
    const int width = DisplayWidth(display, screen);
    const Window window = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, unsigned(width),
                                              unsigned(height), 0, 0, BlackPixel(display, screen));
    XStoreName(display, window, "panel");
    const Atom dock = XInternAtom(display, "_NET_WM_WINDOW_TYPE_DOCK", False);
    XChangeProperty(display, window, XInternAtom(display, "_NET_WM_WINDOW_TYPE", False), XA_ATOM, 32,
                    PropModeReplace, reinterpret_cast<const unsigned char *>(&dock), 1);
    // Left, right, top, bottom; then where along each edge: only the top one, all across.
    const long strut[12] = {0, 0, height, 0, 0, 0, 0, 0, 0, width - 1, 0, 0};
    XChangeProperty(display, window, XInternAtom(display, "_NET_WM_STRUT_PARTIAL", False), XA_CARDINAL, 32,
                    PropModeReplace, reinterpret_cast<const unsigned char *>(strut), 12);
    XChangeProperty(display, window, XInternAtom(display, "_NET_WM_STRUT", False), XA_CARDINAL, 32,
                    PropModeReplace, reinterpret_cast<const unsigned char *>(strut), 4);
    XMapRaised(display, window);
    XFlush(display);
    return window;
}

void X11Client::destroyWindow(unsigned long window)
{
    XDestroyWindow(m_x->display, Window(window));
    XFlush(m_x->display);
}
