// Loading a skin into the five windows, and the one failure that ends the program.
#include "core/Skin.h"
#include "core/modINI.h"
#include "support/FakeHost.h"
#include "support/FakeSkinTargets.h"
#include "support/Files.h"
#include "support/ProgramFolderFixture.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <gtest/gtest.h>

using namespace zendrix;
using namespace zendrix::testing;

namespace {

class LoadSkinTest : public ::testing::Test
{
protected:
    ProgramFolderFixture folder;
    FakeSkinTargets targets;
    FakeMessageBoxes messages;
    FakeProgramExit exit;

    // The failure path: one critical message naming the cause, the reset to the default skin, the end.
    void expectFailurePath(const QString& description)
    {
        ASSERT_EQ(messages.texts(), QStringList{"Critical error while loading settings!\r\n" + description +
                                                "\r\nCalibrating skin settings. Please restart the player"});
        EXPECT_EQ(messages.shown[0].icon, MessageIcon::Critical);
        EXPECT_EQ(ReadINI(ConfigPath, "Skin", "Skin", ""), "Zendrix");
        EXPECT_EQ(exit.ended, 1);
    }
};

TEST_F(LoadSkinTest, WithoutASkinSettingTheDefaultSkinDressesEveryWindowInOrderAndNothingIsWritten)
{
    EXPECT_TRUE(LoadSkin(targets, messages, exit));
    ASSERT_EQ(targets.targets(), (QStringList{"main", "playlist", "settings", "info", "title"}));
    for (int i = 0; i < 5; ++i)
        EXPECT_TRUE(closeTo(targets.pictures[i].centre, i < 4 ? QColor(10, 20, 30) : QColor(40, 50, 60)))
            << i;
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(exit.ended, 0);
    EXPECT_FALSE(QFile::exists(ConfigPath));
}

TEST_F(LoadSkinTest, AMissingOrDamagedPictureFailsOnceNamingTheFileAfterThePicturesBeforeIt)
{
    folder.writeSkin("NoTitle", QColor(200, 30, 30), QColor());
    folder.writeSkin("Text", QColor(), QColor(30, 200, 30));
    folder.writeText("/Data/Skins/Text/zendrix.zsk", "[Skin]\r\nthis is text\r\n");
    const struct
    {
        const char* skin;
        int applied;
        QString failure;
    } cases[] = {
        {"NoTitle", 4, "File not found: '" + folder.file("/Data/Skins/NoTitle/title.zsk") + "'"},
        {"Text", 0, "Invalid picture: '" + folder.file("/Data/Skins/Text/zendrix.zsk") + "'"},
        {"Zendrix", 4, "File not found: '" + folder.file("/Data/Skins/Zendrix/title.zsk") + "'"}, // no loop
    };
    QFile::remove(folder.file("/Data/Skins/Zendrix/title.zsk"));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.skin);
        messages.shown.clear();
        targets.pictures.clear();
        exit.ended = 0;
        WriteINI(ConfigPath, "Skin", "Skin", c.skin);
        EXPECT_FALSE(LoadSkin(targets, messages, exit));
        EXPECT_EQ(targets.pictures.size(), std::size_t(c.applied));
        expectFailurePath(c.failure);
    }
}

TEST_F(LoadSkinTest, TheStoredNameFindsTheUsersSkinBeforeAShippedOneAndAFailureStillResetsToZendrix)
{
    folder.writeUserSkin("Zendrix", QColor(200, 30, 30), QColor(30, 200, 30));
    folder.writeUserSkin("Mine", QColor(30, 30, 200), QColor());
    EXPECT_TRUE(LoadSkin(targets, messages, exit));
    EXPECT_TRUE(closeTo(targets.pictures.at(0).centre, QColor(200, 30, 30)));
    EXPECT_TRUE(closeTo(targets.pictures.at(4).centre, QColor(30, 200, 30)));

    // A user's folder without its title picture is no skin: the name is looked for under the program
    // folder, and not finding it there takes the failure path.
    targets.pictures.clear();
    WriteINI(ConfigPath, "Skin", "Skin", "Mine");
    EXPECT_FALSE(LoadSkin(targets, messages, exit));
    expectFailurePath("File not found: '" + folder.file("/Data/Skins/Mine/zendrix.zsk") + "'");
}

TEST_F(LoadSkinTest, OnAScreenOfRatioTwoTheSharperTwinsStandInAtTheWindowsSize)
{
    const QString skin = folder.file("/Data/Skins/Zendrix/");
    QImage sharp(850, 142, QImage::Format_RGB32);
    sharp.fill(QColor(250, 250, 0));
    ASSERT_TRUE(sharp.save(skin + "zendrix@2x.zsk", "PNG"));
    writeFile(skin + "title@2x.zsk", "damaged");

    targets.screenRatio = 2.0;
    ASSERT_TRUE(LoadSkin(targets, messages, exit));
    ASSERT_EQ(targets.pictures.size(), 5u);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(targets.pictures[i].size, QSize(850, 142)) << i;
        EXPECT_EQ(targets.pictures[i].ratio, 2.0) << i;
    }
    // A twin that does not load gives way to its 1x picture without a word.
    EXPECT_EQ(targets.pictures[4].size, QSize(425, 28));
    EXPECT_EQ(targets.pictures[4].ratio, 1.0);
    EXPECT_TRUE(messages.shown.empty());

    targets.pictures.clear();
    targets.screenRatio = 1.5;
    ASSERT_TRUE(LoadSkin(targets, messages, exit));
    EXPECT_EQ(targets.pictures[0].size, QSize(425, 71));

    // The 1x picture is the skin: without it the twin does not save the loading.
    targets.pictures.clear();
    targets.screenRatio = 2.0;
    QFile::remove(skin + "zendrix.zsk");
    EXPECT_FALSE(LoadSkin(targets, messages, exit));
    expectFailurePath("File not found: '" + skin + "zendrix.zsk'");
}

} // namespace
