#pragma once

#include "UniqueFd.h"

#include <QByteArray>
#include <QByteArrayView>
#include <optional>
#include <sys/socket.h>
#include <sys/types.h>
#include <sys/un.h>

namespace zendrix {

// The address of a local (AF_UNIX) stream socket: a path in the file system, or an abstract name, which
// lives only in the kernel, touches no file and goes when its holder ends, but carries no rights: any
// user may take any abstract name first.
struct LocalAddress
{
    sockaddr_un address{};
    socklen_t length = 0;

    // Nothing when the path or name does not fit the address (107 bytes) or holds a NUL.
    [[nodiscard]] static std::optional<LocalAddress> ofPath(const QByteArray& path);
    [[nodiscard]] static std::optional<LocalAddress> ofAbstractName(const QByteArray& name);

    const sockaddr* get() const { return reinterpret_cast<const sockaddr*>(&address); }
};

// A new stream socket, non-blocking and closed on exec; invalid when the system has none to give.
[[nodiscard]] UniqueFd localStreamSocket();

// The user of the process at the other end of a connected socket; nothing when the system does not say.
[[nodiscard]] std::optional<uid_t> peerUser(int socket);

// The user who made the stream socket bound to abstract `name` (without its leading NUL), as the
// kernel's socket diagnostics report it. Nothing when no socket has the name or the system does not say
// (no diagnostics for local sockets in this kernel). It costs a walk over every local socket of the
// system: for rare questions only, such as who holds a name that refuses connections.
[[nodiscard]] std::optional<uid_t> abstractNameOwner(QByteArrayView name);

} // namespace zendrix
