#include "core/Skin.h"
#include "core/modINI.h"
#include "support/FakeHost.h"
#include "support/FakeSkinTargets.h"
#include "support/ProgramFolderFixture.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace zendrix;
using namespace zendrix::testing;

namespace {

const QColor kBack(10, 20, 30);  // the fixture's default skin
const QColor kTitle(40, 50, 60);

QString criticalText(const QString& description)
{
    return "Critical error while loading settings!\r\n" + description +
           "\r\nCalibrating skin settings. Please restart the player";
}

class LoadSkinTest : public ::testing::Test
{
protected:
    ProgramFolderFixture folder;
    FakeSkinTargets targets;
    FakeMessageBoxes messages;
    FakeProgramExit exit;

    bool load() { return LoadSkin(targets, messages, exit); }
    QString storedSkin() const { return ReadINI(ConfigPath, "Skin", "Skin", "<missing>"); }
    // The failure path: the three-line message, the reset to the default skin, the end of the program.
    void expectFailurePath(const QString& description)
    {
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].text, criticalText(description));
        EXPECT_EQ(messages.shown[0].icon, MessageIcon::Critical);
        EXPECT_EQ(messages.shown[0].buttons, MessageButtons::Ok);
        EXPECT_EQ(storedSkin(), "Zendrix");
        EXPECT_EQ(exit.ended, 1);
    }
};

TEST_F(LoadSkinTest, WithoutASkinSettingTheDefaultSkinDressesEveryWindowInOrder)
{
    EXPECT_TRUE(load());
    ASSERT_EQ(targets.targets(), (QStringList{"main", "playlist", "settings", "info", "title"}));
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(closeTo(targets.pictures[i].centre, kBack)) << i;
    EXPECT_TRUE(closeTo(targets.pictures[4].centre, kTitle));
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(exit.ended, 0);
    EXPECT_EQ(storedSkin(), "<missing>");  // loading writes nothing
}

TEST_F(LoadSkinTest, AMissingTitlePictureFailsAfterTheOtherFourAndTheNextStartUsesTheDefault)
{
    folder.writeSkin("Night", QColor(200, 30, 30), QColor());
    WriteINI(ConfigPath, "Skin", "Skin", "Night");

    EXPECT_FALSE(load());
    EXPECT_EQ(targets.targets(), (QStringList{"main", "playlist", "settings", "info"}));
    expectFailurePath("File not found: '" + folder.file("/Data/Skins/Night/title.zsk") + "'");

    FakeSkinTargets nextStart;
    EXPECT_TRUE(LoadSkin(nextStart, messages, exit));
    EXPECT_TRUE(closeTo(nextStart.pictures.at(0).centre, kBack));
}

TEST_F(LoadSkinTest, AFileThatIsNoPictureFailsAtOnce)
{
    folder.writeSkin("Night", QColor(), QColor(30, 200, 30));
    folder.writeText("/Data/Skins/Night/zendrix.zsk", "[Skin]\r\nthis is text\r\n");
    WriteINI(ConfigPath, "Skin", "Skin", "Night");

    EXPECT_FALSE(load());
    EXPECT_TRUE(targets.pictures.empty());
    expectFailurePath("Invalid picture: '" + folder.file("/Data/Skins/Night/zendrix.zsk") + "'");
}

TEST_F(LoadSkinTest, ABrokenDefaultSkinIsNamedClearlyAtEveryStartAndNeverLoops)
{
    // The reset cannot help when the default skin itself is broken: each start must show the same
    // message naming the missing file, end once, and leave the setting at the default.
    QFile::remove(folder.file("/Data/Skins/Zendrix/title.zsk"));
    const QString description = "File not found: '" + folder.file("/Data/Skins/Zendrix/title.zsk") + "'";
    for (int start = 1; start <= 2; ++start) {
        FakeSkinTargets windows;
        FakeMessageBoxes shown;
        FakeProgramExit ended;
        EXPECT_FALSE(LoadSkin(windows, shown, ended));
        EXPECT_EQ(shown.texts(), QStringList{criticalText(description)}) << "start " << start;
        EXPECT_EQ(ended.ended, 1);
        EXPECT_EQ(storedSkin(), "Zendrix");
    }
}

}  // namespace
