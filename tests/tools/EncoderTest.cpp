#include "GifWriter.h"
#include "IcoWriter.h"

#include <QBuffer>
#include <QImageReader>
#include <gtest/gtest.h>
#include <random>

using namespace zendrix::assetgen;

namespace {

QImage decode(QByteArray bytes, const char* format, int index = 0)
{
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    if (index > 0 && !reader.jumpToImage(index))
        return {};
    return reader.read().convertToFormat(QImage::Format_ARGB32);
}

// Pixels drawn from `colours` distinct colours; with `transparent`, about one pixel in five is clear.
QImage noise(int width, int height, int colours, bool transparent, unsigned seed)
{
    std::mt19937 random(seed);
    std::vector<QRgb> palette;
    for (int i = 0; i < colours; ++i)
        palette.push_back(qRgb(i * 37 % 256, i / 256 * 40 + 10, i % 256)); // distinct up to 1536
    QImage image(width, height, QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool clear = transparent && random() % 5 == 0;
            image.setPixel(x, y, clear ? 0u : palette[random() % palette.size()]);
        }
    }
    return image;
}

// Compares colours where the source is opaque and only transparency where it is not.
::testing::AssertionResult samePixels(const QImage& expected, const QImage& actual)
{
    if (actual.size() != expected.size())
        return ::testing::AssertionFailure() << "size " << actual.width() << "x" << actual.height();
    for (int y = 0; y < expected.height(); ++y) {
        for (int x = 0; x < expected.width(); ++x) {
            const QRgb want = expected.pixel(x, y);
            const QRgb got = actual.pixel(x, y);
            const bool ok = qAlpha(want) == 0 ? qAlpha(got) == 0 : got == want;
            if (!ok)
                return ::testing::AssertionFailure()
                       << "pixel " << x << "," << y << ": " << std::hex << got << " instead of " << want;
        }
    }
    return ::testing::AssertionSuccess();
}

TEST(GifWriter, DecodesToTheSamePixelsAcrossSizesAndColourCounts)
{
    // Small tables, the 256-colour limit with a transparent entry, images long enough to fill the
    // 4096-code table several times over, and odd sizes down to one pixel.
    struct Case
    {
        int width, height, colours;
        bool transparent;
    };
    const Case cases[] = {{1, 1, 1, false},       {1, 1, 1, true},      {16, 15, 3, true},
                          {7, 5, 2, false},       {33, 17, 16, true},   {64, 64, 255, true},
                          {300, 200, 256, false}, {257, 129, 5, false}, {1000, 3, 40, true},
                          {5, 900, 130, false}};
    unsigned seed = 1;
    for (const Case& c : cases) {
        const QImage image = noise(c.width, c.height, c.colours, c.transparent, seed++);
        const auto gif = encodeGif(image);
        ASSERT_TRUE(gif) << c.width << "x" << c.height;
        EXPECT_TRUE(gif->startsWith("GIF89a"));
        EXPECT_TRUE(samePixels(image, decode(*gif, "gif")))
            << c.width << "x" << c.height << ", " << c.colours;
    }

    // Long runs of one colour make long strings: the codes widen quickly without any table reset.
    QImage runs(512, 64, QImage::Format_ARGB32);
    for (int y = 0; y < runs.height(); ++y) {
        for (int x = 0; x < runs.width(); ++x)
            runs.setPixel(x, y, (x / 37 + y / 5) % 2 ? qRgb(255, 0, 0) : qRgb(0, 0, 255));
    }
    EXPECT_TRUE(samePixels(runs, decode(*encodeGif(runs), "gif")));
}

TEST(GifWriter, RefusesWhatItCannotStore)
{
    EXPECT_FALSE(encodeGif(QImage()));

    // 256 colours fill the table exactly; a transparent pixel or one more colour needs entry 257.
    QImage full(16, 17, QImage::Format_ARGB32);
    for (int i = 0; i < 16 * 17; ++i)
        full.setPixel(i % 16, i / 16, qRgb(i % 256, 255 - i % 256, i % 256 / 2));
    EXPECT_TRUE(encodeGif(full));
    full.setPixel(0, 16, 0u);
    EXPECT_FALSE(encodeGif(full));
    full.setPixel(0, 16, qRgb(1, 2, 3));
    EXPECT_FALSE(encodeGif(full));
}

TEST(IcoWriter, IndexedImagesKeepTheirColoursAndHardTransparency)
{
    const QImage image = noise(16, 16, 200, true, 11);
    const auto ico = encodeIco({{image, IconDepth::Indexed}});
    ASSERT_TRUE(ico);
    const QImage read = decode(*ico, "ico");
    EXPECT_TRUE(samePixels(image, read));
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x)
            EXPECT_TRUE(qAlpha(read.pixel(x, y)) == 0 || qAlpha(read.pixel(x, y)) == 255);
    }

    // Partial alpha or too many colours cannot be stored with a colour table and a 1-bit mask.
    QImage soft = image;
    soft.setPixel(3, 3, qRgba(10, 20, 30, 128));
    EXPECT_FALSE(encodeIco({{soft, IconDepth::Indexed}}));
    QImage manyColours(17, 16, QImage::Format_ARGB32);
    for (int i = 0; i < 17 * 16; ++i)
        manyColours.setPixel(i % 17, i / 17, qRgb(i % 256, i / 256, 7));
    EXPECT_FALSE(encodeIco({{manyColours, IconDepth::Indexed}}));
    EXPECT_FALSE(encodeIco({}));
    EXPECT_FALSE(encodeIco({{QImage(257, 16, QImage::Format_ARGB32), IconDepth::TrueColour}}));
}

TEST(IcoWriter, SeveralImagesAreReadBackInOrderWithTheirAlpha)
{
    std::vector<IconImage> images;
    for (int size : {48, 32, 16}) {
        QImage image(size, size, QImage::Format_ARGB32);
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x)
                image.setPixel(x, y, qRgba(x * 5, y * 5, size, (x + y) * 255 / (2 * size - 2)));
        }
        images.push_back({image, IconDepth::TrueColour});
    }
    images.push_back({noise(24, 24, 30, true, 2), IconDepth::Indexed});
    const auto ico = encodeIco(images);
    ASSERT_TRUE(ico);
    // Qt may hand translucent pixels over premultiplied: compare them that way, to the step.
    auto close = [](QRgb a, QRgb b) {
        a = qPremultiply(a);
        b = qPremultiply(b);
        return qAlpha(a) == qAlpha(b) && std::abs(qRed(a) - qRed(b)) <= 1 &&
               std::abs(qGreen(a) - qGreen(b)) <= 1 && std::abs(qBlue(a) - qBlue(b)) <= 1;
    };
    for (int i = 0; i < int(images.size()); ++i) {
        const QImage& image = images[size_t(i)].image;
        const QImage read = decode(*ico, "ico", i);
        ASSERT_EQ(read.size(), image.size()) << i;
        for (const QPoint at :
             {QPoint(0, 0), QPoint(5, 7), QPoint(15, 15), QPoint(image.width() - 1, image.height() - 1)})
            EXPECT_TRUE(close(read.pixel(at), image.pixel(at)))
                << i << " at " << at.x() << "," << at.y() << ": " << std::hex << read.pixel(at) << " for "
                << image.pixel(at);
    }
}

} // namespace
