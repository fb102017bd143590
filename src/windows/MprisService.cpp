#include "MprisService.h"

#include "PlaylistWindow.h"
#include "Program.h"
#include "TitleStrip.h"
#include "core/Failure.h"
#include "core/MediaFilter.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QFileInfo>
#include <QItemSelectionModel>
#include <QUrl>

namespace zendrix {

namespace {

const QString kRoot = QStringLiteral("org.mpris.MediaPlayer2");
const QString kPlayer = QStringLiteral("org.mpris.MediaPlayer2.Player");
const QString kProperties = QStringLiteral("org.freedesktop.DBus.Properties");
const QString kNoTrack = QStringLiteral("/org/mpris/MediaPlayer2/TrackList/NoTrack");
const QString kTrackPrefix = QStringLiteral("/org/zendrix/Track/");
const QStringList kUriSchemes = {QStringLiteral("file"), QStringLiteral("http"), QStringLiteral("https"),
                                 QStringLiteral("rtsp"), QStringLiteral("mms"),  QStringLiteral("dvd")};
// Longer than any path or stream address the player opens; anything longer is refused unread.
constexpr qsizetype kMaxUri = 8192;
// Tags come from the media file: whatever it holds, what goes on the bus is valid text of a sane length.
constexpr qsizetype kMaxText = 4096;

// The methods, with the signature each takes; all of them act, so all are answered before acting.
struct Method
{
    const QString& interface;
    QString name;
    QString signature;
};
const Method kMethods[] = {
    {kRoot, QStringLiteral("Raise"), {}},        {kRoot, QStringLiteral("Quit"), {}},
    {kPlayer, QStringLiteral("Next"), {}},       {kPlayer, QStringLiteral("Previous"), {}},
    {kPlayer, QStringLiteral("Pause"), {}},      {kPlayer, QStringLiteral("PlayPause"), {}},
    {kPlayer, QStringLiteral("Stop"), {}},       {kPlayer, QStringLiteral("Play"), {}},
    {kPlayer, QStringLiteral("Seek"), QStringLiteral("x")},
    {kPlayer, QStringLiteral("SetPosition"), QStringLiteral("ox")},
    {kPlayer, QStringLiteral("OpenUri"), QStringLiteral("s")},
};

const QStringList kRootProperties = {QStringLiteral("CanQuit"),      QStringLiteral("CanRaise"),
                                     QStringLiteral("HasTrackList"), QStringLiteral("Identity"),
                                     QStringLiteral("DesktopEntry"), QStringLiteral("SupportedUriSchemes"),
                                     QStringLiteral("SupportedMimeTypes")};
const QStringList kPlayerProperties = {
    QStringLiteral("PlaybackStatus"), QStringLiteral("LoopStatus"),  QStringLiteral("Rate"),
    QStringLiteral("Metadata"),       QStringLiteral("Volume"),      QStringLiteral("Position"),
    QStringLiteral("MinimumRate"),    QStringLiteral("MaximumRate"), QStringLiteral("CanGoNext"),
    QStringLiteral("CanGoPrevious"),  QStringLiteral("CanPlay"),     QStringLiteral("CanPause"),
    QStringLiteral("CanSeek"),        QStringLiteral("CanControl")};

QString statusText(PlayerRemote::Status status)
{
    switch (status) {
    case PlayerRemote::Status::Playing: return QStringLiteral("Playing");
    case PlayerRemote::Status::Paused: return QStringLiteral("Paused");
    case PlayerRemote::Status::Stopped: break;
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

// The URI OpenUri was given, if the player opens it.
bool isOpenableUri(const QString& text)
{
    if (text.isEmpty() || text.size() > kMaxUri)
        return false;
    for (const QChar c : text) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            return false;
    }
    const QUrl url(text, QUrl::StrictMode);
    if (!url.isValid() || !kUriSchemes.contains(url.scheme().toLower()))
        return false;
    return !url.isLocalFile() || !url.toLocalFile().isEmpty();
}

}  // namespace

QString sessionBusAddress()
{
    const QString address = qEnvironmentVariable("DBUS_SESSION_BUS_ADDRESS");
    if (!address.isEmpty())
        return address;
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QFileInfo(runtime + QStringLiteral("/bus")).exists())
        return QStringLiteral("unix:path=") + runtime + QStringLiteral("/bus");
    return {};
}

MprisService::MprisService(Program& program) : m_program(program), m_remote(program.remote())
{
    openUri = [this](const QString& uri) { openInPlaylist(uri); };
    m_remote.changed = [this] { scheduleUpdate(); };
    m_remote.seeked = [this] {
        m_seekPending = true;
        scheduleUpdate();
    };
    // What the player does not tell: the list's entries and selection (the neighbours of the playing
    // entry) and the Repeat box.
    PlaylistWindow& playlist = program.frmPlaylist();
    QAbstractItemModel* entries = playlist.listView->model();
    connect(entries, &QAbstractItemModel::rowsInserted, this, &MprisService::scheduleUpdate);
    connect(entries, &QAbstractItemModel::modelReset, this, &MprisService::scheduleUpdate);
    connect(playlist.listView->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &MprisService::scheduleUpdate);
    connect(playlist.chkRepeat, &QCheckBox::clicked, this, &MprisService::scheduleUpdate);
    m_sent = currentState();
}

MprisService::~MprisService()
{
    m_remote.changed = nullptr;
    m_remote.seeked = nullptr;
    if (m_bus) {
        m_bus->unregisterObject(kPath);
        m_bus->unregisterService(m_serviceName);
    }
}

bool MprisService::publish(QDBusConnection bus)
{
    if (!bus.isConnected() || !bus.registerVirtualObject(kPath, this))
        return false;
    for (const QString& name : {kName, kName + QStringLiteral(".instance") +
                                           QString::number(QCoreApplication::applicationPid())}) {
        if (bus.registerService(name)) {
            m_bus = bus;
            m_serviceName = name;
            m_sent = currentState();
            return true;
        }
    }
    bus.unregisterObject(kPath);
    return false;
}

QString MprisService::trackPath() const
{
    const std::optional<PlayerRemote::Track> track = m_remote.track();
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
        return kUriSchemes;
    if (name == QLatin1String("SupportedMimeTypes"))
        return kMediaMimeTypes;
    return {};
}

QVariant MprisService::playerProperty(const QString& name) const
{
    if (name == QLatin1String("PlaybackStatus"))
        return statusText(m_remote.status());
    if (name == QLatin1String("LoopStatus"))
        return m_remote.repeat() ? QStringLiteral("Playlist") : QStringLiteral("None");
    if (name == QLatin1String("Rate") || name == QLatin1String("MinimumRate") || name == QLatin1String("MaximumRate"))
        return 1.0;
    if (name == QLatin1String("Metadata"))
        return metadata(m_remote.track(), trackPath());
    if (name == QLatin1String("Volume"))
        return m_remote.volume();
    if (name == QLatin1String("Position"))
        return QVariant::fromValue<qlonglong>(m_remote.positionUs());
    if (name == QLatin1String("CanGoNext"))
        return m_remote.canGoNext();
    if (name == QLatin1String("CanGoPrevious"))
        return m_remote.canGoPrevious();
    if (name == QLatin1String("CanPlay"))
        return m_remote.canPlay();
    if (name == QLatin1String("CanPause"))
        return m_remote.canPause();
    if (name == QLatin1String("CanSeek"))
        return m_remote.canSeek();
    if (name == QLatin1String("CanControl"))
        return true;
    return {};
}

QVariantMap MprisService::properties(const QString& interface) const
{
    QVariantMap result;
    const bool root = interface == kRoot;
    for (const QString& name : root ? kRootProperties : kPlayerProperties)
        result.insert(name, root ? rootProperty(name) : playerProperty(name));
    return result;
}

void MprisService::scheduleUpdate()
{
    if (m_updatePending)
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
            changed.insert(QLatin1String(name), playerProperty(QLatin1String(name)));
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
    if (!m_bus)
        return;
    if (!changed.isEmpty()) {
        QDBusMessage signal = QDBusMessage::createSignal(kPath, kProperties, QStringLiteral("PropertiesChanged"));
        signal << kPlayer << changed << QStringList();
        m_bus->send(signal);
    }
    if (std::exchange(m_seekPending, false)) {
        QDBusMessage signal = QDBusMessage::createSignal(kPath, kPlayer, QStringLiteral("Seeked"));
        signal << QVariant::fromValue<qlonglong>(m_remote.positionUs());
        m_bus->send(signal);
    }
}

bool MprisService::handleMessage(const QDBusMessage& message, const QDBusConnection& connection)
{
    if (message.type() != QDBusMessage::MethodCallMessage || message.path() != kPath)
        return false;
    if (message.interface() == kProperties) {
        callProperties(message, connection);
        return true;
    }
    return callMethod(message, connection);
}

bool MprisService::callMethod(const QDBusMessage& message, const QDBusConnection& connection)
{
    const QString interface = message.interface();
    if (!interface.isEmpty() && interface != kRoot && interface != kPlayer)
        return false;  // Introspectable and Peer are the connection's
    const Method* method = nullptr;
    for (const Method& candidate : kMethods) {
        if (candidate.name == message.member() && (interface.isEmpty() || interface == candidate.interface))
            method = &candidate;
    }
    if (!method) {
        if (interface.isEmpty())
            return false;
        connection.send(message.createErrorReply(QDBusError::UnknownMethod,
                                                 QStringLiteral("No method %1 in %2").arg(message.member(), interface)));
        return true;
    }
    if (message.signature() != method->signature) {
        connection.send(message.createErrorReply(
            QDBusError::InvalidArgs,
            QStringLiteral("%1 takes (%2), not (%3)").arg(method->name, method->signature, message.signature())));
        return true;
    }

    const QString& name = method->name;
    if (name == QLatin1String("OpenUri")) {
        openUriCall(message, connection);
        return true;
    }
    if (name == QLatin1String("SetPosition")) {
        setPositionCall(message, connection);
        return true;
    }
    if (name == QLatin1String("Quit")) {
        quit(message, connection);
        return true;
    }
    connection.send(message.createReply());
    if (name == QLatin1String("Raise"))
        m_program.raiseWindows();
    else if (name == QLatin1String("Next"))
        m_remote.next();
    else if (name == QLatin1String("Previous"))
        m_remote.previous();
    else if (name == QLatin1String("Pause"))
        m_remote.pause();
    else if (name == QLatin1String("PlayPause"))
        m_remote.playPause();
    else if (name == QLatin1String("Stop"))
        m_remote.stop();
    else if (name == QLatin1String("Play"))
        m_remote.play();
    else if (name == QLatin1String("Seek"))
        m_remote.seekBy(message.arguments().at(0).toLongLong());
    return true;
}

void MprisService::openUriCall(const QDBusMessage& message, const QDBusConnection& connection)
{
    const QString uri = message.arguments().at(0).toString();
    if (!isOpenableUri(uri)) {
        connection.send(message.createErrorReply(
            QDBusError::InvalidArgs, QStringLiteral("Zendrix opens %1 URIs of at most %2 characters")
                                         .arg(kUriSchemes.join(QStringLiteral(", ")))
                                         .arg(kMaxUri)));
        return;
    }
    connection.send(message.createReply());
    if (openUri)
        openUri(uri);
}

void MprisService::openInPlaylist(const QString& uri)
{
    const QUrl url(uri);
    ListControl& list = m_program.lstPlaylist();
    try {
        list.AddItem(url.isLocalFile() ? url.toLocalFile() : uri);
        list.setListIndex(list.ListCount() - 1);
    } catch (const Failure& failure) {
        reportFailure(m_program.messages(), failure.description());
    }
}

void MprisService::setPositionCall(const QDBusMessage& message, const QDBusConnection& connection)
{
    const QString track = qvariant_cast<QDBusObjectPath>(message.arguments().at(0)).path();
    const qlonglong position = message.arguments().at(1).toLongLong();
    const std::optional<PlayerRemote::Track> current = m_remote.track();
    if (!current || track != trackPath()) {
        connection.send(message.createErrorReply(QDBusError::InvalidArgs,
                                                 QStringLiteral("%1 is not the current track").arg(track)));
        return;
    }
    if (!m_remote.canSeek() || position < 0 || !current->lengthUs || position > *current->lengthUs) {
        connection.send(message.createErrorReply(
            QDBusError::InvalidArgs, QStringLiteral("%1 us is not a position of this track").arg(position)));
        return;
    }
    connection.send(message.createReply());
    m_remote.setPosition(position);
}

void MprisService::quit(const QDBusMessage& message, QDBusConnection connection)
{
    connection.send(message.createReply());
    // The program ends at once, as the Exit button ends it: a round trip to the bus first sees the
    // answer on its way, so the caller is not left waiting for it.
    connection.call(QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.DBus"),
                                                   QStringLiteral("/org/freedesktop/DBus"),
                                                   QStringLiteral("org.freedesktop.DBus"), QStringLiteral("GetId")),
                    QDBus::Block, 2000);
    m_program.frmTitle().cmdExit_Click();
}

