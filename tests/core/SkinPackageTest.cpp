// Skins on their way in: where their pictures may stand in a folder or an archive, and everything a skin
// is refused for before a byte of it is written.
#include "core/SkinPackage.h"
#include "support/ArchiveMaker.h"
#include "support/Files.h"
#include "support/HostilePictures.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zendrix;
using namespace zendrix::testing;

namespace {

using Type = ArchiveMember::Type;

class SkinPackageTest : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    const QByteArray background = encodedPicture("JPEG", QSize(425, 71), Qt::red);
    const QByteArray title = encodedPicture("JPEG", QSize(425, 28), Qt::blue);

    QString archive(const QString& name, ArchiveFormat format, const std::vector<ArchiveMember>& members)
    {
        const QString path = dir.filePath(name);
        EXPECT_TRUE(writeArchive(path, format, members)) << name.toStdString();
        return path;
    }
    // The file names a package brings, or the refusal.
    QString read(const QString& path)
    {
        QString refusal;
        const auto package = readSkinPackage(path, &refusal);
        if (!package)
            return "refused: " + refusal;
        QStringList files;
        for (const auto& [file, bytes] : package->files)
            files << file;
        return package->name + ": " + files.join(' ');
    }
};

TEST_F(SkinPackageTest, PicturesAreFoundInAFolderAtAnArchivesTopOrInItsOneFolder)
{
    const QString folder = dir.filePath("Night");
    writeFile(folder + "/zendrix.zsk", background);
    writeFile(folder + "/title.zsk", title);
    writeFile(folder + "/zendrix@2x.zsk", encodedPicture("PNG", QSize(850, 142)));
    writeFile(folder + "/readme.txt", "by me");
    EXPECT_EQ(read(folder), "Night: title.zsk zendrix.zsk zendrix@2x.zsk");

    EXPECT_EQ(read(archive("Top.zip", ArchiveFormat::Zip,
                           {{"zendrix.zsk", background}, {"title.zsk", title}, {"notes/zendrix.zsk", "x"}})),
              "Top: title.zsk zendrix.zsk");
    EXPECT_EQ(read(archive("In Folder.tar.gz", ArchiveFormat::TarGz,
                           {{"./Night/", {}, Type::Folder},
                            {"./Night/zendrix.zsk", background},
                            {"./Night/title.zsk", title},
                            {"./Night/title@2x.zsk", encodedPicture("PNG", QSize(850, 56))},
                            {"__MACOSX/._zendrix.zsk", "resource fork"}})),
              "In Folder: title.zsk title@2x.zsk zendrix.zsk");
    EXPECT_EQ(read(archive("Shouting.TAR.XZ", ArchiveFormat::TarXz,
                           {{"Shouting/zendrix.zsk", background}, {"Shouting/title.zsk", title}})),
              "Shouting: title.zsk zendrix.zsk");
}

