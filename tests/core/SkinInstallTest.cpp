// Installing and removing the user's skins: whole or not at all, never through a link.
#include "core/SkinInstall.h"
#include "support/Files.h"
#include "support/HostilePictures.h"
#include "support/ScratchMount.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zendrix;
using namespace zendrix::testing;

namespace {

SkinPackage package(const QString& name, const QByteArray& background, const QByteArray& title = "title")
{
    return {name, {{"zendrix.zsk", background}, {"title.zsk", title}}};
}

// Every entry of the folder, hidden ones too.
QStringList entries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

TEST(SkinInstall, ASkinGoesInWholeReplacesOneOfItsNameAndLeavesNothingElse)
{
    QTemporaryDir dir;
    const QString skins = dir.filePath("made/on/demand");
    EXPECT_EQ(installSkinPackage(package("Night", "first"), skins), std::nullopt);
    EXPECT_EQ(entries(skins), QStringList{"Night"});
    EXPECT_EQ(readFile(skins + "/Night/zendrix.zsk"), "first");
    EXPECT_TRUE(QFileInfo(skins + "/Night").permissions().testFlag(QFile::ReadOther));

    SkinPackage twice = package("Night", "second");
    twice.files.emplace_back("title@2x.zsk", "sharp");
    EXPECT_EQ(installSkinPackage(twice, skins), std::nullopt);
    EXPECT_EQ(entries(skins), QStringList{"Night"});
    EXPECT_EQ(entries(skins + "/Night"), (QStringList{"title.zsk", "title@2x.zsk", "zendrix.zsk"}));
    EXPECT_EQ(readFile(skins + "/Night/zendrix.zsk"), "second");

    EXPECT_EQ(installSkinPackage(package(".sneaky", "x"), skins).value_or(""),
              "\".sneaky\" cannot be a skin's name: it starts with \".\"");
}

TEST(SkinInstall, ALinkInTheWayIsReplacedOrRemovedAsALinkNeverFollowed)
{
    QTemporaryDir dir;
    const QString skins = dir.filePath("skins");
    const QString elsewhere = dir.filePath("elsewhere");
    writeFile(elsewhere + "/zendrix.zsk", "precious");
    writeFile(elsewhere + "/title.zsk", "precious");
    QDir().mkpath(skins);
    ASSERT_TRUE(QFile::link(elsewhere, skins + "/Linked"));
    ASSERT_TRUE(QFile::link(elsewhere, skins + "/Other"));

    EXPECT_EQ(installSkinPackage(package("Linked", "new"), skins), std::nullopt);
    EXPECT_FALSE(QFileInfo(skins + "/Linked").isSymLink());
    EXPECT_EQ(readFile(skins + "/Linked/zendrix.zsk"), "new");
    EXPECT_EQ(removeUserSkin("Other", skins), std::nullopt);
    EXPECT_EQ(entries(skins), QStringList{"Linked"});
    EXPECT_EQ(entries(elsewhere), (QStringList{"title.zsk", "zendrix.zsk"}));
    EXPECT_EQ(readFile(elsewhere + "/zendrix.zsk"), "precious");

    EXPECT_EQ(removeUserSkin("Linked", skins), std::nullopt);
    EXPECT_TRUE(entries(skins).isEmpty());
    EXPECT_TRUE(removeUserSkin("Linked", skins).has_value()) << "a skin that is not there";
}

TEST(SkinInstall, AFailedInstallKeepsTheSkinItWouldReplaceAndLeavesNoTrace)
{
    QTemporaryDir dir;
    const QString skins = dir.filePath("skins");
    ScratchMount disk(skins, 96);
    if (!disk.isMounted())
        GTEST_SKIP() << "mounting a small disk needs root";
    ASSERT_EQ(installSkinPackage(package("Night", "old"), skins), std::nullopt);
    const auto failure = installSkinPackage(package("Night", QByteArray(200 * 1024, 'x')), skins);
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(*failure, "Disk full");
    EXPECT_EQ(entries(skins), QStringList{"Night"});
    EXPECT_EQ(readFile(skins + "/Night/zendrix.zsk"), "old");

    ASSERT_TRUE(disk.makeReadOnly());
    EXPECT_TRUE(installSkinPackage(package("Day", "x"), skins).has_value());
    EXPECT_TRUE(removeUserSkin("Night", skins).has_value());
    EXPECT_EQ(entries(skins), QStringList{"Night"});
}

} // namespace
