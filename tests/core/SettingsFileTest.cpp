// Where the settings live: an installed program folder is never written, whoever runs the player; a
// program folder of one's own keeps its settings as it always has.
#include "core/SettingsFile.h"
#include "core/modINI.h"
#include "support/Files.h"
#include "support/QtPrinters.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zendrix;
using namespace zendrix::testing;

namespace {

class SettingsFileTest : public ::testing::Test
{
protected:
    QTemporaryDir program;
    QTemporaryDir home;
    void SetUp() override
    {
        qputenv("XDG_CONFIG_HOME", home.path().toUtf8());
        writeFile(program.filePath("Data/config.ini"), "[Player]\r\nVolume=50\r\n");
    }
    void TearDown() override { qunsetenv("XDG_CONFIG_HOME"); }
};

TEST_F(SettingsFileTest, AnInstalledFolderSeedsEachUsersOwnSettingsAndIsNeverWrittenEvenByRoot)
{
    writeFile(program.path() + kInstalledMarker, "installed\n");
    const QString own = home.filePath("Zendrix/config.ini");
    // The folder is writable (as /usr/lib is for root): the marker alone keeps the settings out of it.
    EXPECT_EQ(prepareSettingsFile(program.path()), own);
    EXPECT_EQ(ReadINI(own, "Player", "Volume", "0"), "50") << "the shipped settings are the user's first";
    WriteINI(own, "Player", "Volume", "80");
    EXPECT_EQ(prepareSettingsFile(program.path()), own) << "decided once, and the user's file is kept";
    EXPECT_EQ(ReadINI(own, "Player", "Volume", "0"), "80");
    EXPECT_EQ(readFile(program.filePath("Data/config.ini")), "[Player]\r\nVolume=50\r\n");
}

TEST_F(SettingsFileTest, AFolderOfOnesOwnKeepsItsSettingsBesideTheProgram)
{
    EXPECT_EQ(prepareSettingsFile(program.path()), program.filePath("Data/config.ini"));
    EXPECT_FALSE(QFileInfo::exists(home.filePath("Zendrix")));
}

TEST_F(SettingsFileTest, WhatIsRememberedStaysBesideTheSettingsOrInTheUsersStateFolder)
{
    const QString own = program.filePath("Data/config.ini");
    EXPECT_EQ(stateFolder(own, program.path()), program.filePath("Data"));
    EXPECT_EQ(stateFolder(own, program.path() + "/"), program.filePath("Data"))
        << "one folder, however named";
    const QString user = home.filePath("Zendrix/config.ini");
    qputenv("XDG_STATE_HOME", home.filePath("state").toUtf8());
    EXPECT_EQ(stateFolder(user, program.path()), home.filePath("state/Zendrix"));
    for (const char* ignored : {"", "relative/state"}) {
        qputenv("XDG_STATE_HOME", ignored);
        EXPECT_EQ(stateFolder(user, program.path()), QDir::homePath() + "/.local/state/Zendrix") << ignored;
    }
    qunsetenv("XDG_STATE_HOME");
}

} // namespace
