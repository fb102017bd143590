#include "platform/AtomicFile.h"
#include "support/Files.h"
#include "support/ScratchMount.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace zendrix;
using namespace zendrix::testing;

namespace {

TEST(AtomicFile, ReplacesTheWholeFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("list.zdx");
    ASSERT_TRUE(writeFileAtomically(path, "a much longer first version\r\n"));
    ASSERT_TRUE(writeFileAtomically(path, "short\r\n"));
    EXPECT_EQ(readFile(path), QByteArray("short\r\n"));
}

TEST(AtomicFile, FailuresReportFalseAndKeepTheOldFile)
{
    QTemporaryDir dir;
    EXPECT_FALSE(writeFileAtomically(dir.path(), "x")); // a folder in the way
    EXPECT_FALSE(writeFileAtomically(dir.filePath("no/such/folder/f"), "x"));

    const QString path = dir.filePath("kept.ini");
    ASSERT_TRUE(writeFileAtomically(path, "old"));
    if (geteuid() != 0) { // root writes into read-only folders anyway
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
        EXPECT_FALSE(writeFileAtomically(path, "new"));
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    EXPECT_EQ(readFile(path), QByteArray("old"));
}

TEST(AtomicFile, ASmallWriteToAFullDiskFailsAndKeepsTheOldFile)
{
    // A write smaller than a stream buffer fails only when the buffer is flushed: that failure must
    // be seen before the new file is renamed over the old one.
    QTemporaryDir dir;
    zendrix::testing::ScratchMount disk(dir.filePath("disk"), 64);
    if (!disk.isMounted())
        GTEST_SKIP() << "no right to mount a small disk";
    const QString path = dir.filePath("disk/config.ini");
    ASSERT_TRUE(writeFileAtomically(path, "[Player]\r\nVolume=40\r\n"));
    QFile filler(dir.filePath("disk/filler"));
    ASSERT_TRUE(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
    while (filler.write(QByteArray(4096, 'f')) > 0) {
    }
    while (filler.write("f", 1) > 0) {
    }
    filler.close();

    EXPECT_EQ(writeFileAtomicallyExplained(path, "[Player]\r\nVolume=75\r\n"), QString("Disk full"));
    EXPECT_EQ(readFile(path), QByteArray("[Player]\r\nVolume=40\r\n"));
    EXPECT_EQ(QDir(dir.filePath("disk")).entryList(QDir::Files | QDir::Hidden).size(), 2)
        << "no temporary file is left";
}

} // namespace
