#include "MprisService.h"

#include "Program.h"
#include "TitleStrip.h"
#include "core/Addresses.h"

#include <QCoreApplication>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusVariant>
#include <QFileInfo>
#include <QUrl>
#include <utility>

namespace zendrix {

namespace {

const QString& kRoot = MprisService::kRootInterface;
const QString& kPlayer = MprisService::kPlayerInterface;
const QString kProperties = QStringLiteral("org.freedesktop.DBus.Properties");
// Longer than any path or stream address the player opens; anything longer is refused unread.
constexpr qsizetype kMaxUri = 8192;

// The methods, with the signature each takes and, for the transport, the command it gives. All of them
// act, so all are answered before they act.
struct Method
{
    const QString& interface;
    QString name;
    QString signature;
    void (PlayerRemote::*command)() = nullptr;
};
const Method kMethods[] = {
    {kRoot, QStringLiteral("Raise"), {}},
    {kRoot, QStringLiteral("Quit"), {}},
    {kPlayer, QStringLiteral("Next"), {}, &PlayerRemote::next},
    {kPlayer, QStringLiteral("Previous"), {}, &PlayerRemote::previous},
    {kPlayer, QStringLiteral("Pause"), {}, &PlayerRemote::pause},
    {kPlayer, QStringLiteral("PlayPause"), {}, &PlayerRemote::playPause},
    {kPlayer, QStringLiteral("Stop"), {}, &PlayerRemote::stop},
    {kPlayer, QStringLiteral("Play"), {}, &PlayerRemote::play},
    {kPlayer, QStringLiteral("Seek"), QStringLiteral("x")},
    {kPlayer, QStringLiteral("SetPosition"), QStringLiteral("ox")},
    {kPlayer, QStringLiteral("OpenUri"), QStringLiteral("s")},
};

// The URI OpenUri was given, if the player opens it.
bool isOpenableUri(const QString& text)
{
    if (text.isEmpty() || text.size() > kMaxUri)
        return false;
    return QUrl(text, QUrl::StrictMode).isValid() && isPlayableAddress(text);
}

} // namespace

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
    connect(&m_remote, &PlayerRemote::changed, this, &MprisService::scheduleUpdate);
    connect(&m_remote, &PlayerRemote::seeked, this, [this] {
        m_seekPending = true;
        scheduleUpdate();
    });
}

MprisService::~MprisService()
{
    if (m_bus) {
        m_bus->unregisterObject(kPath);
        m_bus->unregisterService(m_serviceName);
    }
}

bool MprisService::publish(QDBusConnection bus)
{
    if (!bus.isConnected() || !bus.registerVirtualObject(kPath, this))
        return false;
    for (const QString& name :
         {kName, kName + QStringLiteral(".instance") + QString::number(QCoreApplication::applicationPid())}) {
        if (bus.registerService(name)) {
            m_bus = bus;
            m_serviceName = name;
            m_sent = m_properties.player();
            m_seekPending = false;
            return true;
        }
    }
    bus.unregisterObject(kPath);
    return false;
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
        return false; // Introspectable and Peer are the connection's
    const Method* method = nullptr;
    for (const Method& candidate : kMethods) {
        if (candidate.name == message.member() && (interface.isEmpty() || interface == candidate.interface))
            method = &candidate;
    }
    if (!method) {
        if (interface.isEmpty())
            return false;
        connection.send(
            message.createErrorReply(QDBusError::UnknownMethod,
                                     QStringLiteral("No method %1 in %2").arg(message.member(), interface)));
        return true;
    }
    if (message.signature() != method->signature) {
        connection.send(message.createErrorReply(
            QDBusError::InvalidArgs, QStringLiteral("%1 takes (%2), not (%3)")
                                         .arg(method->name, method->signature, message.signature())));
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
    if (method->command)
        (m_remote.*method->command)();
    else if (name == QLatin1String("Raise"))
        m_program.raiseGroup();
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
                                         .arg(playableSchemes().join(QStringLiteral(", ")))
                                         .arg(kMaxUri)));
        return;
    }
    connection.send(message.createReply());
    // A URI is absolute: the working folder is never used.
    m_program.openArguments({uri}, QStringLiteral("/"));
}

