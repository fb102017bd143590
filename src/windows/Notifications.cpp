#include "Notifications.h"

#include "core/Failure.h"
#include "core/SwitchSetting.h"

#include <QApplication>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

namespace zendrix {

Notifications::Notifications(Player& player, MediaEngine& engine, const SwitchSetting& setting)
    : groupActive([] { return QApplication::activeWindow() != nullptr; }), m_player(player), m_engine(engine),
      m_setting(setting)
{
    m_settle.setSingleShot(true);
    m_settle.setInterval(kSettleMs);
    connect(&m_settle, &QTimer::timeout, this, &Notifications::notifyNow);
    connect(&m_player, &Player::changed, this, [this](Player::Change change) {
        if (change == Player::Change::Item)
            itemStarted();
    });
    connect(&m_engine, &MediaEngine::MediaChange, this, &Notifications::tagsKnown);
}

void Notifications::setBus(const QDBusConnection& bus)
{
    m_bus = bus;
    // An item started before the bus was there (one given on the command line) is told now.
    if (std::optional<Message> waiting = std::exchange(m_queued, std::nullopt))
        send(*waiting);
}

Notifications::Message Notifications::message() const
{
    Message message;
    try {
        message.summary = m_engine.currentMedia().getItemInfo(QStringLiteral("Title"));
        const QString artist = m_engine.currentMedia().getItemInfo(QStringLiteral("Author"));
        const QString album = m_engine.currentMedia().getItemInfo(QStringLiteral("Album"));
        message.body =
            artist.isEmpty() || album.isEmpty() ? artist + album : artist + QStringLiteral(" - ") + album;
    } catch (const Failure&) {
        // What the engine cannot tell is left out.
    }
    return message;
}

void Notifications::itemStarted()
{
    m_due.clear();
    m_settle.stop();
    if (!m_setting.isOn() || groupActive())
        return;
    m_due = m_engine.URL();
    m_settle.start();
}

void Notifications::tagsKnown(const QString& url)
{
    if (!m_due.isEmpty() && url == m_due)
        notifyNow();
}

void Notifications::notifyNow()
{
    m_settle.stop();
    const QString due = std::exchange(m_due, QString());
    // The item must still be the one loaded, and playing; the user may have come to the player meanwhile.
    if (due.isEmpty() || due != m_engine.URL() || !m_player.IsPlaying || groupActive() || !m_setting.isOn())
        return;
    send(message());
}

void Notifications::send(const Message& message)
{
    if (!m_bus || m_calling) {
        // Sent once there is a bus, or once the call on its way has brought the id to replace.
        m_queued = message;
        return;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kService, QStringLiteral("Notify"));
    call << QStringLiteral("Zendrix") << m_id << QStringLiteral("zendrix") << message.summary << message.body
         << QStringList() << QVariantMap{{QStringLiteral("desktop-entry"), QStringLiteral("zendrix")}}
         << qint32(-1);
    m_calling = true;
    auto* watcher = new QDBusPendingCallWatcher(m_bus->asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* finished) {
        finished->deleteLater();
        const QDBusPendingReply<uint> reply = *finished;
        if (reply.isValid())
            m_id = reply.value();
        m_calling = false;
        if (std::optional<Message> next = std::exchange(m_queued, std::nullopt))
            send(*next);
    });
}

} // namespace zendrix
