#pragma once

// The test's hands on the X screen the player runs on, as a user's would be: it finds the player's
// windows, clicks, types, and drops files as a file manager does (the XDND protocol, the test being the
// drag's source), and reads back the pixels the player shows. No window manager runs on the test's
// screen, so what would be the manager's business (focus on a new window) is the player's own.
#include <QColor>
#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QStringList>
#include <cstdint>
#include <optional>

struct xcb_connection_t;

namespace zendrix::testing {

class DesktopDriver
{
public:
    DesktopDriver();
    ~DesktopDriver();
    DesktopDriver(const DesktopDriver&) = delete;
    DesktopDriver& operator=(const DesktopDriver&) = delete;
    bool isConnected() const { return m_connection != nullptr; }

    struct Window
    {
        std::uint32_t id = 0;
        QRect geometry; // on the screen
    };
    // The shown top-level windows of process `pid`, in stacking order.
    QList<Window> windows(qint64 pid);
    // The shown window of process `pid` of that size, waiting up to `timeoutMs` for it.
    std::optional<Window> waitForWindow(qint64 pid, QSize size, int timeoutMs = 15000);
    // A shown window of process `pid` that is none of `known`, waiting for it.
    std::optional<Window> waitForNewWindow(qint64 pid, const QList<Window>& known, int timeoutMs = 15000);
    // Waits until no shown window of `pid` has that id.
    bool waitUntilGone(qint64 pid, std::uint32_t id, int timeoutMs = 15000);

    // Moves the pointer to a point of the screen.
    void moveTo(QPoint at);
    // A click of `button` (1 left, 3 right) at a point of the screen.
    void click(QPoint at, int button = 1);
    // Gives the keyboard to the window, as a window manager does for a window that comes up.
    void focus(const Window& window);
    // Presses and releases a key (an X keysym, such as 0xff0d for Return), with Shift held when asked.
    void key(std::uint32_t keysym, bool shift = false);
    // The colour the screen shows at a point.
    QColor pixel(QPoint at);

    // Drags the files from nowhere onto `target` and drops them at `at`, as a file manager does: enter,
    // position, drop, and the file list handed over when the target asks. True when the target took the
    // drop and said it had finished with it.
    bool dropFiles(const Window& target, QPoint at, const QStringList& paths);

private:
    std::uint32_t atom(const char* name);
    void flush();
    xcb_connection_t* m_connection = nullptr;
    std::uint32_t m_root = 0;
};

} // namespace zendrix::testing
