#include "platform/Picture.h"
#include "support/Files.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zendrix;
using namespace zendrix::testing;

namespace {

TEST(Picture, IsReadByItsContentWhateverTheExtension)
{
    QTemporaryDir dir;
    QImage image(425, 71, QImage::Format_RGB32);
    image.fill(Qt::blue);
    for (const char* format : {"JPEG", "BMP", "PNG"}) {
        const QString path = dir.filePath(QString("skin-%1.zsk").arg(format));
        ASSERT_TRUE(image.save(path, format)) << format;
        QString error;
        const auto picture = Picture::load(path, &error);
        ASSERT_TRUE(picture) << format << " " << error.toStdString();
        EXPECT_EQ(picture->type(), Picture::Type::Bitmap);
        EXPECT_EQ(picture->width(), 425);
        EXPECT_EQ(picture->height(), 71);
    }

    // Qt reads GIF but does not write it: a 1 x 1 GIF, byte for byte.
    const QByteArray gif(
        "GIF89a\x01\x00\x01\x00\x80\x00\x00\xff\xff\xff\x00\x00\x00!\xf9\x04\x01\x00\x00\x00\x00"
        ",\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x44\x01\x00;",
        43);
    const auto fromGif = Picture::load(writeFile(dir.filePath("speaker.zsk"), gif));
    ASSERT_TRUE(fromGif);
    EXPECT_EQ(fromGif->width(), 1);

    QImage icon(16, 16, QImage::Format_ARGB32);
    icon.fill(Qt::transparent);
    const QString iconPath = dir.filePath("play.zsk");
    ASSERT_TRUE(icon.save(iconPath, "ICO"));
    const auto picture = Picture::load(iconPath);
    ASSERT_TRUE(picture);
    EXPECT_TRUE(picture->isIcon());
}

TEST(Picture, MissingOrDamagedFilesAreDescribed)
{
    QTemporaryDir dir;
    QString error;
    EXPECT_FALSE(Picture::load(dir.filePath("title.zsk"), &error));
    EXPECT_TRUE(error.startsWith("File not found")) << error.toStdString();

    EXPECT_FALSE(Picture::load(dir.path(), &error)); // a folder is not a picture file
    EXPECT_TRUE(error.startsWith("File not found"));

    EXPECT_FALSE(Picture::load(writeFile(dir.filePath("zendrix.zsk"), "this is not a picture\r\n"), &error));
    EXPECT_TRUE(error.startsWith("Invalid picture"));

    const QString truncated = dir.filePath("half.zsk");
    QImage image(64, 64, QImage::Format_RGB32);
    image.fill(Qt::red);
    ASSERT_TRUE(image.save(truncated, "PNG"));
    QFile::resize(truncated, 40);
    EXPECT_FALSE(Picture::load(truncated, &error));
}

} // namespace