void MprisService::setPositionCall(const QDBusMessage& message, const QDBusConnection& connection)
{
    const QString track = qvariant_cast<QDBusObjectPath>(message.arguments().at(0)).path();
    const qlonglong position = message.arguments().at(1).toLongLong();
    const std::optional<PlayerRemote::Track> current = m_remote.track();
    if (!current || track != MprisProperties::trackPath(current)) {
        connection.send(message.createErrorReply(QDBusError::InvalidArgs,
                                                 QStringLiteral("%1 is not the current track").arg(track)));
        return;
    }
    if (!current->lengthUs || position < 0 || position > *current->lengthUs) {
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
    if (std::exchange(m_quitting, true))
        return;
    // The program ends as the Exit button ends it, once the answer is on its way, so the caller is not
    // left waiting for it: the bus answers a round trip after it has taken the reply. The round trip is
    // not waited for; the windows go on as they are until it comes back (or fails, at the latest after
    // two seconds).
    QDBusPendingCallWatcher* roundTrip = new QDBusPendingCallWatcher(
        connection.asyncCall(QDBusMessage::createMethodCall(
                                 QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
                                 QStringLiteral("org.freedesktop.DBus"), QStringLiteral("GetId")),
                             2000),
        this);
    connect(roundTrip, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* call) {
        call->deleteLater();
        m_program.frmTitle().cmdExit_Click();
    });
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
    const QVariantMap now = m_properties.player();
    QVariantMap changed;
    for (auto it = now.cbegin(); it != now.cend(); ++it) {
        if (it.value() != m_sent.value(it.key()))
            changed.insert(it.key(), it.value());
    }
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
    return path == kPath ? MprisProperties::introspection() : QString();
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
        connection.send(message.createErrorReply(
            QDBusError::InvalidArgs, QStringLiteral("No %1(%2) in %3").arg(member, signature, kProperties)));
        return;
    }
    const QString interface = arguments.at(0).toString();
    if (interface != kRoot && interface != kPlayer) {
        connection.send(message.createErrorReply(
            QDBusError::UnknownInterface, QStringLiteral("No interface %1 here").arg(interface.left(200))));
        return;
    }
    if (getAll) {
        connection.send(message.createReply(m_properties.all(interface)));
        return;
    }
    const QString name = arguments.at(1).toString();
    const QVariant value =
        interface == kRoot ? MprisProperties::root().value(name) : m_properties.playerProperty(name);
    if (!value.isValid()) {
        connection.send(
            message.createErrorReply(QDBusError::UnknownProperty,
                                     QStringLiteral("No property %1 in %2").arg(name.left(200), interface)));
        return;
    }
    if (get) {
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
    const bool writable =
        interface == kPlayer && (name == QLatin1String("LoopStatus") || name == QLatin1String("Rate") ||
                                 name == QLatin1String("Volume") || name == QLatin1String("Shuffle"));
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
        m_remote.setRepeat(loop == QLatin1String("Playlist"));
        return;
    }
    if (name == QLatin1String("Shuffle")) {
        if (value.metaType() != QMetaType::fromType<bool>())
            return refuse(QDBusError::InvalidArgs, QStringLiteral("Shuffle is true or false"));
        connection.send(message.createReply());
        // As a click on the list menu's Shuffle Play: the menu shows it, and the setting is written.
        m_remote.setShuffle(value.toBool());
        return;
    }
    if (!number || !std::isfinite(value.toDouble()))
        return refuse(QDBusError::InvalidArgs, QStringLiteral("%1 is a number").arg(name));
    if (name == QLatin1String("Rate")) {
        // 0 is a pause, as MPRIS asks of a player that is sent it.
        const double rate = value.toDouble();
        if (rate != 0 && (rate < EngineControls::kMinRate || rate > EngineControls::kMaxRate))
            return refuse(QDBusError::InvalidArgs, QStringLiteral("Rate is 0, or from %1 to %2")
                                                       .arg(EngineControls::kMinRate)
                                                       .arg(EngineControls::kMaxRate));
        connection.send(message.createReply());
        m_remote.setRate(rate);
        return;
    }
    connection.send(message.createReply());
    m_remote.setVolume(value.toDouble());
}

} // namespace zendrix
