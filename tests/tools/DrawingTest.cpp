#include "PixelIcon.h"
#include "Skins.h"

#include <QRect>
#include <cmath>
#include <gtest/gtest.h>

using namespace zendrix::assetgen;

namespace {

QString cells(const PixelIcon& icon)
{
    QString text;
    for (int y = 0; y < icon.height(); ++y) {
        for (int x = 0; x < icon.width(); ++x)
            text += QLatin1Char(icon.at(x, y));
        text += QLatin1Char('\n');
    }
    return text;
}

TEST(PixelIcon, ShapesTakePixelsByTheirCentresAndStayOnTheCanvas)
{
    // Shapes hanging over every edge are cut, not wrapped into other rows.
    PixelIcon icon(6, 4);
    icon.rect(-2, -1, 4, 3, 'a').rect(4, 2, 9, 9, 'b');
    EXPECT_EQ(cells(icon), QStringLiteral("aa....\naa....\n....bb\n....bb\n"));
    EXPECT_EQ(icon.at(-1, 0), '.');
    EXPECT_EQ(icon.at(6, 3), '.');

    // A triangle on whole coordinates: a pixel is in when its centre is.
    PixelIcon triangle(5, 4);
    triangle.polygon({{0, 0}, {4, 2}, {0, 4}}, 't');
    EXPECT_EQ(cells(triangle), QStringLiteral("t....\nttt..\nttt..\nt....\n"));

    // A disc on the canvas's centre is the same after mirroring; a region 0 shape erases.
    PixelIcon disc(9, 9);
    disc.disc({4.5, 4.5}, 3.6, 'd').disc({4.5, 4.5}, 1.0, 0);
    EXPECT_EQ(disc.at(4, 4), '.');
    EXPECT_EQ(disc.at(1, 4), 'd');
    EXPECT_EQ(disc.at(0, 4), '.');
    PixelIcon mirror = disc;
    EXPECT_EQ(cells(mirror.mirrored()), cells(disc));

    // A sweep across 180 degrees takes both sides of the negative x axis; one that does not, neither.
    PixelIcon across(9, 9);
    across.arc({4.5, 4.5}, 2.0, 4.5, 160, 200, 'w');
    EXPECT_EQ(across.at(0, 3), 'w');
    EXPECT_EQ(across.at(0, 5), 'w');
    EXPECT_EQ(across.at(8, 4), '.');
    PixelIcon right(9, 9);
    right.arc({4.5, 4.5}, 2.0, 4.5, -20, 20, 'w');
    EXPECT_EQ(right.at(8, 4), 'w');
    EXPECT_EQ(right.at(0, 4), '.');
}

TEST(PixelIcon, RenderOutlinesEachRegionAndLightsItFromAbove)
{
    const Material blue{0xff000080, 0xff0000f0, 0xff000010, 0xffa0a0ff};
    PixelIcon icon(8, 8);
    icon.rect(0, 0, 5, 6, 'a').rect(5, 0, 3, 3, 'b').rect(5, 5, 2, 2, 'z');
    const QImage image = icon.render({{'a', blue}, {'b', Material::flat(0xff00ff00)}});

    // Region a: outline all round (also where it meets region b), the highlight on the row under its top
    // edge, then its body shaded down to the bottom colour.
    for (int y = 0; y < 6; ++y) {
        EXPECT_EQ(image.pixel(0, y), 0xff000080u) << y;
        EXPECT_EQ(image.pixel(4, y), 0xff000080u) << y;
    }
    for (int x = 0; x < 5; ++x) {
        EXPECT_EQ(image.pixel(x, 0), 0xff000080u) << x;
        EXPECT_EQ(image.pixel(x, 5), 0xff000080u) << x;
    }
    EXPECT_EQ(image.pixel(2, 1), 0xffa0a0ffu);
    EXPECT_GT(qBlue(image.pixel(2, 2)), qBlue(image.pixel(2, 4)));
    // A flat region is one colour, edges included; a region without a material is loud magenta.
    EXPECT_EQ(image.pixel(5, 0), 0xff00ff00u);
    EXPECT_EQ(image.pixel(6, 1), 0xff00ff00u);
    EXPECT_EQ(image.pixel(6, 6), 0xffff00ffu);
    // Nothing else is painted: transparent, not black.
    EXPECT_EQ(image.pixel(7, 7), 0u);
    EXPECT_EQ(image.pixel(6, 4), 0u);
}

TEST(PixelIcon, MaskColourIsMovedOffOpaquePixelsOnly)
{
    QImage image(3, 1, QImage::Format_ARGB32);
    image.setPixel(0, 0, kButtonMaskColour);
    image.setPixel(1, 0, 0xffc0c0c1);
    image.setPixel(2, 0, 0x00c0c0c0);
    const QImage reserved = reserveMaskColour(image);
    EXPECT_NE(reserved.pixel(0, 0), kButtonMaskColour);
    EXPECT_EQ(qAlpha(reserved.pixel(0, 0)), 255);
    EXPECT_EQ(reserved.pixel(1, 0), 0xffc0c0c1u);
    EXPECT_EQ(qAlpha(reserved.pixel(2, 0)), 0);
}

double luminance(QRgb colour)
{
    auto linear = [](int channel) {
        const double c = channel / 255.0;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(qRed(colour)) + 0.7152 * linear(qGreen(colour)) + 0.0722 * linear(qBlue(colour));
}

// The darkest (or lightest) pixel of an area, as a contrast ratio against white (or black) text.
double worstContrastWithWhite(const QImage& image, const QRect& area)
{
    double worst = 21.0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x)
            worst = std::min(worst, 1.05 / (luminance(image.pixel(x, y)) + 0.05));
    }
    return worst;
}

double worstContrastWithBlack(const QImage& image, const QRect& area)
{
    double worst = 21.0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x)
            worst = std::min(worst, (luminance(image.pixel(x, y)) + 0.05) / 0.05);
    }
    return worst;
}

// The main window writes white labels straight onto its background, and the playlist, settings and
// information windows put their dark titles on the top band of the same picture stretched.
TEST(SkinPictures, WhiteLabelsSitOnDarkPanelAndDarkTitlesOnLightMetal)
{
    for (const SkinScheme& scheme : skinSchemes()) {
        SCOPED_TRACE(scheme.name.toStdString());
        const QImage panel = mainPanel(scheme);
        ASSERT_EQ(panel.size(), QSize(425, 71));
        // Everything the main window's controls cover, speakers to the right-hand labels.
        EXPECT_GE(worstContrastWithWhite(panel, QRect(6, 7, 413, 58)), 7.0);
        EXPECT_GE(worstContrastWithBlack(panel, QRect(6, 1, 413, 4)), 4.5);

        const QImage title = titleStrip(scheme);
        ASSERT_EQ(title.size(), QSize(425, 28));
        // The program icon and the buttons stand on metal, clear of the dark name slot.
        for (const QRect& clear : {QRect(2, 2, 31, 24), QRect(38, 4, 70, 20), QRect(326, 4, 94, 20)})
            EXPECT_GE(worstContrastWithBlack(title, clear), 4.5) << clear.x();
        EXPECT_GE(worstContrastWithWhite(title, QRect(170, 8, 4, 12)), 7.0) << "the slot behind the name";
    }
}

} // namespace
