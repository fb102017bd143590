// MprisService: the values the desktop reads, and PropertiesChanged and Seeked when they change.
#include "MprisService.h"

#include "core/ArgumentResolution.h"
#include "core/MediaFilter.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <algorithm>
#include <utility>

namespace zendrix {

const QStringList MprisService::kRootProperties = {
    QStringLiteral("CanQuit"),           QStringLiteral("CanRaise"),
    QStringLiteral("HasTrackList"),      QStringLiteral("Identity"),
    QStringLiteral("DesktopEntry"),      QStringLiteral("SupportedUriSchemes"),
    QStringLiteral("SupportedMimeTypes")};
const QStringList MprisService::kPlayerProperties = {
    QStringLiteral("PlaybackStatus"), QStringLiteral("LoopStatus"),  QStringLiteral("Rate"),
    QStringLiteral("Metadata"),       QStringLiteral("Volume"),      QStringLiteral("Position"),
    QStringLiteral("MinimumRate"),    QStringLiteral("MaximumRate"), QStringLiteral("CanGoNext"),
    QStringLiteral("CanGoPrevious"),  QStringLiteral("CanPlay"),     QStringLiteral("CanPause"),
    QStringLiteral("CanSeek"),        QStringLiteral("CanControl")};

namespace {

const QString kNoTrack = QStringLiteral("/org/mpris/MediaPlayer2/TrackList/NoTrack");
const QString kTrackPrefix = QStringLiteral("/org/zendrix/Track/");
// Tags come from the media file: whatever it holds, what goes on the bus is valid text of a sane length.
constexpr qsizetype kMaxText = 4096;

QString statusText(PlayerRemote::Status status)
{
    switch (status) {
    case PlayerRemote::Status::Playing:
        return QStringLiteral("Playing");
    case PlayerRemote::Status::Paused:
        return QStringLiteral("Paused");
    case PlayerRemote::Status::Stopped:
        break;
    }
    return QStringLiteral("Stopped");
}

// Valid text for the bus: no NUL, no half of a surrogate pair, at most kMaxText characters.
QString busText(const QString& text)
{
    QString result;
    result.reserve(std::min(text.size(), kMaxText));
    for (qsizetype i = 0; i < text.size() && result.size() < kMaxText; ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            if (result.size() + 2 > kMaxText)
                break;
            result.append(c).append(text.at(++i));
        } else if (c.isSurrogate()) {
            result.append(QChar::ReplacementCharacter);
        } else if (c != QChar::Null) {
            result.append(c);
        }
    }
    return result;
}

QVariantMap metadata(const std::optional<PlayerRemote::Track>& track, const QString& path)
{
    QVariantMap map;
    map.insert(QStringLiteral("mpris:trackid"), QVariant::fromValue(QDBusObjectPath(path)));
    if (!track)
        return map;
    map.insert(QStringLiteral("xesam:title"), busText(track->title));
    if (!track->artist.isEmpty())
        map.insert(QStringLiteral("xesam:artist"), QStringList{busText(track->artist)});
    if (!track->album.isEmpty())
        map.insert(QStringLiteral("xesam:album"), busText(track->album));
    if (!track->genre.isEmpty())
        map.insert(QStringLiteral("xesam:genre"), QStringList{busText(track->genre)});
    if (track->lengthUs)
        map.insert(QStringLiteral("mpris:length"), QVariant::fromValue<qlonglong>(*track->lengthUs));
    map.insert(QStringLiteral("xesam:url"), busText(track->url));
    return map;
}

} // namespace

QString MprisService::trackPath(const std::optional<PlayerRemote::Track>& track)
{
    return track ? kTrackPrefix + QString::number(track->number) : kNoTrack;
}

MprisService::State MprisService::currentState() const
{
    State state;
    state.status = m_remote.status();
    state.repeat = m_remote.repeat();
    state.volume = m_remote.volume();
    state.canGoNext = m_remote.canGoNext();
    state.canGoPrevious = m_remote.canGoPrevious();
    state.canPlay = m_remote.canPlay();
    state.canPause = m_remote.canPause();
    state.canSeek = m_remote.canSeek();
    state.track = m_remote.track();
    return state;
}

QVariant MprisService::rootProperty(const QString& name) const
{
    if (name == QLatin1String("CanQuit") || name == QLatin1String("CanRaise"))
        return true;
    if (name == QLatin1String("HasTrackList"))
        return false;
    if (name == QLatin1String("Identity"))
        return QStringLiteral("Zendrix");
    if (name == QLatin1String("DesktopEntry"))
        return QStringLiteral("zendrix");
    if (name == QLatin1String("SupportedUriSchemes"))
        return uriSchemes();
    if (name == QLatin1String("SupportedMimeTypes"))
        return mediaMimeTypes();
    return {};
}

QVariant MprisService::playerProperty(const QString& name) const
{
    // The position moves all the time playback runs, and is asked for often: it alone is read by itself.
    if (name == QLatin1String("Position"))
        return QVariant::fromValue<qlonglong>(m_remote.positionUs());
    return playerProperty(name, currentState());
}

