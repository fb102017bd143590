#include "SingleInstance.h"

#include <QCryptographicHash>
#include <QFileInfo>
#include <QSocketNotifier>
#include <cerrno>
#include <cstring>
#include <optional>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

namespace zendrix {

namespace {

// How many later starts may wait to be taken; more than enough for a file manager opening a selection
// of files one process each.
constexpr int kBacklog = 64;
// Senders served at once; further ones wait in the queue until one of them has finished.
constexpr int kMaxOpenConnections = 8;

struct Address
{
    sockaddr_un address{};
    socklen_t length = 0;
};

Address addressOf(const QString& programFolder)
{
    const QString canonical = QFileInfo(programFolder).canonicalFilePath();
    const QByteArray folderHash =
        QCryptographicHash::hash((canonical.isEmpty() ? programFolder : canonical).toUtf8(),
                                 QCryptographicHash::Sha1)
            .toHex()
            .left(24);
    const QByteArray name = "zendrix-" + QByteArray::number(getuid()) + "-" + folderHash;
    Address result;
    result.address.sun_family = AF_UNIX;
    // An abstract name starts with a NUL byte and lives only in the kernel.
    std::memcpy(result.address.sun_path + 1, name.constData(), static_cast<std::size_t>(name.size()));
    result.length =
        static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + static_cast<std::size_t>(name.size()));
    return result;
}

bool sameUser(int socket)
{
    ucred peer{};
    socklen_t length = sizeof peer;
    return ::getsockopt(socket, SOL_SOCKET, SO_PEERCRED, &peer, &length) == 0 && peer.uid == getuid();
}

// The claim of `address`: a socket bound to it and listened on, or -1 when the system gives no answer
// either way; nothing when another instance holds the name.
std::optional<int> listenAt(const Address& address)
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0)
        return -1;
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&address.address), address.length) == 0) {
        // Later starts queue up here until the program takes them, once its event loop runs.
        if (::listen(fd, kBacklog) == 0)
            return fd;
        ::close(fd);
        return -1;
    }
    const int error = errno;
    ::close(fd);
    if (error == EADDRINUSE)
        return std::nullopt;
    return -1;
}

enum class Sent { Delivered, NotListening, Refused };

// Connects to the holder and writes the whole message, waiting for room until `deadline`.
Sent send(const Address& address, const QByteArray& message, std::chrono::steady_clock::time_point deadline)
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0)
        return Sent::Refused;
    struct Closer
    {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address.address), address.length) != 0)
        // Refused: the name is bound but not listened on yet, or its holder has just ended. Again: the
        // holder's queue of waiting starts is full.
        return errno == ECONNREFUSED || errno == EAGAIN ? Sent::NotListening : Sent::Refused;
    // Whoever holds the name of another user's player is not that player: nothing goes to them.
    if (!sameUser(fd))
        return Sent::Refused;
    qsizetype written = 0;
    while (written < message.size()) {
        const ssize_t n = ::send(fd, message.constData() + written,
                                 static_cast<std::size_t>(message.size() - written), MSG_NOSIGNAL);
        if (n > 0) {
            written += n;
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno != EAGAIN)
            return Sent::Refused;
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            return Sent::Refused;
        pollfd ready{fd, POLLOUT, 0};
        (void)::poll(&ready, 1, static_cast<int>(left.count()));
    }
    return Sent::Delivered;
}

}  // namespace

std::unique_ptr<SingleInstance> SingleInstance::claim(const QString& programFolder)
{
    const std::optional<int> fd = listenAt(addressOf(programFolder));
    return fd ? std::unique_ptr<SingleInstance>(new SingleInstance(*fd)) : nullptr;
}

SingleInstance::Start SingleInstance::claimOrHandOver(const QString& programFolder, const QByteArray& message,
                                                      std::chrono::milliseconds patience)
{
    const auto deadline = std::chrono::steady_clock::now() + patience;
    const Address address = addressOf(programFolder);
    for (;;) {
        if (const std::optional<int> fd = listenAt(address))
            return {std::unique_ptr<SingleInstance>(new SingleInstance(*fd)), false};
        switch (send(address, message, deadline)) {
        case Sent::Delivered:
            return {nullptr, true};
        case Sent::Refused:
            return {};
        case Sent::NotListening:
            break;
        }
        if (std::chrono::steady_clock::now() >= deadline)
            return {};
        // The holder is between taking the name and listening on it, or ending: a moment settles which.
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

SingleInstance::~SingleInstance()
{
    if (m_socket >= 0)
        ::close(m_socket);
}

// One sender: its bytes gather until it closes its end.
class HandOverListener::Connection : public QObject
{
public:
    Connection(HandOverListener& listener, int fd)
        : QObject(&listener), m_fd(fd), m_notifier(fd, QSocketNotifier::Read)
    {
        connect(&m_notifier, &QSocketNotifier::activated, this, [this, &listener] { readWaiting(listener); });
    }
    ~Connection() override
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }

    QByteArray bytes;

    void close()
    {
        m_notifier.setEnabled(false);
        ::close(m_fd);
        m_fd = -1;
    }

private:
    void readWaiting(HandOverListener& listener)
    {
        char buffer[64 * 1024];
        for (;;) {
            const ssize_t n = ::recv(m_fd, buffer, sizeof buffer, 0);
            if (n > 0) {
                bytes.append(buffer, n);
                if (bytes.size() > listener.m_maxBytes)
                    return listener.finish(this, false);
                continue;
            }
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
                return;
            return listener.finish(this, n == 0);
        }
    }

    int m_fd;
    QSocketNotifier m_notifier;
};

HandOverListener::HandOverListener(const SingleInstance& instance, qsizetype maxBytes,
                                   std::function<void(const QByteArray&)> received)
    : m_socket(instance.socket()), m_maxBytes(maxBytes), m_received(std::move(received))
{
    if (m_socket < 0)
        return;
    m_waiting = new QSocketNotifier(m_socket, QSocketNotifier::Read, this);
    connect(m_waiting, &QSocketNotifier::activated, this, &HandOverListener::acceptWaiting);
}

HandOverListener::~HandOverListener() = default;

void HandOverListener::acceptWaiting()
{
    while (m_open < kMaxOpenConnections) {
        const int fd = ::accept4(m_socket, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (fd < 0) {
            if (errno == EINTR || errno == ECONNABORTED)
                continue;
            return;
        }
        if (!sameUser(fd)) {
            ::close(fd);
            continue;
        }
        ++m_open;
        new Connection(*this, fd);
    }
    // The queue is left to wait; the socket stays readable meanwhile, so it is not watched until a
    // sender has finished.
    m_waiting->setEnabled(false);
}

void HandOverListener::finish(Connection* connection, bool deliver)
{
    connection->close();
    --m_open;
    m_waiting->setEnabled(true);
    const QByteArray bytes = std::move(connection->bytes);
    connection->deleteLater();
    // Last: what the message asks for may open a message box with an event loop of its own.
    if (deliver && m_received)
        m_received(bytes);
}

}  // namespace zendrix
