// The fake engine that the player's tests drive: what it records and how it fails on request.
#include "core/Failure.h"
#include "support/FakeMediaEngine.h"

#include <gtest/gtest.h>

using namespace zendrix;

namespace {

TEST(FakeMediaEngine, RecordsCommandsAndWritesInOrderAndReadsThemBack)
{
    FakeMediaEngine engine;
    MediaEngine& e = engine;
    e.setURL(QStringLiteral("/a.mp3"));
    e.controls().play();
    e.controls().setCurrentPosition(90);
    e.settings().setVolume(37);
    e.dvd().titleMenu();
    e.setFullScreen(true);
    e.setURL(QString());
    EXPECT_EQ(engine.calls(), (QStringList{"URL=/a.mp3", "play", "currentPosition=90", "volume=37",
                                           "dvd.titleMenu", "fullScreen=true", "URL="}));
    EXPECT_EQ(e.controls().currentPosition(), 90.0);
    EXPECT_EQ(e.settings().volume(), 37);
    EXPECT_TRUE(e.fullScreen());
    EXPECT_EQ(e.URL(), QString());
}

TEST(FakeMediaEngine, FailsTheNamedMembersOnlyAndRecordsNoFailedCall)
{
    FakeMediaEngine engine;
    MediaEngine& e = engine;
    engine.itemInfo = {{"Title", "Song"}, {"Size", "1048576"}};
    engine.failOn(QStringLiteral("play"), QStringLiteral("no sound"));
    engine.failOn(QStringLiteral("getItemInfo(Size)"));
    try {
        e.controls().play();
        FAIL() << "play did not fail";
    } catch (const EngineError& error) {
        EXPECT_EQ(error.description(), QStringLiteral("no sound"));
    }
    EXPECT_THROW(e.currentMedia().getItemInfo(QStringLiteral("Size")), EngineError);
    EXPECT_THROW(e.currentMedia().getItemInfo(QStringLiteral("Album")), EngineError);  // not scripted
    EXPECT_EQ(e.currentMedia().getItemInfo(QStringLiteral("Title")), QStringLiteral("Song"));
    e.controls().pause();
    EXPECT_EQ(engine.calls(), QStringList{"pause"});
}

TEST(FakeMediaEngine, RaisesTheVideoAreasMouseEvents)
{
    FakeMediaEngine engine;
    QList<int> seen;
    QObject::connect(&engine, &MediaEngine::Click, [&](short button, short shift, int x, int y) {
        seen << button << shift << x << y;
    });
    QObject::connect(&engine, &MediaEngine::DoubleClick, [&](short button, short, int, int) { seen << -button; });
    engine.click(2, 1, 30, 40);
    engine.doubleClick();
    EXPECT_EQ(seen, (QList<int>{2, 1, 30, 40, -1}));
}

}  // namespace
