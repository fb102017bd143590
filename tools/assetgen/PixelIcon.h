#pragma once

#include <QImage>
#include <QPointF>
#include <QRgb>
#include <initializer_list>
#include <map>
#include <vector>

namespace zendrix::assetgen {

// How a region of a pixel icon is coloured: a 1-pixel outline where the region meets anything else, a
// body shaded from top to bottom over the region's own height, and a highlight on the body's top row of
// pixels under the outline (the light comes from above).
struct Material
{
    QRgb outline = 0xff000000;
    QRgb top = 0xff000000;
    QRgb bottom = 0xff000000;
    QRgb highlight = 0xff000000;
    bool outlined = true;
    bool lit = true;

    // A region of one colour: no outline, no shading.
    static Material flat(QRgb colour) { return {colour, colour, colour, colour, false, false}; }
};

// A small pixel-art drawing: a grid of region letters, each region later coloured by a material. Shapes
// are laid down one after the other; a later shape overwrites what it covers. Region '.' (or 0) is empty
// and ends up transparent. Shapes take a pixel when its centre (x + 0.5, y + 0.5) lies inside them, so a
// shape drawn on whole and half coordinates comes out symmetric.
class PixelIcon
{
public:
    PixelIcon(int width, int height);

    int width() const { return m_width; }
    int height() const { return m_height; }
    char at(int x, int y) const;

    // Rows of characters, one per pixel row from the top; '.' and ' ' leave the pixel as it is.
    PixelIcon& rows(std::initializer_list<const char*> lines, int left = 0, int top = 0);
    PixelIcon& rect(int x, int y, int w, int h, char region);
    PixelIcon& polygon(std::initializer_list<QPointF> points, char region);
    PixelIcon& disc(QPointF centre, double radius, char region);
    // A ring between two radii, limited to the angles between fromDegrees and toDegrees (counted
    // anticlockwise from the positive x axis, y pointing up; a sweep may run past 180).
    PixelIcon& arc(QPointF centre, double innerRadius, double outerRadius, double fromDegrees,
                   double toDegrees, char region);
    PixelIcon& mirrored();

    // The finished picture: transparent where no region is, each region coloured by its material. A region
    // without a material is drawn opaque magenta, which no icon uses and a look at the picture catches.
    QImage render(const std::map<char, Material>& materials) const;

private:
    void set(int x, int y, char region);

    int m_width;
    int m_height;
    std::vector<char> m_cells;
};

// The colour of a button icon's mask: the button treats exactly this colour as transparent, so an icon
// may not use it. reserveMaskColour() moves any pixel of exactly that colour one step lighter.
constexpr QRgb kButtonMaskColour = 0xffc0c0c0;
QImage reserveMaskColour(QImage image);

} // namespace zendrix::assetgen