TEST_F(SkinPackageTest, HostileArchivesAreRefusedWholeSayingWhy)
{
    const std::vector<ArchiveMember> pictures = {{"zendrix.zsk", background}, {"title.zsk", title}};
    auto with = [&](ArchiveMember extra) {
        std::vector<ArchiveMember> members = pictures;
        members.push_back(std::move(extra));
        return members;
    };
    const QByteArray zeros(40 * 1024 * 1024, '\0');
    const struct
    {
        const char* name;
        ArchiveFormat format;
        std::vector<ArchiveMember> members;
        QString refusal;
    } cases[] = {
        {"Up.zip", ArchiveFormat::Zip, with({"../../.bashrc", "echo owned"}),
         "The archive holds a member outside its folder: '../../.bashrc'"},
        {"Deep.tar.gz", ArchiveFormat::TarGz, with({"Deep/../../x", "x"}),
         "The archive holds a member outside its folder: 'Deep/../../x'"},
        {"Rooted.tar.gz", ArchiveFormat::TarGz, with({"/etc/zendrix.zsk", "x"}),
         "The archive holds a member with an absolute path: '/etc/zendrix.zsk'"},
        // libarchive reads a zip's "\" as the "/" its maker meant.
        {"Windows.zip", ArchiveFormat::Zip, with({"..\\..\\evil.zsk", "x"}),
         "The archive holds a member outside its folder: '../../evil.zsk'"},
        {"Linked.zip",
         ArchiveFormat::Zip,
         {{"zendrix.zsk", background}, {"title.zsk", {}, Type::Symlink, "/etc/shadow"}},
         "The archive holds a link: 'title.zsk'"},
        {"Hard.tar.xz", ArchiveFormat::TarXz, with({"copy.zsk", {}, Type::Hardlink, "zendrix.zsk"}),
         "The archive holds a link: 'copy.zsk'"},
        {"Device.tar.gz", ArchiveFormat::TarGz, with({"null", {}, Type::Device}),
         "The archive holds a device or other special file: 'null'"},
        {"Pipe.tar.gz", ArchiveFormat::TarGz, with({"pipe", {}, Type::Pipe}),
         "The archive holds a device or other special file: 'pipe'"},
        // Zeros pack into a few kilobytes and unpack to any size.
        {"Bomb.tar.gz", ArchiveFormat::TarGz, with({"filler", zeros + zeros}),
         "The archive unpacks to more than 64 MB"},
        {"Shards.zip", ArchiveFormat::Zip, with({"a", zeros}), QString()}, // 40 MB: within the limit
        {"Huge.zip",
         ArchiveFormat::Zip,
         {{"zendrix.zsk", jpegDeclaring(QSize(60000, 60000))}, {"title.zsk", title}},
         "\"zendrix.zsk\": Picture larger than 4096 x 4096 pixels"},
        {"Heavy.tar.xz",
         ArchiveFormat::TarXz,
         {{"zendrix.zsk", background + QByteArray(16 * 1024 * 1024, '\0')}, {"title.zsk", title}},
         "\"zendrix.zsk\" is larger than 16 MB"},
        {"Text.zip",
         ArchiveFormat::Zip,
         {{"zendrix.zsk", background}, {"title.zsk", "[Skin]\r\n"}},
         "\"title.zsk\": Invalid picture"},
        {"Half.zip", ArchiveFormat::Zip, {{"Half/zendrix.zsk", background}}, "\"title.zsk\" is missing"},
        {"Twins.zip",
         ArchiveFormat::Zip,
         {{"A/zendrix.zsk", background},
          {"A/title.zsk", title},
          {"B/zendrix.zsk", background},
          {"B/title.zsk", title}},
         "The archive holds more than one skin"},
        {"Buried.zip",
         ArchiveFormat::Zip,
         {{"a/b/zendrix.zsk", background}, {"a/b/title.zsk", title}},
         "\"zendrix.zsk\" is missing"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = archive(c.name, c.format, c.members);
        QString refusal;
        EXPECT_EQ(readSkinPackage(path, &refusal).has_value(), c.refusal.isEmpty());
        EXPECT_EQ(refusal, c.refusal);
        QFile::remove(path);
    }

    writeFile(dir.filePath("Noise.zip"), "PK\x03\x04 and then nothing of a zip");
    QString refusal;
    EXPECT_FALSE(readSkinPackage(dir.filePath("Noise.zip"), &refusal));
    EXPECT_TRUE(refusal.startsWith("The archive cannot be read: ")) << refusal.toStdString();
}

TEST_F(SkinPackageTest, TheNameComesFromTheFolderOrTheArchiveAndMustBeUsable)
{
    const struct
    {
        const char* file;
        const char* name;
    } names[] = {
        {"/x/Night.zip", "Night"}, {"/x/Night.tar.gz", "Night"}, {"/x/My.Skin.tar.xz", "My.Skin"},
        {"/x/Night.ZIP", "Night"}, {"/x/Night.tgz", ""},         {"/x/Night.rar", ""},
        {"/x/Night", ""}, // neither an archive's name nor a folder on disk
    };
    for (const auto& n : names)
        EXPECT_EQ(skinSourceName(n.file), n.name) << n.file;
    QDir(dir.path()).mkdir("Folder.zip");
    EXPECT_EQ(skinSourceName(dir.filePath("Folder.zip")), "Folder.zip") << "a folder keeps its whole name";

    EXPECT_EQ(
        read(archive(".hidden.zip", ArchiveFormat::Zip, {{"zendrix.zsk", background}, {"title.zsk", title}})),
        "refused: \".hidden\" cannot be a skin's name: it starts with \".\"");
    EXPECT_EQ(read(writeFile(dir.filePath("skin.rar"), "Rar!")),
              "refused: 'skin.rar' is neither a skin folder nor a .zip, .tar.gz or .tar.xz archive");
    EXPECT_EQ(read(dir.filePath("gone.zip")), "refused: File not found: '" + dir.filePath("gone.zip") + "'");
}

} // namespace
