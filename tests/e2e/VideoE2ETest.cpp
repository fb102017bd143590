// The real player watching films as a user does under X: the Video menu from the keyboard (the shape of
// the picture, a snapshot), a film left at the end of a run starting there at the next, the group kept
// above another program's window under a window manager (openbox), also after full screen, and a
// notification of a new item on a bus of the test's own.
#include "ProgramRun.h"

#include "core/ResumePositions.h"
#include "support/DrawnWidth.h"
#include "support/Files.h"
#include "support/MediaFixtures.h"
#include "support/NotificationServer.h"
#include "support/PrivateBus.h"
#include "support/WaitFor.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QRegularExpression>
#include <QScreen>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zendrix;
using namespace zendrix::testing;
using zendrix::test::drawnWidth;
using zendrix::test::runEventsFor;
using zendrix::test::waitFor;

namespace {

// The size of a window, from xdotool.
QSize sizeOf(const QString& window)
{
    const QString shell = xdotool({"getwindowgeometry", "--shell", window});
    const auto value = [&](const char* key) {
        return QRegularExpression(QStringLiteral("%1=(\\d+)").arg(key)).match(shell).captured(1).toInt();
    };
    return {value("WIDTH"), value("HEIGHT")};
}

// The player's visible window of that size, by its id; "" when there is none. The video window holds a
// window of its own size that the engine draws into: the one inside another is not the window.
QString windowOf(qint64 pid, QSize size)
{
    QStringList found;
    for (const QString& id :
         xdotool({"search", "--onlyvisible", "--pid", QString::number(pid)}).split('\n')) {
        if (!id.isEmpty() && sizeOf(id) == size)
            found << id;
    }
    for (const QString& outer : QStringList(found)) {
        // What xwininfo lists after "1 child:" or "2 children:", past the window's root and parent.
        const QString children =
            run("xwininfo", {"-children", "-id", outer}).section(QStringLiteral(" child"), 1);
        found.removeIf([&](const QString& id) {
            return id != outer && children.contains(QStringLiteral("0x%1 ").arg(id.toULongLong(), 0, 16));
        });
    }
    return found.value(0);
}

const QSize kVideo(425, 239);

// Opens the player's menu with Shift+F10 on the main window and types the mnemonics.
void chooseFromMenu(const QString& main, const QStringList& keys)
{
    xdotool({"windowfocus", "--sync", main});
    xdotool({"key", "shift+F10"});
    runEventsFor(400);
    for (const QString& key : keys) {
        xdotool({"key", key});
        runEventsFor(200);
    }
}

class VideoE2E : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (const QString missing = MediaFixtures::missingTools({"xdotool", "ffmpeg", "xprop", "xwininfo"});
            !missing.isEmpty())
            GTEST_SKIP() << missing.toStdString();
        environment.insert(QStringLiteral("HOME"), home.path());
    }
    void TearDown() override
    {
        for (QProcess* process : {player.get(), other.get(), windowManager.get()}) {
            if (process && process->state() != QProcess::NotRunning) {
                process->kill();
                process->waitForFinished();
            }
        }
    }
    void settings(const QByteArray& lines) { writeFile(folder.config(), lines); }
    QString waitForWindow(QSize size)
    {
        QString id;
        EXPECT_TRUE(waitFor([&] { return !(id = windowOf(player->processId(), size)).isEmpty(); }, 20000));
        return id;
    }

    QTemporaryDir home;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    ProgramFolderCopy folder;
    std::unique_ptr<QProcess> player;
    std::unique_ptr<QProcess> other;
    std::unique_ptr<QProcess> windowManager;
};

TEST_F(VideoE2E, TheVideoMenuFromTheKeyboardSetsThePicturesShapeAndTakesASnapshot)
{
    const QString squeezed = MediaFixtures::squeezedFilm(60);
    ASSERT_FALSE(squeezed.isEmpty()) << MediaFixtures::lastError().toStdString();
    ASSERT_TRUE(QDir(home.path()).mkpath("Pictures"));
    settings("[Player]\r\nScreen=True\r\n");
    player = folder.start({squeezed}, {}, environment);
    const QString main = waitForWindow(kMainWindowSize);
    const QString video = waitForWindow(kVideo);
    int width = 0;
    // The header's 16:9 fills the window's width; 4:3 leaves bars at the sides.
    EXPECT_TRUE(waitFor([&] { return (width = drawnWidth(video.toULongLong())) >= 420; }, 20000)) << width;
    chooseFromMenu(main, {"v", "a", "4"});
    EXPECT_TRUE(
        waitFor([&] { return std::abs((width = drawnWidth(video.toULongLong())) - 319) <= 4; }, 10000))
        << width;

    chooseFromMenu(main, {"v", "n"});
    QStringList pictures;
    EXPECT_TRUE(waitFor(
        [&] {
            return !(pictures = QDir(home.filePath("Pictures")).entryList(QDir::Files | QDir::Hidden))
                        .isEmpty();
        },
        10000));
    ASSERT_EQ(pictures.size(), 1) << pictures.join(' ').toStdString();
    EXPECT_TRUE(QRegularExpression("^Zendrix v\\d+-squeezed-60s \\d\\d-\\d\\d-\\d\\d\\.png$")
                    .match(pictures[0])
                    .hasMatch())
        << pictures[0].toStdString();
    EXPECT_EQ(QImage(home.filePath("Pictures/" + pictures[0])).size(), QSize(320, 240));
}

