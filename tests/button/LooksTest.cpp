// The fourteen looks pixel by pixel (frames, faces, gradients, bevels and corners of a 36 x 20 button in
// the system colours, in every state), and the window shapes.
#include "button/ButtonPainter.h"
#include "button/SkinButton.h"
#include "platform/Region.h"

#include <gtest/gtest.h>
#include <tuple>

using namespace zendrix;

namespace {

enum class Look { Up, Down, Disabled, Hover, Focus, HoverDown, Default };

constexpr ColorRef grey(int v)
{
    return rgb(v, v, v);
}
constexpr ColorRef F = grey(240);  // face
constexpr ColorRef L = grey(227);  // light
constexpr ColorRef Hi = grey(255); // highlight
constexpr ColorRef Sh = grey(160); // shadow
constexpr ColorRef DS = grey(105); // dark shadow
constexpr ColorRef Sel = rgb(0, 120, 215);
constexpr ColorRef Tint = rgb(176, 213, 242);
constexpr ColorRef kBackground = rgb(12, 34, 56);
constexpr ColorRef xorWhite = 0xFFFFFF;

QImage paint(int type, Look look, int w = 36, int h = 20, bool showFocusRect = true)
{
    SkinButton button;
    button.setGeometry(0, 0, w, h);
    button.setButtonType(type);
    button.setShowFocusRect(showFocusRect);
    PaintInputs in = button.paintInputs();
    in.enabled = look != Look::Disabled;
    in.isOver = look == Look::Hover || look == Look::HoverDown;
    in.hasFocus = look == Look::Focus;
    in.displayAsDefault = look == Look::Default;
    in.lastState = look == Look::Down || look == Look::HoverDown ? StateDown : StateUp;
    QImage background(w, h, QImage::Format_RGB32);
    background.fill(toQRgb(kBackground));
    in.background = &background;
    ButtonPalette palette = button.buttonPalette();
    quint8 captionMode = 0;
    QImage surface(w, h, QImage::Format_RGB32);
    DeviceContext dc(surface);
    ButtonPainter(dc, in, palette, captionMode).paint(in.lastState);
    return surface;
}

ColorRef at(const QImage& image, int x, int y)
{
    return fromQRgb(image.pixel(x, y));
}

using Probe = std::tuple<int, int, ColorRef>; // x, y, the colour expected there

TEST(ButtonLooks, FacesFramesBevelsAndCornersInEveryState)
{
    const struct
    {
        int type;
        Look look;
        std::vector<Probe> probes;
    } cases[] = {
        // clang-format off
        {14, Look::Up, {{10, 0, grey(110)}, {35, 10, grey(110)}, {10, 19, grey(110)}, {1, 1, grey(231)},
        {34, 10, grey(231)}, {10, 18, grey(231)}, {2, 2, Hi}, {30, 3, Hi}, {3, 15, Hi},
        {4, 4, grey(243)}, {10, 10, grey(226)}, {10, 17, grey(206)}}},
        {14, Look::Hover, {{10, 10, L}, {10, 17, L}, {10, 0, grey(110)}, {2, 2, Hi}}},
        {14, Look::Down, {{10, 10, grey(231)}, {0, 5, grey(112)}, {35, 18, grey(112)}, {2, 18, Hi},
        {33, 18, Hi}, {34, 2, Hi}, {34, 18, Hi}, {34, 1, grey(231)}, {1, 18, grey(231)}}},
        {14, Look::Disabled, {{10, 10, grey(226)}, {10, 0, grey(110)}, {2, 2, Hi}}},
        {14, Look::Focus, {{6, 6, grey(238) ^ xorWhite}, {7, 6, grey(238)}, {31, 15, grey(211) ^ xorWhite},
        {32, 15, grey(211)}}},
        {1, Look::Up, {{10, 0, DS}, {1, 5, Hi}, {10, 1, Hi}, {34, 5, Sh}, {10, 18, Sh}, {1, 18, Sh},
        {34, 1, Sh}, {2, 5, Hi}, {33, 5, Sh}, {10, 17, Sh}, {10, 10, F}}},
        {1, Look::Down, {{1, 5, Sh}, {34, 5, Hi}, {10, 18, Hi}, {2, 5, Sh}}},
        {1, Look::Disabled, {{1, 5, Hi}, {35, 5, DS}}}, {1, Look::Focus, {{4, 4, F ^ xorWhite}}},
        {2, Look::Up, {{0, 5, Hi}, {10, 0, Hi}, {35, 5, DS}, {10, 19, DS}, {1, 5, L}, {34, 5, Sh},
        {10, 18, Sh}}}, {2, Look::Focus, {{4, 4, F}}},
        {2, Look::Down, {{0, 5, DS}, {35, 5, Hi}, {1, 5, Sh}, {34, 5, L}}},
        {2, Look::Default, {{0, 5, DS}, {1, 5, Hi}, {2, 5, L}, {34, 5, DS}, {33, 5, Sh}}},
        {2, Look::Disabled, {{0, 5, Hi}, {35, 5, DS}}},
        {3, Look::Up, {{0, 5, rgb(0, 60, 115)}, {1, 1, rgb(16, 77, 123)}, {34, 18, rgb(16, 77, 123)},
        {10, 18, rgb(207, 207, 192)}, {10, 17, rgb(223, 223, 213)}, {34, 10, rgb(219, 219, 208)},
        {33, 10, rgb(231, 231, 224)}, {10, 1, Hi}, {1, 10, rgb(250, 250, 249)},
        {2, 10, rgb(245, 245, 242)}, {10, 10, rgb(243, 243, 240)}}},
        {3, Look::Hover, {{1, 10, rgb(255, 178, 49)}, {10, 18, rgb(231, 150, 0)},
        {10, 1, rgb(255, 243, 206)}, {10, 2, rgb(255, 219, 140)}}},
        {3, Look::Focus, {{1, 10, rgb(140, 174, 231)}, {10, 18, rgb(107, 130, 239)},
        {33, 10, rgb(181, 209, 240)}}},
        {3, Look::Down, {{10, 1, rgb(191, 191, 178)}, {33, 10, Hi}, {34, 10, rgb(228, 228, 218)},
        {2, 10, rgb(201, 201, 189)}, {10, 10, rgb(211, 211, 200)}, {0, 5, rgb(0, 60, 115)}}},
        {3, Look::Disabled, {{10, 10, rgb(231, 231, 224)}, {0, 5, rgb(171, 171, 144)},
        {1, 1, rgb(183, 183, 160)}, {34, 18, rgb(183, 183, 160)}}},
        {4, Look::Up, {{10, 0, DS}, {1, 1, F}, {1, 2, F}, {1, 18, DS}, {34, 1, DS}, {10, 2, Hi},
        {2, 10, Hi}, {3, 3, Hi}, {33, 10, F}, {10, 17, F}, {32, 16, F}, {34, 10, Sh}, {10, 18, Sh},
        {33, 17, Sh}, {10, 10, L}}}, {4, Look::Disabled, {{10, 10, L}, {34, 10, Sh}}},
        {4, Look::Down, {{10, 10, grey(144)}, {10, 1, grey(96)}, {10, 2, grey(128)}, {2, 2, grey(96)},
        {3, 3, grey(128)}, {1, 1, DS}, {33, 10, Sh}, {10, 17, Sh}, {32, 16, Sh}, {34, 10, grey(144)},
        {10, 18, grey(144)}, {34, 17, grey(128)}, {33, 18, grey(128)}, {2, 18, grey(128)},
        {34, 2, grey(128)}}},
        {5, Look::Up, {{10, 10, grey(252)}, {35, 10, Hi}, {10, 19, Hi}, {0, 10, grey(134)},
        {34, 10, grey(134)}, {10, 18, grey(134)}, {1, 18, grey(186)}, {34, 1, grey(186)}, {35, 0, F}}},
        {5, Look::Focus, {{17, 9, rgb(153, 153, 204)}, {19, 10, rgb(153, 153, 204)}}},
        {5, Look::Down, {{10, 10, grey(176)}, {0, 10, grey(134)}, {35, 10, Hi}, {10, 19, Hi}, {35, 0, F}}},
        {5, Look::Disabled, {{0, 10, Sh}, {35, 10, Sh}, {10, 10, F}}},
        {6, Look::Up, {{0, 5, grey(235)}, {1, 5, grey(235)}, {35, 5, Sh}, {34, 5, Sh}}},
        {6, Look::Down, {{0, 5, Sh}, {35, 5, grey(235)}}}, {6, Look::Disabled, {{0, 5, grey(235)}}},
        {6, Look::Focus, {{4, 4, F ^ xorWhite}}}, {7, Look::Up, {{0, 5, Hi}, {35, 5, Sh}, {1, 5, F}}},
        {7, Look::Down, {{0, 5, Sh}, {35, 5, Hi}}}, {7, Look::Disabled, {{0, 5, Hi}}},
        {7, Look::Focus, {{3, 3, F ^ xorWhite}}}, {8, Look::Up, {{0, 5, F}}},
        {8, Look::Hover, {{0, 5, Hi}, {35, 5, Sh}}}, {8, Look::Down, {{0, 5, Sh}}},
        {8, Look::Disabled, {{0, 5, F}}}, {8, Look::Focus, {{3, 3, F ^ xorWhite}}},
        {9, Look::Up, {{0, 5, F}, {10, 10, F}}},
        {9, Look::Hover, {{10, 10, Tint}, {0, 5, Sel}, {35, 19, Sel}}},
        {9, Look::HoverDown, {{10, 10, rgb(128, 187, 235)}}}, {9, Look::Down, {{10, 10, F}, {0, 5, Sel}}},
        {9, Look::Disabled, {{0, 5, F}}}, {9, Look::Focus, {{3, 3, F ^ xorWhite}}},
        {12, Look::Up, {{0, 5, F}}}, {12, Look::Hover, {{0, 5, Hi}, {35, 5, DS}, {1, 5, L}}},
        {12, Look::Down, {{0, 5, DS}, {35, 5, Hi}, {1, 5, Sh}}}, {12, Look::Disabled, {{0, 5, F}}},
        {10, Look::Up, {{0, 0, F}}}, {10, Look::Down, {{0, 0, F}}}, {10, Look::Hover, {{35, 19, F}}},
        {10, Look::Focus, {{3, 3, F}}}, {11, Look::Up, {{0, 0, kBackground}}},
        {11, Look::Down, {{10, 10, kBackground}}}, {11, Look::Disabled, {{35, 19, kBackground}}},
        {11, Look::Focus, {{3, 3, kBackground ^ xorWhite}}}, {13, Look::Up, {{0, 9, F}}},
        {13, Look::Hover, {{0, 9, Sh}, {1, 9, Sh}, {2, 9, F}}},
        {13, Look::Down, {{0, 9, DS}, {10, 10, grey(208)}}}, {13, Look::Disabled, {{0, 9, F}}},
        {13, Look::Focus, {{3, 3, F}}}, {0, Look::Up, {{0, 0, F}}}, {15, Look::Down, {{10, 10, F}}},
        {-3, Look::Disabled, {{35, 19, F}}},
        // clang-format on
    };
    for (const auto& c : cases) {
        const QImage image = paint(c.type, c.look);
        for (const auto& [x, y, expected] : c.probes)
            EXPECT_EQ(at(image, x, y), expected)
                << "type " << c.type << " look " << int(c.look) << " at " << x << "," << y;
    }
    // The type 14 gradient: 58 / 116 is half a step a row, and halves round to even.
    const QImage tall = paint(14, Look::Up, 20, 116);
    EXPECT_EQ(at(tall, 10, 9), grey(251));
    EXPECT_EQ(at(tall, 10, 11), grey(249));
    EXPECT_EQ(at(tall, 10, 13), grey(249));
}

TEST(ButtonLooks, HoverAndFocusChangeOnlyTheLooksThatShowThem)
{
    for (int type = 1; type <= 14; ++type) {
        const bool hovers = type == 3 || type == 8 || type == 9 || type == 12 || type == 13 || type == 14;
        const bool showsFocus = type != 2 && type != 4 && type != 10 && type != 13;
        const QImage up = paint(type, Look::Up);
        EXPECT_EQ(paint(type, Look::Hover) != up, hovers) << type;
        EXPECT_EQ(paint(type, Look::Focus) != up, showsFocus) << type;
        EXPECT_EQ(paint(type, Look::Focus, 36, 20, false), paint(type, Look::Up, 36, 20, false)) << type;
    }
}

TEST(ButtonLooks, WindowShapesCutTheCornersOfTheirLook)
{
    SkinButton button;
    button.setGeometry(0, 0, 36, 20);
    auto shape = [&](int type) {
        button.setButtonType(type);
        return button.mask();
    };
    auto without = [](std::initializer_list<int> xy) { // the rectangle less the pixels (x, y), ...
        QRegion region(0, 0, 36, 20);
        for (auto p = xy.begin(); p != xy.end(); p += 2)
            region -= QRegion(p[0], p[1], 1, 1);
        return region;
    };
    const QRegion corners = without({0, 0, 35, 0, 0, 19, 35, 19});
    const QRegion rounded =
        without({0, 0, 1, 0, 34, 0, 35, 0, 0, 1, 35, 1, 0, 18, 35, 18, 0, 19, 1, 19, 34, 19, 35, 19});
    EXPECT_EQ(shape(14), corners);
    EXPECT_EQ(shape(1), corners);
    EXPECT_EQ(shape(5), without({35, 0, 0, 19}));
    EXPECT_EQ(shape(3), rounded);
    EXPECT_EQ(shape(4), rounded);
    for (int type : {2, 6, 7, 8, 9, 10, 11, 12, 0, 99})
        EXPECT_EQ(shape(type), without({})) << type;
    EXPECT_EQ(shape(13), Region::ellipse({0, 0, 36, 20}).toQRegion());
    EXPECT_FALSE(button.mask().contains(QPoint(2, 1)));
}

} // namespace
