#include "SingleInstance.h"

#include "LocalSockets.h"

#include <QCryptographicHash>
#include <QFileInfo>
#include <QtEndian>
#include <cerrno>
#include <fcntl.h>
#include <limits>
#include <optional>
#include <poll.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>

namespace zendrix {

namespace {

using Clock = std::chrono::steady_clock;

// How many later starts may wait to be taken; more than enough for a file manager opening a selection
// of files one process each.
constexpr int kBacklog = 64;

QByteArray folderHash(const QString& programFolder)
{
    const QString canonical = QFileInfo(programFolder).canonicalFilePath();
    return QCryptographicHash::hash((canonical.isEmpty() ? programFolder : canonical).toUtf8(),
                                    QCryptographicHash::Sha1)
        .toHex()
        .left(24);
}

// A folder only this user may enter: a real folder (no link), the user's own, closed to everyone else.
bool isPrivateFolder(const QByteArray& path)
{
    struct stat info
    {
    };
    return ::lstat(path.constData(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == ::geteuid() &&
           (info.st_mode & 077) == 0;
}

// The lock file and socket of a claim in the user's runtime folder.
struct RuntimePlace
{
    QByteArray lockPath;
    QByteArray socketPath;
    LocalAddress socket;
};

std::optional<RuntimePlace> runtimePlace(const QString& programFolder)
{
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    if (!runtime.startsWith('/') || !isPrivateFolder(runtime))
        return std::nullopt;
    const QByteArray folder = runtime + "/zendrix";
    // Made by the first start that finds it missing; every later start finds it there.
    if (::mkdir(folder.constData(), 0700) != 0 && errno != EEXIST)
        return std::nullopt;
    if (!isPrivateFolder(folder))
        return std::nullopt;
    const QByteArray base = folder + '/' + folderHash(programFolder);
    const std::optional<LocalAddress> socket = LocalAddress::ofPath(base + ".socket");
    if (!socket)
        return std::nullopt;
    return RuntimePlace{base + ".lock", base + ".socket", *socket};
}

// How a knock on a claim's socket went.
enum class Knock {
    Taken,        // our own player answered: it has the message (or, with no message, it is there)
    Dropped,      // our own player took the connection but gave no receipt: it may have just ended
    Failed,       // the system failed, or the message is too long to send
    OtherUser,    // the socket belongs to another user: it is not our player
    NotListening, // bound but not listened on (a holder starting or ending), or no socket at all
    Busy,         // its queue of waiting starts is full
};

bool waitFor(int fd, short events, Clock::time_point deadline)
{
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0)
            return false;
        pollfd ready{fd, events, 0};
        const int n = ::poll(&ready, 1, static_cast<int>(left.count()));
        if (n > 0)
            return true;
        if (n < 0 && errno != EINTR)
            return false;
    }
}

bool writeWhole(int fd, const QByteArray& message, Clock::time_point deadline)
{
    qsizetype written = 0;
    while (written < message.size()) {
        const ssize_t n = ::send(fd, message.constData() + written,
                                 static_cast<std::size_t>(message.size() - written), MSG_NOSIGNAL);
        if (n > 0)
            written += n;
        else if (n < 0 && errno == EINTR)
            continue;
        else if (n == 0 || errno != EAGAIN || !waitFor(fd, POLLOUT, deadline))
            return false;
    }
    return true;
}

// Whether the holder says it has read the message whole.
bool receiptArrives(int fd, Clock::time_point deadline)
{
    for (;;) {
        char receipt = 0;
        const ssize_t n = ::recv(fd, &receipt, 1, 0);
        if (n == 1)
            return receipt == kHandOverReceipt;
        if (n < 0 && errno == EINTR)
            continue;
        if (n == 0 || errno != EAGAIN || !waitFor(fd, POLLIN, deadline))
            return false;
    }
}

Knock knock(const LocalAddress& address, const QByteArray* message, Clock::time_point deadline)
{
    const UniqueFd fd = localStreamSocket();
    if (!fd.isValid())
        return Knock::Failed;
    if (::connect(fd.get(), address.get(), address.length) != 0) {
        if (errno == ECONNREFUSED || errno == ENOENT)
            return Knock::NotListening;
        return errno == EAGAIN ? Knock::Busy : Knock::Failed;
    }
    if (peerUser(fd.get()) != ::geteuid())
        return Knock::OtherUser;
    if (!message)
        return Knock::Taken;
    if (message->size() > std::numeric_limits<quint32>::max())
        return Knock::Failed;
    QByteArray length(kHandOverLengthBytes, '\0');
    qToLittleEndian(static_cast<quint32>(message->size()), length.data());
    if (!writeWhole(fd.get(), length + *message, deadline))
        return Knock::Dropped;
    return receiptArrives(fd.get(), deadline) ? Knock::Taken : Knock::Dropped;
}

UniqueFd listenAt(const LocalAddress& address)
{
    UniqueFd fd = localStreamSocket();
    if (!fd.isValid() || ::bind(fd.get(), address.get(), address.length) != 0)
        return {};
    // Later starts queue up here until the program takes them, once its event loop runs.
    if (::listen(fd.get(), kBacklog) != 0)
        return {};
    return fd;
}

} // namespace

// One try at a program folder's claim.
class Rendezvous
{
public:
    enum class Result { Claimed, HandedOver, Held, Refused, Wait, Unclaimed };

