#include "openboxmodal.h"

#include <QGuiApplication>
#include <QWidget>

#ifdef VELKARO_XCB
#include <xcb/xcb.h>

#include <cstdlib>

namespace {

xcb_atom_t atom(xcb_connection_t *connection, const char *name)
{
    xcb_intern_atom_reply_t *reply =
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, false, uint16_t(strlen(name)), name), nullptr);
    const xcb_atom_t found = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    return found;
}

// The name the running window manager gives itself (_NET_SUPPORTING_WM_CHECK's _NET_WM_NAME).
QByteArray windowManagerName(xcb_connection_t *connection, xcb_window_t root)
{
    auto property = [connection](xcb_window_t window, xcb_atom_t name, xcb_atom_t type) {
        xcb_get_property_reply_t *reply = xcb_get_property_reply(
            connection, xcb_get_property(connection, false, window, name, type, 0, 64), nullptr);
        QByteArray value;
        if (reply)
            value = QByteArray(static_cast<const char *>(xcb_get_property_value(reply)),
                               xcb_get_property_value_length(reply));
        std::free(reply);
        return value;
    };
    const QByteArray check = property(root, atom(connection, "_NET_SUPPORTING_WM_CHECK"), XCB_ATOM_WINDOW);
    if (check.size() != sizeof(xcb_window_t))
        return {};
    return property(*reinterpret_cast<const xcb_window_t *>(check.constData()), atom(connection, "_NET_WM_NAME"),
                    atom(connection, "UTF8_STRING"));
}

} // namespace

void hideOpenboxMinimiseButton(QWidget *modal)
{
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t *connection = x11 ? x11->connection() : nullptr;
    if (!connection)
        return;
    xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    if (windowManagerName(connection, root) != "Openbox")
        return;
    // Qt writes the window type when it makes the window and whenever its flags change, which
    // those of our modal windows never do after.
    const auto window = xcb_window_t(modal->winId());
    const xcb_atom_t toolbar = atom(connection, "_NET_WM_WINDOW_TYPE_TOOLBAR");
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, atom(connection, "_NET_WM_WINDOW_TYPE"),
                        XCB_ATOM_ATOM, 32, 1, &toolbar);
    xcb_flush(connection);
}

#else

void hideOpenboxMinimiseButton(QWidget *) {}

#endif
