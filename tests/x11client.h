#pragma once

// Another program's windows on an X server (such as XWayland under a Wayland compositor), seen
// and driven from outside as a learner's desktop would: which top-level windows it shows,
// where, in which stacking order, and clicks and close requests sent to them. Kept apart from
// the tests: Xlib's macros (None, Status, Bool, ...) clash with names in Qt.

#include <QList>
#include <QPoint>
#include <QRect>
#include <QString>

#include <memory>

class X11Client
{
public:
    struct TopLevel {
        unsigned long id = 0; // the client's own window, not the window manager's frame
        QString title;
        QRect geometry; // on the screen
        bool viewable = false;
        int stackingIndex = -1; // of its frame among the root's children: higher is in front
    };

    X11Client();
    ~X11Client();

    // False when there is no X server at DISPLAY.
    bool isConnected() const;
    // Every client window with a title, framed or not, mapped or not.
    QList<TopLevel> topLevels() const;
    // A click of the left mouse button at pos in the window.
    void click(unsigned long window, const QPoint &pos);
    // Asks the window to close, as a window manager's close button does (WM_DELETE_WINDOW).
    void requestClose(unsigned long window);
    // A plain window of our own, mapped and raised, to see what stays above it.
    unsigned long createWindow(const QRect &geometry);
    // A desktop panel along the top of the screen, the given number of device pixels tall, as a
    // desktop environment's task bar: a dock window that reserves its strip of the screen
    // (_NET_WM_STRUT_PARTIAL), which the window manager then leaves out of the work area.
    unsigned long createTopPanel(int height);
    // Takes one of our windows away again.
    void destroyWindow(unsigned long window);

private:
    struct Connection;
    std::unique_ptr<Connection> m_x;
};
