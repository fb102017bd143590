#pragma once

#include "MprisProperties.h"
#include "core/PlayerRemote.h"

#include <QDBusConnection>
#include <QDBusVirtualObject>
#include <functional>
#include <optional>

namespace zendrix {

class Program;

// The player on the session bus as an MPRIS 2 media player: the desktop's sound menu, lock screen,
// media keys, phone companions and `playerctl` steer it through this. It serves /org/mpris/MediaPlayer2
// with org.mpris.MediaPlayer2 (Raise, Quit, Identity...) and org.mpris.MediaPlayer2.Player (the
// transport, Seek, SetPosition, OpenUri, Metadata, Volume, LoopStatus...), every command running the code
// a click on the matching control runs (PlayerRemote).
//
// PropertiesChanged names exactly the properties whose values changed, once the handler that changed
// them has returned, and only then: the player tells of its changes, nothing here polls, and the clock's
// ticks change nothing that is sent. Position is read when asked; a jump of it sends Seeked.
//
// Every call is checked before it acts: a wrong signature or value type, an over-long or malformed URI,
// an unknown track id, a value out of range or a property that cannot be written is answered with a
// D-Bus error and changes nothing. A call that acts is answered first and then carried out, so a message
// box that the action shows never holds the caller's reply back.
class MprisService : public QDBusVirtualObject
{
    Q_OBJECT
public:
    static inline const QString kPath = MprisProperties::kPath;
    static inline const QString kName = QStringLiteral("org.mpris.MediaPlayer2.zendrix");
    static inline const QString kRootInterface = MprisProperties::kRootInterface;
    static inline const QString kPlayerInterface = MprisProperties::kPlayerInterface;

    explicit MprisService(Program& program);
    ~MprisService() override;

    // Registers the object and the name "org.mpris.MediaPlayer2.zendrix" on `bus`, or, when another
    // player holds that, "org.mpris.MediaPlayer2.zendrix.instance<pid>". False, and nothing is served,
    // when the bus is not connected or refuses both.
    bool publish(QDBusConnection bus);
    QString serviceName() const { return m_serviceName; }

    QString introspect(const QString& path) const override;
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override;

private:
    // The player changed: what the desktop sees is compared and sent once the handler has returned.
    void scheduleUpdate();
    void sendUpdate();

    bool callMethod(const QDBusMessage& message, const QDBusConnection& connection);
    void callProperties(const QDBusMessage& message, const QDBusConnection& connection);
    // Checks a Set and carries it out after answering it.
    void setProperty(const QDBusMessage& message, const QDBusConnection& connection, const QString& interface,
                     const QString& name, const QVariant& value);
    void openUriCall(const QDBusMessage& message, const QDBusConnection& connection);
    void setPositionCall(const QDBusMessage& message, const QDBusConnection& connection);
    void quit(const QDBusMessage& message, QDBusConnection connection);

    Program& m_program;
    PlayerRemote& m_remote;
    MprisProperties m_properties{m_remote};
    std::optional<QDBusConnection> m_bus;
    QString m_serviceName;
    QVariantMap m_sent;
    bool m_updatePending = false;
    bool m_seekPending = false;
    bool m_quitting = false;
};

// The session bus the desktop runs: its address from DBUS_SESSION_BUS_ADDRESS, else the per-user bus
// socket under XDG_RUNTIME_DIR; "" when there is none. The player never launches a bus of its own.
QString sessionBusAddress();

} // namespace zendrix
