#include "OtherUserSockets.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <fcntl.h>
#include <grp.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace zendrix::test {

namespace {

constexpr uid_t kNobody = 65534;

struct Address
{
    sockaddr_un address{};
    socklen_t length = 0;
};

Address abstractAddress(const QByteArray& name)
{
    Address result;
    result.address.sun_family = AF_UNIX;
    const std::size_t size =
        std::min(static_cast<std::size_t>(name.size()), sizeof result.address.sun_path - 1);
    std::memcpy(result.address.sun_path + 1, name.constData(), size);
    result.length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + size);
    return result;
}

} // namespace

bool OtherUserSockets::possible()
{
    return ::geteuid() == 0;
}

OtherUserSockets::OtherUserSockets(const QList<QByteArray>& listened, const QList<QByteArray>& boundOnly)
{
    // Everything the child needs is made before the fork: after it, the child makes only system calls.
    std::vector<std::pair<Address, bool>> addresses;
    for (const QByteArray& name : listened)
        addresses.emplace_back(abstractAddress(name), true);
    for (const QByteArray& name : boundOnly)
        addresses.emplace_back(abstractAddress(name), false);
    int ready[2];
    int release[2];
    if (::pipe2(ready, O_CLOEXEC) != 0)
        return;
    if (::pipe2(release, O_CLOEXEC) != 0) {
        ::close(ready[0]);
        ::close(ready[1]);
        return;
    }
    m_pid = ::fork();
    if (m_pid == 0) {
        ::close(ready[0]);
        ::close(release[1]);
        char held = 0;
        if (::setgroups(0, nullptr) == 0 && ::setresgid(kNobody, kNobody, kNobody) == 0 &&
            ::setresuid(kNobody, kNobody, kNobody) == 0) {
            held = 1;
            for (const auto& [address, listen] : addresses) {
                const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
                if (fd < 0 ||
                    ::bind(fd, reinterpret_cast<const sockaddr*>(&address.address), address.length) != 0 ||
                    (listen && ::listen(fd, 8) != 0))
                    held = 0;
            }
        }
        (void)!::write(ready[1], &held, 1);
        char ignored;
        (void)!::read(release[0], &ignored, 1); // until the test lets go
        ::_exit(0);
    }
    ::close(ready[1]);
    ::close(release[0]);
    m_release = release[1];
    char held = 0;
    m_held = m_pid > 0 && ::read(ready[0], &held, 1) == 1 && held == 1;
    ::close(ready[0]);
}

OtherUserSockets::~OtherUserSockets()
{
    if (m_release >= 0)
        ::close(m_release);
    if (m_pid > 0)
        ::waitpid(m_pid, nullptr, 0);
}

} // namespace zendrix::test