TEST_F(VideoE2E, AFilmLeftWhenThePlayerEndedStartsThereAtTheNextRun)
{
    if (const QString missing = MediaFixtures::missingTools({"playerctl", "dbus-daemon", "dbus-send"});
        !missing.isEmpty())
        GTEST_SKIP() << missing.toStdString();
    const QString film = MediaFixtures::longFilm(620);
    ASSERT_FALSE(film.isEmpty()) << MediaFixtures::lastError().toStdString();
    PrivateBus bus;
    ASSERT_FALSE(bus.address().isEmpty()) << bus.error().toStdString();
    environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), bus.address());
    const auto playerctl = [&](const QStringList& arguments) {
        return run(QStringLiteral("playerctl"), QStringList{"--player=zendrix"} + arguments, environment);
    };
    const auto position = [&] { return playerctl({"position"}).toDouble(); };
    settings("[Player]\r\nResume=True\r\n");
    player = folder.start({film}, {}, environment);
    // The length known, the seek bar takes a position.
    ASSERT_TRUE(waitFor([&] { return playerctl({"metadata", "mpris:length"}).toLongLong() > 0; }, 20000));
    playerctl({"position", "300"});
    ASSERT_TRUE(waitFor([&] { return position() >= 301; }, 10000)) << position();
    // The desktop's Quit ends the player as its Exit button does.
    run(QStringLiteral("dbus-send"),
        {"--session", "--type=method_call", "--dest=org.mpris.MediaPlayer2.zendrix",
         "/org/mpris/MediaPlayer2", "org.mpris.MediaPlayer2.Quit"},
        environment);
    ASSERT_TRUE(player->waitForFinished(15000));
    const std::vector<ResumePositions::Entry> kept =
        ResumePositions::decode(readFile(folder.path() + "/Data/" + ResumePositions::kFileName));
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(kept[0].path, film);
    EXPECT_GE(kept[0].seconds, 301);

    player = folder.start({film}, {}, environment);
    ASSERT_TRUE(waitFor([&] { return playerctl({"status"}) == "Playing"; }, 20000));
    const double resumed = position();
    EXPECT_GE(resumed, kept[0].seconds - 5.5);
    EXPECT_LE(resumed, kept[0].seconds + 5);
}

