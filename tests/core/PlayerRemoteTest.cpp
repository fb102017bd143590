// The player as the desktop steers it: the status agrees with the play button, Next and Previous follow
// the DVD, the playlist or nothing, the bars move as a user moves them, and the item is described.
#include "core/PlayerRemote.h"
#include "core/modINI.h"
#include "support/PlayerRig.h"

#include <gtest/gtest.h>
#include <limits>

using namespace zendrix;
using namespace zendrix::testing;

namespace {

using Status = PlayerRemote::Status;

class PlayerRemoteTest : public ::testing::Test, protected PlayerRig
{
protected:
    PlayerRemote remote{player, engine, list, repeat};
    int changes = 0;
    int seeks = 0;

    PlayerRemoteTest()
    {
        list.Click = [this] { player.playlist(list.ListIndex()); };
        QObject::connect(&remote, &PlayerRemote::changed, [this] { ++changes; });
        QObject::connect(&remote, &PlayerRemote::seeked, [this] { ++seeks; });
    }
};

TEST_F(PlayerRemoteTest, TheStatusAgreesWithThePlayButtonAndOrdinaryTicksTellNothing)
{
    EXPECT_EQ(remote.status(), Status::Stopped);
    remote.play();
    remote.playPause();
    EXPECT_TRUE(engine.calls().isEmpty()) << "nothing loaded: the buttons do nothing";

    open("/media/a.mp3", 100);
    const struct
    {
        const char* step;
        std::function<void()> run;
        Status status;
    } steps[] = {
        {"open", [] {}, Status::Playing},
        {"play while playing", [&] { remote.play(); }, Status::Playing},
        {"pause", [&] { remote.pause(); }, Status::Paused},
        {"pause while paused", [&] { remote.pause(); }, Status::Paused},
        {"play", [&] { remote.play(); }, Status::Playing},
        {"fast forward", [&] { player.cmdControls_Click(Player::FastForward); }, Status::Paused},
        {"play/pause", [&] { remote.playPause(); }, Status::Playing},
        {"stop", [&] { remote.stop(); }, Status::Stopped},
        {"play/pause", [&] { remote.playPause(); }, Status::Playing},
        {"the item ends", [&] { playThrough(100); }, Status::Stopped},
        {"play/pause", [&] { remote.playPause(); }, Status::Playing},
        {"the engine cannot play it", [&] { engine.mediaError(); }, Status::Stopped},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.step);
        step.run();
        EXPECT_EQ(remote.status(), step.status);
        EXPECT_EQ(remote.status() == Status::Playing, player.IsPlaying);
    }
    EXPECT_EQ(engine.calls().count("play"), 5);
    EXPECT_EQ(engine.calls().count("pause"), 1);

    open("/media/b.mp3", 100);
    ticks(6);
    changes = 0;
    ticks(10);
    EXPECT_EQ(changes, 0) << "no word at each tick";
}

TEST_F(PlayerRemoteTest, NextAndPreviousFollowTheDvdThenThePlaylistThenNothing)
{
    for (const char* entry : {"/0.mp3", "/1.mp3", "/2.mp3"})
        list.AddItem(entry);
    open("/single.mp3", 100);
    EXPECT_FALSE(remote.canGoNext() || remote.canGoPrevious()) << "a single file has no neighbours";
    remote.next();
    EXPECT_EQ(engine.URL(), "/single.mp3");

    list.setListIndex(1);
    EXPECT_TRUE(remote.canGoNext() && remote.canGoPrevious());
    remote.next();
    EXPECT_EQ(list.ListIndex(), 2);
    EXPECT_EQ(engine.URL(), "/2.mp3");
    EXPECT_TRUE(player.FromPlaylist);
    EXPECT_FALSE(remote.canGoNext()) << "the last entry, repeat off";
    remote.previous();
    remote.previous();
    EXPECT_EQ(engine.URL(), "/0.mp3");
    EXPECT_FALSE(remote.canGoPrevious());

    remote.setRepeat(true);
    EXPECT_TRUE(remote.canGoPrevious()) << "round the list when it repeats";
    remote.previous();
    EXPECT_EQ(engine.URL(), "/2.mp3");
    remote.next();
    EXPECT_EQ(engine.URL(), "/0.mp3");

    list.RemoveItem(0); // the playing entry goes: the list goes on from its start
    EXPECT_TRUE(remote.canGoNext());
    EXPECT_FALSE(remote.canGoPrevious());
    remote.next();
    EXPECT_EQ(engine.URL(), "/1.mp3");

    engine.availableDvdItems = {"dvd"};
    engine.clearCalls();
    remote.next();
    remote.previous();
    EXPECT_EQ(engine.calls(), QStringList({"next", "previous"})) << "a DVD's own chapters, as the buttons";
    EXPECT_EQ(list.ListIndex(), 0);
}

TEST_F(PlayerRemoteTest, NextAndPreviousPassOverEntriesThatCannotStartWithoutWaitingForTheirMessage)
{
    for (const char* entry : {"/0.mp3", "/gone-1.mp3", "/gone-2.mp3", "/3.mp3"})
        list.AddItem(entry);
    engine.unplayable = {"/gone-1.mp3", "/gone-2.mp3"};
    engine.mediaDuration = 100;
    list.setListIndex(0);
    remote.next();
    EXPECT_EQ(engine.URL(), "/3.mp3");
    EXPECT_EQ(list.ListIndex(), 3);
    EXPECT_TRUE(player.IsPlaying);
    EXPECT_TRUE(messages.shown.empty()) << "nothing waits for an answer";
    EXPECT_EQ(messages.passedOver, QStringList({"Cannot open /gone-1.mp3", "Cannot open /gone-2.mp3"}));
    remote.previous();
    EXPECT_EQ(engine.URL(), "/0.mp3") << "Previous passes over them backwards";
    EXPECT_TRUE(player.IsPlaying);
}

TEST_F(PlayerRemoteTest, SeekingMovesTheSeekBarWithinTheItemAndTheVolumeBarWithinItsRange)
{
    open("/media/a.mp3", 0);
    EXPECT_FALSE(remote.canSeek()) << "no range before the length is known";
    EXPECT_FALSE(remote.setPosition(1'000'000));
    engine.mediaDuration = 100;
    ticks(10); // the bar and the clock stand at 11
    ASSERT_TRUE(remote.canSeek());

    remote.seekBy(-5'000'000);
    EXPECT_EQ(player.scrollTiming.Value(), 6) << "from where the bar stands";
    remote.seekBy(std::numeric_limits<std::int64_t>::min() / 2);
    EXPECT_EQ(player.scrollTiming.Value(), 0);
    remote.seekBy(std::numeric_limits<std::int64_t>::max() / 2);
    EXPECT_EQ(player.scrollTiming.Value(), 100) << "at most the end, where the engine ends the item";
    EXPECT_FALSE(remote.setPosition(-1) || remote.setPosition(100'000'001));
    EXPECT_EQ(seeks, 3);

    for (const auto& [volume, bar] : {std::pair{-2.0, 0}, {1.5, 100}, {0.004, 0}}) {
        EXPECT_TRUE(remote.setVolume(volume));
        EXPECT_EQ(player.scrollVolume.Value(), bar) << volume;
    }
    EXPECT_FALSE(remote.setVolume(std::numeric_limits<double>::infinity()));
}

} // namespace