    explicit Rendezvous(const QString& programFolder)
        : m_programFolder(programFolder), m_runtime(runtimePlace(programFolder))
    {}

    // With no message, a holder of this user is only found (Held), not sent anything.
    Result attempt(const QByteArray* message, Clock::time_point deadline)
    {
        return m_runtime ? attemptInRuntimeFolder(message, deadline) : attemptAbstract(message, deadline);
    }

    std::unique_ptr<SingleInstance> takeInstance() { return std::move(m_instance); }

private:
    Result attemptInRuntimeFolder(const QByteArray* message, Clock::time_point deadline)
    {
        UniqueFd lock(
            ::open(m_runtime->lockPath.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600));
        if (!lock.isValid())
            return Result::Unclaimed;
        if (::flock(lock.get(), LOCK_EX | LOCK_NB) != 0) {
            if (errno != EWOULDBLOCK)
                return Result::Unclaimed;
            return fromKnock(knock(m_runtime->socket, message, deadline), message);
        }
        // Ours: what a holder that ended by a crash left behind goes. A file a cleaner of the runtime
        // folder must keep carries the sticky bit.
        struct stat info
        {
        };
        if (::fstat(lock.get(), &info) != 0 || !S_ISREG(info.st_mode))
            return Result::Unclaimed;
        if ((info.st_mode & S_ISVTX) == 0)
            (void)::fchmod(lock.get(), S_ISVTX | 0600);
        (void)::unlink(m_runtime->socketPath.constData());
        UniqueFd socket = listenAt(m_runtime->socket);
        if (!socket.isValid())
            return Result::Unclaimed;
        (void)::chmod(m_runtime->socketPath.constData(), S_ISVTX | 0600);
        m_instance.reset(new SingleInstance(std::move(lock), std::move(socket), m_runtime->socketPath));
        return Result::Claimed;
    }

