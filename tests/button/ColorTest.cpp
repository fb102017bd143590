// Colour arithmetic and the four palettes.
#include "button/ButtonPalette.h"
#include "button/ButtonTypes.h"
#include "button/ColorMath.h"

#include <gtest/gtest.h>

using namespace zendrix;

namespace {

TEST(ShiftColor, MovesEachChannelAndLimitsInTheDirectionOfTheMove)
{
    struct Case
    {
        ColorRef colour;
        int amount;
        BlueScaling blue;
        bool soft;
        ColorRef expected;
    };
    const Case cases[] = {
        {rgb(250, 250, 250), 10, BlueScaling::No, false, rgb(255, 255, 255)},
        {rgb(5, 5, 5), -10, BlueScaling::No, false, rgb(0, 0, 0)},
        {rgb(100, 100, 100), 31, BlueScaling::No, true, rgb(115, 115, 115)}, // soft halves 31 to 15
        {rgb(100, 100, 100), -31, BlueScaling::No, true, rgb(85, 85, 85)},   // and -31 to -15
        {rgb(10, 200, 30), 0, BlueScaling::No, false, rgb(10, 200, 30)},
        {rgb(0, 0, 192), 48, BlueScaling::Yes, false, rgb(48, 48, 240)},
        {rgb(0, 0, 0), 48, BlueScaling::Yes, false, rgb(48, 48, 0)}, // no blue, no blue added
        {rgb(0, 0, 100), -50, BlueScaling::Yes, false,
         rgb(0, 0, 74)}, // 100 x -50 / 192 = -26.04, toward zero
        {rgb(255, 255, 255), -48, BlueScaling::Yes, false, rgb(207, 207, 192)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ShiftColor(c.colour, c.amount, c.blue, c.soft), c.expected)
            << c.colour << " by " << c.amount;
}

TEST(TintColor, MovesTowardWhite)
{
    EXPECT_EQ(TintColor(rgb(0, 0, 0), 176), rgb(176, 176, 176));
    EXPECT_EQ(TintColor(rgb(255, 255, 255), 176), rgb(255, 255, 255));
    EXPECT_EQ(TintColor(rgb(0, 120, 215), 176), rgb(176, 213, 242));
    EXPECT_EQ(TintColor(rgb(0, 120, 215), 128), rgb(128, 187, 235));
}

TEST(TranslateColor, SystemReferencesGoThroughTheFixedTableAndNonsenseIsBlack)
{
    EXPECT_EQ(TranslateColor(0xE3DFE0), rgb(0xE0, 0xDF, 0xE3));
    EXPECT_EQ(TranslateColor(0x8000000F), rgb(240, 240, 240));
    EXPECT_EQ(TranslateColor(0x80000012), rgb(0, 0, 0));
    EXPECT_EQ(TranslateColor(0x8000000D), rgb(0, 120, 215));
    EXPECT_EQ(TranslateColor(0x80000040), 0u); // no such system colour
    EXPECT_EQ(TranslateColor(0x01000005), 0u); // a palette index, and no palette
    EXPECT_EQ(TranslateColor(0x02123456), 0x123456u);
}

ButtonPalette palette(int scheme, int buttonType = 2, bool soft = false)
{
    PaletteInputs in;
    in.colorScheme = scheme;
    in.buttonType = buttonType;
    in.softBevel = soft;
    in.backColor = rgb(100, 150, 200);
    in.foreColor = rgb(255, 0, 0);
    in.foreOver = rgb(0, 255, 0);
    in.maskColor = 0x80000005; // the window colour, as a system reference
    in.containerBack = rgb(50, 60, 70);
    in.containerText = rgb(1, 2, 3);
    return BuildPalette(in);
}

TEST(BuildPalette, TheFourSchemes)
{
    const ColorRef white = rgb(255, 255, 255);
    //                    face                  light                 highlight           shadow
    //                    darkShadow            text                  textOver            mask
    //                    accent                selection             selectionTint
    const ButtonPalette system{rgb(240, 240, 240),
                               rgb(227, 227, 227),
                               white,
                               rgb(160, 160, 160),
                               rgb(105, 105, 105),
                               rgb(0, 0, 0),
                               rgb(0, 0, 0),
                               white,
                               white,
                               rgb(0, 120, 215),
                               rgb(176, 213, 242)};
    EXPECT_EQ(palette(SchemeSystem), system);
    EXPECT_EQ(palette(0), system);
    EXPECT_EQ(palette(7), system);
    EXPECT_EQ(palette(-1), system);

    const ButtonPalette custom{rgb(100, 150, 200), rgb(131, 181, 231), rgb(147, 197, 247), rgb(36, 86, 136),
                               rgb(0, 0, 8),       rgb(255, 0, 0),     rgb(0, 255, 0),     white,
                               rgb(148, 198, 248), rgb(0, 22, 72),     rgb(100, 150, 200)};
    EXPECT_EQ(palette(SchemeCustom), custom);

    const ButtonPalette classic{
        rgb(192, 192, 192), rgb(223, 223, 223), white, rgb(128, 128, 128), rgb(0, 0, 0),
        rgb(0, 0, 0),       rgb(0, 0, 0),       white, rgb(240, 240, 240), rgb(0, 0, 128),
        rgb(173, 173, 209)};
    EXPECT_EQ(palette(SchemeClassic), classic);

    const ButtonPalette container{rgb(50, 60, 70),   rgb(81, 91, 101), rgb(97, 107, 117), rgb(0, 0, 6),
                                  rgb(0, 0, 0),      rgb(1, 2, 3),     rgb(1, 2, 3),      white,
                                  rgb(98, 108, 118), rgb(0, 120, 215), rgb(176, 213, 242)};
    EXPECT_EQ(palette(SchemeContainer), container);
}

TEST(BuildPalette, SoftBevelHalvesEveryShiftAndType3ScalesTheAccentsBlue)
{
    const ButtonPalette soft = palette(SchemeCustom, 2, true);
    EXPECT_EQ(soft.shadow, rgb(68, 118, 168));
    EXPECT_EQ(soft.darkShadow, rgb(4, 54, 104));
    EXPECT_EQ(soft.accent, rgb(124, 174, 224));
    EXPECT_EQ(palette(SchemeCustom, 3).accent, rgb(148, 198, 250));
    // The system colours themselves are not shifted.
    EXPECT_EQ(palette(SchemeSystem, 2, true).shadow, rgb(160, 160, 160));
}

} // namespace
