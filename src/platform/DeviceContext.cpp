#include "DeviceContext.h"

#include "platform/Region.h"

#include <algorithm>
#include <cstdlib>

namespace zendrix {

QRgb toQRgb(ColorRef colour)
{
    return qRgb(redOf(colour), greenOf(colour), blueOf(colour));
}

ColorRef fromQRgb(QRgb value)
{
    return rgb(qRed(value), qGreen(value), qBlue(value));
}

DibBits::DibBits(int w, int h)
    : width(std::max(w, 0)), height(std::max(h, 0)),
      bytes(static_cast<std::size_t>(strideFor(width)) * static_cast<std::size_t>(height), 0)
{}

DeviceContext::DeviceContext(QImage& surface) : m_surface(&surface)
{
    Q_ASSERT_X(surface.isNull() || surface.format() == QImage::Format_RGB32, "DeviceContext",
               "the drawing layer works on 32-bit RGB surfaces");
    if (!surface.isNull()) {
        m_pixels = reinterpret_cast<QRgb*>(surface.bits());
        m_stride = surface.bytesPerLine() / static_cast<qsizetype>(sizeof(QRgb));
        m_width = surface.width();
        m_height = surface.height();
    }
}

void DeviceContext::plot(int x, int y, QRgb value)
{
    if (x < 0 || y < 0 || x >= width() || y >= height())
        return;
    row(y)[x] = value;
}

void DeviceContext::fillRect(const Rect& rect, ColorRef colour)
{
    const int left = std::max(rect.left, 0);
    const int top = std::max(rect.top, 0);
    const int right = std::min(rect.right, width());
    const int bottom = std::min(rect.bottom, height());
    if (right <= left || bottom <= top)
        return;
    const QRgb value = toQRgb(colour);
    for (int y = top; y < bottom; ++y) {
        QRgb* line = row(y);
        std::fill(line + left, line + right, value);
    }
}

void DeviceContext::frameRect(const Rect& rect, ColorRef colour)
{
    if (rect.isEmpty())
        return;
    fillRect({rect.left, rect.top, rect.left + 1, rect.bottom}, colour);
    fillRect({rect.right - 1, rect.top, rect.right, rect.bottom}, colour);
    fillRect({rect.left, rect.top, rect.right, rect.top + 1}, colour);
    fillRect({rect.left, rect.bottom - 1, rect.right, rect.bottom}, colour);
}

void DeviceContext::moveTo(int x, int y)
{
    m_x = x;
    m_y = y;
}

void DeviceContext::lineTo(int x2, int y2, ColorRef colour)
{
    const QRgb value = toQRgb(colour);
    int x = m_x;
    int y = m_y;
    moveTo(x2, y2);
    const int dx = std::abs(x2 - x);
    const int dy = std::abs(y2 - y);
    const int xStep = x2 > x ? 1 : -1;
    const int yStep = y2 > y ? 1 : -1;
    // Octant as the platform numbers them (1 is right and slightly down, counting clockwise on
    // screen); octants 3, 5, 6 and 8 round a midway error the other way.
    const int sx = x2 - x;
    const int sy = y2 - y;
    int octant;
    if (sy > 0)
        octant = sx > 0 ? (sx > sy ? 1 : 2) : (-sx > sy ? 4 : 3);
    else
        octant = sx < 0 ? (-sx > -sy ? 5 : 6) : (sx > -sy ? 8 : 7);
    const int bias = (octant == 3 || octant == 5 || octant == 6 || octant == 8) ? 1 : 0;

    if (dx > dy) { // octants 1, 4, 5 and 8 step along x
        int err = 2 * dy - dx;
        for (; x != x2; x += xStep) {
            plot(x, y, value);
            if (err + bias > 0) {
                y += yStep;
                err += 2 * dy - 2 * dx;
            } else {
                err += 2 * dy;
            }
        }
    } else {
        int err = 2 * dx - dy;
        for (; y != y2; y += yStep) {
            plot(x, y, value);
            if (err + bias > 0) {
                x += xStep;
                err += 2 * dx - 2 * dy;
            } else {
                err += 2 * dx;
            }
        }
    }
}

void DeviceContext::setPixel(int x, int y, ColorRef colour)
{
    plot(x, y, toQRgb(colour));
}

ColorRef DeviceContext::pixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= width() || y >= height())
        return 0;
    return fromQRgb(row(y)[x]);
}

