#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <chrono>
#include <functional>
#include <memory>

class QSocketNotifier;

namespace zendrix {

// One running instance per installed program and user. The first instance holds a claim named after its
// program folder; a later start of the same program finds it taken and hands its message (its arguments)
// to the holder instead. The claim is an abstract local socket name that the holder listens on: it touches
// no file, so the later start writes nothing, and the system drops it when the holder ends, even after a
// crash. Abstract names carry no rights of their own, so both sides check that the other end belongs to
// the same user.
class SingleInstance
{
public:
    // Claims the program folder; nothing when another instance holds it. If the system gives no answer
    // either way, the claim is granted: a player that refuses to start is worse than a second window.
    [[nodiscard]] static std::unique_ptr<SingleInstance> claim(const QString& programFolder);

    // A start's first step: claims the program folder, or, while another instance of the same user holds
    // it, sends `message` to that one. Tries again while the holder is not listening yet or has just
    // ended, for at most `patience`; then gives up, having neither (nothing in `instance`, `handedOver`
    // false). Holds no locks and writes nothing to disk.
    struct Start
    {
        std::unique_ptr<SingleInstance> instance;
        bool handedOver = false;
    };
    [[nodiscard]] static Start claimOrHandOver(const QString& programFolder, const QByteArray& message,
                                               std::chrono::milliseconds patience);

    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // The listening socket, -1 when the claim was granted without one.
    int socket() const { return m_socket; }

private:
    explicit SingleInstance(int socket) : m_socket(socket) {}
    int m_socket;
};

// Receives what later starts hand over, on the thread that makes it, from its event loop; nothing of it
// runs while no start knocks. A message arrives whole at `received` once its sender has finished it.
// Messages longer than `maxBytes` and connections of other users are dropped unread, and at most a few
// senders are served at once. Make it after the application object and end it before.
class HandOverListener : public QObject
{
    Q_OBJECT
public:
    HandOverListener(const SingleInstance& instance, qsizetype maxBytes,
                     std::function<void(const QByteArray&)> received);
    ~HandOverListener() override;

private:
    class Connection;
    void acceptWaiting();
    void finish(Connection* connection, bool deliver);

    int m_socket;
    QSocketNotifier* m_waiting = nullptr;
    qsizetype m_maxBytes;
    std::function<void(const QByteArray&)> m_received;
    int m_open = 0;
};

}  // namespace zendrix
