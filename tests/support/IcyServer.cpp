#include "IcyServer.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <algorithm>
#include <vector>

namespace zendrix::testing {

// Lives on the server's thread: the listening socket, and a client record for each connection.
class IcyServer::Worker : public QObject
{
public:
    Worker(IcyServer& owner, QByteArray mp3, int bytesPerSecond, QString station, QList<Title> titles,
           int metaInt)
        : m_owner(owner), m_mp3(std::move(mp3)), m_bytesPerSecond(bytesPerSecond),
          m_station(std::move(station)), m_titles(std::move(titles)), m_metaInt(metaInt)
    {}

    void listen()
    {
        m_server = new QTcpServer(this);
        connect(m_server, &QTcpServer::newConnection, this, &Worker::accept);
        if (m_server->listen(QHostAddress::LocalHost))
            m_owner.m_port = m_server->serverPort();
        else
            m_owner.m_port = -1;
        m_pace = new QTimer(this);
        m_pace->setInterval(50);
        connect(m_pace, &QTimer::timeout, this, &Worker::sendAll);
    }

    void offAir()
    {
        m_server->close();
        drop();
    }

    void drop()
    {
        for (Client& client : m_clients) {
            if (client.socket)
                client.socket->abort();
        }
        m_clients.clear();
        m_pace->stop();
    }

private:
    struct Client
    {
        QPointer<QTcpSocket> socket;
        QByteArray request;
        bool answered = false;
        bool icy = false;
        QElapsedTimer since;
        qint64 sent = 0;      // audio bytes
        qint64 untilMeta = 0; // audio bytes before the next metadata block
    };

    void accept()
    {
        while (QTcpSocket* socket = m_server->nextPendingConnection()) {
            ++m_owner.m_connections;
            Client client;
            client.socket = socket;
            connect(socket, &QTcpSocket::readyRead, this, &Worker::readRequests);
            m_clients.push_back(std::move(client));
        }
        m_pace->start();
    }

    void readRequests()
    {
        for (Client& client : m_clients) {
            if (!client.socket || client.answered)
                continue;
            client.request += client.socket->readAll();
            if (!client.request.contains("\r\n\r\n"))
                continue;
            client.answered = true;
            client.icy = client.request.toLower().contains("icy-metadata: 1");
            QByteArray head =
                "HTTP/1.0 200 OK\r\nContent-Type: audio/mpeg\r\nicy-name: " + m_station.toUtf8() + "\r\n";
            if (client.icy)
                head += "icy-metaint: " + QByteArray::number(m_metaInt) + "\r\n";
            client.socket->write(head + "\r\n");
            client.since.start();
            client.untilMeta = m_metaInt;
        }
        sendAll();
    }

    QByteArray metadata(const Client& client) const
    {
        QString title;
        const double seconds = client.since.elapsed() / 1000.0;
        for (const Title& each : m_titles) {
            if (seconds >= each.fromSeconds)
                title = each.text;
        }
        QByteArray text = "StreamTitle='" + title.toUtf8() + "';";
        text.append(QByteArray((16 - text.size() % 16) % 16, '\0'));
        return char(text.size() / 16) + text;
    }

    void sendAll()
    {
        for (Client& client : m_clients) {
            if (!client.socket || !client.answered ||
                client.socket->state() != QAbstractSocket::ConnectedState)
                continue;
            // Two seconds at once, as a server fills a player's buffer, then the bit rate.
            const qint64 due = (2000 + client.since.elapsed()) * m_bytesPerSecond / 1000;
            while (client.sent < due) {
                const qint64 at = client.sent % m_mp3.size();
                qint64 chunk = std::min<qint64>(due - client.sent, m_mp3.size() - at);
                if (client.icy)
                    chunk = std::min(chunk, client.untilMeta);
                client.socket->write(m_mp3.constData() + at, chunk);
                client.sent += chunk;
                if (client.icy && (client.untilMeta -= chunk) == 0) {
                    client.socket->write(metadata(client));
                    client.untilMeta = m_metaInt;
                }
            }
        }
    }

    IcyServer& m_owner;
    const QByteArray m_mp3;
    const int m_bytesPerSecond;
    const QString m_station;
    const QList<Title> m_titles;
    const int m_metaInt;
    QTcpServer* m_server = nullptr;
    QTimer* m_pace = nullptr;
    std::vector<Client> m_clients;
};

IcyServer::IcyServer(QByteArray mp3, int bytesPerSecond, QString station, QList<Title> titles, int metaInt)
{
    m_worker =
        new Worker(*this, std::move(mp3), bytesPerSecond, std::move(station), std::move(titles), metaInt);
    m_worker->moveToThread(&m_thread);
    m_thread.start();
    QMetaObject::invokeMethod(
        m_worker, [this] { m_worker->listen(); }, Qt::BlockingQueuedConnection);
}

IcyServer::~IcyServer()
{
    QMetaObject::invokeMethod(
        m_worker, [this] { delete m_worker; }, Qt::BlockingQueuedConnection);
    m_thread.quit();
    m_thread.wait();
}

QString IcyServer::url() const
{
    const int port = m_port;
    return port > 0 ? QStringLiteral("http://127.0.0.1:%1/radio").arg(port) : QString();
}

void IcyServer::dropListeners()
{
    QMetaObject::invokeMethod(
        m_worker, [this] { m_worker->drop(); }, Qt::BlockingQueuedConnection);
}

void IcyServer::goOffAir()
{
    QMetaObject::invokeMethod(
        m_worker, [this] { m_worker->offAir(); }, Qt::BlockingQueuedConnection);
}

} // namespace zendrix::testing
