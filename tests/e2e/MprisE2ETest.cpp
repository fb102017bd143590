// The real player on a bus of the test's own, steered by playerctl as a desktop's scripts and panels
// steer it: it is found, opens a file, pauses, resumes, and tells what it plays.
#include "ProgramRun.h"

#include "support/Files.h"
#include "support/MediaFixtures.h"
#include "support/PrivateBus.h"
#include "support/WaitFor.h"

#include <QFile>
#include <QUrl>
#include <gtest/gtest.h>

using namespace zendrix;
using namespace zendrix::testing;

namespace {

TEST(MprisE2E, PlayerctlFindsThePlayerOpensAFilePausesResumesAndReadsWhatPlays)
{
    if (const QString missing = MediaFixtures::missingTools({"playerctl", "dbus-daemon", "ffmpeg"});
        !missing.isEmpty())
        GTEST_SKIP() << missing.toStdString();
    const QString song = MediaFixtures::encoded("mp3", 30, {"Morning", "Ann", "Days", "Folk"});
    ASSERT_FALSE(song.isEmpty()) << MediaFixtures::lastError().toStdString();
    PrivateBus bus;
    ASSERT_FALSE(bus.address().isEmpty()) << bus.error().toStdString();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), bus.address());
    // playerctl's answer to `arguments`, trimmed; "" when it failed.
    const auto playerctl = [&environment](const QStringList& arguments) {
        QProcess process;
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral("playerctl"),
                      QStringList{QStringLiteral("--player=zendrix")} + arguments);
        if (!process.waitForFinished(10000) || process.exitCode() != 0)
            return QString();
        return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
    };
    // Asks until the answer is `expected`, for up to 15 s; the last answer.
    const auto awaited = [&playerctl](const QStringList& arguments, const QString& expected) {
        QString answer;
        test::waitFor([&] { return (answer = playerctl(arguments)) == expected; }, 15000);
        return answer;
    };
    ProgramFolderCopy folder;
    auto player = folder.start({}, {}, environment);

    EXPECT_EQ(awaited({"status"}, "Stopped"), "Stopped") << "the player is on the bus";
    const QString uri = QUrl::fromLocalFile(song).toString(QUrl::FullyEncoded);
    playerctl({"open", uri});
    EXPECT_EQ(awaited({"status"}, "Playing"), "Playing");
    playerctl({"pause"});
    EXPECT_EQ(awaited({"status"}, "Paused"), "Paused");
    playerctl({"play"});
    EXPECT_EQ(awaited({"status"}, "Playing"), "Playing");
    EXPECT_EQ(awaited({"metadata", "xesam:url"}, uri), uri);
    // The tags come with the information the player reads at the first tick.
    EXPECT_EQ(awaited({"metadata", "--format", "{{xesam:artist}}/{{xesam:album}}"}, "Ann/Days"), "Ann/Days");
    EXPECT_EQ(awaited({"metadata", "mpris:length"}, "30000000"), "30000000");

    playerctl({"volume", "0.4"});
    EXPECT_EQ(awaited({"volume"}, "0.400000"), "0.400000");
    EXPECT_TRUE(readFile(folder.config()).contains("Volume=40")) << "written as the volume bar writes it";

    EXPECT_TRUE(isRunning(*player));
    player->kill();
    player->waitForFinished();
}

} // namespace
