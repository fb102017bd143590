// The drawing layer's pixel rules: edges excluded, end points not drawn, the platform's line
// stepping, clipping at the surface edge, the XOR focus rectangle, the padded row buffers, text and
// window shapes.
#include "platform/DeviceContext.h"
#include "platform/DrawText.h"
#include "platform/Fonts.h"
#include "platform/Region.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <gtest/gtest.h>
#include <set>

using namespace zendrix;

namespace {

constexpr ColorRef kPaper = rgb(10, 20, 30);
constexpr ColorRef kInk = rgb(200, 100, 50);

QImage surface(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(toQRgb(kPaper));
    return image;
}

std::set<std::pair<int, int>> inked(const DeviceContext& dc)
{
    std::set<std::pair<int, int>> result;
    for (int y = 0; y < dc.height(); ++y)
        for (int x = 0; x < dc.width(); ++x)
            if (dc.pixel(x, y) != kPaper)
                result.insert({x, y});
    return result;
}

TEST(DeviceContext, RectanglesExcludeTheirRightAndBottomEdges)
{
    QImage image = surface(8, 8);
    DeviceContext dc(image);
    dc.fillRect({1, 2, 4, 5}, kInk);
    std::set<std::pair<int, int>> expected;
    for (int y = 2; y < 5; ++y)
        for (int x = 1; x < 4; ++x)
            expected.insert({x, y});
    EXPECT_EQ(inked(dc), expected);

    QImage framed = surface(8, 8);
    DeviceContext frameDc(framed);
    frameDc.frameRect({1, 1, 5, 4}, kInk); // 4 x 3: a ring of 10 pixels around (2..3, 2)
    EXPECT_EQ(inked(frameDc).size(), 10u);
    EXPECT_EQ(frameDc.pixel(4, 3), kInk);
    EXPECT_EQ(frameDc.pixel(5, 3), kPaper);
    EXPECT_EQ(frameDc.pixel(2, 2), kPaper);
}

TEST(DeviceContext, EmptyOrInvertedRectanglesAndOffSurfaceDrawingChangeNothingOutside)
{
    QImage image = surface(6, 6);
    DeviceContext dc(image);
    dc.fillRect({3, 3, 3, 5}, kInk);
    dc.fillRect({4, 4, 2, 2}, kInk);
    dc.frameRect({4, 1, 1, 5}, kInk);
    dc.drawFocusRect({2, 2, 2, 2});
    EXPECT_TRUE(inked(dc).empty());

    // Drawing far past every edge touches only the surface's own pixels.
    dc.fillRect({-50, -50, 100, 1}, kInk);
    dc.moveTo(-20, 5);
    dc.lineTo(40, 5, kInk);
    dc.setPixel(6, 0, kInk);
    dc.setPixel(-1, 3, kInk);
    dc.ellipse({-10, -10, 30, 30}, kInk, kInk);
    EXPECT_EQ(dc.pixel(0, 0), kInk);
    EXPECT_EQ(dc.pixel(99, 99), 0u); // reads outside are black, not a crash
}

TEST(DeviceContext, LinesStopBeforeTheirEndPointAndStepLikeThePlatform)
{
    struct Case
    {
        int x1, y1, x2, y2;
        std::set<std::pair<int, int>> pixels;
    };
    const Case cases[] = {
        {1, 1, 5, 1, {{1, 1}, {2, 1}, {3, 1}, {4, 1}}},
        {5, 1, 1, 1, {{5, 1}, {4, 1}, {3, 1}, {2, 1}}},
        {2, 4, 2, 1, {{2, 4}, {2, 3}, {2, 2}}},
        {0, 0, 4, 2, {{0, 0}, {1, 0}, {2, 1}, {3, 1}}}, // a midway error steps late going right
        {4, 2, 0, 0, {{4, 2}, {3, 1}, {2, 1}, {1, 0}}}, // and early coming back: the same pixels
        {1, 2, 2, 0, {{1, 2}, {1, 1}}},                 // the pressed rounded rim's corner stroke
        {5, 2, 3, 4, {{5, 2}, {4, 3}}},                 // 45 degrees down and left
        {3, 3, 3, 3, {}},
    };
    for (const Case& c : cases) {
        QImage image = surface(8, 8);
        DeviceContext dc(image);
        dc.moveTo(c.x1, c.y1);
        dc.lineTo(c.x2, c.y2, kInk);
        EXPECT_EQ(inked(dc), c.pixels) << c.x1 << "," << c.y1 << " to " << c.x2 << "," << c.y2;
    }
}

TEST(DeviceContext, FocusRectangleIsADottedXorThatUndoesItself)
{
    QImage image = surface(8, 6);
    DeviceContext dc(image);
    dc.setTextColor(rgb(0, 0, 0));
    dc.setBkColor(rgb(255, 255, 255));
    const QImage before = image.copy();
    dc.drawFocusRect({1, 1, 7, 5});
    // Even x + y is inverted (XOR with white), odd stays (XOR with black); the inside is untouched.
    EXPECT_EQ(dc.pixel(1, 1), kPaper ^ 0xFFFFFFu);
    EXPECT_EQ(dc.pixel(2, 1), kPaper);
    EXPECT_EQ(dc.pixel(6, 4), kPaper ^ 0xFFFFFFu);
    EXPECT_EQ(dc.pixel(1, 2), kPaper);
    EXPECT_EQ(dc.pixel(3, 3), kPaper);
    EXPECT_EQ(dc.pixel(7, 1), kPaper); // right edge excluded
    dc.drawFocusRect({1, 1, 7, 5});
    EXPECT_EQ(image, before);
}

TEST(DeviceContext, RowBuffersAreBottomUpAndPaddedToFourBytes)
{
    QImage image = surface(5, 3);
    DeviceContext dc(image);
    dc.setPixel(4, 0, rgb(1, 2, 3));
    dc.setPixel(0, 2, rgb(7, 8, 9));
    DibBits bits = dc.getDIBits(0, 0, 5, 3);
    ASSERT_EQ(bits.stride(), 16);
    ASSERT_EQ(bits.bytes.size(), 48u);
    // The top row of the screen is the last row in memory; blue comes first.
    EXPECT_EQ(bits.bytes[2 * 16 + 12], 3);
    EXPECT_EQ(bits.bytes[2 * 16 + 14], 1);
    EXPECT_EQ(bits.bytes[0], 9);
    bits.pixel(2, 1)[1] = 255;
    dc.setDIBitsToDevice(0, 0, bits);
    EXPECT_EQ(dc.pixel(2, 1), rgb(10, 255, 30));
    EXPECT_EQ(dc.pixel(4, 0), rgb(1, 2, 3));
}

TEST(Region, RectangleWithPixelsRemovedAndEllipse)
{
    Region corners = Region::rectangle({0, 0, 6, 4});
    corners.removePixel(0, 0);
    corners.removePixel(5, 3);
    corners.removePixel(9, 9); // outside: nothing to remove
    const QRegion q = corners.toQRegion();
    EXPECT_FALSE(q.contains(QPoint(0, 0)));
    EXPECT_FALSE(q.contains(QPoint(5, 3)));
    EXPECT_TRUE(q.contains(QPoint(1, 0)));
    EXPECT_TRUE(q.contains(QPoint(5, 2)));
    EXPECT_FALSE(q.contains(QPoint(6, 0)));

    const Region ellipse = Region::ellipse({0, 0, 36, 20});
    const QRegion e = ellipse.toQRegion();
    EXPECT_FALSE(e.contains(QPoint(0, 0)));
    EXPECT_FALSE(e.contains(QPoint(35, 19)));
    EXPECT_TRUE(e.contains(QPoint(0, 9)));
    EXPECT_TRUE(e.contains(QPoint(35, 10)));
    EXPECT_TRUE(e.contains(QPoint(17, 0)));
    EXPECT_TRUE(e.contains(QPoint(18, 19)));
    // The drawn ellipse covers exactly its region.
    QImage image = surface(36, 20);
    DeviceContext dc(image);
    dc.ellipse({0, 0, 36, 20}, kInk, rgb(1, 1, 1));
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 36; ++x)
            EXPECT_EQ(dc.pixel(x, y) != kPaper, e.contains(QPoint(x, y))) << x << "," << y;
    EXPECT_EQ(dc.pixel(1, 9), kInk);
    EXPECT_EQ(dc.pixel(2, 9), rgb(1, 1, 1));
}

