#include "MprisProperties.h"

#include "core/Addresses.h"
#include "core/MediaFilter.h"

#include <QDBusObjectPath>
#include <algorithm>

namespace zendrix {

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

QVariantMap metadata(const std::optional<PlayerRemote::Track>& track)
{
    QVariantMap map;
    map.insert(QStringLiteral("mpris:trackid"),
               QVariant::fromValue(QDBusObjectPath(MprisProperties::trackPath(track))));
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

QString MprisProperties::trackPath(const std::optional<PlayerRemote::Track>& track)
{
    return track ? kTrackPrefix + QString::number(track->number) : kNoTrack;
}

QVariantMap MprisProperties::root()
{
    return {
        {QStringLiteral("CanQuit"), true},
        {QStringLiteral("CanRaise"), true},
        {QStringLiteral("HasTrackList"), false},
        {QStringLiteral("Identity"), QStringLiteral("Zendrix")},
        {QStringLiteral("DesktopEntry"), QStringLiteral("zendrix")},
        {QStringLiteral("SupportedUriSchemes"), playableSchemes()},
        {QStringLiteral("SupportedMimeTypes"), mediaMimeTypes()},
    };
}

QVariantMap MprisProperties::player() const
{
    return {
        {QStringLiteral("PlaybackStatus"), statusText(m_remote.status())},
        {QStringLiteral("LoopStatus"),
         m_remote.repeat() ? QStringLiteral("Playlist") : QStringLiteral("None")},
        {QStringLiteral("Shuffle"), m_remote.shuffle()},
        {QStringLiteral("Rate"), m_remote.rate()},
        {QStringLiteral("MinimumRate"), EngineControls::kMinRate},
        {QStringLiteral("MaximumRate"), EngineControls::kMaxRate},
        {QStringLiteral("Metadata"), metadata(m_remote.track())},
        {QStringLiteral("Volume"), m_remote.volume()},
        {QStringLiteral("CanGoNext"), m_remote.canGoNext()},
        {QStringLiteral("CanGoPrevious"), m_remote.canGoPrevious()},
        {QStringLiteral("CanPlay"), m_remote.canPlay()},
        {QStringLiteral("CanPause"), m_remote.canPause()},
        {QStringLiteral("CanSeek"), m_remote.canSeek()},
        {QStringLiteral("CanControl"), true},
    };
}

QVariant MprisProperties::playerProperty(const QString& name) const
{
    // The position moves all the time playback runs, and is asked for often: it alone is read by itself.
    if (name == QLatin1String("Position"))
        return QVariant::fromValue<qlonglong>(m_remote.positionUs());
    return player().value(name);
}

QVariantMap MprisProperties::all(const QString& interface) const
{
    if (interface == kRootInterface)
        return root();
    QVariantMap result = player();
    result.insert(QStringLiteral("Position"), QVariant::fromValue<qlonglong>(m_remote.positionUs()));
    return result;
}

QString MprisProperties::introspection()
{
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
    <property name="Shuffle" type="b" access="readwrite"/>
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
