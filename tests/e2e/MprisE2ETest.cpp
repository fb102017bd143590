// The real player on a bus of the test's own, steered by playerctl as a desktop's scripts and panels
// steer it: it is found, opens a file, pauses, resumes, and tells what it plays.
#include "ProgramRun.h"

#include "support/Files.h"
#include "support/MediaFixtures.h"
#include "support/PrivateBus.h"
#include "support/WaitFor.h"

#include <QFile>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace zendrix;
using namespace zendrix::testing;

namespace {

// A player on a private bus, asked through playerctl.
class MprisE2E : public ::testing::Test
{
protected:
    PrivateBus bus;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();

    void SetUp() override
    {
        if (const QString missing = MediaFixtures::missingTools({"playerctl", "dbus-daemon", "ffmpeg"});
            !missing.isEmpty())
            GTEST_SKIP() << missing.toStdString();
        ASSERT_FALSE(bus.address().isEmpty()) << bus.error().toStdString();
        environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), bus.address());
    }
    // playerctl's answer to `arguments`, trimmed; "" when it failed.
    QString playerctl(const QStringList& arguments)
    {
        QProcess process;
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral("playerctl"), QStringList{QStringLiteral("--player=zendrix")} + arguments);
        if (!process.waitForFinished(10000) || process.exitCode() != 0)
            return QString();
        return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
    }
    // Asks until the answer is `expected`, for up to 15 s; the last answer.
    QString awaited(const QStringList& arguments, const QString& expected)
    {
        QString answer;
        test::waitFor([&] { return (answer = playerctl(arguments)) == expected; }, 15000);
        return answer;
    }
};

TEST_F(MprisE2E, PlayerctlFindsThePlayerOpensAFilePausesResumesAndReadsWhatPlays)
{
    const QString song = MediaFixtures::encoded("mp3", 30, {"Morning", "Ann", "Days", "Folk"});
    ASSERT_FALSE(song.isEmpty()) << MediaFixtures::lastError().toStdString();
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

// A pipe named like a playlist, handed over by a second start, is refused without a wait and leaves the
// running player's list as it was: Next still goes to the second entry.
TEST_F(MprisE2E, APlaylistThatCannotBeReadLeavesTheRunningPlayersListAsItWas)
{
    const QString first = MediaFixtures::wav(30, 440);
    const QString second = MediaFixtures::wav(30, 660);
    ASSERT_FALSE(first.isEmpty() || second.isEmpty()) << MediaFixtures::lastError().toStdString();
    QTemporaryDir pipes;
    const QString pipe = pipes.filePath("evening.zdx");
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    ProgramFolderCopy folder;
    auto player = folder.start({first, second}, {}, environment);
    const QString firstUri = QUrl::fromLocalFile(first).toString(QUrl::FullyEncoded);
    ASSERT_EQ(awaited({"metadata", "xesam:url"}, firstUri), firstUri);

    auto secondStart = folder.start({pipe}, {}, environment);
    ASSERT_TRUE(secondStart->waitForFinished(15000));
    EXPECT_EQ(secondStart->exitCode(), 0) << "handed over";
    playerctl({"next"});
    const QString secondUri = QUrl::fromLocalFile(second).toString(QUrl::FullyEncoded);
    EXPECT_EQ(awaited({"metadata", "xesam:url"}, secondUri), secondUri) << "the list still holds both";

    EXPECT_TRUE(isRunning(*player));
    player->kill();
    player->waitForFinished();
}

} // namespace
