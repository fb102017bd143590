// Colour arithmetic, the four palettes and the per-pixel picture compositor.
#include "button/ButtonPalette.h"
#include "button/ButtonTypes.h"
#include "button/ColorMath.h"
#include "button/PictureCompositor.h"

#include <QPainter>
#include <gtest/gtest.h>
#include <tuple>

using namespace zendrix;

namespace {

constexpr ColorRef kWhite = rgb(255, 255, 255);

TEST(ColorMath, ShiftClampsInTheDirectionOfTheMoveSoftHalvesAndBlueScales)
{
    const std::tuple<ColorRef, int, BlueScaling, bool, ColorRef> cases[] = {
        {rgb(250, 250, 250), 10, BlueScaling::No, false, kWhite},
        {rgb(5, 5, 5), -10, BlueScaling::No, false, rgb(0, 0, 0)},
        {rgb(100, 100, 100), 31, BlueScaling::No, true, rgb(115, 115, 115)}, // 31 halves to 15
        {rgb(100, 100, 100), -31, BlueScaling::No, true, rgb(85, 85, 85)},   // and -31 to -15
        {rgb(0, 0, 192), 48, BlueScaling::Yes, false, rgb(48, 48, 240)},
        {rgb(0, 0, 0), 48, BlueScaling::Yes, false, rgb(48, 48, 0)},   // no blue, none added
        {rgb(0, 0, 100), -50, BlueScaling::Yes, false, rgb(0, 0, 74)}, // -26.04, toward zero
        {kWhite, -48, BlueScaling::Yes, false, rgb(207, 207, 192)},
    };
    for (const auto& [colour, amount, blue, soft, expected] : cases)
        EXPECT_EQ(ShiftColor(colour, amount, blue, soft), expected) << colour << " by " << amount;
    EXPECT_EQ(TintColor(rgb(0, 0, 0), 176), rgb(176, 176, 176));
    EXPECT_EQ(TintColor(kWhite, 176), kWhite);
    EXPECT_EQ(TintColor(rgb(0, 120, 215), 128), rgb(128, 187, 235));
    EXPECT_EQ(TranslateColor(0x8000000F), rgb(240, 240, 240)); // a system colour
    EXPECT_EQ(TranslateColor(0x80000040), 0u);                 // no such system colour: black
}

ButtonPalette palette(int scheme, int buttonType = 2, bool soft = false)
{
    PaletteInputs in{scheme,         buttonType,     soft,       rgb(100, 150, 200),
                     rgb(255, 0, 0), rgb(0, 255, 0), 0x80000005, rgb(50, 60, 70),
                     rgb(1, 2, 3)};
    return BuildPalette(in);
}

TEST(BuildPalette, TheFourSchemesSoftBevelAndTheBluishAccent)
{
    // face, light, highlight, shadow, darkShadow, text, textOver, mask, accent, selection, selectionTint
    for (int scheme : {int(SchemeSystem), 0, 7}) // and values without a scheme
        EXPECT_EQ(palette(scheme), (ButtonPalette{rgb(240, 240, 240), rgb(227, 227, 227), kWhite,
                                                  rgb(160, 160, 160), rgb(105, 105, 105), 0, 0, kWhite,
                                                  kWhite, rgb(0, 120, 215), rgb(176, 213, 242)}))
            << scheme;
    EXPECT_EQ(palette(SchemeCustom),
              (ButtonPalette{rgb(100, 150, 200), rgb(131, 181, 231), rgb(147, 197, 247), rgb(36, 86, 136),
                             rgb(0, 0, 8), rgb(255, 0, 0), rgb(0, 255, 0), kWhite, rgb(148, 198, 248),
                             rgb(0, 22, 72), rgb(100, 150, 200)}));
    EXPECT_EQ(palette(SchemeClassic),
              (ButtonPalette{rgb(192, 192, 192), rgb(223, 223, 223), kWhite, rgb(128, 128, 128), 0, 0, 0,
                             kWhite, rgb(240, 240, 240), rgb(0, 0, 128), rgb(173, 173, 209)}));
    EXPECT_EQ(
        palette(SchemeContainer),
        (ButtonPalette{rgb(50, 60, 70), rgb(81, 91, 101), rgb(97, 107, 117), rgb(0, 0, 6), 0, rgb(1, 2, 3),
                       rgb(1, 2, 3), kWhite, rgb(98, 108, 118), rgb(0, 120, 215), rgb(176, 213, 242)}));

    const ButtonPalette soft = palette(SchemeCustom, 2, true);
    EXPECT_EQ(soft.shadow, rgb(68, 118, 168));
    EXPECT_EQ(soft.darkShadow, rgb(4, 54, 104));
    EXPECT_EQ(soft.accent, rgb(124, 174, 224));
    EXPECT_EQ(palette(SchemeCustom, 3).accent, rgb(148, 198, 250));
    EXPECT_EQ(palette(SchemeSystem, 2, true).shadow, rgb(160, 160, 160)); // system colours stay
}

constexpr ColorRef kGround = rgb(10, 20, 30);
constexpr ColorRef kMask = rgb(192, 192, 192);

Picture strip(std::initializer_list<ColorRef> pixels)
{
    QImage row(int(pixels.size()), 1, QImage::Format_RGB32);
    int i = 0;
    for (ColorRef c : pixels)
        row.setPixel(i++, 0, toQRgb(c));
    return Picture(row, Picture::Type::Bitmap);
}

// Composites a picture at (1, 1) of a ground-filled surface and returns the pixel that its pixel x became.
ColorRef composite(const Picture& picture, CompositeOptions options, int x)
{
    QImage image(8, 3, QImage::Format_RGB32);
    image.fill(toQRgb(kGround));
    DeviceContext dc(image);
    options.maskColor = kMask;
    PaintPicturePixels(dc, 1, 1, -1, -1, picture, options);
    return dc.pixel(1 + x, 1);
}

TEST(PictureCompositor, MaskColourStaysInEveryModeUnlessUseMaskColorIsOff)
{
    CompositeOptions solid, darkOnly, grey, fade, maskOff;
    solid.solidColor = darkOnly.solidColor = rgb(1, 2, 3);
    darkOnly.darkOnly = grey.greyscale = fade.fade = true;
    maskOff.useMaskColor = false;
    for (const CompositeOptions& mode : {CompositeOptions{}, solid, darkOnly, grey, fade}) {
        EXPECT_EQ(composite(strip({kMask, 0}), mode, 0), kGround);
        EXPECT_NE(composite(strip({kMask, 0}), mode, 1), kGround);
    }
    EXPECT_EQ(composite(strip({kMask}), maskOff, 0), kMask);
    // An icon's transparent pixels take the mask colour, and so show the ground.
    QImage icon(1, 1, QImage::Format_ARGB32);
    icon.fill(Qt::transparent);
    CompositeOptions onMask;
    onMask.iconBackground = kMask;
    EXPECT_EQ(composite(Picture(icon, Picture::Type::Icon), onMask, 0), kGround);

    // Dark-only silhouettes take pixels whose channels sum to 384 or less.
    const Picture row = strip({rgb(128, 128, 128), rgb(129, 128, 128), kWhite});
    EXPECT_EQ(composite(row, darkOnly, 0), rgb(1, 2, 3));
    EXPECT_EQ(composite(row, darkOnly, 1), kGround);
    EXPECT_EQ(composite(row, solid, 2), rgb(1, 2, 3));

    // Greyscale rounds halves to even; fade keeps a third of the ground; solid beats grey beats fade.
    const Picture colours = strip({rgb(15, 0, 0), rgb(0, 150, 0), rgb(15, 150, 0), rgb(200, 100, 0)});
    EXPECT_EQ(composite(colours, grey, 0), rgb(4, 4, 4));    // 4.5
    EXPECT_EQ(composite(colours, grey, 1), rgb(88, 88, 88)); // 88.5
    EXPECT_EQ(composite(colours, grey, 2), rgb(92, 92, 92)); // 4 + 88.5
    EXPECT_EQ(composite(colours, fade, 3), rgb(136, 73, 10));
    CompositeOptions all = grey;
    all.fade = true;
    EXPECT_EQ(composite(colours, all, 3), composite(colours, grey, 3));
    all.solidColor = rgb(9, 9, 9);
    EXPECT_EQ(composite(colours, all, 3), rgb(9, 9, 9));
}

TEST(PictureCompositor, OddWidthPicturesLandWithoutSkewOnlyInsideTheirArea)
{
    QImage source(5, 3, QImage::Format_RGB32);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            source.setPixel(x, y, qRgb(x * 40, y * 80, 7));
    const Picture picture(source, Picture::Type::Bitmap);
    QImage image(8, 6, QImage::Format_RGB32);
    image.fill(toQRgb(kGround));
    QImage expected = image.copy();
    QPainter(&expected).drawImage(2, 1, source);
    DeviceContext dc(image);
    const CompositeOptions options;
    PaintPicturePixels(dc, 2, 1, 5, 3, picture, options);
    EXPECT_EQ(image, expected);
    PaintPicturePixels(dc, 0, 0, 0, 3, picture, options);   // zero width: nothing
    PaintPicturePixels(dc, 6, 4, -1, -1, picture, options); // hangs past the surface: clipped
    EXPECT_EQ(dc.pixel(0, 0), kGround);
    EXPECT_EQ(dc.pixel(7, 5), rgb(40, 80, 7));
}

} // namespace
