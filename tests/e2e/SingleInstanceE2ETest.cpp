// Real player processes started side by side from one installation: only one runs.
#include "ProgramRun.h"

#include "platform/SingleInstance.h"
#include "support/Files.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <gtest/gtest.h>

using namespace zendrix::testing;

namespace {

// Which of two processes ended first, waiting no longer than `ms`; nullptr when neither did.
QProcess* firstToEnd(QProcess& a, QProcess& b, int ms)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms) {
        if (!isRunning(a))
            return &a;
        if (!isRunning(b))
            return &b;
    }
    return nullptr;
}

TEST(SingleInstanceE2E, TwoStartsAtTheSameMomentFiftyTimesLeaveExactlyOneRunningAndTheLoserWritesNothing)
{
    ProgramFolderCopy folder;
    // Settings the loser could touch: a write would show as a new inode (writes replace the file). The
    // winner writes nothing at start with these: the volume bar already stands at 0.
    ASSERT_FALSE(writeFile(folder.config(),
                           "[Player]\r\nVolume=0\r\nPlaylist=True\r\n[Position]\r\nTop=1500\r\nLeft=1500\r\n")
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

} // namespace
