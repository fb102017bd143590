// Which skins there are: the names a user's skin may take, the user's folder, and the list the settings
// window shows.
#include "core/SkinCatalog.h"
#include "support/Files.h"
#include "support/ProgramFolderFixture.h"

#include <gtest/gtest.h>

using namespace zendrix;
using namespace zendrix::testing;

namespace {

TEST(SkinNames, ANameMustSurviveBothTheFolderAndTheSetting)
{
    for (const QString& good :
         {QString("Night"), QString("My Skin 2"), QString("Été.v2"), QString("a"), QString(254, QChar('x'))})
        EXPECT_FALSE(skinNameProblem(good)) << good.toStdString();
    const struct
    {
        QString name;
        const char* problem;
    } bad[] = {
        {"", "it is empty"},
        {".install-abc123", "it starts with \".\""},
        {"..", "it starts with \".\""},
        {" Night", "it starts or ends with a blank"},
        {"Night ", "it starts or ends with a blank"},
        {"a/b", "it holds \"/\""},
        {"Night\r\nSkin=Evil", "it holds a control character"},
        {QString(255, QChar('x')), "it is too long"},
        {QString(128, QChar(0xe9)), "it is too long"}, // 128 characters, 256 bytes
    };
    for (const auto& b : bad)
        EXPECT_EQ(skinNameProblem(b.name).value_or("<none>"), b.problem) << b.name.toStdString();
}

TEST(SkinCatalog, TheUsersSkinsAreTheFoldersWithBothPicturesInNaturalOrder)
{
    ProgramFolderFixture folder;
    EXPECT_TRUE(userSkinNames().isEmpty()) << "a missing folder holds no skins";
    for (const char* name : {"Skin 10", "skin 2", "Alpha", "Skin 1", "Skin 02b", "beta"})
        folder.writeUserSkin(name, Qt::red, Qt::blue);
    folder.writeUserSkin("NoTitle", Qt::red, QColor());
    folder.writeUserSkin(".install-x1y2z3", Qt::red, Qt::blue);
    writeFile(folder.userSkins() + "/Loose.zsk", "not a folder");
    EXPECT_EQ(userSkinNames(), (QStringList{"Alpha", "beta", "Skin 1", "skin 2", "Skin 02b", "Skin 10"}));
    EXPECT_TRUE(hasUserSkin("Alpha"));
    EXPECT_FALSE(hasUserSkin("NoTitle"));
    EXPECT_FALSE(hasUserSkin("Zendrix"));
}

TEST(SkinCatalog, TheListsLinesComeFirstAsTheyStandAndAUsersSkinOfAListedNameTakesItsPlace)
{
    const QList<SkinEntry> merged =
        mergeSkinLists({"Zendrix", "", "Ember", "Zendrix"}, {"Alpha", "Ember", "Zeta"});
    EXPECT_EQ(merged, (QList<SkinEntry>{{"Zendrix", false},
                                        {"", false},
                                        {"Ember", true},
                                        {"Zendrix", false},
                                        {"Alpha", true},
                                        {"Zeta", true}}));
}

} // namespace