void MprisService::callProperties(const QDBusMessage& message, const QDBusConnection& connection)
{
    const QString member = message.member();
    const QList<QVariant> arguments = message.arguments();
    const QString signature = message.signature();
    const bool get = member == QLatin1String("Get") && signature == QLatin1String("ss");
    const bool getAll = member == QLatin1String("GetAll") && signature == QLatin1String("s");
    const bool set = member == QLatin1String("Set") && signature == QLatin1String("ssv");
    if (!get && !getAll && !set) {
        connection.send(message.createErrorReply(QDBusError::InvalidArgs,
                                                 QStringLiteral("No %1(%2) in %3").arg(member, signature, kProperties)));
        return;
    }
    const QString interface = arguments.at(0).toString();
    if (interface != kRoot && interface != kPlayer) {
        connection.send(message.createErrorReply(QDBusError::UnknownInterface,
                                                 QStringLiteral("No interface %1 here").arg(interface.left(200))));
        return;
    }
    if (getAll) {
        connection.send(message.createReply(properties(interface)));
        return;
    }
    const QString name = arguments.at(1).toString();
    if (!(interface == kRoot ? kRootProperties : kPlayerProperties).contains(name)) {
        connection.send(message.createErrorReply(
            QDBusError::UnknownProperty, QStringLiteral("No property %1 in %2").arg(name.left(200), interface)));
        return;
    }
    if (get) {
        const QVariant value = interface == kRoot ? rootProperty(name) : playerProperty(name);
        connection.send(message.createReply(QVariant::fromValue(QDBusVariant(value))));
        return;
    }
    setProperty(message, connection, interface, name, qvariant_cast<QDBusVariant>(arguments.at(2)).variant());
}

