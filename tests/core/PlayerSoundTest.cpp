// The player's speed, addresses and streams against a scripted engine: at another speed than the normal
// one the clock shows the media's time, the speed holds from item to item, an address plays as an opened
// file does, and a stream is named by what it says it plays, and by its address once it fails.
#include "core/Player.h"
#include "support/PlayerRig.h"

#include <gtest/gtest.h>

using namespace zendrix;
using namespace zendrix::testing;

namespace {

class PlayerSoundTest : public ::testing::Test, protected PlayerRig
{
protected:
    QString clock() const
    {
        return player.lblHours.Caption() + ":" + player.lblMinutes.Caption() + ":" +
               player.lblSeconds.Caption();
    }
    bool sought() const
    {
        return std::any_of(engine.calls().cbegin(), engine.calls().cend(),
                           [](const QString& call) { return call.startsWith("currentPosition="); });
    }
};

TEST_F(PlayerSoundTest,
       AtAnotherSpeedEachTickTakesTheClockAndBarFromTheEngineWithoutSeekingAndNormalCountsTicksAgain)
{
    open("/media/talk.mp3", 600);
    player.setSpeed(2.0);
    EXPECT_EQ(engine.calls().last(), "rate=2");
    engine.position = 2.4;
    ticks(1);
    EXPECT_EQ(clock(), "00:00:02") << "the media's time, not the first tick's second";
    engine.position = 125.6;
    ticks(1);
    EXPECT_EQ(clock(), "00:02:06");
    EXPECT_EQ(player.scrollTiming.Value(), 127) << "the bar shows the clock, and the tick's own step follows";
    EXPECT_FALSE(sought()) << "the bar follows the engine; it does not move it";

    // Back at the normal speed the clock counts ticks from where it stands, whatever the engine says.
    player.setSpeed(1.0);
    engine.position = 300;
    ticks(2);
    EXPECT_EQ(clock(), "00:02:08");
    EXPECT_FALSE(sought());
}

TEST_F(PlayerSoundTest, TheSpeedHoldsForTheNextItemIsBoundedAndAFailureToSetItIsReportedAndChangesNothing)
{
    player.setSpeed(0.75);
    open("/media/a.mp3", 100);
    open("/media/b.mp3", 100);
    EXPECT_EQ(engine.calls().count("rate=0.75"), 1) << "the engine keeps it for later items itself";
    EXPECT_EQ(player.speed(), 0.75);

    player.setSpeed(8);
    EXPECT_EQ(player.speed(), 2.0);
    player.setSpeed(0.1);
    EXPECT_EQ(player.speed(), 0.5);
    player.setSpeed(std::nan(""));
    EXPECT_EQ(player.speed(), 1.0);
    EXPECT_TRUE(messages.shown.empty());

    engine.failOn("rate", "The engine refuses");
    player.setSpeed(1.5);
    EXPECT_EQ(player.speed(), 1.0);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Error!\r\nThe engine refuses");
}

TEST_F(PlayerSoundTest, AnAddressPlaysAsAnOpenedFileAndAFailedStreamIsNamedByItsAddress)
{
    list.AddItem("/media/entry.mp3");
    player.playlist(0);
    ASSERT_TRUE(player.FromPlaylist);
    const QString radio = "http://127.0.0.1:8000/radio";
    engine.mediaName = "radio";
    player.openAddress(radio);
    EXPECT_EQ(engine.URL(), radio);
    EXPECT_FALSE(player.FromPlaylist) << "its end never advances the playlist";
    EXPECT_TRUE(player.IsPlaying && player.tmrTiming.Enabled());
    EXPECT_EQ(player.lblFilename.Caption(), "radio");

    // What the station says it plays reaches the label by the tick's question to the engine.
    const int asked = engine.nowPlayingRefreshes;
    ticks(3);
    EXPECT_EQ(engine.nowPlayingRefreshes, asked + 3);
    engine.mediaName = "Test Radio - The Band - First Song";
    engine.mediaChange(radio);
    EXPECT_EQ(player.lblFilename.Caption(), "Test Radio - The Band - First Song");

    engine.mediaError();
    EXPECT_EQ(player.lblFilename.Caption(), "Cannot play: " + radio);
    EXPECT_FALSE(player.IsPlaying || player.tmrTiming.Enabled());
    engine.mediaChange(radio);
    EXPECT_EQ(player.lblFilename.Caption(), "Cannot play: " + radio) << "late tags do not hide the failure";

    // A file that fails keeps its name.
    engine.mediaName = "song";
    open("/media/song.mp3", 100);
    engine.mediaError();
    EXPECT_EQ(player.lblFilename.Caption(), "Cannot play: song");

    engine.unplayable.insert("rtsp://127.0.0.1/gone");
    player.openAddress("rtsp://127.0.0.1/gone");
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Error!\r\nCannot open rtsp://127.0.0.1/gone");
    EXPECT_EQ(player.lblFilename.Caption(), "Cannot play: rtsp://127.0.0.1/gone");
}

} // namespace
