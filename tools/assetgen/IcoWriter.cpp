#include "IcoWriter.h"

#include "LittleEndian.h"

#include <QHash>

namespace zendrix::assetgen {

namespace {

void putLong(QByteArray& out, qint64 value)
{
    putWord(out, int(value & 0xffff));
    putWord(out, int((value >> 16) & 0xffff));
}

// Bitmap rows are stored bottom-up, each padded to a multiple of four bytes.
int rowBytes(int width, int bitsPerPixel)
{
    return ((width * bitsPerPixel + 31) / 32) * 4;
}

void putAndMask(QByteArray& out, const QImage& image)
{
    const int stride = rowBytes(image.width(), 1);
    for (int y = image.height() - 1; y >= 0; --y) {
        QByteArray row(stride, '\0');
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) == 0)
                row[x / 8] = char(row[x / 8] | (0x80 >> (x % 8)));
        }
        out.append(row);
    }
}

void putBitmapHeader(QByteArray& out, const QImage& image, int bitsPerPixel, int dataSize)
{
    putLong(out, 40);
    putLong(out, image.width());
    putLong(out, image.height() * 2); // colour rows and mask rows together
    putWord(out, 1);
    putWord(out, bitsPerPixel);
    putLong(out, 0); // uncompressed
    putLong(out, dataSize);
    putLong(out, 0);
    putLong(out, 0);
    putLong(out, 0); // a full colour table for indexed images
    putLong(out, 0);
}

std::optional<QByteArray> indexedBitmap(const QImage& image)
{
    QHash<QRgb, int> index;
    std::vector<QRgb> palette;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (qAlpha(pixel) == 0)
                continue;
            if (qAlpha(pixel) != 255)
                return std::nullopt;
            if (!index.contains(pixel)) {
                index.insert(pixel, int(palette.size()));
                palette.push_back(pixel);
            }
        }
    }
    if (palette.size() > 256)
        return std::nullopt;

    const int stride = rowBytes(image.width(), 8);
    const int dataSize = stride * image.height() + rowBytes(image.width(), 1) * image.height();
    QByteArray out;
    putBitmapHeader(out, image, 8, dataSize);
    for (int i = 0; i < 256; ++i) {
        const QRgb colour = size_t(i) < palette.size() ? palette[size_t(i)] : 0;
        out.append(char(qBlue(colour)));
        out.append(char(qGreen(colour)));
        out.append(char(qRed(colour)));
        out.append('\0');
    }
    for (int y = image.height() - 1; y >= 0; --y) {
        QByteArray row(stride, '\0');
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            // Transparent pixels point at entry 0; the AND mask hides them.
            row[x] = char(qAlpha(pixel) == 0 ? 0 : index.value(pixel));
        }
        out.append(row);
    }
    putAndMask(out, image);
    return out;
}

QByteArray trueColourBitmap(const QImage& image)
{
    const int dataSize =
        rowBytes(image.width(), 32) * image.height() + rowBytes(image.width(), 1) * image.height();
    QByteArray out;
    putBitmapHeader(out, image, 32, dataSize);
    for (int y = image.height() - 1; y >= 0; --y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            out.append(char(qBlue(pixel)));
            out.append(char(qGreen(pixel)));
            out.append(char(qRed(pixel)));
            out.append(char(qAlpha(pixel)));
        }
    }
    putAndMask(out, image);
    return out;
}

} // namespace

std::optional<QByteArray> encodeIco(const std::vector<IconImage>& images)
{
    if (images.empty() || images.size() > 0xffff)
        return std::nullopt;

    std::vector<QByteArray> bitmaps;
    for (const IconImage& entry : images) {
        if (entry.image.isNull() || entry.image.width() > 256 || entry.image.height() > 256)
            return std::nullopt;
        // Straight (not premultiplied) colours, as the file stores them.
        const QImage image = entry.image.convertToFormat(QImage::Format_ARGB32);
        if (entry.depth == IconDepth::Indexed) {
            auto bitmap = indexedBitmap(image);
            if (!bitmap)
                return std::nullopt;
            bitmaps.push_back(*bitmap);
        } else {
            bitmaps.push_back(trueColourBitmap(image));
        }
    }

    QByteArray out;
    putWord(out, 0);
    putWord(out, 1); // an icon, not a cursor
    putWord(out, int(images.size()));
    qint64 offset = 6 + 16 * qint64(images.size());
    for (size_t i = 0; i < images.size(); ++i) {
        const QImage& image = images[i].image;
        out.append(char(image.width() == 256 ? 0 : image.width()));
        out.append(char(image.height() == 256 ? 0 : image.height()));
        out.append('\0'); // colour count: 0 for 256 colours and more
        out.append('\0');
        putWord(out, 1);
        putWord(out, images[i].depth == IconDepth::Indexed ? 8 : 32);
        putLong(out, bitmaps[i].size());
        putLong(out, offset);
        offset += bitmaps[i].size();
    }
    for (const QByteArray& bitmap : bitmaps)
        out.append(bitmap);
    return out;
}

} // namespace zendrix::assetgen
