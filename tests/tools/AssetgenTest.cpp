#include "AssetSet.h"
#include "GifWriter.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <gtest/gtest.h>
#include <random>

using namespace zendrix::assetgen;

namespace {

// The pictures in the repository are the generator's output: a change to a drawing that was not followed
// by a run of the generator (or a hand-edited picture) shows up here. Drawing twice also proves that the
// output does not depend on anything that changes between runs.
TEST(Assetgen, CommittedPicturesAreWhatTheGeneratorDraws)
{
    QString error;
    const auto assets = buildAssets(&error);
    ASSERT_TRUE(assets) << error.toStdString();
    const auto again = buildAssets();
    ASSERT_TRUE(again);
    ASSERT_EQ(assets->size(), again->size());

    for (size_t i = 0; i < assets->size(); ++i) {
        const Asset& asset = (*assets)[i];
        EXPECT_EQ(asset.bytes, (*again)[i].bytes) << asset.path.toStdString() << " differs between two runs";
        QFile file(QStringLiteral(ZENDRIX_SOURCE_DIR "/") + asset.path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << asset.path.toStdString() << " is missing";
        EXPECT_TRUE(file.readAll() == asset.bytes)
            << asset.path.toStdString() << " is out of date: run build/bin/assetgen <repository-root>";
    }
}

// The GIF encoder is the project's own: Qt's reader must get every pixel back, through table sizes up to
// 256 colours with a transparent entry and images long enough to fill the 4096-code table many times.
TEST(GifWriter, DecodesToTheSamePixelsAcrossSizesAndColourCounts)
{
    const struct
    {
        int width, height, colours;
        bool transparent;
    } cases[] = {{1, 1, 1, true},        {7, 5, 2, false},    {33, 17, 16, true},  {64, 64, 255, true},
                 {300, 200, 256, false}, {1000, 3, 40, true}, {5, 900, 130, false}};
    std::mt19937 random(1);
    for (const auto& c : cases) {
        QImage image(c.width, c.height, QImage::Format_ARGB32);
        for (int y = 0; y < c.height; ++y)
            for (int x = 0; x < c.width; ++x) {
                const int i = int(random() % unsigned(c.colours));
                image.setPixel(x, y, c.transparent && random() % 5 == 0 ? 0u : qRgb(i * 37 % 256, i, 10));
            }
        auto gif = encodeGif(image);
        ASSERT_TRUE(gif) << c.width << "x" << c.height;
        QBuffer buffer(&*gif);
        const QImage read = QImageReader(&buffer, "gif").read().convertToFormat(QImage::Format_ARGB32);
        ASSERT_EQ(read.size(), image.size());
        for (int y = 0; y < c.height; ++y)
            for (int x = 0; x < c.width; ++x) {
                const QRgb want = image.pixel(x, y), got = read.pixel(x, y);
                ASSERT_TRUE(qAlpha(want) == 0 ? qAlpha(got) == 0 : got == want) << c.width << "x" << c.height;
            }
    }
    QImage tooMany(16, 17, QImage::Format_ARGB32); // 257 colours
    for (int i = 0; i < 16 * 17; ++i)
        tooMany.setPixel(i % 16, i / 16, qRgb(i % 256, i / 256, 0));
    EXPECT_FALSE(encodeGif(tooMany));
}

} // namespace
