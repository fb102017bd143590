#pragma once

#include "platform/Rect.h"
#include "platform/SystemColors.h"

#include <QImage>
#include <cstdint>
#include <vector>

namespace zendrix {

// Pixels in the 24-bit device-independent layout: rows bottom-up, each pixel blue, green, red, each
// row padded to a multiple of four bytes.
struct DibBits
{
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> bytes;

    DibBits() = default;
    DibBits(int w, int h);
    static int strideFor(int width) { return (width * 3 + 3) & ~3; }
    int stride() const { return strideFor(width); }
    // The first byte (blue) of pixel (x, y), y counted from the top as on screen.
    std::uint8_t* pixel(int x, int y) { return bytes.data() + (height - 1 - y) * stride() + x * 3; }
    const std::uint8_t* pixel(int x, int y) const
    {
        return bytes.data() + (height - 1 - y) * stride() + x * 3;
    }
};

// A device context over a true-colour surface (a QImage in Format_RGB32 that the caller owns, keeps
// alive and does not copy while the context draws on it). The primitives follow the classic platform's pixel
// rules:
// - rectangles exclude their right and bottom edges; an empty or inverted rectangle draws nothing;
// - a line is drawn from the current position up to, but not including, its end point, stepping
//   diagonals with the platform's Bresenham bias, and the end point becomes the current position;
// - everything is clipped to the surface, so drawing past its edges is harmless;
// - on a true-colour surface the nearest colour of a colour is the colour itself.
class DeviceContext
{
public:
    explicit DeviceContext(QImage& surface);

    int width() const { return m_width; }
    int height() const { return m_height; }
    QImage& surface() { return *m_surface; }
    const QImage& surface() const { return *m_surface; }

    // Text colour and background colour: the two colours of the dotted focus rectangle's pattern, and
    // the text colour of drawText().
    void setTextColor(ColorRef colour) { m_textColor = colour; }
    ColorRef textColor() const { return m_textColor; }
    void setBkColor(ColorRef colour) { m_bkColor = colour; }
    ColorRef bkColor() const { return m_bkColor; }

    void fillRect(const Rect& rect, ColorRef colour);
    // A one-pixel outline along the inside of rect.
    void frameRect(const Rect& rect, ColorRef colour);
    void moveTo(int x, int y);
    void lineTo(int x, int y, ColorRef colour);
    void setPixel(int x, int y, ColorRef colour);
    // The colour at (x, y); black outside the surface.
    ColorRef pixel(int x, int y) const;
    ColorRef nearestColor(ColorRef colour) const { return colour; }

    // An ellipse inscribed in box: the pixels of Region::ellipse(box) in fill, the outer two pixels of
    // it in outline (a two-pixel pen).
    void ellipse(const Rect& box, ColorRef outline, ColorRef fill);

    // The dotted focus rectangle: a one-pixel outline of rect whose pixels are XOR-ed, in a
    // checkerboard pattern anchored at the surface's origin, with the background colour where x + y is
    // even and with the text colour where it is odd. Drawing it twice restores the pixels.
    void drawFocusRect(const Rect& rect);

    // Copies width x height pixels of source from (sx, sy) to (x, y).
    void bitBlt(int x, int y, int width, int height, const QImage& source, int sx, int sy);
    // Reads the area at (x, y); pixels outside the surface read as black.
    DibBits getDIBits(int x, int y, int width, int height) const;
    // Writes bits back with their top-left corner at (x, y).
    void setDIBitsToDevice(int x, int y, const DibBits& bits);

private:
    void plot(int x, int y, QRgb value);
    QRgb* row(int y) const { return m_pixels + y * m_stride; }

    QImage* m_surface;
    // The surface's pixels, taken once: it must not be copied (shared) while the context draws on it.
    QRgb* m_pixels = nullptr;
    qsizetype m_stride = 0;
    int m_width = 0;
    int m_height = 0;
    ColorRef m_textColor = 0;
    ColorRef m_bkColor = rgb(255, 255, 255);
    int m_x = 0;
    int m_y = 0;
};

QRgb toQRgb(ColorRef colour);
ColorRef fromQRgb(QRgb value);

} // namespace zendrix
