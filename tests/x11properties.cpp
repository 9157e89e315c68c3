#include "x11properties.h"

#include <QGuiApplication>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

QStringList x11AtomListProperty(unsigned long window, const char *property)
{
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    Display *display = x11 ? x11->display() : nullptr;
    if (!display)
        return {};
    Atom type = None;
    int format = 0;
    unsigned long count = 0, remaining = 0;
    unsigned char *data = nullptr;
    QStringList names;
    if (XGetWindowProperty(display, Window(window), XInternAtom(display, property, False), 0, 1024, False, XA_ATOM,
                           &type, &format, &count, &remaining, &data) == Success && data) {
        const auto *atoms = reinterpret_cast<const Atom *>(data);
        for (unsigned long i = 0; i < count; ++i) {
            char *name = XGetAtomName(display, atoms[i]);
            names.append(QString::fromLatin1(name));
            XFree(name);
        }
        XFree(data);
    }
    return names;
}

QString x11WindowClass(unsigned long window)
{
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    Display *display = x11 ? x11->display() : nullptr;
    XClassHint hint{};
    if (!display || !XGetClassHint(display, Window(window), &hint))
        return {};
    const QString windowClass = QString::fromLocal8Bit(hint.res_class);
    XFree(hint.res_name);
    XFree(hint.res_class);
    return windowClass;
}

bool x11SendKey(unsigned long window, const char *keyName, bool shift)
{
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    Display *display = x11 ? x11->display() : nullptr;
    const KeySym symbol = XStringToKeysym(keyName);
    const KeyCode code = display && symbol != NoSymbol ? XKeysymToKeycode(display, symbol) : 0;
    if (!code)
        return false;
    XKeyEvent key{};
    key.display = display;
    key.window = Window(window);
    key.root = DefaultRootWindow(display);
    key.subwindow = None;
    key.time = CurrentTime;
    key.same_screen = True;
    key.keycode = code;
    key.state = shift ? ShiftMask : 0;
    for (int type : {KeyPress, KeyRelease}) {
        key.type = type;
        XEvent event;
        event.xkey = key;
        if (!XSendEvent(display, Window(window), True, type == KeyPress ? KeyPressMask : KeyReleaseMask, &event))
            return false;
    }
    XFlush(display);
    return true;
}
