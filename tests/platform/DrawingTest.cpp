// The drawing layer's pixel rules: edges excluded, end points not drawn, the platform's line stepping,
// clipping at the surface edge, the XOR focus rectangle, and text.
#include "platform/DeviceContext.h"
#include "platform/DrawText.h"
#include "platform/Fonts.h"

#include <QFontMetrics>
#include <gtest/gtest.h>
#include <set>
#include <tuple>

using namespace zendrix;

namespace {

constexpr ColorRef kPaper = rgb(10, 20, 30);
constexpr ColorRef kInk = rgb(200, 100, 50);
using Pixels = std::set<std::pair<int, int>>;

struct Canvas
{
    explicit Canvas(int w = 8, int h = 8) : image(w, h, QImage::Format_RGB32) { image.fill(toQRgb(kPaper)); }
    Pixels inked() const
    {
        Pixels result;
        for (int y = 0; y < dc.height(); ++y)
            for (int x = 0; x < dc.width(); ++x)
                if (dc.pixel(x, y) != kPaper)
                    result.insert({x, y});
        return result;
    }
    QImage image;
    DeviceContext dc{image};
};

TEST(DeviceContext, RectanglesExcludeTheirRightAndBottomEdgesAndEmptyOnesDrawNothing)
{
    Canvas fill;
    fill.dc.fillRect({1, 2, 4, 4}, kInk);
    EXPECT_EQ(fill.inked(), (Pixels{{1, 2}, {2, 2}, {3, 2}, {1, 3}, {2, 3}, {3, 3}}));
    Canvas frame;
    frame.dc.frameRect({1, 1, 5, 4}, kInk); // 4 x 3: a ring of 10 pixels around (2..3, 2)
    EXPECT_EQ(frame.inked().size(), 10u);
    EXPECT_EQ(frame.dc.pixel(4, 3), kInk);
    EXPECT_EQ(frame.dc.pixel(5, 3), kPaper);
    EXPECT_EQ(frame.dc.pixel(2, 2), kPaper);

    Canvas empty;
    empty.dc.fillRect({3, 3, 3, 5}, kInk);
    empty.dc.fillRect({4, 4, 2, 2}, kInk);
    empty.dc.frameRect({4, 1, 1, 5}, kInk);
    empty.dc.drawFocusRect({2, 2, 2, 2});
    EXPECT_TRUE(empty.inked().empty());
}

TEST(DeviceContext, DrawingPastEveryEdgeTouchesOnlyTheSurface)
{
    Canvas canvas(6, 6);
    canvas.dc.fillRect({-50, -50, 100, 1}, kInk);
    canvas.dc.moveTo(-20, 5);
    canvas.dc.lineTo(40, 5, kInk);
    canvas.dc.setPixel(6, 0, kInk);
    canvas.dc.setPixel(-1, 3, kInk);
    canvas.dc.ellipse({-10, -10, 30, 30}, kInk, kInk);
    canvas.dc.drawFocusRect({-3, -3, 9, 9});
    EXPECT_EQ(canvas.dc.pixel(0, 0), kInk);
    EXPECT_EQ(canvas.dc.pixel(99, 99), 0u); // reads outside are black, not a crash
}

TEST(DeviceContext, LinesStopBeforeTheirEndPointAndStepLikeThePlatform)
{
    const std::tuple<int, int, int, int, Pixels> cases[] = {
        {1, 1, 5, 1, {{1, 1}, {2, 1}, {3, 1}, {4, 1}}},
        {5, 1, 1, 1, {{5, 1}, {4, 1}, {3, 1}, {2, 1}}},
        {2, 4, 2, 1, {{2, 4}, {2, 3}, {2, 2}}},
        {0, 0, 4, 2, {{0, 0}, {1, 0}, {2, 1}, {3, 1}}}, // a midway error steps late going right
        {4, 2, 0, 0, {{4, 2}, {3, 1}, {2, 1}, {1, 0}}}, // and early coming back: the same pixels
        {1, 2, 2, 0, {{1, 2}, {1, 1}}},
        {5, 2, 3, 4, {{5, 2}, {4, 3}}},
        {3, 3, 3, 3, {}},
    };
    for (const auto& [x1, y1, x2, y2, pixels] : cases) {
        Canvas canvas;
        canvas.dc.moveTo(x1, y1);
        canvas.dc.lineTo(x2, y2, kInk);
        EXPECT_EQ(canvas.inked(), pixels) << x1 << "," << y1 << " to " << x2 << "," << y2;
    }
}

TEST(DeviceContext, FocusRectangleIsADottedXorThatUndoesItself)
{
    Canvas canvas;
    const QImage before = canvas.image.copy();
    canvas.dc.drawFocusRect({1, 1, 7, 5});
    // Even x + y is XOR-ed with white (the background colour), odd with black; the inside is untouched.
    EXPECT_EQ(canvas.dc.pixel(1, 1), kPaper ^ 0xFFFFFFu);
    EXPECT_EQ(canvas.dc.pixel(6, 4), kPaper ^ 0xFFFFFFu);
    EXPECT_EQ(canvas.dc.pixel(2, 1), kPaper);
    EXPECT_EQ(canvas.dc.pixel(3, 3), kPaper);
    EXPECT_EQ(canvas.dc.pixel(7, 1), kPaper); // right edge excluded
    canvas.dc.drawFocusRect({1, 1, 7, 5});
    EXPECT_EQ(canvas.image, before);
}

TEST(DrawText, WrapsWordsAndUnderlinesTheAccessLetter)
{
    const QFont font = makeFont(QStringLiteral("MS Sans Serif"), 8.25);
    const QFontMetrics metrics(font);
    Canvas canvas(60, 30);
    auto measure = [&](const QString& text, int width) {
        Rect rect{2, 2, 2 + width, 100};
        drawText(canvas.dc, font, text, rect, DtCalcRect | DtWordBreak);
        return rect;
    };
    const int playWidth = metrics.horizontalAdvance(QStringLiteral("Play"));
    EXPECT_EQ(measure(QStringLiteral("&Play"), 100), (Rect{2, 2, 2 + playWidth, 2 + metrics.height()}));
    EXPECT_EQ(measure(QStringLiteral("Play Play"), playWidth + 2).height(), 2 * metrics.height());
    EXPECT_EQ(measure(QStringLiteral("Play"), 3).width(), playWidth); // a lone long word stays whole
    ASSERT_TRUE(canvas.inked().empty());

    // Ink inside the rectangle, in one colour, is checked through the button's caption (InputTest).
    canvas.dc.setTextColor(kInk);
    Rect rect = measure(QStringLiteral("&Play"), 100);
    drawText(canvas.dc, font, QStringLiteral("&Play"), rect, DtCenter | DtVCenter | DtWordBreak);
    const int underline = rect.top + metrics.ascent();
    EXPECT_EQ(canvas.dc.pixel(rect.left, underline), kInk);
    EXPECT_EQ(canvas.dc.pixel(rect.right - 2, underline), kPaper);
}

} // namespace
