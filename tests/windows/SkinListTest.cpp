#include "windows/SkinList.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zendrix;

namespace {

TEST(SkinList, EveryLineIsAnEntryWhateverEndsIt)
{
    const struct
    {
        QByteArray bytes;
        QStringList names;
    } cases[] = {
        {"Zendrix\r\nNight\r\n", {"Zendrix", "Night"}},
        {"Zendrix\rNight", {"Zendrix", "Night"}},        // a lone CR; a last line without an end
        {"Zendrix\nNight\n", {"Zendrix", "Night"}},      // written on this system
        {"Zendrix\r\n\r\nNight\r\n", {"Zendrix", "", "Night"}},
        {"\r\n", {""}},
        {" Night \r\nnight\r\n", {" Night ", "night"}},  // names exactly as written
        {"", {}},
    };
    QTemporaryDir dir;
    const QString path = dir.filePath("skins.lst");
    for (const auto& c : cases) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(c.bytes);
        file.close();
        const auto names = readSkinList(path);
        ASSERT_TRUE(names) << c.bytes.toStdString();
        EXPECT_EQ(*names, c.names) << c.bytes.toStdString();
    }
}

TEST(SkinList, AMissingListOrAFolderInItsPlaceIsDescribedByPath)
{
    QTemporaryDir dir;
    QString error;
    EXPECT_FALSE(readSkinList(dir.filePath("skins.lst"), &error));
    EXPECT_EQ(error, "File not found: '" + dir.filePath("skins.lst") + "'");
    EXPECT_FALSE(readSkinList(dir.path(), &error));
    EXPECT_TRUE(error.endsWith("'" + dir.path() + "'")) << error.toStdString();
}

}  // namespace