TEST(Fonts, PointSizesBecomeScreenIndependentPixelSizes)
{
    EXPECT_EQ(pointsToPixels(8.25), 11);
    EXPECT_EQ(pointsToPixels(12), 16);
    const QFont font = makeFont(QStringLiteral("MS Sans Serif"), 8.25, true);
    EXPECT_EQ(font.pixelSize(), 11);
    EXPECT_TRUE(font.bold());
    EXPECT_TRUE(font.styleStrategy() & QFont::NoAntialias);
    if (loadBundledFonts() > 0) {
        EXPECT_EQ(QFontInfo(font).family(), QStringLiteral("MS Sans Serif"));
    }
}

TEST(DrawText, MeasuresLikeThePlatformAndUnderlinesTheAccessLetter)
{
    const QFont font = makeFont(QStringLiteral("MS Sans Serif"), 8.25);
    const QFontMetrics metrics(font);
    QImage none;
    DeviceContext measuring(none);
    auto measure = [&](const QString& text, int width) {
        Rect rect{5, 7, 5 + width, 100};
        drawText(measuring, font, text, rect, DtCalcRect | DtWordBreak);
        return rect;
    };
    EXPECT_EQ(measure(QString(), 50), (Rect{5, 7, 5, 7}));
    EXPECT_EQ(measure(QStringLiteral("&Play"), 100), measure(QStringLiteral("Play"), 100));
    EXPECT_EQ(measure(QStringLiteral("A&&B"), 100).width(), metrics.horizontalAdvance(QStringLiteral("A&B")));
    // Words wrap where the next would pass the right edge; a lone long word stays whole.
    const int playWidth = metrics.horizontalAdvance(QStringLiteral("Play"));
    const Rect wrapped = measure(QStringLiteral("Play Play"), playWidth + 2);
    EXPECT_EQ(wrapped.height(), 2 * metrics.height());
    EXPECT_EQ(wrapped.width(), playWidth);
    EXPECT_EQ(measure(QStringLiteral("Play"), 3).width(), playWidth);
    EXPECT_EQ(measure(QStringLiteral("Play\r\nStop"), 200).height(), 2 * metrics.height());

    QImage image = surface(60, 30);
    DeviceContext dc(image);
    dc.setTextColor(kInk);
    Rect rect = measure(QStringLiteral("&Play"), 100).translated(2, 2);
    drawText(dc, font, QStringLiteral("&Play"), rect, DtCenter | DtVCenter | DtWordBreak);
    const auto pixels = inked(dc);
    ASSERT_FALSE(pixels.empty());
    for (const auto& [x, y] : pixels) {
        EXPECT_GE(x, rect.left);
        EXPECT_LT(x, rect.right);
        EXPECT_GE(y, rect.top);
        EXPECT_LT(y, rect.bottom);
        EXPECT_EQ(dc.pixel(x, y), kInk); // no antialiased shades
    }
    // The underline: the row below the baseline under the P, and not under the rest.
    const int underline = rect.top + metrics.ascent();
    EXPECT_EQ(dc.pixel(rect.left, underline), kInk);
    EXPECT_EQ(dc.pixel(rect.right - 2, underline), kPaper);
}

} // namespace
