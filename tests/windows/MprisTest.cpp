// The player's MPRIS 2 service on a bus of the test's own, driven by a QtDBus client as the desktop's
// media controls drive it: each method and property against the windows' state, PropertiesChanged for
// exactly what changed, and hostile calls refused without effect.
#include "core/modINI.h"
#include "support/Files.h"
#include "support/PrivateBus.h"
#include "support/ProgramStart.h"
#include "support/WaitFor.h"
#include "windows/MainWindow.h"
#include "windows/MprisService.h"
#include "windows/PlaylistWindow.h"

#include <QCheckBox>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusPendingCall>
#include <QDBusVariant>
#include <QFile>
#include <QTemporaryDir>
#include <QUrl>
#include <cmath>
#include <gtest/gtest.h>

using namespace zendrix;
using namespace zendrix::testing;
using zendrix::test::runEventsFor;
using zendrix::test::waitFor;

namespace {

const QString kRoot = QStringLiteral("org.mpris.MediaPlayer2");
const QString kPlayerInterface = QStringLiteral("org.mpris.MediaPlayer2.Player");
const QString kProperties = QStringLiteral("org.freedesktop.DBus.Properties");

class SignalRecorder : public QObject
{
    Q_OBJECT
public:
    std::vector<QVariantMap> changes;
    std::vector<qlonglong> seeks;
    QStringList lastChanged() const { return changes.empty() ? QStringList() : changes.back().keys(); }

public Q_SLOTS:
    void propertiesChanged(const QDBusMessage& message)
    {
        changes.push_back(qdbus_cast<QVariantMap>(message.arguments().at(1).value<QDBusArgument>()));
    }
    void seeked(const QDBusMessage& message) { seeks.push_back(message.arguments().at(0).toLongLong()); }
};

class MprisTest : public ::testing::Test, protected ProgramRig
{
protected:
    PrivateBus bus;
    std::unique_ptr<MprisService> mpris;
    std::optional<QDBusConnection> client;
    SignalRecorder recorder;

    void SetUp() override
    {
        ASSERT_FALSE(bus.address().isEmpty()) << bus.error().toStdString();
        start();
        mpris = std::make_unique<MprisService>(*program);
        ASSERT_TRUE(mpris->publish(QDBusConnection::connectToBus(bus.address(), QStringLiteral("player"))));
        client = QDBusConnection::connectToBus(bus.address(), QStringLiteral("client"));
        client->connect({}, MprisService::kPath, kProperties, QStringLiteral("PropertiesChanged"), &recorder,
                        SLOT(propertiesChanged(QDBusMessage)));
        client->connect({}, MprisService::kPath, kPlayerInterface, QStringLiteral("Seeked"), &recorder,
                        SLOT(seeked(QDBusMessage)));
        get(QStringLiteral("PlaybackStatus")); // a round trip: the client's signal matches are in place
    }
    void TearDown() override
    {
        mpris.reset();
        QDBusConnection::disconnectFromBus(QStringLiteral("client"));
        QDBusConnection::disconnectFromBus(QStringLiteral("player"));
    }

