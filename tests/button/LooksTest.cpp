// The fourteen looks, pixel by pixel: frames, faces, gradients, bevels and corners of a 36 x 20
// button in the system colours, in every state, and the window shapes.
#include "button/ButtonPainter.h"
#include "button/SkinButton.h"
#include "platform/Region.h"

#include <functional>
#include <gtest/gtest.h>

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

QImage paint(int type, Look look, int w = 36, int h = 20, const std::function<void(SkinButton&)>& setup = {})
{
    SkinButton button;
    button.setGeometry(0, 0, w, h);
    button.setButtonType(type);
    if (setup)
        setup(button);
    PaintInputs in = button.paintInputs();
    in.enabled = look != Look::Disabled;
    in.isOver = look == Look::Hover || look == Look::HoverDown;
    in.hasFocus = look == Look::Focus;
    in.displayAsDefault = look == Look::Default;
    const bool down = look == Look::Down || look == Look::HoverDown;
    in.lastState = down ? StateDown : StateUp;
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

struct Probe
{
    int type;
    Look look;
    int x, y;
    ColorRef expected;
};

TEST(ButtonLooks, FacesFramesBevelsAndCornersInEveryState)
{
    const ColorRef xorWhite = 0xFFFFFF;
    // clang-format off
    const Probe probes[] = {
        // 14: gradient from the highlight (58 / H per row), two frames, highlight bands top and left.
        {14, Look::Up, 10, 0, grey(110)}, {14, Look::Up, 35, 10, grey(110)},
        {14, Look::Up, 10, 19, grey(110)}, {14, Look::Up, 1, 1, grey(231)}, {14, Look::Up, 34, 10, grey(231)},
        {14, Look::Up, 10, 18, grey(231)}, {14, Look::Up, 2, 2, Hi}, {14, Look::Up, 30, 3, Hi},
        {14, Look::Up, 3, 15, Hi}, {14, Look::Up, 4, 4, grey(243)}, {14, Look::Up, 10, 10, grey(226)},
        {14, Look::Up, 10, 17, grey(206)}, {14, Look::Hover, 10, 10, L}, {14, Look::Hover, 10, 17, L},
        {14, Look::Hover, 10, 0, grey(110)}, {14, Look::Hover, 2, 2, Hi}, {14, Look::Down, 10, 10, grey(231)},
        {14, Look::Down, 0, 5, grey(112)}, {14, Look::Down, 35, 18, grey(112)}, {14, Look::Down, 2, 18, Hi},
        {14, Look::Down, 33, 18, Hi}, {14, Look::Down, 34, 2, Hi}, {14, Look::Down, 34, 18, Hi},
        {14, Look::Down, 34, 1, grey(231)}, {14, Look::Down, 1, 18, grey(231)},
        {14, Look::Disabled, 10, 10, grey(226)}, {14, Look::Disabled, 10, 0, grey(110)},
        {14, Look::Disabled, 2, 2, Hi}, {14, Look::Focus, 6, 6, grey(238) ^ xorWhite},
        {14, Look::Focus, 7, 6, grey(238)}, {14, Look::Focus, 31, 15, grey(211) ^ xorWhite},
        {14, Look::Focus, 32, 15, grey(211)},
        // 1: a sunken-or-raised double bevel inside a dark frame.
        {1, Look::Up, 10, 0, DS}, {1, Look::Up, 1, 5, Hi}, {1, Look::Up, 10, 1, Hi}, {1, Look::Up, 34, 5, Sh},
        {1, Look::Up, 10, 18, Sh}, {1, Look::Up, 1, 18, Sh}, {1, Look::Up, 34, 1, Sh},
        {1, Look::Up, 2, 5, Hi}, {1, Look::Up, 33, 5, Sh}, {1, Look::Up, 10, 17, Sh},
        {1, Look::Up, 10, 10, F}, {1, Look::Down, 1, 5, Sh}, {1, Look::Down, 34, 5, Hi},
        {1, Look::Down, 10, 18, Hi}, {1, Look::Down, 2, 5, Sh}, {1, Look::Disabled, 1, 5, Hi},
        {1, Look::Disabled, 35, 5, DS}, {1, Look::Focus, 4, 4, F ^ xorWhite},
        // 2: the classic push button; the focus rectangle only on the default button.
        {2, Look::Up, 0, 5, Hi}, {2, Look::Up, 10, 0, Hi}, {2, Look::Up, 35, 5, DS},
        {2, Look::Up, 10, 19, DS}, {2, Look::Up, 1, 5, L}, {2, Look::Up, 34, 5, Sh},
        {2, Look::Up, 10, 18, Sh}, {2, Look::Focus, 4, 4, F}, {2, Look::Down, 0, 5, DS},
        {2, Look::Down, 35, 5, Hi}, {2, Look::Down, 1, 5, Sh}, {2, Look::Down, 34, 5, L},
        {2, Look::Default, 0, 5, DS}, {2, Look::Default, 1, 5, Hi}, {2, Look::Default, 2, 5, L},
        {2, Look::Default, 34, 5, DS}, {2, Look::Default, 33, 5, Sh}, {2, Look::Disabled, 0, 5, Hi},
        {2, Look::Disabled, 35, 5, DS},
        // 3: a bluish gradient (25 / H per row, halves to even) with an outline and a rim.
        {3, Look::Up, 0, 5, rgb(0, 60, 115)}, {3, Look::Up, 1, 1, rgb(16, 77, 123)},
        {3, Look::Up, 34, 18, rgb(16, 77, 123)}, {3, Look::Up, 10, 18, rgb(207, 207, 192)},
        {3, Look::Up, 10, 17, rgb(223, 223, 213)}, {3, Look::Up, 34, 10, rgb(219, 219, 208)},
        {3, Look::Up, 33, 10, rgb(231, 231, 224)}, {3, Look::Up, 10, 1, Hi},
        {3, Look::Up, 1, 10, rgb(250, 250, 249)}, {3, Look::Up, 2, 10, rgb(245, 245, 242)},
        {3, Look::Up, 10, 10, rgb(243, 243, 240)}, {3, Look::Hover, 1, 10, rgb(255, 178, 49)},
        {3, Look::Hover, 10, 18, rgb(231, 150, 0)}, {3, Look::Hover, 10, 1, rgb(255, 243, 206)},
        {3, Look::Hover, 10, 2, rgb(255, 219, 140)}, {3, Look::Focus, 1, 10, rgb(140, 174, 231)},
        {3, Look::Focus, 10, 18, rgb(107, 130, 239)}, {3, Look::Focus, 33, 10, rgb(181, 209, 240)},
        {3, Look::Down, 10, 1, rgb(191, 191, 178)}, {3, Look::Down, 33, 10, Hi},
        {3, Look::Down, 34, 10, rgb(228, 228, 218)}, {3, Look::Down, 2, 10, rgb(201, 201, 189)},
        {3, Look::Down, 10, 10, rgb(211, 211, 200)}, {3, Look::Down, 0, 5, rgb(0, 60, 115)},
        {3, Look::Disabled, 10, 10, rgb(231, 231, 224)}, {3, Look::Disabled, 0, 5, rgb(171, 171, 144)},
        {3, Look::Disabled, 1, 1, rgb(183, 183, 160)}, {3, Look::Disabled, 34, 18, rgb(183, 183, 160)},
        // 4: a rounded rim.
        {4, Look::Up, 10, 0, DS}, {4, Look::Up, 1, 1, F}, {4, Look::Up, 1, 2, F}, {4, Look::Up, 1, 18, DS},
        {4, Look::Up, 34, 1, DS}, {4, Look::Up, 10, 2, Hi}, {4, Look::Up, 2, 10, Hi}, {4, Look::Up, 3, 3, Hi},
        {4, Look::Up, 33, 10, F}, {4, Look::Up, 10, 17, F}, {4, Look::Up, 32, 16, F},
        {4, Look::Up, 34, 10, Sh}, {4, Look::Up, 10, 18, Sh}, {4, Look::Up, 33, 17, Sh},
        {4, Look::Up, 10, 10, L}, {4, Look::Disabled, 10, 10, L}, {4, Look::Disabled, 34, 10, Sh},
        {4, Look::Down, 10, 10, grey(144)}, {4, Look::Down, 10, 1, grey(96)},
        {4, Look::Down, 10, 2, grey(128)}, {4, Look::Down, 2, 2, grey(96)}, {4, Look::Down, 3, 3, grey(128)},
        {4, Look::Down, 1, 1, DS}, {4, Look::Down, 33, 10, Sh}, {4, Look::Down, 10, 17, Sh},
        {4, Look::Down, 32, 16, Sh}, {4, Look::Down, 34, 10, grey(144)}, {4, Look::Down, 10, 18, grey(144)},
        {4, Look::Down, 34, 17, grey(128)}, {4, Look::Down, 33, 18, grey(128)},
        {4, Look::Down, 2, 18, grey(128)}, {4, Look::Down, 34, 2, grey(128)},
        // 5: flat with offset frames; focus shows as a frame round the (here empty) text.
        {5, Look::Up, 10, 10, grey(252)}, {5, Look::Up, 35, 10, Hi}, {5, Look::Up, 10, 19, Hi},
        {5, Look::Up, 0, 10, grey(134)}, {5, Look::Up, 34, 10, grey(134)}, {5, Look::Up, 10, 18, grey(134)},
        {5, Look::Up, 1, 18, grey(186)}, {5, Look::Up, 34, 1, grey(186)}, {5, Look::Up, 35, 0, F},
        {5, Look::Focus, 17, 9, rgb(153, 153, 204)}, {5, Look::Focus, 19, 10, rgb(153, 153, 204)},
        {5, Look::Down, 10, 10, grey(176)}, {5, Look::Down, 0, 10, grey(134)}, {5, Look::Down, 35, 10, Hi},
        {5, Look::Down, 10, 19, Hi}, {5, Look::Down, 35, 0, F}, {5, Look::Disabled, 0, 10, Sh},
        {5, Look::Disabled, 35, 10, Sh}, {5, Look::Disabled, 10, 10, F},
        // 6 to 9, 12: bevels and flat looks.
        {6, Look::Up, 0, 5, grey(235)}, {6, Look::Up, 1, 5, grey(235)}, {6, Look::Up, 35, 5, Sh},
        {6, Look::Up, 34, 5, Sh}, {6, Look::Down, 0, 5, Sh}, {6, Look::Down, 35, 5, grey(235)},
        {6, Look::Disabled, 0, 5, grey(235)}, {6, Look::Focus, 4, 4, F ^ xorWhite}, {7, Look::Up, 0, 5, Hi},
        {7, Look::Up, 35, 5, Sh}, {7, Look::Up, 1, 5, F}, {7, Look::Down, 0, 5, Sh},
        {7, Look::Down, 35, 5, Hi}, {7, Look::Disabled, 0, 5, Hi}, {7, Look::Focus, 3, 3, F ^ xorWhite},
        {8, Look::Up, 0, 5, F}, {8, Look::Hover, 0, 5, Hi}, {8, Look::Hover, 35, 5, Sh},
        {8, Look::Down, 0, 5, Sh}, {8, Look::Disabled, 0, 5, F}, {8, Look::Focus, 3, 3, F ^ xorWhite},
        {9, Look::Up, 0, 5, F}, {9, Look::Up, 10, 10, F}, {9, Look::Hover, 10, 10, Tint},
        {9, Look::Hover, 0, 5, Sel}, {9, Look::Hover, 35, 19, Sel},
        {9, Look::HoverDown, 10, 10, rgb(128, 187, 235)}, {9, Look::Down, 10, 10, F},
        {9, Look::Down, 0, 5, Sel}, {9, Look::Disabled, 0, 5, F}, {9, Look::Focus, 3, 3, F ^ xorWhite},
        {12, Look::Up, 0, 5, F}, {12, Look::Hover, 0, 5, Hi}, {12, Look::Hover, 35, 5, DS},
        {12, Look::Hover, 1, 5, L}, {12, Look::Down, 0, 5, DS}, {12, Look::Down, 35, 5, Hi},
        {12, Look::Down, 1, 5, Sh}, {12, Look::Disabled, 0, 5, F},
        // 10: the face only; 11: the container's pixels; 13: an ellipse.
        {10, Look::Up, 0, 0, F}, {10, Look::Down, 0, 0, F}, {10, Look::Hover, 35, 19, F},
        {10, Look::Focus, 3, 3, F}, {11, Look::Up, 0, 0, kBackground}, {11, Look::Down, 10, 10, kBackground},
        {11, Look::Disabled, 35, 19, kBackground}, {11, Look::Focus, 3, 3, kBackground ^ xorWhite},
        {13, Look::Up, 0, 9, F}, {13, Look::Hover, 0, 9, Sh}, {13, Look::Hover, 1, 9, Sh},
        {13, Look::Hover, 2, 9, F}, {13, Look::Down, 0, 9, DS}, {13, Look::Down, 10, 10, grey(208)},
        {13, Look::Disabled, 0, 9, F}, {13, Look::Focus, 3, 3, F},
        // Values without a look paint the face.
        {0, Look::Up, 0, 0, F}, {15, Look::Down, 10, 10, F}, {-3, Look::Disabled, 35, 19, F},
    };
    // clang-format on
    for (const Probe& p : probes) {
        const QImage image = paint(p.type, p.look);
        EXPECT_EQ(at(image, p.x, p.y), p.expected)
            << "type " << p.type << " look " << static_cast<int>(p.look) << " at " << p.x << "," << p.y;
    }
}

TEST(ButtonLooks, GradientRowsRoundHalvesToEven)
{
    // 58 / 116 is 0.5 a row: row 9 shifts by -4.5, which rounds to -4, and row 13 by -6.5, to -6.
    const QImage tall = paint(14, Look::Up, 20, 116);
    EXPECT_EQ(at(tall, 10, 9), grey(251));
    EXPECT_EQ(at(tall, 10, 11), grey(249));
    EXPECT_EQ(at(tall, 10, 13), grey(249));
}

TEST(ButtonLooks, FocusAppearsOnlyOnLooksThatShowIt)
{
    for (int type = 1; type <= 14; ++type) {
        const bool showsFocus = type != 2 && type != 3 && type != 4 && type != 5 && type != 10 && type != 13;
        EXPECT_EQ(paint(type, Look::Focus) != paint(type, Look::Up), showsFocus || type == 3 || type == 5)
            << type;
        // Without ShowFocusRect no look shows it.
        auto noFocus = [](SkinButton& b) { b.setShowFocusRect(false); };
        EXPECT_EQ(paint(type, Look::Focus, 36, 20, noFocus), paint(type, Look::Up, 36, 20, noFocus)) << type;
    }
}

TEST(ButtonLooks, WindowShapes)
{
    SkinButton button;
    button.setGeometry(0, 0, 36, 20);
    auto removed = [&](int type) {
        button.setButtonType(type);
        std::vector<std::pair<int, int>> pixels;
        const QRegion mask = button.mask();
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 36; ++x)
                if (!mask.contains(QPoint(x, y)))
                    pixels.emplace_back(x, y);
        return pixels;
    };
    using Pixels = std::vector<std::pair<int, int>>;
    EXPECT_EQ(removed(14), (Pixels{{0, 0}, {35, 0}, {0, 19}, {35, 19}}));
    EXPECT_EQ(removed(1), (Pixels{{0, 0}, {35, 0}, {0, 19}, {35, 19}}));
    EXPECT_EQ(removed(5), (Pixels{{35, 0}, {0, 19}}));
    EXPECT_EQ(removed(3), (Pixels{{0, 0},
                                  {1, 0},
                                  {34, 0},
                                  {35, 0},
                                  {0, 1},
                                  {35, 1},
                                  {0, 18},
                                  {35, 18},
                                  {0, 19},
                                  {1, 19},
                                  {34, 19},
                                  {35, 19}}));
    EXPECT_EQ(removed(4), removed(3));
    for (int type : {2, 6, 7, 8, 9, 10, 11, 12, 0, 99})
        EXPECT_TRUE(removed(type).empty()) << type;
    button.setButtonType(13);
    const Region ellipse = Region::ellipse({0, 0, 36, 20});
    EXPECT_EQ(button.mask(), ellipse.toQRegion());
    EXPECT_FALSE(button.mask().contains(QPoint(2, 1)));
    // The focus rectangle's inset follows the look.
    EXPECT_EQ(button.FocusRect(), (Rect{3, 3, 33, 17}));
    button.setButtonType(14);
    EXPECT_EQ(button.FocusRect(), (Rect{6, 6, 32, 16}));
    button.setButtonType(2);
    EXPECT_EQ(button.FocusRect(), (Rect{4, 4, 32, 16}));
}

} // namespace
