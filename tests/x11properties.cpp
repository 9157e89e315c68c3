#include "x11properties.h"

#include <QGuiApplication>

#include <X11/Xatom.h>
#include <X11/Xlib.h>

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
