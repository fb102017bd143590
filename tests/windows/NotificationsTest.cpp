// Notifications of new items on a bus of the test's own, with a notification service of the test's own:
// what they say, that a later item replaces the earlier one, and the cases where none is sent.
#include "core/Player.h"
#include "support/NotificationServer.h"
#include "support/PrivateBus.h"
#include "support/ProgramStart.h"
#include "support/WaitFor.h"
#include "windows/PlayerOptions.h"

#include <gtest/gtest.h>

using namespace zendrix;
using namespace zendrix::testing;
using zendrix::test::runEventsFor;
using zendrix::test::waitFor;

namespace {

class NotificationsTest : public ::testing::Test, protected ProgramRig
{
protected:
    PrivateBus bus;
    NotificationServer server;
    bool active = false;
    QString connection;

    void SetUp() override
    {
        ASSERT_FALSE(bus.address().isEmpty()) << bus.error().toStdString();
        start();
        notifications().groupActive = [this] { return active; };
        static int connections = 0;
        connection = QStringLiteral("player-%1").arg(++connections);
        notifications().setBus(QDBusConnection::connectToBus(bus.address(), connection));
        program->options().notify.store(true);
    }
    void TearDown() override { QDBusConnection::disconnectFromBus(connection); }
    Notifications& notifications() { return program->options().notifications(); }
    // A new item starts, its tags known to the engine at once or not at all.
    void startItem(const QString& path, const QString& title, const QString& artist, const QString& album)
    {
        engine->mediaName = title.isEmpty() ? QFileInfo(path).baseName() : title;
        engine->itemInfo = {{"Title", engine->mediaName}, {"Author", artist}, {"Album", album}};
        open(path, 200);
        if (!title.isEmpty())
            engine->mediaChange(path);
    }
};

TEST_F(NotificationsTest, ANewItemShowsItsTitleArtistAndAlbumWithTheIconAndTheNextReplacesIt)
{
    ASSERT_TRUE(server.serve(bus.address()));
    startItem("/music/dawn.mp3", "Dawn", "The Band", "Mornings");
    ASSERT_TRUE(waitFor([&] { return server.calls.size() == 1; }, 5000));
    const NotificationServer::Call& first = server.calls[0];
    EXPECT_EQ(first.app, "Zendrix");
    EXPECT_EQ(first.replaces, 0u);
    EXPECT_EQ(first.icon, "zendrix");
    EXPECT_EQ(first.summary, "Dawn");
    EXPECT_EQ(first.body, "The Band - Mornings");
    EXPECT_EQ(first.hints.value("desktop-entry").toString(), "zendrix");
    EXPECT_EQ(first.timeout, -1);

    startItem("/music/dusk.mp3", "Dusk", "The Band", "");
    ASSERT_TRUE(waitFor([&] { return server.calls.size() == 2; }, 5000));
    EXPECT_EQ(server.calls[1].replaces, 7u) << "the id the service gave the first";
    EXPECT_EQ(server.calls[1].body, "The Band");

    // Without tags the file's name shows, once the item has had time to tell them.
    startItem("/music/untagged.mp3", "", "", "");
    ASSERT_TRUE(waitFor([&] { return server.calls.size() == 3; }, 5000));
    EXPECT_EQ(server.calls[2].summary, "untagged");
    EXPECT_EQ(server.calls[2].body, "");
    EXPECT_EQ(server.calls[2].replaces, 7u);
}

TEST_F(NotificationsTest, NothingIsSentWhileTheGroupIsActiveOffOrForAnItemThatDidNotStart)
{
    ASSERT_TRUE(server.serve(bus.address()));
    active = true;
    startItem("/music/a.mp3", "A", "", "");
    active = false;
    engine->unplayable.insert("/music/gone.mp3");
    startItem("/music/gone.mp3", "", "", "");
    runEventsFor(Notifications::kSettleMs + 300);
    EXPECT_TRUE(server.calls.empty());
    program->options().notify.store(false);
    startItem("/music/b.mp3", "B", "", "");
    // A started item whose window became active before its notification went.
    program->options().notify.store(true);
    startItem("/music/c.mp3", "", "", "");
    active = true;
    runEventsFor(Notifications::kSettleMs + 500);
    EXPECT_TRUE(server.calls.empty());
}

TEST_F(NotificationsTest, AnItemStartedBeforeTheBusIsThereIsToldOnceItIs)
{
    ASSERT_TRUE(server.serve(bus.address()));
    start();
    notifications().groupActive = [] { return false; };
    program->options().notify.store(true);
    startItem("/music/first.mp3", "First", "", "");
    runEventsFor(300);
    notifications().setBus(QDBusConnection::connectToBus(bus.address(), connection));
    ASSERT_TRUE(waitFor([&] { return server.calls.size() == 1; }, 5000));
    EXPECT_EQ(server.calls[0].summary, "First");
}

TEST_F(NotificationsTest, WithoutAServiceNothingIsShownOrReportedAndOneThatComesLaterIsUsed)
{
    startItem("/music/a.mp3", "A", "", "");
    runEventsFor(Notifications::kSettleMs + 500);
    EXPECT_TRUE(messages.shown.empty());
    ASSERT_TRUE(server.serve(bus.address()));
    startItem("/music/b.mp3", "B", "", "");
    ASSERT_TRUE(waitFor([&] { return server.calls.size() == 1; }, 5000));
    EXPECT_EQ(server.calls[0].summary, "B");
    EXPECT_EQ(server.calls[0].replaces, 0u);
}

} // namespace
