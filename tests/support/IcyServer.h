#pragma once

// An internet radio of the test's own on 127.0.0.1: it serves an MP3 file as an endless-looking stream
// at the file's own bit rate, with the ICY metadata of Shoutcast and Icecast (icy-name, icy-metaint and
// a StreamTitle that changes at the times given), to every client that connects, on a thread of its own.
#include <QByteArray>
#include <QList>
#include <QString>
#include <QThread>
#include <atomic>
#include <mutex>

class QTcpServer;

namespace zendrix::testing {

class IcyServer
{
public:
    struct Title
    {
        double fromSeconds; // since the client connected
        QString text;       // "Artist - Title"
    };
    // Serves `mp3` (frames without tags) at `bytesPerSecond`, a burst of two seconds' worth first.
    IcyServer(QByteArray mp3, int bytesPerSecond, QString station, QList<Title> titles, int metaInt = 8000);
    ~IcyServer();
    IcyServer(const IcyServer&) = delete;
    IcyServer& operator=(const IcyServer&) = delete;

    // "http://127.0.0.1:<port>/radio"; "" when the server could not listen.
    QString url() const;
    // Clients that have connected so far.
    int connections() const { return m_connections; }
    // Every connection drops, as a network does; the station takes new ones.
    void dropListeners();
    // The station goes off the air: every connection closes and no new one is taken.
    void goOffAir();

private:
    class Worker;
    QThread m_thread;
    Worker* m_worker = nullptr;
    std::atomic<int> m_port{0};
    std::atomic<int> m_connections{0};
};

} // namespace zendrix::testing
