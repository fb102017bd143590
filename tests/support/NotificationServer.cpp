#include "NotificationServer.h"

namespace zendrix::testing {

NotificationServer::~NotificationServer()
{
    if (!m_connection.isEmpty())
        QDBusConnection::disconnectFromBus(m_connection);
}

bool NotificationServer::serve(const QString& address)
{
    // A connection of its own name: a name used before would give back that connection, to its bus.
    static int served = 0;
    m_connection = QStringLiteral("notification-server-%1").arg(++served);
    QDBusConnection bus = QDBusConnection::connectToBus(address, m_connection);
    return bus.isConnected() &&
           bus.registerObject(QStringLiteral("/org/freedesktop/Notifications"), this,
                              QDBusConnection::ExportAllSlots) &&
           bus.registerService(QStringLiteral("org.freedesktop.Notifications"));
}

uint NotificationServer::Notify(const QString& app, uint replaces, const QString& icon,
                                const QString& summary, const QString& body, const QStringList&,
                                const QVariantMap& hints, int timeout)
{
    calls.push_back({app, replaces, icon, summary, body, hints, timeout});
    return replaces != 0 ? replaces : m_next++;
}

QString NotificationServer::GetServerInformation(QString& vendor, QString& version, QString& specVersion)
{
    vendor = QStringLiteral("Zendrix tests");
    version = QStringLiteral("1");
    specVersion = QStringLiteral("1.2");
    return QStringLiteral("test server");
}

} // namespace zendrix::testing
