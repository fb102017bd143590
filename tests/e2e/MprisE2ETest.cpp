// The real player on a bus of the test's own, steered by playerctl as a desktop's scripts and panels
// steer it: it is found, opens a file, pauses, resumes, and tells what it plays.
#include "ProgramRun.h"

#include "support/MediaFixtures.h"
#include "support/PrivateBus.h"

#include <QElapsedTimer>
#include <QFile>
#include <QThread>
#include <QUrl>
#include <gtest/gtest.h>

using namespace zendrix;
using namespace zendrix::testing;

namespace {

class Playerctl
{
public:
    explicit Playerctl(const QString& bus)
    {
        m_environment = QProcessEnvironment::systemEnvironment();
        m_environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), bus);
    }
    const QProcessEnvironment& environment() const { return m_environment; }

    // playerctl's answer to `arguments`, trimmed; "" when it failed.
    QString operator()(const QStringList& arguments) const
    {
        QProcess process;
        process.setProcessEnvironment(m_environment);
        process.start(QStringLiteral("playerctl"),
                      QStringList{QStringLiteral("--player=zendrix")} + arguments);
        if (!process.waitForFinished(10000) || process.exitCode() != 0)
            return {};
        return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
    }
    // Asks until the answer is `expected`, for up to `ms`; returns the last answer.
    QString waitFor(const QStringList& arguments, const QString& expected, int ms = 15000) const
    {
        QElapsedTimer clock;
        clock.start();
        QString answer = (*this)(arguments);
        while (answer != expected && clock.elapsed() < ms) {
            QThread::msleep(100);
            answer = (*this)(arguments);
        }
        return answer;
    }

private:
    QProcessEnvironment m_environment;
};

TEST(MprisE2E, PlayerctlFindsThePlayerOpensAFilePausesResumesAndReadsWhatPlays)
{
    if (const QString missing = MediaFixtures::missingTools({"playerctl", "dbus-daemon", "ffmpeg"});
        !missing.isEmpty())
        GTEST_SKIP() << missing.toStdString();
    const QString song = MediaFixtures::encoded("mp3", 30, {"Morning", "Ann", "Days", "Folk"});
    ASSERT_FALSE(song.isEmpty()) << MediaFixtures::lastError().toStdString();
    PrivateBus bus;
    ASSERT_FALSE(bus.address().isEmpty()) << bus.error().toStdString();
    const Playerctl playerctl(bus.address());
    ProgramFolderCopy folder;
    auto player = folder.start({}, {}, playerctl.environment());

    EXPECT_EQ(playerctl.waitFor({"status"}, "Stopped"), "Stopped") << "the player is on the bus";
    const QString uri = QUrl::fromLocalFile(song).toString(QUrl::FullyEncoded);
    playerctl({"open", uri});
    EXPECT_EQ(playerctl.waitFor({"status"}, "Playing"), "Playing");
    playerctl({"pause"});
    EXPECT_EQ(playerctl.waitFor({"status"}, "Paused"), "Paused");
    playerctl({"play"});
    EXPECT_EQ(playerctl.waitFor({"status"}, "Playing"), "Playing");
    EXPECT_EQ(playerctl.waitFor({"metadata", "xesam:url"}, uri), uri);
    // The tags come with the information the player reads at the first tick.
    EXPECT_EQ(playerctl.waitFor({"metadata", "--format", "{{xesam:artist}}/{{xesam:album}}"}, "Ann/Days"),
              "Ann/Days");
    EXPECT_EQ(playerctl.waitFor({"metadata", "mpris:length"}, "30000000"), "30000000");

    playerctl({"volume", "0.4"});
    EXPECT_EQ(playerctl.waitFor({"volume"}, "0.400000"), "0.400000");
    QFile config(folder.config());
    ASSERT_TRUE(config.open(QIODevice::ReadOnly));
    EXPECT_TRUE(config.readAll().contains("Volume=40")) << "written as the volume bar writes it";

    EXPECT_TRUE(isRunning(*player));
    player->kill();
    player->waitForFinished();
}

} // namespace
