// Two real player processes from one installation: only one runs.
#include "ProgramRun.h"

#include <QDir>
#include <QFileInfo>
#include <QThread>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace zendrix::testing;

namespace {

struct FolderState
{
    QStringList files;
    QList<ino_t> inodes;
    bool operator==(const FolderState&) const = default;
};

FolderState folderState(const QString& path)
{
    FolderState state;
    QDir dir(path + "/Data");
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden)) {
        state.files.append(name);
        struct stat info{};
        ::stat(dir.filePath(name).toLocal8Bit().constData(), &info);
        state.inodes.append(info.st_ino);
    }
    return state;
}

TEST(SingleInstanceE2E, ASecondStartEndsAtOnceWithoutWritingAndLeavesTheFirstRunning)
{
    ProgramFolderCopy folder;
    auto first = folder.start();
    QThread::msleep(1500);
    ASSERT_TRUE(isRunning(*first));
    const FolderState before = folderState(folder.path());

    auto second = folder.start();
    EXPECT_TRUE(waitForEnd(*second, 5000));
    EXPECT_EQ(second->exitCode(), 0);
    EXPECT_EQ(folderState(folder.path()), before);
    EXPECT_TRUE(isRunning(*first));
    first->kill();
    first->waitForFinished();
}

TEST(SingleInstanceE2E, TwoStartsAtTheSameMomentLeaveExactlyOneRunning)
{
    ProgramFolderCopy folder;
    for (int round = 0; round < 5; ++round) {
        auto a = folder.start();
        auto b = folder.start();
        QThread::msleep(1200);
        const int running = isRunning(*a) + isRunning(*b);
        EXPECT_EQ(running, 1) << "round " << round;
        a->kill();
        b->kill();
        a->waitForFinished();
        b->waitForFinished();
    }
}

}  // namespace