    Result attemptAbstract(const QByteArray* message, Clock::time_point deadline)
    {
        for (int index = 0; index < SingleInstance::kAbstractNames; ++index) {
            const QByteArray name = SingleInstance::abstractName(m_programFolder, index);
            const std::optional<LocalAddress> address = LocalAddress::ofAbstractName(name);
            if (!address)
                return Result::Unclaimed;
            UniqueFd socket = localStreamSocket();
            if (!socket.isValid())
                return Result::Unclaimed;
            if (::bind(socket.get(), address->get(), address->length) == 0) {
                if (::listen(socket.get(), kBacklog) != 0)
                    return Result::Unclaimed;
                m_instance.reset(new SingleInstance({}, std::move(socket), {}));
                return Result::Claimed;
            }
            if (errno != EADDRINUSE)
                return Result::Unclaimed;
            Knock answer = knock(*address, message, deadline);
            // A name that refuses connections, or whose queue is full, is held by a player starting or
            // busy, or by anything else of anyone (a queue nobody takes from fills at once): the system
            // tells whose it is.
            if (answer == Knock::NotListening || answer == Knock::Busy) {
                const std::optional<uid_t> owner = abstractNameOwner(name);
                if (owner && *owner != ::geteuid())
                    answer = Knock::OtherUser;
            }
            if (answer != Knock::OtherUser)
                return fromKnock(answer, message);
        }
        // Other users hold every name: this start is not a second player of this user's.
        return Result::Unclaimed;
    }

    static Result fromKnock(Knock answer, const QByteArray* message)
    {
        switch (answer) {
        case Knock::Taken:
            return message ? Result::HandedOver : Result::Held;
        case Knock::NotListening:
        case Knock::Busy:
        // Again: a holder that ends lets go of the claim, and the next try takes it.
        case Knock::Dropped:
            return Result::Wait;
        case Knock::OtherUser:
            // In the runtime folder only this user can make a socket: whatever answered as another
            // user is not to be trusted with the message.
        case Knock::Failed:
            break;
        }
        return Result::Refused;
    }

    QString m_programFolder;
    std::optional<RuntimePlace> m_runtime;
    std::unique_ptr<SingleInstance> m_instance;
};

SingleInstance::SingleInstance(UniqueFd lock, UniqueFd socket, QByteArray socketPath)
    : m_lock(std::move(lock)), m_socket(std::move(socket)), m_socketPath(std::move(socketPath))
{}

SingleInstance::~SingleInstance()
{
    if (!m_socketPath.isEmpty())
        (void)::unlink(m_socketPath.constData());
    m_socket.reset();
    m_lock.reset();
}

QByteArray SingleInstance::abstractName(const QString& programFolder, int index)
{
    QByteArray name = "zendrix-" + QByteArray::number(::getuid()) + "-" + folderHash(programFolder);
    if (index > 0)
        name += "-" + QByteArray::number(index + 1);
    return name;
}

std::unique_ptr<SingleInstance> SingleInstance::claim(const QString& programFolder)
{
    Rendezvous rendezvous(programFolder);
    switch (rendezvous.attempt(nullptr, Clock::now())) {
    case Rendezvous::Result::Claimed:
        return rendezvous.takeInstance();
    case Rendezvous::Result::Unclaimed:
        return std::unique_ptr<SingleInstance>(new SingleInstance({}, {}, {}));
    default:
        // Held, or taken by a holder not listening yet.
        return nullptr;
    }
}

SingleInstance::Start SingleInstance::claimOrHandOver(const QString& programFolder, const QByteArray& message,
                                                      std::chrono::milliseconds patience)
{
    const auto deadline = Clock::now() + patience;
    Rendezvous rendezvous(programFolder);
    for (;;) {
        switch (rendezvous.attempt(&message, deadline)) {
        case Rendezvous::Result::Claimed:
            return {rendezvous.takeInstance(), false};
        case Rendezvous::Result::Unclaimed:
            return {std::unique_ptr<SingleInstance>(new SingleInstance({}, {}, {})), false};
        case Rendezvous::Result::HandedOver:
            return {nullptr, true};
        case Rendezvous::Result::Held:
        case Rendezvous::Result::Refused:
            return {};
        case Rendezvous::Result::Wait:
            break;
        }
        if (Clock::now() >= deadline)
            return {};
        // The holder is between taking the claim and listening, busy, or ending: a moment settles which.
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

}  // namespace zendrix
