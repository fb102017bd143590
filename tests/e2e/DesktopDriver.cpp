#include "DesktopDriver.h"

#include "support/WaitFor.h"

#include <QThread>
#include <QUrl>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <xcb/xcb.h>
#include <xcb/xtest.h>

namespace zendrix::testing {

namespace {

// xcb's replies are malloc'd and freed with free().
template <typename Reply> struct Owned
{
    Reply* reply;
    explicit Owned(Reply* r) : reply(r) {}
    ~Owned() { std::free(reply); }
    Reply* operator->() const { return reply; }
    explicit operator bool() const { return reply != nullptr; }
};

constexpr std::uint32_t kShiftKeysym = 0xffe1;

} // namespace

DesktopDriver::DesktopDriver()
{
    m_connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(m_connection)) {
        xcb_disconnect(m_connection);
        m_connection = nullptr;
        return;
    }
    m_root = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data->root;
}

DesktopDriver::~DesktopDriver()
{
    if (m_connection)
        xcb_disconnect(m_connection);
}

std::uint32_t DesktopDriver::atom(const char* name)
{
    Owned reply(xcb_intern_atom_reply(
        m_connection, xcb_intern_atom(m_connection, 0, static_cast<uint16_t>(std::strlen(name)), name),
        nullptr));
    return reply ? reply->atom : std::uint32_t(XCB_ATOM_NONE);
}

// A round trip: the server has acted on everything sent before it returns.
void DesktopDriver::flush()
{
    std::free(xcb_get_input_focus_reply(m_connection, xcb_get_input_focus(m_connection), nullptr));
}

QList<DesktopDriver::Window> DesktopDriver::windows(qint64 pid)
{
    QList<Window> found;
    const xcb_atom_t wmPid = atom("_NET_WM_PID");
    Owned tree(xcb_query_tree_reply(m_connection, xcb_query_tree(m_connection, m_root), nullptr));
    if (!tree)
        return found;
    const xcb_window_t* children = xcb_query_tree_children(tree.reply);
    for (int i = 0; i < xcb_query_tree_children_length(tree.reply); ++i) {
        const xcb_window_t window = children[i];
        Owned attributes(xcb_get_window_attributes_reply(
            m_connection, xcb_get_window_attributes(m_connection, window), nullptr));
        Owned geometry(xcb_get_geometry_reply(m_connection, xcb_get_geometry(m_connection, window), nullptr));
        Owned owner(xcb_get_property_reply(
            m_connection, xcb_get_property(m_connection, 0, window, wmPid, XCB_ATOM_CARDINAL, 0, 1),
            nullptr));
        if (attributes && geometry && owner && attributes->map_state == XCB_MAP_STATE_VIEWABLE &&
            xcb_get_property_value_length(owner.reply) == 4 &&
            *static_cast<const uint32_t*>(xcb_get_property_value(owner.reply)) == pid)
            found.append({window, QRect(geometry->x, geometry->y, geometry->width, geometry->height)});
    }
    return found;
}

std::optional<DesktopDriver::Window> DesktopDriver::waitForWindow(qint64 pid, QSize size, int timeoutMs)
{
    std::optional<Window> found;
    test::waitFor(
        [&] {
            for (const Window& window : windows(pid)) {
                if (window.geometry.size() == size)
                    found = window;
            }
            return found.has_value();
        },
        timeoutMs);
    return found;
}

std::optional<DesktopDriver::Window> DesktopDriver::waitForNewWindow(qint64 pid, const QList<Window>& known,
                                                                     int timeoutMs)
{
    std::optional<Window> found;
    test::waitFor(
        [&] {
            for (const Window& window : windows(pid)) {
                const bool old = std::any_of(known.cbegin(), known.cend(),
                                             [&window](const Window& k) { return k.id == window.id; });
                if (!old)
                    found = window;
            }
            return found.has_value();
        },
        timeoutMs);
    return found;
}

