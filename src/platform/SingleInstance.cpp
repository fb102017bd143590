#include "SingleInstance.h"

#include <QCryptographicHash>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace zendrix {

std::unique_ptr<SingleInstance> SingleInstance::claim(const QString& programFolder)
{
    const QString canonical = QFileInfo(programFolder).canonicalFilePath();
    const QByteArray folderHash =
        QCryptographicHash::hash((canonical.isEmpty() ? programFolder : canonical).toUtf8(), QCryptographicHash::Sha1)
            .toHex()
            .left(24);
    const QByteArray name = "zendrix-" + QByteArray::number(getuid()) + "-" + folderHash;

    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return std::unique_ptr<SingleInstance>(new SingleInstance(-1));

    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    // An abstract name starts with a NUL byte and lives only in the kernel.
    std::memcpy(address.sun_path + 1, name.constData(), static_cast<std::size_t>(name.size()));
    const auto length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + static_cast<std::size_t>(name.size()));
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&address), length) == 0)
        return std::unique_ptr<SingleInstance>(new SingleInstance(fd));

    const int error = errno;
    ::close(fd);
    if (error == EADDRINUSE)
        return nullptr;
    return std::unique_ptr<SingleInstance>(new SingleInstance(-1));
}

SingleInstance::~SingleInstance()
{
    if (m_socket >= 0)
        ::close(m_socket);
}

}  // namespace zendrix
