#include "platform/ProgramSearch.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zendrix;

namespace {

class ProgramSearchTest : public ::testing::Test
{
protected:
    QTemporaryDir dir;

    QString folder(const QString& name)
    {
        QDir(dir.path()).mkpath(name);
        return dir.filePath(name);
    }
    QString program(const QString& folderName, const QString& name, bool executable = true)
    {
        const QString path = QDir(folder(folderName)).filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("#!/bin/sh\n");
        file.close();
        QFile::Permissions permissions = QFile::ReadOwner | QFile::WriteOwner;
        if (executable)
            permissions |= QFile::ExeOwner;
        file.setPermissions(permissions);
        return path;
    }
};

TEST_F(ProgramSearchTest, TheFirstFolderHoldingAnExecutableOfThatNameWins)
{
    const QString a = folder("a");
    program("b", "hardinfo", false);  // not executable: passed over
    QDir(folder("c")).mkpath("hardinfo");  // a folder of that name: passed over
    const QString found = program("d", "hardinfo");
    program("e", "hardinfo");
    const QString path = a + ":" + dir.filePath("b") + ":" + dir.filePath("c") + ":" + dir.filePath("d") + ":" +
                         dir.filePath("e");
    EXPECT_EQ(findProgramOnPath("hardinfo", path), found);
    EXPECT_EQ(findProgramOnPath("kinfocenter", path), "");
    EXPECT_EQ(findProgramOnPath("hardinfo", ""), "");
}

TEST_F(ProgramSearchTest, RelativeAndEmptyEntriesAndNamesWithAFolderAreNotSearched)
{
    program("rel", "hardinfo");
    const QString before = QDir::currentPath();
    QDir::setCurrent(dir.path());
    // "rel", "." and an empty entry all name folders relative to wherever the player was started.
    EXPECT_EQ(findProgramOnPath("hardinfo", "rel::."), "");
    EXPECT_EQ(findProgramOnPath("rel/hardinfo", dir.path()), "");
    EXPECT_EQ(findProgramOnPath("", dir.filePath("rel")), "");
    QDir::setCurrent(before);
}

}  // namespace