QVariant MprisService::playerProperty(const QString& name, const State& state) const
{
    if (name == QLatin1String("PlaybackStatus"))
        return statusText(state.status);
    if (name == QLatin1String("LoopStatus"))
        return state.repeat ? QStringLiteral("Playlist") : QStringLiteral("None");
    if (name == QLatin1String("Rate") || name == QLatin1String("MinimumRate") ||
        name == QLatin1String("MaximumRate"))
        return 1.0;
    if (name == QLatin1String("Metadata"))
        return metadata(state.track, trackPath(state.track));
    if (name == QLatin1String("Volume"))
        return state.volume;
    if (name == QLatin1String("Position"))
        return QVariant::fromValue<qlonglong>(m_remote.positionUs());
    if (name == QLatin1String("CanGoNext"))
        return state.canGoNext;
    if (name == QLatin1String("CanGoPrevious"))
        return state.canGoPrevious;
    if (name == QLatin1String("CanPlay"))
        return state.canPlay;
    if (name == QLatin1String("CanPause"))
        return state.canPause;
    if (name == QLatin1String("CanSeek"))
        return state.canSeek;
    if (name == QLatin1String("CanControl"))
        return true;
    return {};
}

QVariantMap MprisService::properties(const QString& interface) const
{
    QVariantMap result;
    if (interface == kRootInterface) {
        for (const QString& name : kRootProperties)
            result.insert(name, rootProperty(name));
        return result;
    }
    const State state = currentState();
    for (const QString& name : kPlayerProperties)
        result.insert(name, playerProperty(name, state));
    return result;
}

void MprisService::scheduleUpdate()
{
    // Unpublished, nobody listens: publish() takes the state as it then is.
    if (!m_bus || m_updatePending)
        return;
    m_updatePending = true;
    QMetaObject::invokeMethod(this, &MprisService::sendUpdate, Qt::QueuedConnection);
}

void MprisService::sendUpdate()
{
    m_updatePending = false;
    const State now = currentState();
    QVariantMap changed;
    const auto note = [&](bool differs, const char* name) {
        if (differs)
            changed.insert(QLatin1String(name), playerProperty(QLatin1String(name), now));
    };
    note(now.status != m_sent.status, "PlaybackStatus");
    note(now.repeat != m_sent.repeat, "LoopStatus");
    note(now.volume != m_sent.volume, "Volume");
    note(now.canGoNext != m_sent.canGoNext, "CanGoNext");
    note(now.canGoPrevious != m_sent.canGoPrevious, "CanGoPrevious");
    note(now.canPlay != m_sent.canPlay, "CanPlay");
    note(now.canPause != m_sent.canPause, "CanPause");
    note(now.canSeek != m_sent.canSeek, "CanSeek");
    note(now.track != m_sent.track, "Metadata");
    m_sent = now;
    if (!changed.isEmpty()) {
        QDBusMessage signal = QDBusMessage::createSignal(
            kPath, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("PropertiesChanged"));
        signal << kPlayerInterface << changed << QStringList();
        m_bus->send(signal);
    }
    if (std::exchange(m_seekPending, false)) {
        QDBusMessage signal = QDBusMessage::createSignal(kPath, kPlayerInterface, QStringLiteral("Seeked"));
        signal << QVariant::fromValue<qlonglong>(m_remote.positionUs());
        m_bus->send(signal);
    }
}

QString MprisService::introspect(const QString& path) const
{
    if (path != kPath)
        return {};
    return QStringLiteral(R"(  <interface name="org.mpris.MediaPlayer2">
    <method name="Raise"/>
    <method name="Quit"/>
    <property name="CanQuit" type="b" access="read"/>
    <property name="CanRaise" type="b" access="read"/>
    <property name="HasTrackList" type="b" access="read"/>
    <property name="Identity" type="s" access="read"/>
    <property name="DesktopEntry" type="s" access="read"/>
    <property name="SupportedUriSchemes" type="as" access="read"/>
    <property name="SupportedMimeTypes" type="as" access="read"/>
  </interface>
  <interface name="org.mpris.MediaPlayer2.Player">
    <method name="Next"/>
    <method name="Previous"/>
    <method name="Pause"/>
    <method name="PlayPause"/>
    <method name="Stop"/>
    <method name="Play"/>
    <method name="Seek"><arg direction="in" type="x" name="Offset"/></method>
    <method name="SetPosition">
      <arg direction="in" type="o" name="TrackId"/>
      <arg direction="in" type="x" name="Position"/>
    </method>
    <method name="OpenUri"><arg direction="in" type="s" name="Uri"/></method>
    <signal name="Seeked"><arg type="x" name="Position"/></signal>
    <property name="PlaybackStatus" type="s" access="read"/>
    <property name="LoopStatus" type="s" access="readwrite"/>
    <property name="Rate" type="d" access="readwrite"/>
    <property name="Metadata" type="a{sv}" access="read"/>
    <property name="Volume" type="d" access="readwrite"/>
    <property name="Position" type="x" access="read">
      <annotation name="org.freedesktop.DBus.Property.EmitsChangedSignal" value="false"/>
    </property>
    <property name="MinimumRate" type="d" access="read"/>
    <property name="MaximumRate" type="d" access="read"/>
    <property name="CanGoNext" type="b" access="read"/>
    <property name="CanGoPrevious" type="b" access="read"/>
    <property name="CanPlay" type="b" access="read"/>
    <property name="CanPause" type="b" access="read"/>
    <property name="CanSeek" type="b" access="read"/>
    <property name="CanControl" type="b" access="read">
      <annotation name="org.freedesktop.DBus.Property.EmitsChangedSignal" value="false"/>
    </property>
  </interface>
)");
}

} // namespace zendrix
