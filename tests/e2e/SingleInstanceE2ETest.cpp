// Real player processes started side by side from one installation: only one runs, wherever the claim
// lives and whoever else holds the name it would take.
#include "ProgramRun.h"

#include "platform/SingleInstance.h"
#include "support/Files.h"
#include "support/MediaFixtures.h"
#include "support/OpenedFiles.h"
#include "support/OtherUserSockets.h"
#include "support/WaitFor.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace zendrix::testing;
using zendrix::SingleInstance;

namespace {

// Which of two processes ended first, waiting no longer than `ms`; nullptr when neither did.
QProcess* firstToEnd(QProcess& a, QProcess& b, int ms)
{
    // QProcess learns of an end from its event loop.
    const auto ended = [](QProcess& process) { return process.state() == QProcess::NotRunning; };
    if (!zendrix::test::waitFor([&] { return ended(a) || ended(b); }, ms))
        return nullptr;
    return ended(a) ? &a : &b;
}

// Where the claim lives: the user's runtime folder, or the abstract names where there is none.
class SingleInstanceE2EPlaces : public ::testing::TestWithParam<bool>
{
protected:
    void SetUp() override
    {
        // The players under test and this test's own claims look in the same place.
        if (GetParam())
            qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
        else
            qunsetenv("XDG_RUNTIME_DIR");
    }
    void TearDown() override { qunsetenv("XDG_RUNTIME_DIR"); }
    QTemporaryDir runtime;
};

TEST_P(SingleInstanceE2EPlaces,
       TwoStartsAtTheSameMomentFiftyTimesLeaveExactlyOneRunningAndTheLoserWritesNothing)
{
    ProgramFolderCopy folder;
    // Settings the loser could touch: a write would show as a new inode (writes replace the file). The
    // winner writes nothing at start with these: the volume bar already stands at 0, and the group (the
    // playlist window at the main window's right, their bottoms level) is whole on the screen where it
    // stands, so it is not moved (a move at start is stored).
    ASSERT_FALSE(writeFile(folder.config(),
                           "[Player]\r\nVolume=0\r\nPlaylist=True\r\n[Position]\r\nTop=9000\r\nLeft=1500\r\n")
                     .isEmpty());
    const FolderState before = folderState(folder.path());

    int firstWon = 0;
    for (int round = 0; round < 50; ++round) {
        SCOPED_TRACE(round);
        auto a = folder.start();
        auto b = folder.start();
        QProcess* loser = firstToEnd(*a, *b, 15000);
        ASSERT_NE(loser, nullptr) << "neither start ended";
        QProcess* winner = loser == a.get() ? b.get() : a.get();
        firstWon += winner == a.get();
        EXPECT_EQ(loser->exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(loser->exitCode(), 0);
        // The one that runs holds the installation's claim: a third claim, ours, is refused.
        EXPECT_TRUE(isRunning(*winner));
        EXPECT_FALSE(zendrix::SingleInstance::claim(folder.path()));
        EXPECT_EQ(folderState(folder.path()), before);
        winner->kill();
        winner->waitForFinished();
        if (::testing::Test::HasFailure())
            break;
    }
    // Either may win; the report of the run says how often the first start did.
    RecordProperty("first start won", firstWon);
}

TEST_P(SingleInstanceE2EPlaces, AnotherUsersProcessOnTheNameNeitherStopsThePlayerNorTakesItsHandOver)
{
    if (!zendrix::test::OtherUserSockets::possible())
        GTEST_SKIP() << "only root can make a process of another user";
    ProgramFolderCopy folder;
    // The name every start of this installation took alone before, held first by someone else.
    zendrix::test::OtherUserSockets squatter({SingleInstance::abstractName(folder.path(), 0)}, {});
    ASSERT_TRUE(squatter.held());
    QTemporaryDir media;
    const QString tone = zendrix::MediaFixtures::wav(1.0);
    ASSERT_FALSE(tone.isEmpty()) << zendrix::MediaFixtures::lastError().toStdString();
    ASSERT_TRUE(QFile::copy(tone, media.filePath("one.wav")));
    OpenedFiles opened(media.path());

    auto player = folder.start();
    ASSERT_TRUE(zendrix::test::waitFor([&] { return !SingleInstance::claim(folder.path()); }, 15000))
        << "the player did not take the claim";
    auto second = folder.start({"one.wav"}, media.path());
    ASSERT_TRUE(second->waitForFinished(30000));
    EXPECT_EQ(second->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second->exitCode(), 0) << "the second start hands its file over";
    EXPECT_TRUE(opened.waitFor("one.wav", 30000)) << "the player plays what the second start was given";
    EXPECT_TRUE(isRunning(*player));
    player->kill();
    player->waitForFinished();
}

INSTANTIATE_TEST_SUITE_P(Places, SingleInstanceE2EPlaces, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& place) {
                             return place.param ? "InTheRuntimeFolder" : "AtAbstractNames";
                         });

} // namespace
