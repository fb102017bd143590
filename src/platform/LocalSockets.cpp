#include "LocalSockets.h"

#include <cerrno>
#include <cstddef>
#include <cstring>
#include <linux/netlink.h>
#include <linux/rtnetlink.h>
#include <linux/sock_diag.h>
#include <linux/unix_diag.h>
#include <netinet/tcp.h>

namespace zendrix {

namespace {

std::optional<LocalAddress> addressOf(QByteArrayView bytes, std::size_t offset)
{
    LocalAddress result;
    if (bytes.contains('\0') ||
        offset + static_cast<std::size_t>(bytes.size()) >= sizeof result.address.sun_path)
        return std::nullopt;
    result.address.sun_family = AF_UNIX;
    std::memcpy(result.address.sun_path + offset, bytes.data(), static_cast<std::size_t>(bytes.size()));
    result.length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + offset +
                                           static_cast<std::size_t>(bytes.size()));
    return result;
}

constexpr std::size_t align4(std::size_t length)
{
    return (length + 3) & ~std::size_t(3);
}

// What one reply of the diagnostics dump says of a socket: its name, as the kernel gives it (an abstract
// name with its leading NUL), and its user.
struct Described
{
    QByteArrayView name;
    std::optional<uid_t> user;
};

Described describe(QByteArrayView reply)
{
    Described result;
    std::size_t at = align4(sizeof(unix_diag_msg));
    while (at + sizeof(rtattr) <= static_cast<std::size_t>(reply.size())) {
        rtattr attribute{};
        std::memcpy(&attribute, reply.data() + at, sizeof attribute);
        if (attribute.rta_len < sizeof attribute ||
            at + attribute.rta_len > static_cast<std::size_t>(reply.size()))
            break;
        const QByteArrayView payload =
            reply.sliced(static_cast<qsizetype>(at + align4(sizeof attribute)),
                         static_cast<qsizetype>(attribute.rta_len - sizeof attribute));
        if (attribute.rta_type == UNIX_DIAG_NAME)
            result.name = payload;
        if (attribute.rta_type == UNIX_DIAG_UID && payload.size() >= 4) {
            std::uint32_t user = 0;
            std::memcpy(&user, payload.data(), sizeof user);
            result.user = user;
        }
        at += align4(attribute.rta_len);
    }
    return result;
}

} // namespace

std::optional<LocalAddress> LocalAddress::ofPath(const QByteArray& path)
{
    return path.isEmpty() ? std::nullopt : addressOf(path, 0);
}

std::optional<LocalAddress> LocalAddress::ofAbstractName(const QByteArray& name)
{
    // An abstract name starts with a NUL byte.
    return addressOf(name, 1);
}

UniqueFd localStreamSocket()
{
    return UniqueFd(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
}

std::optional<uid_t> peerUser(int socket)
{
    ucred peer{};
    socklen_t length = sizeof peer;
    if (::getsockopt(socket, SOL_SOCKET, SO_PEERCRED, &peer, &length) != 0)
        return std::nullopt;
    return peer.uid;
}

std::optional<uid_t> abstractNameOwner(QByteArrayView name)
{
    const UniqueFd diagnostics(::socket(AF_NETLINK, SOCK_DGRAM | SOCK_CLOEXEC, NETLINK_SOCK_DIAG));
    if (!diagnostics.isValid())
        return std::nullopt;
    // The kernel answers at once; the bound only guards against a kernel that never does.
    const timeval bound{1, 0};
    (void)::setsockopt(diagnostics.get(), SOL_SOCKET, SO_RCVTIMEO, &bound, sizeof bound);
    struct
    {
        nlmsghdr header;
        unix_diag_req request;
    } ask{};
    ask.header.nlmsg_len = sizeof ask;
    ask.header.nlmsg_type = SOCK_DIAG_BY_FAMILY;
    ask.header.nlmsg_flags = NLM_F_REQUEST | NLM_F_DUMP;
    ask.request.sdiag_family = AF_UNIX;
    // A name is held by a socket bound and listened on, or bound only.
    ask.request.udiag_states = (1u << TCP_LISTEN) | (1u << TCP_CLOSE);
    ask.request.udiag_show = UDIAG_SHOW_NAME | UDIAG_SHOW_UID;
    if (::send(diagnostics.get(), &ask, sizeof ask, 0) != static_cast<ssize_t>(sizeof ask))
        return std::nullopt;

    const QByteArray wanted = QByteArray(1, '\0') + name.toByteArray();
    alignas(nlmsghdr) char buffer[32 * 1024];
    for (;;) {
        const ssize_t received = ::recv(diagnostics.get(), buffer, sizeof buffer, 0);
        if (received < 0 && errno == EINTR)
            continue;
        if (received <= 0)
            return std::nullopt;
        std::size_t at = 0;
        while (at + sizeof(nlmsghdr) <= static_cast<std::size_t>(received)) {
            nlmsghdr header{};
            std::memcpy(&header, buffer + at, sizeof header);
            if (header.nlmsg_len < sizeof header ||
                at + header.nlmsg_len > static_cast<std::size_t>(received))
                return std::nullopt;
            if (header.nlmsg_type == NLMSG_DONE || header.nlmsg_type == NLMSG_ERROR)
                return std::nullopt;
            const QByteArrayView reply(buffer + at + align4(sizeof header),
                                       static_cast<qsizetype>(header.nlmsg_len - align4(sizeof header)));
            if (static_cast<std::size_t>(reply.size()) >= sizeof(unix_diag_msg)) {
                // Closing the socket ends the dump: the rest need not be read.
                if (const Described socket = describe(reply); socket.name == QByteArrayView(wanted))
                    return socket.user;
            }
            at += align4(header.nlmsg_len);
        }
    }
}

} // namespace zendrix
