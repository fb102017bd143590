#include "platform/AtomicFile.h"
#include "support/ScratchMount.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <cerrno>
#include <cstring>
#include <unistd.h>

using namespace zendrix;

namespace {

QByteArray read(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(AtomicFile, ReplacesTheWholeFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("list.zdx");
    ASSERT_TRUE(writeFileAtomically(path, "a much longer first version\r\n"));
    ASSERT_TRUE(writeFileAtomically(path, "short\r\n"));
    EXPECT_EQ(read(path), QByteArray("short\r\n"));
}

TEST(AtomicFile, FailuresReportFalseAndKeepTheOldFile)
{
    QTemporaryDir dir;
    EXPECT_FALSE(writeFileAtomically(dir.path(), "x"));  // a folder in the way
    EXPECT_FALSE(writeFileAtomically(dir.filePath("no/such/folder/f"), "x"));

    const QString path = dir.filePath("kept.ini");
    ASSERT_TRUE(writeFileAtomically(path, "old"));
    if (geteuid() != 0) {  // root writes into read-only folders anyway
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
        EXPECT_FALSE(writeFileAtomically(path, "new"));
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    EXPECT_EQ(read(path), QByteArray("old"));
}

TEST(AtomicFile, ExplainsWhyAWriteFailed)
{
    QTemporaryDir dir;
    const QString missing = dir.filePath("no/such");
    EXPECT_EQ(writeFileAtomicallyExplained(missing + "/list.zdx", "x"),
              QString("Path not found: '%1'").arg(missing));
    const std::optional<QString> folderInTheWay = writeFileAtomicallyExplained(dir.path(), "x");
    ASSERT_TRUE(folderInTheWay.has_value());
    EXPECT_FALSE(folderInTheWay->isEmpty());
    EXPECT_EQ(writeFileAtomicallyExplained(dir.filePath("fine"), "x"), std::nullopt);
}

TEST(AtomicFile, AFullDiskSaysSoAndKeepsTheOldFile)
{
    QTemporaryDir dir;
    zendrix::testing::ScratchMount disk(dir.filePath("disk"), 16);
    if (!disk.isMounted())
        GTEST_SKIP() << "no right to mount a small disk";
    const QString path = dir.filePath("disk/list.zdx");
    ASSERT_TRUE(writeFileAtomically(path, "old\r\n"));

    EXPECT_EQ(writeFileAtomicallyExplained(path, QByteArray(64 * 1024, 'x')), QString("Disk full"));
    EXPECT_EQ(read(path), QByteArray("old\r\n"));
    EXPECT_EQ(QDir(dir.filePath("disk")).entryList(QDir::Files), QStringList{"list.zdx"});  // no leftovers
}

TEST(AtomicFile, AReadOnlyFolderKeepsTheOldFile)
{
    QTemporaryDir dir;
    zendrix::testing::ScratchMount disk(dir.filePath("disk"), 64);
    if (!disk.isMounted())
        GTEST_SKIP() << "no right to mount a folder read-only";
    const QString path = dir.filePath("disk/list.zdx");
    ASSERT_TRUE(writeFileAtomically(path, "old"));
    ASSERT_TRUE(disk.makeReadOnly());

    // Replacing a file and making a new one fail for different reasons; both say which.
    const std::optional<QString> replacing = writeFileAtomicallyExplained(path, "new");
    ASSERT_TRUE(replacing.has_value());
    EXPECT_TRUE(replacing->contains("not writable")) << replacing->toStdString();
    EXPECT_EQ(writeFileAtomicallyExplained(dir.filePath("disk/new.zdx"), "new"),
              QString::fromLocal8Bit(std::strerror(EROFS)));
    EXPECT_EQ(read(path), QByteArray("old"));
}

}  // namespace
