#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <optional>

class QWindow;

namespace zendrix {

// A program started from a launcher carries the launch's token: a startup id on X11 (DESKTOP_STARTUP_ID,
// "<unique>_TIME<X server time of the click>"), an activation token on Wayland (XDG_ACTIVATION_TOKEN), the
// two being one pool of tokens where X11 programs run on a Wayland desktop. A desktop that keeps programs
// from taking the focus on their own lets a window come to the front with the token of a launch that the
// user asked for: the window names the token in its _NET_STARTUP_ID, the launch's feedback is ended with
// a "remove" message, and the activation request carries the launch's time.

// The X server time in a startup id: the decimal digits after its last "_TIME", up to its end; nothing
// when it has none or they do not fit 32 bits.
[[nodiscard]] std::optional<quint32> startupIdTime(QStringView id);

// The startup notification message that ends the launch `id`: "remove: ID=" and the id, quoted when it
// holds a space, a quote or a backslash (which are then escaped with a backslash), ended by a NUL.
[[nodiscard]] QByteArray startupRemoveMessage(const QString& id);

// Brings the shown top-level `window` to the front and makes it active for the launch of `token`. On X11
// with a token: sets the window's _NET_STARTUP_ID to it, ends its launch feedback, and asks the window
// manager for the activation with the token's time (or, with none, as Qt does). Without a token, or on
// another platform, it asks as Qt does (QWindow::requestActivate).
void activateForLaunch(QWindow& window, const QString& token);

} // namespace zendrix
