// "Resume Where Left Off": the kept places on disk (a file by path and size, a thousand at most, the
// oldest going first, damaged lines passed over, written whole) and the player starting a long file
// where it was left, its clock and bar showing that place from the first tick; off, nothing changes.
#include "core/ResumePlayback.h"
#include "core/ResumePositions.h"
#include "support/Files.h"
#include "support/PlayerRig.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zendrix;
using namespace zendrix::testing;

namespace {

TEST(ResumePositions, PlacesOutliveTheStoreByPathAndSizeAndTheOldestGoPastAThousand)
{
    QTemporaryDir root;
    const QString folder = root.filePath("state/Zendrix");
    {
        ResumePositions positions(folder);
        positions.keep("/films/a.mkv", 100, 754.5);
        positions.keep("/films/b.mkv", 200, 10);
        positions.keep("/films/b.mkv", 200, 20); // kept again: the later place
        positions.keep("/films/c.mkv", 300, std::nan(""));
        positions.keep("/films/c.mkv", 300, -1);
    }
    EXPECT_EQ(QFileInfo(folder).permissions(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                                   QFile::ReadUser | QFile::WriteUser | QFile::ExeUser)
        << "the user's own";
    ResumePositions positions(folder);
    EXPECT_EQ(positions.position("/films/a.mkv", 100), 754.5);
    EXPECT_EQ(positions.position("/films/a.mkv", 101), std::nullopt) << "another file under that name";
    EXPECT_EQ(positions.position("/films/b.mkv", 200), 20);
    EXPECT_EQ(positions.position("/films/c.mkv", 300), std::nullopt);
    positions.forget("/films/b.mkv", 200);
    EXPECT_EQ(positions.position("/films/b.mkv", 200), std::nullopt);

    // a.mkv is the oldest of 1,001: it goes, unless it is kept again first.
    for (int i = 0; i < ResumePositions::kMaxFiles - 1; ++i)
        positions.keep(QStringLiteral("/films/%1.mkv").arg(i), 1, i);
    positions.keep("/films/a.mkv", 100, 800);
    positions.keep("/films/last.mkv", 1, 1);
    EXPECT_EQ(positions.position("/films/0.mkv", 1), std::nullopt);
    EXPECT_EQ(positions.position("/films/a.mkv", 100), 800);
    positions.flush();
    const std::vector<ResumePositions::Entry> onDisk =
        ResumePositions::decode(readFile(folder + "/" + ResumePositions::kFileName));
    ASSERT_EQ(onDisk.size(), std::size_t(ResumePositions::kMaxFiles));
    EXPECT_EQ(onDisk.front().path, "/films/1.mkv");
    EXPECT_EQ(onDisk.back().path, "/films/last.mkv");
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList({ResumePositions::kFileName}))
        << "written through a temporary file, nothing left of it";
}

TEST(ResumePositions, AnyPathReadsBackAndDamagedLinesOrFilesArePassedOver)
{
    const std::vector<ResumePositions::Entry> entries{{"/films/tab\there/new\nline/100%.mkv", 5, 61.5},
                                                      {"/films/\u00e9t\u00e9 .mkv", 6, 0}};
    EXPECT_EQ(ResumePositions::decode(ResumePositions::encode(entries)), entries);

    const QByteArray damaged = "Zendrix resume positions 1\n"
                               "12.5\t7\t/ok.mkv\n"
                               "x\t7\t/bad-seconds.mkv\n"
                               "1\t-7\t/bad-size.mkv\n"
                               "1\t7\n"
                               "\n"
                               "inf\t7\t/infinite.mkv\n"
                               "1\t7\t/a.mkv\textra\n"
                               "30\t7\t/ok.mkv\r\n";
    EXPECT_EQ(ResumePositions::decode(damaged), (std::vector<ResumePositions::Entry>{{"/ok.mkv", 7, 30}}));
    EXPECT_TRUE(ResumePositions::decode("Another program's file\n1\t7\t/a.mkv\n").empty());
    EXPECT_TRUE(ResumePositions::decode(QByteArray(5000, '\0')).empty());

    // A folder that cannot be made: nothing is kept, nothing is reported, nothing hangs.
    QTemporaryDir root;
    writeFile(root.filePath("file"), "in the way");
    ResumePositions positions(root.filePath("file/state"));
    positions.keep("/a.mkv", 1, 5);
    positions.flush();
    EXPECT_FALSE(QFileInfo::exists(root.filePath("file/state")));
}

class ResumeTest : public ::testing::Test, protected PlayerRig
{
protected:
    SwitchSetting resume{QStringLiteral("Player"), QStringLiteral("Resume")};
    ResumePlayback places{engine, resume};
    QTemporaryDir media;
    QString film = writeFile(media.filePath("film.mkv"), QByteArray(1000, 'x'));
    QString song = writeFile(media.filePath("song.mp3"), QByteArray(500, 'y'));

