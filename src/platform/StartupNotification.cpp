#include "StartupNotification.h"

#include <QGuiApplication>
#include <QWindow>
#include <algorithm>
#include <array>
#include <cstring>
#include <xcb/xcb.h>

namespace zendrix {

namespace {

// The startup notification messages travel to the root window in pieces of 20 bytes.
constexpr int kPieceBytes = 20;

class Atoms
{
public:
    enum Name { StartupId, Utf8String, InfoBegin, Info, ActiveWindow, Count };

    explicit Atoms(xcb_connection_t* connection)
    {
        static constexpr std::array<const char*, Count> kNames = {"_NET_STARTUP_ID", "UTF8_STRING",
                                                                  "_NET_STARTUP_INFO_BEGIN",
                                                                  "_NET_STARTUP_INFO", "_NET_ACTIVE_WINDOW"};
        std::array<xcb_intern_atom_cookie_t, Count> cookies{};
        // Asked all at once: one round trip.
        for (int i = 0; i < Count; ++i)
            cookies[i] =
                xcb_intern_atom(connection, 0, static_cast<uint16_t>(std::strlen(kNames[i])), kNames[i]);
        for (int i = 0; i < Count; ++i) {
            xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookies[i], nullptr);
            m_atoms[i] = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
            free(reply);
        }
    }
    xcb_atom_t operator[](Name name) const { return m_atoms[name]; }
    bool complete() const
    {
        return std::none_of(m_atoms.begin(), m_atoms.end(),
                            [](xcb_atom_t atom) { return atom == XCB_ATOM_NONE; });
    }

private:
    std::array<xcb_atom_t, Count> m_atoms{};
};

xcb_window_t rootOf(xcb_connection_t* connection, xcb_window_t window)
{
    xcb_query_tree_reply_t* tree =
        xcb_query_tree_reply(connection, xcb_query_tree(connection, window), nullptr);
    const xcb_window_t root = tree ? tree->root : xcb_window_t(XCB_WINDOW_NONE);
    free(tree);
    return root;
}

void sendStartupMessage(xcb_connection_t* connection, const Atoms& atoms, xcb_window_t root,
                        xcb_window_t window, const QByteArray& message)
{
    for (qsizetype at = 0; at < message.size(); at += kPieceBytes) {
        xcb_client_message_event_t event{};
        event.response_type = XCB_CLIENT_MESSAGE;
        event.format = 8;
        event.window = window;
        event.type = at == 0 ? atoms[Atoms::InfoBegin] : atoms[Atoms::Info];
        const qsizetype piece = std::min<qsizetype>(kPieceBytes, message.size() - at);
        std::memcpy(event.data.data8, message.constData() + at, static_cast<std::size_t>(piece));
        xcb_send_event(connection, 0, root, XCB_EVENT_MASK_PROPERTY_CHANGE,
                       reinterpret_cast<const char*>(&event));
    }
}

void requestActivation(xcb_connection_t* connection, const Atoms& atoms, xcb_window_t root,
                       xcb_window_t window, quint32 time)
{
    xcb_client_message_event_t event{};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = window;
    event.type = atoms[Atoms::ActiveWindow];
    event.data.data32[0] = 1; // asked by a program, not a pager
    event.data.data32[1] = time;
    event.data.data32[2] = XCB_WINDOW_NONE;
    xcb_send_event(connection, 0, root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&event));
}

} // namespace

std::optional<quint32> startupIdTime(QStringView id)
{
    const qsizetype at = id.lastIndexOf(u"_TIME");
    if (at < 0)
        return std::nullopt;
    const QStringView digits = id.sliced(at + 5);
    if (digits.isEmpty() || digits.size() > 10 ||
        !std::all_of(digits.begin(), digits.end(), [](QChar c) { return c >= u'0' && c <= u'9'; }))
        return std::nullopt;
    const qulonglong time = digits.toULongLong();
    if (time > 0xffffffffULL)
        return std::nullopt;
    return static_cast<quint32>(time);
}

QByteArray startupRemoveMessage(const QString& id)
{
    const QByteArray bytes = id.toUtf8();
    QByteArray value;
    const bool quoted = bytes.contains(' ') || bytes.contains('"') || bytes.contains('\\');
    for (const char c : bytes) {
        if (c == '"' || c == '\\')
            value += '\\';
        value += c;
    }
    if (quoted)
        value = '"' + value + '"';
    return "remove: ID=" + value + '\0';
}

void activateForLaunch(QWindow& window, const QString& token)
{
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
    if (token.isEmpty() || !connection || !window.handle()) {
        window.requestActivate();
        return;
    }
    const xcb_window_t id = static_cast<xcb_window_t>(window.winId());
    const Atoms atoms(connection);
    const xcb_window_t root = rootOf(connection, id);
    if (!atoms.complete() || root == XCB_WINDOW_NONE) {
        window.requestActivate();
        return;
    }
    // In this order: a window manager that activates a window when it names a pending launch sees the
    // name before the launch ends.
    const QByteArray utf8 = token.toUtf8();
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, atoms[Atoms::StartupId],
                        atoms[Atoms::Utf8String], 8, static_cast<uint32_t>(utf8.size()), utf8.constData());
    sendStartupMessage(connection, atoms, root, id, startupRemoveMessage(token));
    if (const std::optional<quint32> time = startupIdTime(token))
        requestActivation(connection, atoms, root, id, *time);
    else
        window.requestActivate();
    xcb_flush(connection);
}

} // namespace zendrix
