#include "platform/AtomicFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
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

}  // namespace
