#include "core/InstallInfo.h"
#include "support/Files.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zendrix;
using namespace zendrix::testing;

namespace {

TEST(InstallInfo, EveryStartMakesTheFoldersAndLeavesExactlyTheFourKeysOnce)
{
    QTemporaryDir shared; // stands for the system's shared folder
    const QString file = shared.filePath("Quarrymoor Software/Zendrix/info.ini");
    const QByteArray record = "[Info]\r\nPath=/opt/zendrix\r\nMajor=2\r\nMinor=50\r\nRevision=52\r\n";
    WriteInstallInfo(file, "/opt/zendrix");
    WriteInstallInfo(file, "/opt/zendrix");
    EXPECT_EQ(readFile(file), record);
    writeFile(file, "[Old]\r\nKey=1\r\n[Info]\r\nPath=/elsewhere\r\nBuild=7\r\n");
    WriteInstallInfo(file, "/opt/zendrix");
    EXPECT_EQ(readFile(file), record);
}

} // namespace