TEST_F(VideoE2E, UnderAWindowManagerTheGroupStaysAboveALaterWindowAlsoAfterFullScreenUntilTurnedOff)
{
    if (const QString missing = MediaFixtures::missingTools({"openbox", "xmessage"}); !missing.isEmpty())
        GTEST_SKIP() << missing.toStdString();
    const QString squeezed = MediaFixtures::squeezedFilm(60);
    ASSERT_FALSE(squeezed.isEmpty()) << MediaFixtures::lastError().toStdString();
    windowManager = std::make_unique<QProcess>();
    windowManager->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    windowManager->start("openbox", {"--sm-disable"});
    ASSERT_TRUE(waitFor(
        [] {
            return run("xprop", {"-root", "_NET_SUPPORTING_WM_CHECK"}).contains("window id");
        },
        15000))
        << "openbox did not start";
    settings("[Position]\r\nTop=4800\r\nLeft=4500\r\n[Player]\r\nScreen=True\r\n");
    player = folder.start({squeezed}, {}, environment);
    const QString main = waitForWindow(kMainWindowSize);
    const QString video = waitForWindow(kVideo);
    const QString title = waitForWindow(kTitleStripSize);
    chooseFromMenu(main, {"t"});
    ASSERT_TRUE(waitFor([&] { return readFile(folder.config()).contains("AlwaysOnTop=True"); }, 5000));

    // Another program's window opened later, over the group's place, and given the focus.
    other = std::make_unique<QProcess>();
    other->start("xmessage", {"-geometry", "700x500+200+0", "another program"});
    QString otherId;
    ASSERT_TRUE(waitFor(
        [&] {
            return !(otherId = xdotool({"search", "--onlyvisible", "--classname", "^xmessage$"})).isEmpty();
        },
        10000));
    otherId = otherId.section('\n', 0, 0);
    // The stacking order, bottom to top, as the window manager keeps it.
    const auto above = [&](const QString& window) {
        const QStringList stacking = run("xprop", {"-root", "_NET_CLIENT_LIST_STACKING"})
                                         .section('#', 1)
                                         .split(',', Qt::SkipEmptyParts);
        qsizetype windowAt = -1, otherAt = -1;
        for (qsizetype i = 0; i < stacking.size(); ++i) {
            const qulonglong id = stacking[i].trimmed().toULongLong(nullptr, 16);
            windowAt = id == window.toULongLong() ? i : windowAt;
            otherAt = id == otherId.toULongLong() ? i : otherAt;
        }
        return windowAt >= 0 && otherAt >= 0 && windowAt > otherAt;
    };
    const auto state = [](const QString& window) { return run("xprop", {"-id", window, "_NET_WM_STATE"}); };
    xdotool({"windowactivate", otherId});
    for (const QString& window : {main, video, title}) {
        EXPECT_TRUE(waitFor([&] { return above(window); }, 5000)) << window.toStdString();
        EXPECT_TRUE(state(window).contains("_NET_WM_STATE_ABOVE")) << state(window).toStdString();
    }

    // Full screen and back: the video window keeps its place above.
    xdotool({"mousemove", "--window", video, "200", "120", "click", "--repeat", "2", "--delay", "80", "1"});
    ASSERT_TRUE(waitFor([&] { return sizeOf(video) == QSize(1280, 1024); }, 10000));
    EXPECT_TRUE(state(video).contains("_NET_WM_STATE_ABOVE")) << state(video).toStdString();
    xdotool({"key", "Escape"});
    ASSERT_TRUE(waitFor([&] { return sizeOf(video) == kVideo; }, 10000));
    xdotool({"windowactivate", otherId});
    EXPECT_TRUE(waitFor([&] { return above(video) && state(video).contains("_NET_WM_STATE_ABOVE"); }, 5000))
        << state(video).toStdString();

    // Turned off, the other program's window comes to the front when activated.
    chooseFromMenu(main, {"t"});
    ASSERT_TRUE(waitFor([&] { return readFile(folder.config()).contains("AlwaysOnTop=False"); }, 5000));
    xdotool({"windowactivate", otherId});
    EXPECT_TRUE(waitFor([&] { return !above(main); }, 5000));
    EXPECT_FALSE(state(main).contains("_NET_WM_STATE_ABOVE"));
}

TEST_F(VideoE2E, EachNewItemIsNotifiedOnTheSessionBusWithItsTitleArtistAndAlbumTheNextReplacingIt)
{
    if (const QString missing = MediaFixtures::missingTools({"dbus-daemon"}); !missing.isEmpty())
        GTEST_SKIP() << missing.toStdString();
    const QString dawn = MediaFixtures::encoded("mp3", 2, {"Dawn", "The Band", "Mornings"});
    const QString dusk = MediaFixtures::encoded("mp3", 20, {"Dusk", "The Band", "Evenings"});
    ASSERT_FALSE(dawn.isEmpty() || dusk.isEmpty()) << MediaFixtures::lastError().toStdString();
    PrivateBus bus;
    ASSERT_FALSE(bus.address().isEmpty()) << bus.error().toStdString();
    NotificationServer server;
    ASSERT_TRUE(server.serve(bus.address()));
    environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), bus.address());
    settings("[Player]\r\nNotifications=True\r\n");
    // No window manager gives the player the focus: the list plays on while the user is elsewhere.
    player = folder.start({dawn, dusk}, {}, environment);
    ASSERT_TRUE(
        waitFor([&] { return !server.calls.empty() && server.calls.back().summary == "Dusk"; }, 20000))
        << "no notification of the second item";
    const NotificationServer::Call& last = server.calls.back();
    EXPECT_EQ(last.app, "Zendrix");
    EXPECT_EQ(last.icon, "zendrix");
    EXPECT_EQ(last.body, "The Band - Evenings");
    ASSERT_EQ(server.calls.size(), 2u);
    EXPECT_EQ(server.calls[0].summary, "Dawn");
    EXPECT_EQ(last.replaces, 7u) << "the first one's id";
}

} // namespace