    QDBusMessage call(const QString& interface, const QString& member, const QVariantList& arguments = {})
    {
        QDBusMessage message =
            QDBusMessage::createMethodCall(mpris->serviceName(), MprisService::kPath, interface, member);
        message.setArguments(arguments);
        const QDBusPendingCall pending = client->asyncCall(message, 10000);
        EXPECT_TRUE(waitFor([&] { return pending.isFinished(); }, 15000)) << member.toStdString();
        return pending.reply();
    }
    QVariant get(const QString& name, const QString& interface = kPlayerInterface)
    {
        const QDBusMessage reply = call(kProperties, QStringLiteral("Get"), {interface, name});
        EXPECT_EQ(reply.type(), QDBusMessage::ReplyMessage) << reply.errorMessage().toStdString();
        return reply.arguments().value(0).value<QDBusVariant>().variant();
    }
    QVariantMap getAll(const QString& interface)
    {
        const QDBusMessage reply = call(kProperties, QStringLiteral("GetAll"), {interface});
        return qdbus_cast<QVariantMap>(reply.arguments().value(0).value<QDBusArgument>());
    }
    // The arguments of a Set of the player's property `name`.
    static QVariantList setting(const QString& name, const QVariant& value)
    {
        return {kPlayerInterface, name, QVariant::fromValue(QDBusVariant(value))};
    }
    bool set(const QString& name, const QVariant& value)
    {
        return call(kProperties, QStringLiteral("Set"), setting(name, value)).type() ==
               QDBusMessage::ReplyMessage;
    }
    QVariantMap metadata()
    {
        return qdbus_cast<QVariantMap>(get(QStringLiteral("Metadata")).value<QDBusArgument>());
    }
    // Runs `action`, waits for the PropertiesChanged it causes and returns the names that came with it.
    template <typename Action> QStringList changesOf(Action&& action)
    {
        const std::size_t seen = recorder.changes.size();
        action();
        EXPECT_TRUE(waitFor([&] { return recorder.changes.size() > seen; }, 5000));
        return recorder.lastChanged();
    }
    bool showsPauseIcon()
    {
        return player().cmdControls[0].PictureNormal().image().pixel(8, 8) ==
               ProgramFolderFixture::kPause.rgb();
    }
};

TEST_F(MprisTest, TheRootInterfaceDescribesThePlayerAndQuitEndsItAsExitDoes)
{
    const QVariantMap root = getAll(kRoot);
    EXPECT_EQ(root.value("Identity"), "Zendrix");
    EXPECT_EQ(root.value("DesktopEntry"), "zendrix");
    EXPECT_EQ(root.value("CanQuit"), true);
    EXPECT_EQ(root.value("CanRaise"), true);
    EXPECT_EQ(root.value("HasTrackList"), false);
    EXPECT_TRUE(root.value("SupportedUriSchemes").toStringList().contains("file"));
    EXPECT_TRUE(root.value("SupportedMimeTypes").toStringList().contains("audio/mpeg"));

    const QVariantMap playerAll = getAll(kPlayerInterface);
    EXPECT_EQ(playerAll.value("Shuffle"), false) << "Shuffle Play starts off";
    EXPECT_EQ(playerAll.value("Rate"), 1.0);
    EXPECT_EQ(playerAll.value("MinimumRate"), 0.5);
    EXPECT_EQ(playerAll.value("MaximumRate"), 2.0);
    EXPECT_EQ(playerAll.value("PlaybackStatus"), "Stopped");
    EXPECT_EQ(playerAll.value("CanControl"), true);
    EXPECT_EQ(playerAll.value("CanPlay"), false) << "nothing loaded";

    const QString introspection =
        call("org.freedesktop.DBus.Introspectable", "Introspect").arguments().value(0).toString();
    EXPECT_TRUE(introspection.contains("<method name=\"OpenUri\">") &&
                introspection.contains("org.freedesktop.DBus.Properties"));

    EXPECT_EQ(call(kRoot, "Raise").type(), QDBusMessage::ReplyMessage);
    EXPECT_EQ(exit.ended, 0);
    EXPECT_EQ(call(kRoot, "Quit").type(), QDBusMessage::ReplyMessage) << "answered before the end";
    EXPECT_TRUE(waitFor([&] { return exit.ended == 1; }, 5000));
    call(kRoot, "Quit");
    runEventsFor(100);
    EXPECT_EQ(exit.ended, 1) << "a second Quit while the first is on its way ends nothing twice";

    // A second player on the bus takes a name of its own; without a bus there is nothing to serve.
    MprisService second(*program);
    EXPECT_TRUE(second.publish(QDBusConnection::connectToBus(bus.address(), QStringLiteral("second"))));
    EXPECT_EQ(second.serviceName(),
              MprisService::kName + ".instance" + QString::number(QCoreApplication::applicationPid()));
    MprisService none(*program);
    EXPECT_FALSE(
        none.publish(QDBusConnection::connectToBus(QStringLiteral("unix:path=/nonexistent/bus"), "none")));
    QDBusConnection::disconnectFromBus("second");
    QDBusConnection::disconnectFromBus("none");
}

TEST_F(MprisTest, ASecondServiceLeavesTheFirstHearingEveryChange)
{
    {
        auto second = std::make_unique<MprisService>(*program);
        ASSERT_TRUE(second->publish(QDBusConnection::connectToBus(bus.address(), QStringLiteral("second"))));
        const std::size_t seen = recorder.changes.size();
        player().scrollVolume.setValue(55);
        EXPECT_TRUE(waitFor([&] { return recorder.changes.size() >= seen + 2; }, 5000))
            << "both services send the change";
    }
    QDBusConnection::disconnectFromBus("second");
    // The second has gone; the first still tells.
    EXPECT_EQ(changesOf([&] { player().scrollVolume.setValue(60); }), QStringList{"Volume"});
}

TEST_F(MprisTest, TheTransportRunsTheButtonsAndEachChangeIsSentOnceWithExactlyWhatChanged)
{
    engine->mediaName = "Morning";
    engine->itemInfo = {{"Author", "Ann"}, {"Album", "Days"}, {"WM/Genre", "Folk"}};
    const QStringList started = changesOf([&] {
        open(folder.file("/song one.mp3"), 125);
        ticks(1); // the first tick reads the length
    });
    EXPECT_EQ(QSet<QString>(started.begin(), started.end()),
              QSet<QString>({"PlaybackStatus", "Metadata", "CanPlay", "CanPause", "CanSeek"}));
    EXPECT_EQ(recorder.changes.back().value("PlaybackStatus"), "Playing");

    const QVariantMap track = metadata();
    EXPECT_TRUE(qvariant_cast<QDBusObjectPath>(track.value("mpris:trackid"))
                    .path()
                    .startsWith("/org/zendrix/Track/"));
    EXPECT_EQ(track.value("xesam:title"), player().lblFilename.Caption());
    EXPECT_EQ(track.value("xesam:artist"), QStringList{"Ann"});
    EXPECT_EQ(track.value("xesam:album"), "Days");
    EXPECT_EQ(track.value("xesam:genre"), QStringList{"Folk"});
    EXPECT_EQ(track.value("mpris:length"), 125'000'000LL);
    EXPECT_EQ(track.value("xesam:url"),
              QUrl::fromLocalFile(folder.file("/song one.mp3")).toString(QUrl::FullyEncoded));

    const struct
    {
        const char* method;
        const char* status;
        bool playing;
    } steps[] = {{"PlayPause", "Paused", false}, {"Play", "Playing", true},  {"Pause", "Paused", false},
                 {"Play", "Playing", true},      {"Stop", "Stopped", false}, {"PlayPause", "Playing", true}};
    for (const auto& step : steps) {
        SCOPED_TRACE(step.method);
        EXPECT_EQ(changesOf([&] {
                      EXPECT_EQ(call(kPlayerInterface, step.method).type(), QDBusMessage::ReplyMessage);
                  }),
                  QStringList{"PlaybackStatus"});
        EXPECT_EQ(get("PlaybackStatus"), step.status);
        EXPECT_EQ(player().IsPlaying, step.playing);
        EXPECT_EQ(showsPauseIcon(), step.playing);
        EXPECT_EQ(player().tmrTiming.Enabled(), step.playing);
    }
    // Calls that change nothing send nothing, and neither do the clock's ticks.
    call(kPlayerInterface, "Play");
    ticks(10);
    get("PlaybackStatus");
    runEventsFor(200);
    EXPECT_EQ(recorder.changes.size(), 1u + std::size(steps));

    // A new item is a new track.
    EXPECT_EQ(changesOf([&] { open(folder.file("/two.wav"), 0); }), QStringList({"CanSeek", "Metadata"}));
    EXPECT_NE(metadata().value("mpris:trackid"), track.value("mpris:trackid"));
    EXPECT_FALSE(metadata().contains("mpris:length")) << "while the length is unknown";
}

TEST_F(MprisTest, VolumeLoopStatusPositionAndTheNeighboursFollowTheWindows)
{
    EXPECT_EQ(changesOf([&] { EXPECT_TRUE(set("Volume", 0.37)); }), QStringList{"Volume"});
    EXPECT_EQ(program->frmMain().scrollVolume->value(), 37);
    EXPECT_EQ(engine->settings().volume(), 37);
    EXPECT_EQ(ReadINI(ConfigPath, "Player", "Volume", ""), "37");
    EXPECT_EQ(changesOf([&] { player().scrollVolume.setValue(80); }), QStringList{"Volume"})
        << "a user's move too";
    EXPECT_EQ(get("Volume"), 0.8);

    PlaylistWindow& playlist = program->frmPlaylist();
    EXPECT_EQ(changesOf([&] { EXPECT_TRUE(set("LoopStatus", "Playlist")); }), QStringList{"LoopStatus"});
    EXPECT_TRUE(playlist.chkRepeat->isChecked());
    EXPECT_EQ(ReadINI(ConfigPath, "Player", "RepeatPlaylist", ""), "True");
    EXPECT_EQ(changesOf([&] { playlist.chkRepeat->click(); }), QStringList{"LoopStatus"});
    EXPECT_EQ(get("LoopStatus"), "None");
    // Shuffle is the list menu's Shuffle Play, both ways.
    EXPECT_EQ(changesOf([&] { EXPECT_TRUE(set("Shuffle", true)); }), QStringList{"Shuffle"});
    EXPECT_TRUE(playlist.shufflesPlay());
    EXPECT_EQ(ReadINI(ConfigPath, "Player", "ShufflePlay", ""), "True");
    EXPECT_EQ(changesOf([&] { playlist.setShufflePlay(false); }), QStringList{"Shuffle"});
    EXPECT_EQ(get("Shuffle"), false);

    engine->mediaDuration = 100;
    for (const char* entry : {"/a.mp3", "/b.mp3"})
        program->lstPlaylist().AddItem(entry);
    changesOf([&] { program->lstPlaylist().setListIndex(0); });
    EXPECT_EQ(get("CanGoNext"), true);
    EXPECT_EQ(get("CanGoPrevious"), false);
    EXPECT_TRUE(changesOf([&] { call(kPlayerInterface, "Next"); }).contains("CanGoNext"));
    EXPECT_EQ(program->lstPlaylist().ListIndex(), 1);
    EXPECT_EQ(engine->URL(), "/b.mp3");
    // The list changes under the playing entry: nothing is selected, so the list would go on from its start.
    EXPECT_EQ(changesOf([&] { program->lstPlaylist().RemoveItem(0); }),
              QStringList({"CanGoNext", "CanGoPrevious"}));

    ticks(2);
    const QVariant track = metadata().value("mpris:trackid");
    EXPECT_EQ(call(kPlayerInterface, "SetPosition", {track, 42'400'000LL}).type(),
              QDBusMessage::ReplyMessage);
    EXPECT_TRUE(waitFor([&] { return !recorder.seeks.empty(); }));
    EXPECT_EQ(recorder.seeks.back(), 42'000'000);
    EXPECT_EQ(get("Position"), 42'000'000LL);
    EXPECT_TRUE(engine->calls().contains("currentPosition=42"));
    call(kPlayerInterface, "Seek", {QVariant::fromValue<qlonglong>(-30'000'000)});
    EXPECT_EQ(player().scrollTiming.Value(), 12);
    ticks(1);
    EXPECT_EQ(player().lblSeconds.Caption(), "12") << "the clock follows at the next tick";
    EXPECT_TRUE(waitFor([&] { return recorder.seeks.size() == 2; }));
}

TEST_F(MprisTest, TheRateIsTheSpeedMenusChoiceBothWaysAndARateOfZeroPauses)
{
    changesOf([&] { open("/media/talk.mp3"); }); // its own change is in before the rate's is waited for
    EXPECT_EQ(changesOf([&] { EXPECT_TRUE(set("Rate", 1.5)); }), QStringList{"Rate"});
    EXPECT_EQ(player().speed(), 1.5);
    EXPECT_EQ(engine->calls().last(), "rate=1.5");
    EXPECT_EQ(changesOf([&] { player().setSpeed(0.75); }), QStringList{"Rate"}) << "a choice in the menu too";
    EXPECT_EQ(get("Rate"), 0.75);
    EXPECT_EQ(changesOf([&] { EXPECT_TRUE(set("Rate", 0.0)); }), QStringList{"PlaybackStatus"});
    EXPECT_FALSE(player().IsPlaying);
    EXPECT_EQ(get("Rate"), 0.75);
}

TEST_F(MprisTest, HostileCallsAreRefusedWithAnErrorAndChangeNothing)
{
    changesOf([&] {
        open("/media/a.mp3");
        ticks(1);
    });
    const QVariant track = metadata().value("mpris:trackid");
    const QDBusObjectPath trackId = track.value<QDBusObjectPath>();
    const QVariant unknownTrack = QVariant::fromValue(QDBusObjectPath("/org/zendrix/Track/999"));
    const QString huge(1 << 20, QChar('a'));
    const struct
    {
        const char* what;
        QString interface;
        QString member;
        QVariantList arguments;
        const char* error;
    } calls[] = {
        {"a string for Seek", kPlayerInterface, "Seek", {"10"}, "InvalidArgs"},
        {"a string track id", kPlayerInterface, "SetPosition", {trackId.path(), 1LL}, "InvalidArgs"},
        {"an unknown track id", kPlayerInterface, "SetPosition", {unknownTrack, 1LL}, "InvalidArgs"},
        {"a position past the end", kPlayerInterface, "SetPosition", {track, 101'000'000LL}, "InvalidArgs"},
        {"a huge URI", kPlayerInterface, "OpenUri", {"file:///" + huge}, "InvalidArgs"},
        {"a scheme not opened", kPlayerInterface, "OpenUri", {"javascript:alert(1)"}, "InvalidArgs"},
        {"a URI with a line break", kPlayerInterface, "OpenUri", {"file:///a\n.mp3"}, "InvalidArgs"},
        {"an unknown method", kPlayerInterface, "Eject", {}, "UnknownMethod"},
        {"an extra argument", kPlayerInterface, "PlayPause", {1}, "InvalidArgs"},
        {"a huge property name", kProperties, "Get", {kPlayerInterface, huge}, "UnknownProperty"},
        {"an unknown interface", kProperties, "GetAll", {"org.example.Nothing"}, "UnknownInterface"},
        {"a read-only property", kProperties, "Set", setting("PlaybackStatus", "Playing"),
         "PropertyReadOnly"},
        {"a volume as text", kProperties, "Set", setting("Volume", "1"), "InvalidArgs"},
        {"a volume that is no number", kProperties, "Set", setting("Volume", std::nan("")), "InvalidArgs"},
        {"a loop status of Track", kProperties, "Set", setting("LoopStatus", "Track"), "InvalidArgs"},
        {"a shuffle as text", kProperties, "Set", setting("Shuffle", "true"), "InvalidArgs"},
        {"a rate beyond the fastest", kProperties, "Set", setting("Rate", 2.5), "InvalidArgs"},
        {"a rate below the slowest", kProperties, "Set", setting("Rate", 0.25), "InvalidArgs"},
        {"a rate as text", kProperties, "Set", setting("Rate", "2"), "InvalidArgs"},
        {"Get without a name", kProperties, "Get", {kPlayerInterface}, "InvalidArgs"},
    };
    const QStringList engineCalls = engine->calls();
    const int entries = program->lstPlaylist().ListCount();
    recorder.changes.clear();
    for (const auto& c : calls) {
        SCOPED_TRACE(c.what);
        const QDBusMessage reply = call(c.interface, c.member, c.arguments);
        EXPECT_EQ(reply.type(), QDBusMessage::ErrorMessage);
        EXPECT_EQ(reply.errorName(), QStringLiteral("org.freedesktop.DBus.Error.") + c.error);
    }
    runEventsFor(200);
    EXPECT_EQ(engine->calls(), engineCalls);
    EXPECT_EQ(program->lstPlaylist().ListCount(), entries);
    EXPECT_FALSE(QFile::exists(ConfigPath)) << "no setting written";
    EXPECT_TRUE(recorder.changes.empty() && recorder.seeks.empty());
    EXPECT_TRUE(messages.shown.empty());

    // A URI the player opens acts as a command-line argument: to the end of the playlist, and it starts.
    QTemporaryDir media;
    const QString song = media.filePath("new song.ogg");
    writeFile(song);
    EXPECT_EQ(
        call(kPlayerInterface, "OpenUri", {QString::fromUtf8(QUrl::fromLocalFile(song).toEncoded())}).type(),
        QDBusMessage::ReplyMessage);
    ASSERT_EQ(program->lstPlaylist().ListCount(), entries + 1);
    EXPECT_EQ(program->lstPlaylist().items().last(), song);
    EXPECT_EQ(engine->URL(), song);
    EXPECT_TRUE(player().FromPlaylist);
}

} // namespace

#include "MprisTest.moc"
