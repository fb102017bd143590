#pragma once

#include "core/Player.h"

#include <QDBusConnection>
#include <QObject>
#include <QTimer>
#include <functional>
#include <optional>

namespace zendrix {

class SwitchSetting;

// Desktop notifications of what plays ("Notifications", off by default): when a new item starts while
// no window of the group is active, the desktop's notification service (org.freedesktop.Notifications)
// is asked to show its title and "Artist - Album" with the program's icon. A later item replaces the
// notification (the same id) rather than adding one. The notification waits for the item's tags: it
// goes once the engine has learnt them, or a second after the start without them, and not at all if
// the item did not start or a window of the group became active meanwhile.
//
// Every call is asynchronous: nothing waits for the service. A notification due before the bus is given
// goes once it is. Without a service on the bus or when the service fails, nothing is shown and nothing
// is reported.
class Notifications : public QObject
{
    Q_OBJECT
public:
    static inline const QString kService = QStringLiteral("org.freedesktop.Notifications");
    static inline const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
    static constexpr int kSettleMs = 1000;

    Notifications(Player& player, MediaEngine& engine, const SwitchSetting& setting);

    void setBus(const QDBusConnection& bus);
    // Whether a window of the program is the active one; tests feed their own.
    std::function<bool()> groupActive;

    // What the notification of the item loaded now says: its title, and its artist and album, either
    // alone when the other is not known.
    struct Message
    {
        QString summary;
        QString body;
        bool operator==(const Message&) const = default;
    };
    Message message() const;

private:
    void itemStarted();
    void tagsKnown(const QString& url);
    void notifyNow();
    void send(const Message& message);

    Player& m_player;
    MediaEngine& m_engine;
    const SwitchSetting& m_setting;
    std::optional<QDBusConnection> m_bus;
    QTimer m_settle;
    QString m_due;                   // the item a notification waits for; "" for none
    uint m_id = 0;                   // the service's id of our notification, 0 before the first
    bool m_calling = false;          // a call waits for its answer
    std::optional<Message> m_queued; // sent once there is a bus and the answer to the last call has come
};

} // namespace zendrix
