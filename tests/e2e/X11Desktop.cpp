#include "X11Desktop.h"

#include "support/WaitFor.h"

#include <cstdlib>
#include <cstring>

namespace zendrix::testing {

X11Desktop::X11Desktop()
{
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection)) {
        xcb_disconnect(connection);
        return;
    }
    m_connection = connection;
    m_root = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data->root;
    // The launch messages travel to the root window to whoever listens for its property changes.
    const uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_change_window_attributes(m_connection, m_root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(m_connection);
}

X11Desktop::~X11Desktop()
{
    if (m_connection)
        xcb_disconnect(m_connection);
}

xcb_atom_t X11Desktop::atom(const char* name)
{
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        m_connection, xcb_intern_atom(m_connection, 0, static_cast<uint16_t>(std::strlen(name)), name),
        nullptr);
    const xcb_atom_t result = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    free(reply);
    return result;
}

QList<quint32> X11Desktop::cardinals(xcb_window_t window, xcb_atom_t property, xcb_atom_t type)
{
    QList<quint32> values;
    xcb_get_property_reply_t* reply = xcb_get_property_reply(
        m_connection, xcb_get_property(m_connection, 0, window, property, type, 0, 4096), nullptr);
    if (reply && reply->format == 32) {
        const auto* data = static_cast<const quint32*>(xcb_get_property_value(reply));
        values = QList<quint32>(data, data + xcb_get_property_value_length(reply) / 4);
    }
    free(reply);
    return values;
}

bool X11Desktop::windowManagerRuns()
{
    return !cardinals(m_root, atom("_NET_SUPPORTING_WM_CHECK"), XCB_ATOM_WINDOW).isEmpty();
}

xcb_window_t X11Desktop::activeWindow()
{
    const QList<quint32> active = cardinals(m_root, atom("_NET_ACTIVE_WINDOW"), XCB_ATOM_WINDOW);
    return active.isEmpty() ? xcb_window_t(XCB_WINDOW_NONE) : active.first();
}

xcb_window_t X11Desktop::clientOf(qint64 pid, QSize size)
{
    for (const quint32 window : cardinals(m_root, atom("_NET_CLIENT_LIST"), XCB_ATOM_WINDOW)) {
        const QList<quint32> owner = cardinals(window, atom("_NET_WM_PID"), XCB_ATOM_CARDINAL);
        xcb_get_geometry_reply_t* geometry =
            xcb_get_geometry_reply(m_connection, xcb_get_geometry(m_connection, window), nullptr);
        const bool match = geometry && owner.size() == 1 && owner.first() == pid &&
                           geometry->width == size.width() && geometry->height == size.height();
        free(geometry);
        if (match)
            return window;
    }
    return XCB_WINDOW_NONE;
}

QByteArray X11Desktop::textProperty(xcb_window_t window, const char* name)
{
    QByteArray text;
    xcb_get_property_reply_t* reply = xcb_get_property_reply(
        m_connection, xcb_get_property(m_connection, 0, window, atom(name), atom("UTF8_STRING"), 0, 4096),
        nullptr);
    if (reply && reply->format == 8)
        text = QByteArray(static_cast<const char*>(xcb_get_property_value(reply)),
                          xcb_get_property_value_length(reply));
    free(reply);
    return text;
}

xcb_window_t X11Desktop::ownWindow()
{
    if (m_own != XCB_WINDOW_NONE)
        return m_own;
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data;
    m_own = xcb_generate_id(m_connection);
    const uint32_t values[] = {screen->white_pixel, XCB_EVENT_MASK_PROPERTY_CHANGE};
    xcb_create_window(m_connection, XCB_COPY_FROM_PARENT, m_own, m_root, 600, 600, 200, 100, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual,
                      XCB_CW_BACK_PIXEL | XCB_CW_EVENT_MASK, values);
    xcb_map_window(m_connection, m_own);
    xcb_flush(m_connection);
    zendrix::test::waitFor(
        [this] { return cardinals(m_root, atom("_NET_CLIENT_LIST"), XCB_ATOM_WINDOW).contains(m_own); },
        10000);
    return m_own;
}

void X11Desktop::activate(xcb_window_t window)
{
    xcb_client_message_event_t event{};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = window;
    event.type = atom("_NET_ACTIVE_WINDOW");
    event.data.data32[0] = 2; // a pager, for the user
    event.data.data32[1] = serverTime();
    xcb_send_event(m_connection, 0, m_root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&event));
    xcb_flush(m_connection);
}

quint32 X11Desktop::serverTime()
{
    // A property change on a window of our own comes back with the server's time.
    const xcb_window_t own = ownWindow();
    m_lastPropertyTime = 0;
    const char stamp = 'x';
    xcb_change_property(m_connection, XCB_PROP_MODE_REPLACE, own, atom("ZENDRIX_TEST_TIME"), XCB_ATOM_STRING,
                        8, 1, &stamp);
    // A round trip: the event is queued before the reply.
    free(xcb_get_input_focus_reply(m_connection, xcb_get_input_focus(m_connection), nullptr));
    readEvents();
    return m_lastPropertyTime;
}

QList<QByteArray> X11Desktop::startupMessages()
{
    free(xcb_get_input_focus_reply(m_connection, xcb_get_input_focus(m_connection), nullptr));
    readEvents();
    return m_messages;
}

void X11Desktop::readEvents()
{
    const xcb_atom_t begin = atom("_NET_STARTUP_INFO_BEGIN");
    const xcb_atom_t more = atom("_NET_STARTUP_INFO");
    while (xcb_generic_event_t* event = xcb_poll_for_event(m_connection)) {
        const uint8_t type = event->response_type & 0x7f;
        if (type == XCB_PROPERTY_NOTIFY) {
            const auto* notify = reinterpret_cast<xcb_property_notify_event_t*>(event);
            if (notify->window == m_own)
                m_lastPropertyTime = notify->time;
        } else if (type == XCB_CLIENT_MESSAGE) {
            const auto* message = reinterpret_cast<xcb_client_message_event_t*>(event);
            if (message->format == 8 && (message->type == begin || message->type == more)) {
                if (message->type == begin)
                    m_pending.clear();
                m_pending.append(reinterpret_cast<const char*>(message->data.data8), 20);
                if (const qsizetype end = m_pending.indexOf('\0'); end >= 0) {
                    m_messages.append(m_pending.left(end));
                    m_pending.clear();
                }
            }
        }
        free(event);
    }
}

} // namespace zendrix::testing