void DeviceContext::ellipse(const Rect& box, ColorRef outline, ColorRef fill)
{
    if (box.isEmpty())
        return;
    const Rect inner = box.inset(2);
    const QRgb outlineValue = toQRgb(outline);
    const QRgb fillValue = toQRgb(fill);
    for (int y = box.top; y < box.bottom; ++y) {
        for (int x = box.left; x < box.right; ++x) {
            if (!ellipseContains(box, x, y))
                continue;
            const bool interior = !inner.isEmpty() && ellipseContains(inner, x, y);
            plot(x, y, interior ? fillValue : outlineValue);
        }
    }
}

void DeviceContext::drawFocusRect(const Rect& rect)
{
    if (rect.isEmpty())
        return;
    const QRgb even = toQRgb(m_bkColor) & 0xFFFFFF;
    const QRgb odd = toQRgb(m_textColor) & 0xFFFFFF;
    auto invert = [&](int x, int y) {
        if (x < 0 || y < 0 || x >= width() || y >= height())
            return;
        QRgb& pixelValue = row(y)[x];
        pixelValue ^= ((x + y) % 2 == 0) ? even : odd;
    };
    // Four bands, as four pattern blits: the top and bottom rows in full, the sides between them.
    for (int x = rect.left; x < rect.right; ++x) {
        invert(x, rect.top);
        invert(x, rect.bottom - 1);
    }
    for (int y = rect.top + 1; y < rect.bottom - 1; ++y) {
        invert(rect.left, y);
        invert(rect.right - 1, y);
    }
}

void DeviceContext::bitBlt(int x, int y, int w, int h, const QImage& source, int sx, int sy)
{
    if (source.isNull())
        return;
    const QImage rgb32 =
        source.format() == QImage::Format_RGB32 ? source : source.convertToFormat(QImage::Format_RGB32);
    for (int row = 0; row < h; ++row) {
        const int fromY = sy + row;
        if (fromY < 0 || fromY >= rgb32.height())
            continue;
        const QRgb* from = reinterpret_cast<const QRgb*>(rgb32.constScanLine(fromY));
        for (int column = 0; column < w; ++column) {
            const int fromX = sx + column;
            if (fromX >= 0 && fromX < rgb32.width())
                plot(x + column, y + row, from[fromX]);
        }
    }
}

DibBits DeviceContext::getDIBits(int x, int y, int w, int h) const
{
    DibBits bits(w, h); // zero-filled: pixels outside the surface read as black
    for (int r = 0; r < bits.height; ++r) {
        const int sy = y + r;
        if (sy < 0 || sy >= m_height)
            continue;
        const QRgb* in = row(sy);
        std::uint8_t* out = bits.pixel(0, r);
        for (int c = 0; c < bits.width; ++c, out += 3) {
            const int sx = x + c;
            if (sx < 0 || sx >= m_width)
                continue;
            const QRgb value = in[sx];
            out[0] = static_cast<std::uint8_t>(qBlue(value));
            out[1] = static_cast<std::uint8_t>(qGreen(value));
            out[2] = static_cast<std::uint8_t>(qRed(value));
        }
    }
    return bits;
}

void DeviceContext::setDIBitsToDevice(int x, int y, const DibBits& bits)
{
    for (int r = 0; r < bits.height; ++r) {
        const int dy = y + r;
        if (dy < 0 || dy >= m_height)
            continue;
        QRgb* out = row(dy);
        const std::uint8_t* in = bits.pixel(0, r);
        for (int c = 0; c < bits.width; ++c, in += 3) {
            const int dx = x + c;
            if (dx >= 0 && dx < m_width)
                out[dx] = qRgb(in[2], in[1], in[0]);
        }
    }
}

} // namespace zendrix
