#pragma once

// The X screen an end-to-end test runs on, seen through a connection of the test's own: what the window
// manager says is active, the player's windows and their properties, the launch messages sent to the
// root window, and a window of the test's own to take the focus away from the player.
#include <QByteArray>
#include <QList>
#include <QSize>
#include <xcb/xcb.h>

namespace zendrix::testing {

class X11Desktop
{
public:
    X11Desktop();
    ~X11Desktop();
    X11Desktop(const X11Desktop&) = delete;
    X11Desktop& operator=(const X11Desktop&) = delete;

    bool connected() const { return m_connection != nullptr; }

    // Whether a window manager has announced itself (_NET_SUPPORTING_WM_CHECK).
    bool windowManagerRuns();
    xcb_window_t activeWindow();
    // The managed window of process `pid` of the given size; XCB_WINDOW_NONE when there is none yet.
    xcb_window_t clientOf(qint64 pid, QSize size);
    QByteArray textProperty(xcb_window_t window, const char* name);

    // A window of the test's own, mapped, once the window manager manages it.
    xcb_window_t ownWindow();
    // Asks for `window` to become active as a pager does, on the user's behalf.
    void activate(xcb_window_t window);
    // A fresh X server time, as a launcher takes it from the click that starts a program.
    quint32 serverTime();
    // The startup notification messages sent to the root window since this connection was made.
    QList<QByteArray> startupMessages();

private:
    xcb_atom_t atom(const char* name);
    QList<quint32> cardinals(xcb_window_t window, xcb_atom_t property, xcb_atom_t type);
    void readEvents();

    xcb_connection_t* m_connection = nullptr;
    xcb_window_t m_root = XCB_WINDOW_NONE;
    xcb_window_t m_own = XCB_WINDOW_NONE;
    QList<QByteArray> m_messages;
    QByteArray m_pending;
    quint32 m_lastPropertyTime = 0;
};

} // namespace zendrix::testing
