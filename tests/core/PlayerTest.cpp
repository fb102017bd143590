// The main window's playback logic against a scripted engine: the clock counts ticks, items end when the
// engine has finished them, the playlist advances or repeats, seeking and the bar agree, and failures
// are reported or ignored by each handler's own rule.
#include "core/Player.h"
#include "core/modINI.h"
#include "support/PlayerRig.h"

#include <QFile>
#include <QImage>
#include <gtest/gtest.h>

using namespace zendrix;
using namespace zendrix::testing;

namespace {

class PlayerTest : public ::testing::Test, protected PlayerRig
{
protected:
    int infoRefreshes = 0;

    PlayerTest()
    {
        player.GetInfo = [this] { ++infoRefreshes; };
        list.Click = [this] { player.playlist(list.ListIndex()); };
    }

    QString clock() const
    {
        return player.lblHours.Caption() + ":" + player.lblMinutes.Caption() + ":" +
               player.lblSeconds.Caption();
    }
    QRgb playButtonColour() const
    {
        return player.cmdControls[Player::Play].PictureNormal().image().pixel(8, 8);
    }
    int count(const QString& call) const { return static_cast<int>(engine.calls().count(call)); }
    void addEntries(std::initializer_list<const char*> entries)
    {
        for (const char* entry : entries)
            list.AddItem(entry);
    }
    void repeatOn() { repeat.store(true); }
};

TEST_F(PlayerTest, OpeningAFileStartsItAndAnItemOf3m25sShowsItsLengthAtTick205AndWhenTheEngineEndsIt)
{
    open("/media/song.mp3", 205.4);
    EXPECT_EQ(engine.calls(), QStringList({"URL=/media/song.mp3", "play"}));
    EXPECT_TRUE(player.IsPlaying && player.tmrTiming.Enabled());
    EXPECT_EQ(playButtonColour(), ProgramFolderFixture::kPause.rgb());
    EXPECT_EQ(dialogs.requests.at(0).title, "Open Media File");

    ticks(1);
    EXPECT_EQ(clock(), "00:00:01");
    EXPECT_EQ(player.scrollTiming.Max(), 205);
    EXPECT_EQ(player.scrollTiming.Value(), 2) << "1 at the first tick, then the tick's own step";
    ticks(203);
    EXPECT_TRUE(player.IsPlaying);
    ticks(1);
    EXPECT_EQ(clock(), "00:03:25");
    EXPECT_TRUE(player.IsPlaying) << "the engine still plays the last 0.4 s";
    engine.endOfStream();
    EXPECT_EQ(clock(), "00:03:25");
    EXPECT_FALSE(player.IsPlaying || player.tmrTiming.Enabled());
    EXPECT_EQ(playButtonColour(), ProgramFolderFixture::kPlay.rgb());
    EXPECT_EQ(count("currentPosition=1"), 0) << "the timer's own steps never seek";

    open("/media/song.mp3", 204.6); // ends between ticks 204 and 205: the clock shows the whole length
    ticks(204);
    EXPECT_EQ(clock(), "00:03:24");
    engine.endOfStream();
    EXPECT_EQ(clock(), "00:03:25");
    EXPECT_EQ(player.scrollTiming.Value(), 205);
    EXPECT_EQ(count("currentPosition=205"), 0);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(PlayerTest, TagsTheEngineLearnsLaterRenameOnlyTheItemTheyBelongTo)
{
    engine.mediaName = "song";
    open("/media/song.mp3", 200);
    EXPECT_EQ(player.lblFilename.Caption(), "song");
    const int refreshes = infoRefreshes;
    engine.mediaName = "Morning";
    engine.mediaChange("/media/song.mp3");
    EXPECT_EQ(player.lblFilename.Caption(), "Morning");
    EXPECT_EQ(infoRefreshes, refreshes + 1);

    engine.mediaName = "Evening";
    engine.mediaChange("/media/earlier.mp3"); // late, from an item opened before
    EXPECT_EQ(player.lblFilename.Caption(), "Morning");
    EXPECT_EQ(infoRefreshes, refreshes + 1);
}

TEST_F(PlayerTest, ALengthIsReadAtTheFirstAndFifthTickButADvdNeverEndsByTheTimer)
{
    open("/media/stream.mpg", 0);
    ticks(1);
    EXPECT_EQ(player.lblTiming.Caption(), "(00:00)");
    engine.mediaDuration = 100;
    engine.mediaDurationString = "01:40";
    ticks(3);
    EXPECT_EQ(player.scrollTiming.Max(), 0) << "read only at the first and the fifth tick";
    const int refreshes = infoRefreshes;
    ticks(1);
    EXPECT_EQ(player.scrollTiming.Max(), 100);
    EXPECT_EQ(player.scrollTiming.Value(), 6) << "5 at the fifth tick, then the tick's own step";
    EXPECT_EQ(player.lblTiming.Caption(), "(01:40)");
    EXPECT_EQ(infoRefreshes, refreshes + 1);
    ticks(95);
    EXPECT_EQ(clock(), "00:01:40");
    engine.endOfStream();
    EXPECT_FALSE(player.IsPlaying);
    EXPECT_EQ(count("currentPosition=5"), 0);

    // A length shorter than five seconds learnt late puts the bar at its end, with no seek and no failure
    // at the ticks that follow until the engine ends the item.
    open("/media/jingle.wav", 0);
    ticks(4);
    engine.mediaDuration = 3;
    ticks(3);
    EXPECT_EQ(player.scrollTiming.Value(), 3);
    engine.endOfStream();
    EXPECT_FALSE(player.IsPlaying);
    EXPECT_EQ(clock(), "00:00:03");
    EXPECT_EQ(count("currentPosition=3"), 0) << "the bar's move to its end is no seek";
    EXPECT_TRUE(messages.shown.empty());

    engine.availableDvdItems = {"dvd"};
    open("/media/VIDEO_TS/VIDEO_TS.IFO", 0);
    ticks(4);
    engine.mediaDuration = 3000; // a DVD skips the fifth-tick reading
    ticks(200);
    EXPECT_TRUE(player.IsPlaying);
    EXPECT_EQ(player.scrollTiming.Max(), 0);
}

TEST_F(PlayerTest, AnItemEndsOnlyWhenTheEngineHasFinishedItAlsoAfterWindingButNotWhilePaused)
{
    addEntries({"/a.mp3", "/b.mp3", "/c.mp3"});
    engine.mediaDuration = 200;
    list.setListIndex(0);
    ticks(250); // an engine slower than its own estimate of the length
    EXPECT_EQ(list.ListIndex(), 0);
    EXPECT_TRUE(player.IsPlaying);
    engine.endOfStream();
    EXPECT_EQ(list.ListIndex(), 1);
    EXPECT_EQ(clock(), "00:03:20") << "the clock shows the length, not the ticks past it";

    ticks(3);
    player.cmdControls_Click(Player::FastForward);
    engine.endOfStream("/a.mp3"); // late, from the entry before
    EXPECT_EQ(engine.URL(), "/b.mp3");
    engine.endOfStream(); // wound to the end: the list goes on at once, not at the 200th tick
    EXPECT_EQ(list.ListIndex(), 2);
    EXPECT_EQ(engine.URL(), "/c.mp3");
    EXPECT_EQ(count("play"), 3) << "each entry started once";

    player.cmdControls_Click(Player::Play); // paused as the engine reaches the end
    engine.endOfStream();
    EXPECT_EQ(engine.URL(), "/c.mp3");
    EXPECT_EQ(player.FromPlaylist, true) << "left to the user";
}

TEST_F(PlayerTest, AnItemTheEngineCannotPlayStopsTheClockShowsPlayAndSaysSoAndTheListGoesOnOnceRound)
{
    std::vector<Player::Change> told;
    QObject::connect(&player, &Player::changed, [&](Player::Change change) { told.push_back(change); });
    const QRgb play = ProgramFolderFixture::kPlay.rgb();
    engine.mediaName = "song";
    open("/media/song.mp3", 200);
    ticks(3);
    engine.mediaError("/media/earlier.mp3"); // late, from an item opened before
    EXPECT_TRUE(player.IsPlaying);
    engine.mediaError(); // text named .mp3: nothing in it to play
    EXPECT_FALSE(player.IsPlaying || player.tmrTiming.Enabled());
    EXPECT_EQ(playButtonColour(), play);
    EXPECT_EQ(player.lblFilename.Caption(), "Cannot play: song");
    EXPECT_EQ(told.back(), Player::Change::Stopped) << "the desktop's controls show stopped too";

    engine.unplayable = {"/media/song.mp3"}; // Play on a file deleted meanwhile
    player.cmdControls_Click(Player::Play);
    EXPECT_FALSE(player.IsPlaying || player.tmrTiming.Enabled());
    EXPECT_EQ(playButtonColour(), play);
    EXPECT_EQ(player.lblFilename.Caption(), "Cannot play: song");
    engine.unplayable.clear(); // put back
    player.cmdControls_Click(Player::Play);
    EXPECT_TRUE(player.IsPlaying && player.tmrTiming.Enabled());
    EXPECT_EQ(player.lblFilename.Caption(), "song");

    engine.unplayable = {"/media/gone.mp3"}; // opened while another plays: that one has stopped too
    open("/media/gone.mp3", 0);
    EXPECT_EQ(messages.texts(), QStringList({errorText("Cannot open /media/gone.mp3")}));
    EXPECT_FALSE(player.IsPlaying);
    EXPECT_EQ(playButtonColour(), play);
    messages.shown.clear();

    // A playlist entry is passed over without a word; a list where nothing plays is tried once round.
    addEntries({"/x.mp3", "/y.mp3", "/z.mp3"});
    repeatOn();
    list.setListIndex(1);
    engine.mediaError();
    EXPECT_EQ(engine.URL(), "/z.mp3");
    engine.mediaError();
    EXPECT_EQ(engine.URL(), "/x.mp3");
    engine.mediaError();
    EXPECT_EQ(engine.URL(), "/x.mp3");
    EXPECT_FALSE(player.IsPlaying || player.FromPlaylist);
    EXPECT_EQ(count("URL=/y.mp3"), 1);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(PlayerTest, TheEndOfAnEntryStartsTheNextOnceAndTheLastStopsOrRepeats)
{
    addEntries({"/a.mp3", "/b.mp3"});
    engine.mediaDuration = 2;
    list.setListIndex(0); // the user picks the first entry
    EXPECT_TRUE(player.FromPlaylist);
    playThrough(2);
    EXPECT_EQ(list.ListIndex(), 1);
    EXPECT_EQ(count("URL=/b.mp3"), 1);
    EXPECT_EQ(player.TickCount, 1) << "the next tick is the new item's first";
    playThrough(2); // the last entry ends, repeat off
    EXPECT_FALSE(player.IsPlaying || player.FromPlaylist);
    EXPECT_EQ(count("URL=/a.mp3"), 1);

    repeatOn();
    list.setListIndex(-1, ListControl::Notify::No);
    list.setListIndex(1);
    playThrough(2);
    EXPECT_EQ(list.ListIndex(), 0);
    EXPECT_EQ(count("URL=/a.mp3"), 2);
    EXPECT_TRUE(player.IsPlaying);

    list.AddItem("/c.mp3"); // the playing entry removed: the advance starts the first
    list.setListIndex(1);
    list.RemoveItem(1);
    playThrough(2);
    EXPECT_EQ(list.ListIndex(), 0);
    EXPECT_EQ(count("URL=/a.mp3"), 3);

    list.Clear(); // one entry repeats itself
    addEntries({"/only.mp3"});
    engine.mediaDuration = 1;
    list.setListIndex(0);
    playThrough(1);
    EXPECT_EQ(count("URL=/only.mp3"), 2);
    list.Clear();
    addEntries({"/a.mp3", "/b.mp3"});
    list.setListIndex(0);
    engine.clearCalls();
    open("/single.mp3", 1); // a file from the open dialog while an entry plays never advances the list
    playThrough(1);
    EXPECT_FALSE(player.IsPlaying || player.FromPlaylist);
    EXPECT_EQ(count("URL=/b.mp3"), 0);
}

TEST_F(PlayerTest, TheAdvanceReportsAnEntryThatCannotStartWithoutWaitingAndGoesOnWithTheOneAfterIt)
{
    addEntries({"/a.mp3", "/missing-1.mp3", "/missing-2.mp3", "/d.mp3", "/missing-3.mp3"});
    engine.unplayable = {"/missing-1.mp3", "/missing-2.mp3", "/missing-3.mp3"};
    engine.mediaDuration = 2;
    list.setListIndex(0);
    playThrough(2);
    // No box waits for an answer: the failures are told aside, and the next entry already plays.
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(messages.passedOver, QStringList({"Cannot open /missing-1.mp3", "Cannot open /missing-2.mp3"}));
    EXPECT_EQ(list.ListIndex(), 3);
    EXPECT_EQ(count("play"), 2) << "each entry that plays is started once";
    EXPECT_TRUE(player.IsPlaying && player.tmrTiming.Enabled());
    EXPECT_EQ(player.TickCount, 1);

    messages.passedOver.clear(); // the last cannot start, repeat off: the list stops, having said why
    playThrough(2);
    EXPECT_EQ(messages.passedOver, QStringList({"Cannot open /missing-3.mp3"}));
    EXPECT_FALSE(player.IsPlaying || player.tmrTiming.Enabled() || player.FromPlaylist);
    // Nothing of the entry that cannot play is shown: not the time of the one before.
    EXPECT_TRUE(player.lblFilename.Caption().startsWith("Cannot play: "));
    EXPECT_EQ(player.lblHours.Caption() + player.lblMinutes.Caption() + player.lblSeconds.Caption(), "000000");
    EXPECT_EQ(player.lblTiming.Caption(), "(00:00:00)");
    EXPECT_EQ(player.scrollTiming.Value(), 0);

    // With repeat on the advance goes round to the first entry that plays; a list where nothing plays is
    // tried once round, not for ever.
    repeatOn();
    list.setListIndex(3);
    playThrough(2);
    EXPECT_EQ(list.ListIndex(), 0);
    EXPECT_EQ(engine.URL(), "/a.mp3");
    engine.unplayable.unite({"/a.mp3", "/d.mp3"});
    messages.passedOver.clear();
    playThrough(2);
    EXPECT_EQ(messages.passedOver.size(), 5);
    EXPECT_FALSE(player.IsPlaying || player.tmrTiming.Enabled());

    // An entry the user picks still says why it cannot play, and waits for the user.
    messages.passedOver.clear();
    list.setListIndex(1);
    EXPECT_EQ(messages.texts(), QStringList{errorText("Cannot open /missing-1.mp3")});
    EXPECT_TRUE(messages.passedOver.isEmpty());
}

TEST_F(PlayerTest, TheAdvancePassesOverEmptyEntriesSilentlyButPickingOneByHandReportsIt)
{
    addEntries({"/a.mp3", "", "/c.mp3", ""});
    engine.unplayable = {""}; // as the engine refuses to play nothing
    engine.mediaDuration = 2;
    repeatOn();
    list.setListIndex(0);
    playThrough(2);
    EXPECT_EQ(engine.URL(), "/c.mp3");
    EXPECT_EQ(list.ListIndex(), 2);
    playThrough(2); // round again, past the empty last entry
    EXPECT_EQ(engine.URL(), "/a.mp3");
    EXPECT_TRUE(player.IsPlaying);
    EXPECT_TRUE(messages.shown.empty());

    list.setListIndex(1);
    EXPECT_EQ(messages.shown.size(), 1u);
}

TEST_F(PlayerTest, PauseThenPlayTakesTheClockFromTheEngineRoundedHalfToEven)
{
    open("/media/song.mp3", 300);
    ticks(10);
    player.cmdControls_Click(Player::Play); // pause
    EXPECT_FALSE(player.IsPlaying || player.tmrTiming.Enabled());
    EXPECT_EQ(playButtonColour(), ProgramFolderFixture::kPlay.rgb());

    engine.position = 90.5;
    engine.clearCalls();
    player.cmdControls_Click(Player::Play); // resume
    EXPECT_TRUE(player.IsPlaying && player.tmrTiming.Enabled());
    EXPECT_EQ(player.ClockMinutes * 60 + player.ClockSeconds, 90);
    EXPECT_EQ(player.scrollTiming.Value(), 90);
    EXPECT_EQ(engine.calls().first(), "play");

    player.cmdControls_Click(Player::Stop);
    engine.position = 91.5;
    player.cmdControls_Click(Player::Play);
    EXPECT_EQ(player.ClockMinutes * 60 + player.ClockSeconds, 92);
}

TEST_F(PlayerTest, TransportDoesNothingWithoutAnItemAndIgnoresEveryFailure)
{
    for (int index = 0; index < 6; ++index)
        player.cmdControls_Click(index);
    EXPECT_TRUE(engine.calls().isEmpty());

    open("/media/song.mp3", 300);
    engine.failOn("pause");
    QFile::remove(folder.file("/Data/Buttons/play.ico"));
    player.cmdControls_Click(Player::Play);
    EXPECT_FALSE(player.IsPlaying || player.tmrTiming.Enabled());
    EXPECT_EQ(playButtonColour(), ProgramFolderFixture::kPause.rgb()) << "a missing icon keeps the picture";

    player.cmdControls_Click(Player::Play);
    player.cmdControls_Click(Player::FastForward);
    EXPECT_FALSE(player.IsPlaying);
    EXPECT_TRUE(player.tmrTiming.Enabled()) << "winding keeps the clock running";
    player.cmdControls_Click(Player::Next);
    player.cmdControls_Click(Player::Previous);
    player.cmdControls_Click(Player::FastReverse);
    EXPECT_EQ(engine.calls().mid(engine.calls().size() - 3),
              QStringList({"next", "previous", "fastReverse"}));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(PlayerTest, CancellingTheOpenDialogChangesNothingAndAFailedStartSaysError)
{
    open("/media/song.mp3", 300);
    ticks(3);
    const QStringList calls = engine.calls();
    player.cmdBrowse_Click(); // no scripted answer: cancelled
    EXPECT_EQ(engine.calls(), calls);
    EXPECT_TRUE(player.IsPlaying);
    EXPECT_EQ(player.TickCount, 4);

    engine.failOn("URL", "Unable to open the file");
    open("/media/broken.mp3", 10);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Error!\r\nUnable to open the file");
    EXPECT_EQ(messages.shown[0].icon, MessageIcon::Critical);
}

TEST_F(PlayerTest, DraggingTheSeekBarSeeksAndTheNextTickShowsTheNewTime)
{
    open("/media/song.mp3", 300);
    ticks(10);
    engine.clearCalls();
    engine.position = 90.2;
    player.scrollTiming.setValue(90);
    EXPECT_EQ(engine.calls(), QStringList({"currentPosition=90"}));
    ticks(1);
    EXPECT_EQ(clock(), "00:01:30");
    EXPECT_EQ(player.scrollTiming.Value(), 91);
    EXPECT_EQ(engine.calls().size(), 1);
}

TEST_F(PlayerTest, TheClockRollsOverAndNeitherLongItemsNorLongRunsFailAtATick)
{
    open("/media/radio.ogg", 0); // an unknown length never ends by the timer
    ticks(59);
    EXPECT_EQ(clock(), "00:00:59");
    ticks(1);
    EXPECT_EQ(clock(), "00:01:00");
    ticks(3600 - 60);
    EXPECT_EQ(clock(), "01:00:00");
    ticks(33000 - 3600); // beyond the 16-bit tick counter
    EXPECT_TRUE(player.IsPlaying);
    player.ClockHours = 123;
    ticks(1);
    EXPECT_EQ(player.lblHours.Caption(), "123");

    open("/media/eleven-hours.mkv", 40000);
    ticks(1);
    EXPECT_EQ(player.scrollTiming.Max(), 32767);
    ticks(39998);
    EXPECT_TRUE(player.IsPlaying);
    EXPECT_EQ(clock(), "11:06:39");
    EXPECT_EQ(player.scrollTiming.Value(), 32767);
    engine.position = 600;
    player.scrollTiming.setValue(600); // a seek from past ten hours
    EXPECT_EQ(player.ClockMinutes, 10);
    player.ClockHours = 11;
    player.ClockMinutes = 6;
    player.ClockSeconds = 40;
    ticks(1);
    engine.endOfStream();
    EXPECT_FALSE(player.IsPlaying);
    EXPECT_EQ(clock(), "11:06:40") << "ends at its 40000th second";
    EXPECT_TRUE(messages.shown.empty());
}

} // namespace
