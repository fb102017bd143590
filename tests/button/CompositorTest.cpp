// The per-pixel picture compositor.
#include "button/PictureCompositor.h"

#include <gtest/gtest.h>

using namespace zendrix;

namespace {

constexpr ColorRef kGround = rgb(10, 20, 30);
constexpr ColorRef kMask = rgb(192, 192, 192);

QImage ground(int w = 8, int h = 5)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(toQRgb(kGround));
    return image;
}

// A one-row bitmap with the given pixels.
Picture strip(std::initializer_list<ColorRef> pixels)
{
    QImage image(static_cast<int>(pixels.size()), 1, QImage::Format_RGB32);
    int x = 0;
    for (ColorRef c : pixels)
        image.setPixel(x++, 0, toQRgb(c));
    return Picture(image, Picture::Type::Bitmap);
}

ColorRef composite(const Picture& picture, CompositeOptions options, int x = 0)
{
    QImage image = ground();
    DeviceContext dc(image);
    options.maskColor = kMask;
    PaintPicturePixels(dc, 1, 1, -1, -1, picture, options);
    return dc.pixel(1 + x, 1);
}

TEST(PictureCompositor, MaskColouredPixelsStayInEveryModeUnlessTheMaskIsOff)
{
    const Picture picture = strip({kMask, rgb(0, 0, 0)});
    CompositeOptions solid;
    solid.solidColor = rgb(1, 2, 3);
    CompositeOptions darkOnly = solid;
    darkOnly.darkOnly = true;
    CompositeOptions grey;
    grey.greyscale = true;
    CompositeOptions fade;
    fade.fade = true;
    for (const CompositeOptions& mode : {CompositeOptions{}, solid, darkOnly, grey, fade}) {
        EXPECT_EQ(composite(picture, mode, 0), kGround);
        EXPECT_NE(composite(picture, mode, 1), kGround);
    }
    CompositeOptions maskOff;
    maskOff.useMaskColor = false;
    EXPECT_EQ(composite(picture, maskOff, 0), kMask);
}

TEST(PictureCompositor, DarkOnlySilhouetteTakesPixelsSummingBelow385)
{
    const Picture picture = strip({rgb(128, 128, 128), rgb(129, 128, 128), rgb(255, 255, 255), rgb(0, 0, 0)});
    CompositeOptions options;
    options.solidColor = rgb(1, 2, 3);
    options.darkOnly = true;
    EXPECT_EQ(composite(picture, options, 0), rgb(1, 2, 3)); // 384
    EXPECT_EQ(composite(picture, options, 1), kGround);      // 385
    EXPECT_EQ(composite(picture, options, 2), kGround);      // 765
    EXPECT_EQ(composite(picture, options, 3), rgb(1, 2, 3));
    options.darkOnly = false;
    EXPECT_EQ(composite(picture, options, 2), rgb(1, 2, 3));
}

TEST(PictureCompositor, GreyscaleRoundsHalvesToEvenAndFadeKeepsAThirdOfTheGround)
{
    const Picture picture = strip({rgb(15, 0, 0), rgb(0, 150, 0), rgb(15, 150, 0), rgb(200, 100, 0)});
    CompositeOptions grey;
    grey.greyscale = true;
    EXPECT_EQ(composite(picture, grey, 0), rgb(4, 4, 4));    // 4.5 -> 4
    EXPECT_EQ(composite(picture, grey, 1), rgb(88, 88, 88)); // 88.5 -> 88
    EXPECT_EQ(composite(picture, grey, 2), rgb(92, 92, 92)); // (4.5 -> 4) + 88.5 -> 92
    CompositeOptions fade;
    fade.fade = true;
    EXPECT_EQ(composite(picture, fade, 3), rgb(136, 73, 10));
    // Precedence: solid before greyscale before fade.
    CompositeOptions all = grey;
    all.fade = true;
    EXPECT_EQ(composite(picture, all, 3), composite(picture, grey, 3));
    all.solidColor = rgb(9, 9, 9);
    EXPECT_EQ(composite(picture, all, 3), rgb(9, 9, 9));
}

TEST(PictureCompositor, OddWidthPicturesCompositeWithoutSkewAndOnlyInsideTheirArea)
{
    QImage source(5, 3, QImage::Format_RGB32);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            source.setPixel(x, y, qRgb(x * 40, y * 80, 7));
    const Picture picture(source, Picture::Type::Bitmap);
    QImage image = ground(8, 6);
    DeviceContext dc(image);
    CompositeOptions options;
    options.maskColor = kMask;
    PaintPicturePixels(dc, 2, 1, 5, 3, picture, options);
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 8; ++x) {
            const bool inside = x >= 2 && x < 7 && y >= 1 && y < 4;
            const ColorRef expected = inside ? rgb((x - 2) * 40, (y - 1) * 80, 7) : kGround;
            EXPECT_EQ(dc.pixel(x, y), expected) << x << "," << y;
        }
    }
    // Zero size draws nothing; a picture hanging past the surface is clipped.
    PaintPicturePixels(dc, 0, 0, 0, 3, picture, options);
    PaintPicturePixels(dc, 6, 4, -1, -1, picture, options);
    EXPECT_EQ(dc.pixel(0, 0), kGround);
    EXPECT_EQ(dc.pixel(7, 5), rgb(40, 80, 7));
}

TEST(PictureCompositor, IconTransparencyTakesTheMaskColour)
{
    QImage icon(2, 1, QImage::Format_ARGB32);
    icon.setPixel(0, 0, qRgba(0, 0, 0, 0));
    icon.setPixel(1, 0, qRgba(255, 0, 0, 255));
    const Picture picture(icon, Picture::Type::Icon);
    CompositeOptions options;
    options.iconBackground = kMask;
    EXPECT_EQ(composite(picture, options, 0), kGround);
    EXPECT_EQ(composite(picture, options, 1), rgb(255, 0, 0));
    options.useMaskColor = false;
    EXPECT_EQ(composite(picture, options, 0), kMask);
}

} // namespace
