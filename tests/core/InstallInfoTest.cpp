#include "core/InstallInfo.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zendrix;

namespace {

TEST(InstallInfo, EveryStartMakesTheFoldersAndLeavesExactlyTheFourKeysOnce)
{
    QTemporaryDir shared; // stands for the system's shared folder
    QFile file(shared.filePath("Quarrymoor Software/Zendrix/info.ini"));
    auto contents = [&] {
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        file.close();
        return bytes;
    };
    const QByteArray record = "[Info]\r\nPath=/opt/zendrix\r\nMajor=2\r\nMinor=50\r\nRevision=52\r\n";
    WriteInstallInfo(file.fileName(), "/opt/zendrix");
    WriteInstallInfo(file.fileName(), "/opt/zendrix");
    EXPECT_EQ(contents(), record);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[Old]\r\nKey=1\r\n[Info]\r\nPath=/elsewhere\r\nBuild=7\r\n");
    file.close();
    WriteInstallInfo(file.fileName(), "/opt/zendrix");
    EXPECT_EQ(contents(), record);
}

} // namespace