    ResumeTest()
    {
        places.setFolder(folder.file("/Data"));
        player.setStartPlaces(&places);
        resume.store(true);
    }
    // Opens a file and has the engine play it.
    void play(const QString& path, double duration)
    {
        engine.clearCalls();
        open(path, duration);
        engine.state = MediaEngine::Playing;
    }
    // The stop button, and the engine stopped at 0 as it stands after a stop.
    void stop()
    {
        player.cmdControls_Click(Player::Stop);
        engine.state = MediaEngine::Stopped;
        engine.position = 0;
    }
    QString clock() const
    {
        return player.lblHours.Caption() + ":" + player.lblMinutes.Caption() + ":" +
               player.lblSeconds.Caption();
    }
    std::optional<double> kept(const QString& path)
    {
        return places.positions() ? places.positions()->position(path, QFileInfo(path).size()) : std::nullopt;
    }
};

TEST_F(ResumeTest, ALongFileStartsFiveSecondsBeforeWhereItWasStoppedAndShowsThatPlaceFromItsFirstTick)
{
    play(film, 5400);
    engine.position = 3725.4;
    stop();
    EXPECT_EQ(kept(film), 3725.4);

    play(film, 5400);
    EXPECT_EQ(engine.calls(), QStringList({"URL=" + film, "currentPosition=3720.4", "play"}))
        << "the place is the engine's before it starts";
    engine.position = 3720.4;
    ticks(1);
    EXPECT_EQ(clock(), "01:02:01") << "a second after 01:02:00";
    EXPECT_EQ(player.scrollTiming.Value(), 3722) << "the tick's own step after 3721";
    ticks(1);
    EXPECT_EQ(clock(), "01:02:02");
    EXPECT_FALSE(engine.calls().filter("currentPosition").size() > 1) << "the clock's steps seek nothing";

    // A length that comes late puts the bar at the clock at the fifth tick, not at 5.
    play(film, 0);
    engine.position = 3720.4;
    ticks(1);
    EXPECT_EQ(player.scrollTiming.Value(), 0);
    engine.mediaDuration = 5400;
    ticks(4);
    EXPECT_EQ(clock(), "01:02:05");
    EXPECT_EQ(player.scrollTiming.Value(), 3726);
}

TEST_F(ResumeTest, PausingReplacingAndTheEndOfTheProgramKeepThePlaceAndTheEndForgetsIt)
{
    play(film, 1200);
    engine.position = 100;
    player.cmdControls_Click(Player::Play); // pause
    EXPECT_EQ(kept(film), 100);
    engine.state = MediaEngine::Paused;
    engine.position = 200;
    play(song, 1200); // replaced while paused
    EXPECT_EQ(kept(film), 200);
    engine.position = 300;
    places.keepNow();
    EXPECT_EQ(kept(song), 300);
    EXPECT_TRUE(QFileInfo::exists(folder.file("/Data/") + ResumePositions::kFileName)) << "on disk at once";

    // Stopped, then replaced: the place of the stop stands, not the engine's 0 after it.
    play(film, 1200);
    engine.position = 400;
    stop();
    play(song, 1200);
    EXPECT_EQ(kept(film), 400);

    // Played to its end: forgotten, and the next start is at the beginning.
    play(film, 1200);
    engine.position = 1199;
    engine.endOfStream();
    EXPECT_EQ(kept(film), std::nullopt);
    play(film, 1200);
    EXPECT_EQ(engine.calls(), QStringList({"URL=" + film, "play"}));
}

TEST_F(ResumeTest, ShortItemsStreamsAndChangedFilesStartAtTheBeginning)
{
    play(song, 599); // under ten minutes
    engine.position = 300;
    stop();
    EXPECT_EQ(kept(song), std::nullopt);

    engine.clearCalls();
    player.openAddress("http://127.0.0.1:1/radio");
    engine.state = MediaEngine::Playing;
    engine.mediaDuration = 3600;
    engine.position = 900;
    stop();
    EXPECT_EQ(engine.calls().filter("currentPosition"), QStringList());

    play(film, 1200);
    engine.position = 600;
    stop();
    writeFile(film, QByteArray(1001, 'z')); // another file saved under the name
    play(film, 1200);
    EXPECT_EQ(engine.calls(), QStringList({"URL=" + film, "play"}));
}

TEST_F(ResumeTest, OffEveryItemStartsAtItsBeginningAsAlwaysAndNothingIsKept)
{
    resume.store(false);
    play(film, 5400);
    engine.position = 3000;
    stop();
    play(film, 5400);
    EXPECT_EQ(engine.calls(), QStringList({"URL=" + film, "play"}));
    ticks(1);
    EXPECT_EQ(clock(), "00:00:01");
    EXPECT_EQ(player.scrollTiming.Value(), 2);
    places.keepNow();
    EXPECT_EQ(places.positions(), nullptr) << "nothing read, nothing written";
    EXPECT_FALSE(QFileInfo::exists(folder.file("/Data/") + ResumePositions::kFileName));
}

} // namespace
