// The queue and Shuffle Play in the one advance: what plays after the current item, through the end of
// an item, a broken entry and the desktop's Next and Previous, while the list is edited under them; and
// a restored item that waits at its place until play.
#include "core/PlayOrder.h"
#include "core/PlayerRemote.h"
#include "core/modINI.h"
#include "support/PlayerRig.h"

#include <QRegularExpression>
#include <QSet>
#include <gtest/gtest.h>

using namespace zendrix;
using namespace zendrix::testing;

namespace {

class PlayOrderTest : public ::testing::Test, protected PlayerRig
{
protected:
    SwitchSetting shuffle{"Player", "ShufflePlay"};
    PlayOrder order{list, repeat, shuffle, 12345};
    PlayerRemote remote{player, engine, list, repeat, &order};

    PlayOrderTest()
    {
        player.setPlayOrder(&order);
        list.Click = [this] { player.playlist(list.ListIndex()); };
    }
    void entries(int count)
    {
        for (int i = 0; i < count; ++i)
            list.AddItem(QStringLiteral("/m/%1.mp3").arg(i));
    }
    // Plays the current item to its end and says which entry started next ("" for none).
    QString advance()
    {
        engine.clearCalls();
        playThrough(2);
        for (const QString& call : engine.calls()) {
            if (call.startsWith("URL="))
                return call.mid(4);
        }
        return {};
    }
};

TEST_F(PlayOrderTest, QueuedEntriesPlayInTheOrderQueuedAheadOfTheAdvanceAndFollowTheirEntriesThroughEdits)
{
    entries(6);
    list.setListIndex(0);
    order.queue().enqueue(4);
    order.queue().enqueue(2);
    order.queue().enqueue(4); // already queued: keeps its place
    EXPECT_EQ(order.queue().place(4), 1);
    EXPECT_EQ(order.queue().place(2), 2);

    list.moveItem(4, 0); // /m/4 is now first; the queue follows it
    list.RemoveItem(1);  // /m/0, the playing entry, goes: nothing selected
    EXPECT_EQ(list.items(), QStringList({"/m/4.mp3", "/m/1.mp3", "/m/2.mp3", "/m/3.mp3", "/m/5.mp3"}));
    EXPECT_EQ(order.queue().entries(), QList<int>({0, 2}));

    EXPECT_EQ(advance(), "/m/4.mp3");
    EXPECT_EQ(advance(), "/m/2.mp3");
    EXPECT_EQ(advance(), "/m/3.mp3") << "then the list goes on after the last queued entry";
    EXPECT_TRUE(order.queue().isEmpty());

    // A queued entry chosen by hand has played: it leaves the queue. A queued entry that cannot start
    // is passed over for the next in the queue.
    order.queue().enqueue(1);
    order.queue().enqueue(0);
    order.queue().enqueue(4);
    list.setListIndex(1);
    EXPECT_EQ(order.queue().entries(), QList<int>({0, 4}));
    engine.unplayable.insert("/m/4.mp3");
    EXPECT_EQ(advance(), "/m/4.mp3");
    EXPECT_EQ(engine.URL(), "/m/5.mp3");
    EXPECT_EQ(messages.passedOver.size(), 1);

    // The desktop's Next takes the queue too; opening another list forgets it.
    order.queue().enqueue(2);
    EXPECT_TRUE(remote.canGoNext());
    remote.next();
    EXPECT_EQ(engine.URL(), "/m/2.mp3");
    order.queue().enqueue(3);
    list.Clear();
    EXPECT_TRUE(order.queue().isEmpty());
}

TEST_F(PlayOrderTest, ShufflePlayGivesEveryEntryOncePerRoundAndWithRepeatANewOrderEachRound)
{
    entries(6);
    shuffle.store(true);
    EXPECT_EQ(ReadINI(folder.file("/Data/config.ini"), "Player", "ShufflePlay", ""), "True");
    repeat.store(true);
    list.setListIndex(2);
    QList<QStringList> rounds;
    QStringList round = {"/m/2.mp3"};
    for (int i = 0; i < 6 * 4 - 1; ++i) {
        round.append(advance());
        if (round.size() == 6) {
            rounds.append(round);
            round.clear();
        }
    }
    ASSERT_EQ(rounds.size(), 4);
    for (const QStringList& played : rounds)
        EXPECT_EQ(QSet<QString>(played.begin(), played.end()).size(), 6) << played.join(' ').toStdString();
    for (int i = 1; i < rounds.size(); ++i) {
        EXPECT_NE(rounds[i], rounds[i - 1]);
        EXPECT_NE(rounds[i].first(), rounds[i - 1].last());
    }
    EXPECT_NE(rounds[0],
              QStringList({"/m/2.mp3", "/m/3.mp3", "/m/4.mp3", "/m/5.mp3", "/m/0.mp3", "/m/1.mp3"}));

    // Without repeat the round ends the list; an entry added during a round joins it.
    repeat.store(false);
    list.setListIndex(0);
    list.AddItem("/m/new.mp3");
    QStringList last = {"/m/0.mp3"};
    for (QString next = advance(); !next.isEmpty(); next = advance())
        last.append(next);
    EXPECT_EQ(last.size(), 7) << last.join(' ').toStdString();
    EXPECT_TRUE(last.contains("/m/new.mp3"));
    EXPECT_FALSE(player.FromPlaylist);
}

TEST_F(PlayOrderTest, TheDesktopsNextAndPreviousWalkTheShuffleRoundAndItsShuffleIsTheSameSetting)
{
    entries(5);
    EXPECT_FALSE(remote.shuffle());
    remote.setShuffle(true);
    EXPECT_TRUE(shuffle.isOn());
    list.setListIndex(0);
    EXPECT_FALSE(remote.canGoPrevious());
    remote.next();
    const QString second = engine.URL();
    remote.next();
    const QString third = engine.URL();
    EXPECT_NE(second, third);
    EXPECT_NE(second, "/m/0.mp3");
    EXPECT_TRUE(remote.canGoPrevious());
    remote.previous();
    EXPECT_EQ(engine.URL(), second);
    remote.next();
    EXPECT_EQ(engine.URL(), third) << "Next goes forward again to the entry Previous left";
    remote.setShuffle(false);
    EXPECT_EQ(remote.canGoPrevious(), list.ListIndex() > 0);
}

TEST_F(PlayOrderTest, ARestoredEntryWaitsPausedAtItsPlaceAndPlayStartsItFromThereWithTheClock)
{
    entries(3);
    player.restoreEntry(1, 125.4);
    EXPECT_EQ(list.ListIndex(), 1);
    EXPECT_FALSE(player.IsPlaying);
    EXPECT_FALSE(engine.calls().contains("play"));
    EXPECT_EQ(remote.status(), PlayerRemote::Status::Paused);
    EXPECT_EQ(player.lblMinutes.Caption() + ":" + player.lblSeconds.Caption(), "02:05");

    engine.mediaDuration = 300;
    engine.clearCalls();
    player.cmdControls_Click(Player::Play);
    EXPECT_EQ(engine.calls().filter(QRegularExpression("^(URL|currentPosition|play)")),
              QStringList({"URL=/m/1.mp3", "currentPosition=125.4", "play"}));
    ticks(1);
    EXPECT_EQ(player.lblMinutes.Caption() + ":" + player.lblSeconds.Caption(), "02:06");
    EXPECT_EQ(player.scrollTiming.Value(), 127) << "at the place, plus the tick's own step";
    EXPECT_FALSE(engine.calls().contains("currentPosition=126")) << "the bar's move is no seek";
    engine.endOfStream();
    EXPECT_EQ(engine.URL(), "/m/2.mp3");

    // A restored entry the user replaces with another starts that one from its beginning.
    player.restoreEntry(0, 60);
    engine.clearCalls();
    list.setListIndex(2);
    EXPECT_FALSE(engine.calls().join(' ').contains("currentPosition=60"));
}

} // namespace
