#include "core/InstallInfo.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zendrix;

namespace {

class InstallInfoTest : public ::testing::Test
{
protected:
    QTemporaryDir shared;  // stands for the system's shared folder
    QString path = shared.filePath("Quarrymoor Software/Zendrix/info.ini");
    const QString program = "/opt/zendrix";

    QByteArray contents(const QString& file) const
    {
        QFile in(file);
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray("<none>");
    }
};

const QByteArray kRecord = "[Info]\r\nPath=/opt/zendrix\r\nMajor=2\r\nMinor=50\r\nRevision=52\r\n";

TEST_F(InstallInfoTest, EveryStartMakesTheFoldersAndLeavesExactlyTheFourKeys)
{
    WriteInstallInfo(path, program);
    EXPECT_EQ(contents(path), kRecord);
    WriteInstallInfo(path, program);
    EXPECT_EQ(contents(path), kRecord);
}

TEST_F(InstallInfoTest, WhateverTheFileHeldBeforeIsGone)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("[Old]\r\nKey=1\r\n[Info]\r\nPath=/elsewhere\r\nBuild=7\r\n");
    old.close();
    WriteInstallInfo(path, program);
    EXPECT_EQ(contents(path), kRecord);
}

TEST_F(InstallInfoTest, AFolderThatCannotBeMadeIsIgnored)
{
    // A file where the shared folder should be: nothing can be created below it (even for root).
    QFile blocker(shared.filePath("Quarrymoor Software"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.write("in the way");
    blocker.close();
    WriteInstallInfo(path, program);
    EXPECT_EQ(contents(shared.filePath("Quarrymoor Software")), "in the way");
    EXPECT_FALSE(QFileInfo::exists(path));

    // A folder where the file should be is left alone too.
    const QString other = shared.filePath("Other/Zendrix/info.ini");
    QDir().mkpath(other);
    WriteInstallInfo(other, program);
    EXPECT_TRUE(QFileInfo(other).isDir());
}

}  // namespace
