#include "PictureCompositor.h"

#include <cmath>

namespace zendrix {

namespace {

// The picture as the compositor reads it: width x height pixels in the 24-bit layout, black past the
// picture's edge (a new bitmap is black where nothing is drawn on it). An icon is blended over the
// background by its alpha, as the platform draws an icon onto a bitmap.
DibBits sourcePixels(const Picture& picture, int width, int height, ColorRef iconBackground)
{
    DibBits bits(width, height);
    const QImage& image = picture.image();
    const bool blend = picture.isIcon() && image.hasAlphaChannel();
    const QImage argb = image.format() == QImage::Format_ARGB32 || image.format() == QImage::Format_RGB32
                            ? image
                            : image.convertToFormat(QImage::Format_ARGB32);
    const int backRed = redOf(iconBackground);
    const int backGreen = greenOf(iconBackground);
    const int backBlue = blueOf(iconBackground);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* out = bits.pixel(0, y);
        const QRgb* row = y < argb.height() ? reinterpret_cast<const QRgb*>(argb.constScanLine(y)) : nullptr;
        for (int x = 0; x < width; ++x, out += 3) {
            if (!row || x >= argb.width()) {
                if (picture.isIcon()) {
                    out[0] = static_cast<std::uint8_t>(backBlue);
                    out[1] = static_cast<std::uint8_t>(backGreen);
                    out[2] = static_cast<std::uint8_t>(backRed);
                }
                continue;
            }
            const QRgb value = row[x];
            int red = qRed(value);
            int green = qGreen(value);
            int blue = qBlue(value);
            if (blend) {
                const int alpha = qAlpha(value);
                red = (red * alpha + backRed * (255 - alpha) + 127) / 255;
                green = (green * alpha + backGreen * (255 - alpha) + 127) / 255;
                blue = (blue * alpha + backBlue * (255 - alpha) + 127) / 255;
            }
            out[0] = static_cast<std::uint8_t>(blue);
            out[1] = static_cast<std::uint8_t>(green);
            out[2] = static_cast<std::uint8_t>(red);
        }
    }
    return bits;
}

int roundHalfEven(double value)
{
    return static_cast<int>(std::nearbyint(value));
}

} // namespace

void PaintPicturePixels(DeviceContext& dc, int x, int y, int width, int height, const Picture& picture,
                        const CompositeOptions& options)
{
    if (width == 0 || height == 0 || picture.isNull())
        return;
    if (width < 0)
        width = picture.width();
    if (height < 0)
        height = picture.height();
    if (width <= 0 || height <= 0)
        return;

    const DibBits source = sourcePixels(picture, width, height, options.iconBackground);
    DibBits destination = dc.getDIBits(x, y, width, height);
    const qint64 mask = options.useMaskColor ? options.maskColor : -1;
    const bool solid = options.solidColor >= 0;
    const auto solidColour = static_cast<ColorRef>(options.solidColor);

    for (int row = 0; row < height; ++row) {
        const std::uint8_t* p = source.pixel(0, row);
        std::uint8_t* d = destination.pixel(0, row);
        for (int column = 0; column < width; ++column, p += 3, d += 3) {
            const int blue = p[0];
            const int green = p[1];
            const int red = p[2];
            if (static_cast<qint64>(dc.nearestColor(rgb(red, green, blue))) == mask)
                continue;
            if (solid) {
                if (!options.darkOnly || red + green + blue < 385) {
                    d[0] = static_cast<std::uint8_t>(blueOf(solidColour));
                    d[1] = static_cast<std::uint8_t>(greenOf(solidColour));
                    d[2] = static_cast<std::uint8_t>(redOf(solidColour));
                }
            } else if (options.greyscale) {
                const int grey = roundHalfEven(roundHalfEven(red * 0.3) + green * 0.59 + blue * 0.11);
                d[0] = d[1] = d[2] = static_cast<std::uint8_t>(grey);
            } else if (options.fade) {
                d[0] = static_cast<std::uint8_t>((2 * blue + d[0]) / 3);
                d[1] = static_cast<std::uint8_t>((2 * green + d[1]) / 3);
                d[2] = static_cast<std::uint8_t>((2 * red + d[2]) / 3);
            } else {
                d[0] = p[0];
                d[1] = p[1];
                d[2] = p[2];
            }
        }
    }
    dc.setDIBitsToDevice(x, y, destination);
}

} // namespace zendrix
