#pragma once

#include "SingleInstance.h"

#include <QByteArray>
#include <QObject>
#include <QTimer>
#include <chrono>
#include <functional>
#include <memory>

class QSocketNotifier;

namespace zendrix {

// Receives what later starts hand over (SingleInstance::claimOrHandOver) on the claim's socket, on the
// thread that makes it, from its event loop; nothing of it runs while no start knocks. It owns the claim
// it is given and lets go of it when it ends, after everything that watched the claim's socket.
//
// A message (sent as SingleInstance.h says) arrives at `received` once all of it has come; its sender gets
// its receipt just before. A message cut short, by a sender that ends or gives up, goes nowhere, and its
// sender has no receipt. Each sender has `deadline` from being taken to finish its message; whatever it
// has sent by then is read, and if the message is still not whole the connection is closed without a
// receipt, so that a sender that stalls keeps no one else waiting. Up to kMaxSenders are read at once;
// later ones wait in the socket's queue, never turned away, until one of those has finished or been
// closed. A message longer than `maxBytes` is closed once its length is read; connections of other users
// are closed unread. When the
// system has no descriptor to spare for a connection, the listener stops watching for a moment
// (kRestAfterShortage) instead of trying again at once, and then takes up the queue where it was.
// Make it after the application object and end it before.
class HandOverListener : public QObject
{
    Q_OBJECT
public:
    static constexpr std::chrono::milliseconds kDeadline{2000};
    static constexpr std::chrono::milliseconds kRestAfterShortage{100};
    static constexpr int kMaxSenders = 8;

    HandOverListener(std::unique_ptr<SingleInstance> instance, qsizetype maxBytes,
                     std::function<void(const QByteArray&)> received,
                     std::chrono::milliseconds deadline = kDeadline);
    ~HandOverListener() override;

private:
    class Connection;
    enum class Ending { Whole, Stalled, TooLong, Broken };
    void acceptWaiting();
    void finish(Connection* connection, Ending ending);
    void watchQueue();

    // Declared before what watches its socket, so that it ends after them.
    std::unique_ptr<SingleInstance> m_instance;
    std::unique_ptr<QSocketNotifier> m_waiting;
    QTimer m_rest;
    qsizetype m_maxBytes;
    std::function<void(const QByteArray&)> m_received;
    std::chrono::milliseconds m_deadline;
    int m_open = 0;
};

} // namespace zendrix