void MprisService::setProperty(const QDBusMessage& message, const QDBusConnection& connection,
                               const QString& interface, const QString& name, const QVariant& value)
{
    const auto refuse = [&](QDBusError::ErrorType type, const QString& text) {
        connection.send(message.createErrorReply(type, text));
    };
    const bool writable = interface == kPlayer && (name == QLatin1String("LoopStatus") || name == QLatin1String("Rate") ||
                                                   name == QLatin1String("Volume"));
    if (!writable)
        return refuse(QDBusError::PropertyReadOnly, QStringLiteral("%1 cannot be set").arg(name));
    const bool text = value.metaType() == QMetaType::fromType<QString>();
    const bool number = value.metaType() == QMetaType::fromType<double>();
    if (name == QLatin1String("LoopStatus")) {
        const QString loop = value.toString();
        if (!text || (loop != QLatin1String("None") && loop != QLatin1String("Playlist")))
            return refuse(QDBusError::InvalidArgs, QStringLiteral("LoopStatus is \"None\" or \"Playlist\""));
        connection.send(message.createReply());
        // As a click on the Repeat box: the box shows the setting, and the setting is written.
        PlaylistWindow& playlist = m_program.frmPlaylist();
        playlist.chkRepeat->setChecked(loop == QLatin1String("Playlist"));
        playlist.chkRepeat_Click();
        scheduleUpdate();
        return;
    }
    if (!number || !std::isfinite(value.toDouble()))
        return refuse(QDBusError::InvalidArgs, QStringLiteral("%1 is a number").arg(name));
    if (name == QLatin1String("Rate")) {
        if (value.toDouble() != 1.0)
            return refuse(QDBusError::InvalidArgs, QStringLiteral("Zendrix plays at the rate 1.0 only"));
        connection.send(message.createReply());
        return;
    }
    connection.send(message.createReply());
    m_remote.setVolume(value.toDouble());
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

}  // namespace zendrix