bool DesktopDriver::waitUntilGone(qint64 pid, std::uint32_t id, int timeoutMs)
{
    return test::waitFor(
        [&] {
            const QList<Window> shown = windows(pid);
            return std::none_of(shown.cbegin(), shown.cend(), [id](const Window& w) { return w.id == id; });
        },
        timeoutMs);
}

void DesktopDriver::moveTo(QPoint at)
{
    xcb_test_fake_input(m_connection, XCB_MOTION_NOTIFY, 0, XCB_CURRENT_TIME, m_root,
                        static_cast<int16_t>(at.x()), static_cast<int16_t>(at.y()), 0);
    flush();
}

void DesktopDriver::focus(const Window& window)
{
    xcb_set_input_focus(m_connection, XCB_INPUT_FOCUS_POINTER_ROOT, window.id, XCB_CURRENT_TIME);
    flush();
}

void DesktopDriver::click(QPoint at, int button)
{
    moveTo(at);
    const auto detail = static_cast<uint8_t>(button);
    xcb_test_fake_input(m_connection, XCB_BUTTON_PRESS, detail, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
    xcb_test_fake_input(m_connection, XCB_BUTTON_RELEASE, detail, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
    flush();
}

void DesktopDriver::key(std::uint32_t keysym, bool shift)
{
    const xcb_setup_t* setup = xcb_get_setup(m_connection);
    const int first = setup->min_keycode;
    const int count = setup->max_keycode - setup->min_keycode + 1;
    Owned mapping(xcb_get_keyboard_mapping_reply(m_connection,
                                                 xcb_get_keyboard_mapping(m_connection,
                                                                          static_cast<xcb_keycode_t>(first),
                                                                          static_cast<uint8_t>(count)),
                                                 nullptr));
    if (!mapping)
        return;
    const xcb_keysym_t* keysyms = xcb_get_keyboard_mapping_keysyms(mapping.reply);
    const int perCode = mapping->keysyms_per_keycode;
    auto keycode = [&](std::uint32_t wanted) -> uint8_t {
        for (int code = 0; code < count; ++code) {
            for (int column = 0; column < perCode; ++column) {
                if (keysyms[code * perCode + column] == wanted)
                    return static_cast<uint8_t>(first + code);
            }
        }
        return 0;
    };
    const uint8_t shiftCode = keycode(kShiftKeysym);
    const uint8_t code = keycode(keysym);
    if (shift)
        xcb_test_fake_input(m_connection, XCB_KEY_PRESS, shiftCode, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
    xcb_test_fake_input(m_connection, XCB_KEY_PRESS, code, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
    xcb_test_fake_input(m_connection, XCB_KEY_RELEASE, code, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
    if (shift)
        xcb_test_fake_input(m_connection, XCB_KEY_RELEASE, shiftCode, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
    flush();
}

QColor DesktopDriver::pixel(QPoint at)
{
    Owned image(xcb_get_image_reply(m_connection,
                                    xcb_get_image(m_connection, XCB_IMAGE_FORMAT_Z_PIXMAP, m_root,
                                                  static_cast<int16_t>(at.x()), static_cast<int16_t>(at.y()),
                                                  1, 1, ~0u),
                                    nullptr));
    if (!image || xcb_get_image_data_length(image.reply) < 4)
        return {};
    const uint8_t* bgrx = xcb_get_image_data(image.reply);
    return QColor(bgrx[2], bgrx[1], bgrx[0]);
}

bool DesktopDriver::dropFiles(const Window& target, QPoint at, const QStringList& paths)
{
    const xcb_atom_t selection = atom("XdndSelection");
    const xcb_atom_t uriList = atom("text/uri-list");
    const xcb_atom_t targets = atom("TARGETS");
    const xcb_atom_t copy = atom("XdndActionCopy");
    const xcb_atom_t status = atom("XdndStatus");
    const xcb_atom_t finished = atom("XdndFinished");
    QByteArray uris;
    for (const QString& path : paths)
        uris += QUrl::fromLocalFile(path).toEncoded() + "\r\n";

    // The drag's source: a window of the test's own that owns the drag's selection.
    const xcb_window_t source = xcb_generate_id(m_connection);
    xcb_create_window(m_connection, XCB_COPY_FROM_PARENT, source, m_root, -10, -10, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, 0, nullptr);
    xcb_set_selection_owner(m_connection, source, selection, XCB_CURRENT_TIME);
    const auto send = [&](const char* type, std::uint32_t d1, std::uint32_t d2, std::uint32_t d3,
                          std::uint32_t d4) {
        xcb_client_message_event_t event{};
        event.response_type = XCB_CLIENT_MESSAGE;
        event.format = 32;
        event.window = target.id;
        event.type = atom(type);
        event.data.data32[0] = source;
        event.data.data32[1] = d1;
        event.data.data32[2] = d2;
        event.data.data32[3] = d3;
        event.data.data32[4] = d4;
        xcb_send_event(m_connection, 0, target.id, XCB_EVENT_MASK_NO_EVENT,
                       reinterpret_cast<const char*>(&event));
        flush();
    };
    // Serves the target's requests for the files until a message of type `awaited` comes; its data.
    const auto serveUntil = [&](xcb_atom_t awaited) -> std::optional<std::uint32_t> {
        std::optional<std::uint32_t> answer;
        test::waitFor(
            [&] {
                while (xcb_generic_event_t* event = xcb_poll_for_event(m_connection)) {
                    const int type = event->response_type & ~0x80;
                    if (type == XCB_CLIENT_MESSAGE) {
                        const auto* message = reinterpret_cast<xcb_client_message_event_t*>(event);
                        if (message->type == awaited)
                            answer = message->data.data32[1];
                    } else if (type == XCB_SELECTION_REQUEST) {
                        const auto* request = reinterpret_cast<xcb_selection_request_event_t*>(event);
                        const xcb_atom_t property = request->property ? request->property : request->target;
                        xcb_selection_notify_event_t notify{};
                        notify.response_type = XCB_SELECTION_NOTIFY;
                        notify.time = request->time;
                        notify.requestor = request->requestor;
                        notify.selection = request->selection;
                        notify.target = request->target;
                        notify.property = property;
                        if (request->target == uriList) {
                            xcb_change_property(m_connection, XCB_PROP_MODE_REPLACE, request->requestor,
                                                property, uriList, 8, static_cast<uint32_t>(uris.size()),
                                                uris.constData());
                        } else if (request->target == targets) {
                            const xcb_atom_t offered[] = {targets, uriList};
                            xcb_change_property(m_connection, XCB_PROP_MODE_REPLACE, request->requestor,
                                                property, XCB_ATOM_ATOM, 32, 2, offered);
                        } else {
                            notify.property = XCB_NONE;
                        }
                        xcb_send_event(m_connection, 0, request->requestor, XCB_EVENT_MASK_NO_EVENT,
                                       reinterpret_cast<const char*>(&notify));
                        flush();
                    }
                    std::free(event);
                }
                return answer.has_value();
            },
            10000);
        return answer;
    };

    send("XdndEnter", 5u << 24, uriList, 0, 0);
    send("XdndPosition", 0, (static_cast<std::uint32_t>(at.x()) << 16) | static_cast<std::uint32_t>(at.y()),
         XCB_CURRENT_TIME, copy);
    const auto accepted = serveUntil(status);
    bool dropped = false;
    if (accepted && (*accepted & 1u)) {
        send("XdndDrop", 0, XCB_CURRENT_TIME, 0, 0);
        dropped = serveUntil(finished).has_value();
    } else {
        send("XdndLeave", 0, 0, 0, 0);
    }
    xcb_destroy_window(m_connection, source);
    flush();
    return dropped;
}

} // namespace zendrix::testing
