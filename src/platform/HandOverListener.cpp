#include "HandOverListener.h"

#include "LocalSockets.h"

#include <QSocketNotifier>
#include <QtEndian>
#include <algorithm>
#include <cerrno>
#include <sys/socket.h>

namespace zendrix {

// One sender: its bytes gather until its message is whole, it goes, or its time is up.
class HandOverListener::Connection : public QObject
{
public:
    Connection(HandOverListener& listener, UniqueFd fd)
        : QObject(&listener), m_listener(listener), m_fd(std::move(fd)),
          m_notifier(m_fd.get(), QSocketNotifier::Read)
    {
        connect(&m_notifier, &QSocketNotifier::activated, this, [this] {
            if (const std::optional<Ending> ending = m_closed ? std::nullopt : readWaiting())
                m_listener.finish(this, *ending);
        });
        m_deadline.setSingleShot(true);
        connect(&m_deadline, &QTimer::timeout, this, [this] {
            // What came meanwhile counts, even if the program was too busy to read it as it came.
            if (!m_closed)
                m_listener.finish(this, readWaiting().value_or(Ending::Stalled));
        });
        m_deadline.start(listener.m_deadline);
    }

    // The message, once it is whole.
    QByteArray message() const { return m_bytes.sliced(kHandOverLengthBytes); }

    // Stops watching and closes the connection, with the receipt for a whole message. The descriptor
    // itself stays open until the connection is deleted, so that its number cannot come back to another
    // connection while this one's watcher still exists.
    void close(Ending ending)
    {
        m_closed = true;
        m_notifier.setEnabled(false);
        m_deadline.stop();
        if (ending == Ending::Whole)
            (void)::send(m_fd.get(), &kHandOverReceipt, 1, MSG_NOSIGNAL | MSG_DONTWAIT);
        (void)::shutdown(m_fd.get(), SHUT_RDWR);
    }

private:
    // How the connection ended, if it has; nothing while more may come. The message's length comes
    // first: a message is whole once that many bytes have followed it.
    std::optional<Ending> readWaiting()
    {
        char buffer[64 * 1024];
        for (;;) {
            const qsizetype wanted = m_length ? kHandOverLengthBytes + *m_length - m_bytes.size()
                                              : kHandOverLengthBytes - m_bytes.size();
            const ssize_t n = ::recv(m_fd.get(), buffer,
                                     static_cast<std::size_t>(std::min<qsizetype>(wanted, sizeof buffer)), 0);
            if (n > 0) {
                m_bytes.append(buffer, n);
                if (!m_length && m_bytes.size() == kHandOverLengthBytes) {
                    const quint32 length = qFromLittleEndian<quint32>(m_bytes.constData());
                    if (length > static_cast<quint64>(m_listener.m_maxBytes))
                        return Ending::TooLong;
                    m_length = length;
                    m_bytes.reserve(kHandOverLengthBytes + length);
                }
                if (m_length && m_bytes.size() == kHandOverLengthBytes + *m_length)
                    return Ending::Whole;
                continue;
            }
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
                return std::nullopt;
            // Closed or broken before the message was whole: nothing was handed over.
            return Ending::Broken;
        }
    }

    HandOverListener& m_listener;
    // Declared before its watcher, so that it is closed after the watcher has gone.
    UniqueFd m_fd;
    QSocketNotifier m_notifier;
    QTimer m_deadline;
    bool m_closed = false;
    // The message's length once it has come, and everything read so far, length first.
    std::optional<quint32> m_length;
    QByteArray m_bytes;
};

HandOverListener::HandOverListener(std::unique_ptr<SingleInstance> instance, qsizetype maxBytes,
                                   std::function<void(const QByteArray&)> received,
                                   std::chrono::milliseconds deadline)
    : m_instance(std::move(instance)), m_maxBytes(maxBytes), m_received(std::move(received)),
      m_deadline(deadline)
{
    m_rest.setSingleShot(true);
    connect(&m_rest, &QTimer::timeout, this, &HandOverListener::watchQueue);
    if (!m_instance || m_instance->socket() < 0)
        return;
    m_waiting = std::make_unique<QSocketNotifier>(m_instance->socket(), QSocketNotifier::Read);
    connect(m_waiting.get(), &QSocketNotifier::activated, this, &HandOverListener::acceptWaiting);
}

HandOverListener::~HandOverListener()
{
    // The connections and their watchers go before the claim's socket and its watcher.
    qDeleteAll(findChildren<Connection*>(Qt::FindDirectChildrenOnly));
}

void HandOverListener::watchQueue()
{
    // The queue keeps the socket readable: it is watched only while a sender can be taken from it.
    m_waiting->setEnabled(m_open < kMaxSenders && !m_rest.isActive());
}

void HandOverListener::acceptWaiting()
{
    while (m_open < kMaxSenders) {
        UniqueFd fd(::accept4(m_instance->socket(), nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC));
        if (!fd.isValid()) {
            if (errno == EINTR || errno == ECONNABORTED)
                continue;
            if (errno != EAGAIN && errno != EWOULDBLOCK)
                // Out of descriptors or memory: the sender stays queued and the socket readable, so
                // watching it now would only call here again and again.
                m_rest.start(kRestAfterShortage);
            break;
        }
        if (peerUser(fd.get()) != ::geteuid())
            continue;
        ++m_open;
        new Connection(*this, std::move(fd));
    }
    watchQueue();
}

void HandOverListener::finish(Connection* connection, Ending ending)
{
    connection->close(ending);
    --m_open;
    watchQueue();
    const QByteArray message = ending == Ending::Whole ? connection->message() : QByteArray();
    connection->deleteLater();
    // Last: what the message asks for may open a message box with an event loop of its own.
    if (ending == Ending::Whole && m_received)
        m_received(message);
}

} // namespace zendrix
