#include "platform/Picture.h"
#include "support/Files.h"
#include "support/HostilePictures.h"
#include "support/QtPrinters.h"

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

// A header may claim any size; the claim is checked before a pixel is decoded, so a file of a few
// hundred bytes cannot hold the program up or make it allocate for a picture it will never show.
TEST(Picture, APictureDeclaringMoreThanTheLimitIsRefusedBeforeDecoding)
{
    QTemporaryDir dir;
    const QSize huge(60000, 60000);
    const struct
    {
        const char* name;
        QByteArray bytes;
    } hostile[] = {
        {"jpeg", jpegDeclaring(huge)},
        {"png", pngDeclaring(huge)},
        {"wide png", pngDeclaring(QSize(Picture::kMaxSide + 1, 1))},
        {"tall jpeg", jpegDeclaring(QSize(1, Picture::kMaxSide + 1))},
    };
    for (const auto& h : hostile) {
        SCOPED_TRACE(h.name);
        ASSERT_LT(h.bytes.size(), 2048);
        QString error;
        EXPECT_FALSE(Picture::fromData(h.bytes, 0, &error));
        EXPECT_EQ(error, "Picture larger than 4096 x 4096 pixels");
        const QString path = writeFile(dir.filePath("zendrix.zsk"), h.bytes);
        EXPECT_FALSE(Picture::load(path, &error));
        EXPECT_EQ(error, "Picture larger than 4096 x 4096 pixels: '" + path + "'");
    }
    // Qt's own reader finds such a bitmap's header damaged; an icon's directory says 256 x 256 while its
    // PNG says more. Refused all the same.
    EXPECT_FALSE(Picture::fromData(bmpDeclaring(huge), 0));
    for (const QByteArray& icon : {iconDeclaring(huge), iconWithBitmapDeclaring(QSize(60000, 16))}) {
        for (int preferredWidth : {0, 48}) {
            QString error;
            EXPECT_FALSE(Picture::fromData(icon, preferredWidth, &error));
            EXPECT_EQ(error, "Picture larger than 4096 x 4096 pixels");
        }
    }
}

// libpng allocates a chunk's declared length before reading it: a chunk that claims more than the file
// holds is damage, refused before the decoder sees it. An honest file with the same chunk loads.
TEST(Picture, APngChunkClaimingMoreThanTheFileHoldsIsRefusedAsDamaged)
{
    QString error;
    EXPECT_FALSE(Picture::fromData(pngWithChunkClaiming(0x70000000), 0, &error));
    EXPECT_EQ(error, "Invalid picture");
    EXPECT_TRUE(Picture::fromData(pngWithChunkClaiming(kPngNoteLength)));
    EXPECT_TRUE(Picture::fromData(iconWithBitmapDeclaring(QSize(16, 16)))) << "a plain icon still loads";
}

TEST(Picture, APictureAtTheLimitLoads)
{
    for (const QSize size : {QSize(Picture::kMaxSide, 2), QSize(3, Picture::kMaxSide)}) {
        const auto picture = Picture::fromData(encodedPicture("PNG", size));
        ASSERT_TRUE(picture) << size.width() << "x" << size.height();
        EXPECT_EQ(picture->image().size(), size);
    }
}

} // namespace
