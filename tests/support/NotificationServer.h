#pragma once

// A desktop notification service of the test's own (org.freedesktop.Notifications) on a bus the test
// names: it records every Notify call and answers with an id, the one to be replaced when asked to
// replace one, else a new one.
#include <QDBusConnection>
#include <QObject>
#include <QStringList>
#include <QVariantMap>
#include <vector>

namespace zendrix::testing {

class NotificationServer : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    struct Call
    {
        QString app;
        uint replaces = 0;
        QString icon;
        QString summary;
        QString body;
        QVariantMap hints;
        int timeout = 0;
    };
    std::vector<Call> calls;

    NotificationServer() = default;
    ~NotificationServer() override;

    // Serves on a connection of its own to the bus at `address`; false when the name could not be had.
    bool serve(const QString& address);

public Q_SLOTS:
    uint Notify(const QString& app, uint replaces, const QString& icon, const QString& summary,
                const QString& body, const QStringList& actions, const QVariantMap& hints, int timeout);
    QStringList GetCapabilities() { return {QStringLiteral("body")}; }
    void CloseNotification(uint) {}
    QString GetServerInformation(QString& vendor, QString& version, QString& specVersion);

private:
    QString m_connection;
    uint m_next = 7;
};

} // namespace zendrix::testing
