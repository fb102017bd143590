#include "core/InstallInfo.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zendrix;

namespace {

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<none>");
}

TEST(InstallInfo, EveryStartMakesTheFoldersAndLeavesExactlyTheFourKeys)
{
    QTemporaryDir shared;  // stands for the system's shared folder
    const QString path = shared.filePath("Quarrymoor Software/Zendrix/info.ini");
    const QByteArray record = "[Info]\r\nPath=/opt/zendrix\r\nMajor=2\r\nMinor=50\r\nRevision=52\r\n";

    WriteInstallInfo(path, "/opt/zendrix");
    EXPECT_EQ(contents(path), record);

    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("[Old]\r\nKey=1\r\n[Info]\r\nPath=/elsewhere\r\nBuild=7\r\n");
    old.close();
    WriteInstallInfo(path, "/opt/zendrix");
    EXPECT_EQ(contents(path), record);
}

}  // namespace
