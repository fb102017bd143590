#include "PictureCompositor.h"

#include <QPainter>
#include <cmath>

namespace zendrix {

namespace {

// The picture as the compositor reads it: width x height pixels in the 24-bit layout.
DibBits sourcePixels(const Picture& picture, int width, int height, ColorRef iconBackground)
{
    QImage canvas(width, height, QImage::Format_RGB32);
    canvas.fill(Qt::black); // a new bitmap is black where nothing is drawn on it
    if (picture.isIcon()) {
        canvas.fill(toQRgb(iconBackground));
        QPainter painter(&canvas);
        painter.drawImage(0, 0, picture.image());
    } else {
        const QImage& image = picture.image();
        const QImage opaque =
            image.format() == QImage::Format_RGB32 ? image : image.convertToFormat(QImage::Format_RGB32);
        DeviceContext canvasDc(canvas);
        canvasDc.bitBlt(0, 0, width, height, opaque, 0, 0);
    }
    return DeviceContext(canvas).getDIBits(0, 0, width, height);
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
        for (int column = 0; column < width; ++column) {
            const std::uint8_t* p = source.pixel(column, row);
            std::uint8_t* d = destination.pixel(column, row);
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
