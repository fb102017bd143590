#pragma once

// Small picture files that declare a size they do not hold: a few hundred bytes whose header claims, say,
// 60000 x 60000 pixels. A reader that believes the header allocates and decodes for that size.
#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QtEndian>

namespace zendrix::testing {

// A real picture of `size` in `format` ("JPEG", "PNG", "BMP"), filled with one colour.
inline QByteArray encodedPicture(const char* format, QSize size = QSize(8, 8), QColor colour = Qt::gray)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

// The CRC of a PNG chunk (ISO 3309), over its type and data.
inline quint32 pngCrc(const char* data, qsizetype size)
{
    quint32 crc = 0xffffffffu;
    for (qsizetype i = 0; i < size; ++i) {
        crc ^= static_cast<quint8>(data[i]);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

// A small JPEG whose frame header declares `declared`.
inline QByteArray jpegDeclaring(QSize declared)
{
    QByteArray bytes = encodedPicture("JPEG");
    for (qsizetype i = 2; i + 9 < bytes.size(); ++i) {
        const auto marker = static_cast<quint8>(bytes[i + 1]);
        if (static_cast<quint8>(bytes[i]) == 0xff && (marker == 0xc0 || marker == 0xc2)) {
            qToBigEndian(static_cast<quint16>(declared.height()), bytes.data() + i + 5);
            qToBigEndian(static_cast<quint16>(declared.width()), bytes.data() + i + 7);
            break;
        }
    }
    return bytes;
}

// A small PNG whose header declares `declared`, its checksum made good, so only the size is a lie.
inline QByteArray pngDeclaring(QSize declared)
{
    QByteArray bytes = encodedPicture("PNG");
    qToBigEndian(static_cast<quint32>(declared.width()), bytes.data() + 16);
    qToBigEndian(static_cast<quint32>(declared.height()), bytes.data() + 20);
    qToBigEndian(pngCrc(bytes.constData() + 12, 17), bytes.data() + 29);
    return bytes;
}

// A small BMP whose header declares `declared`.
inline QByteArray bmpDeclaring(QSize declared)
{
    QByteArray bytes = encodedPicture("BMP");
    qToLittleEndian(static_cast<qint32>(declared.width()), bytes.data() + 18);
    qToLittleEndian(static_cast<qint32>(declared.height()), bytes.data() + 22);
    return bytes;
}

// An icon whose one image is a PNG declaring `declared`: the icon's own directory claims 256 x 256.
inline QByteArray iconDeclaring(QSize declared)
{
    const QByteArray png = pngDeclaring(declared);
    QByteArray bytes(6 + 16, '\0');
    qToLittleEndian(static_cast<quint16>(1), bytes.data() + 2);      // an icon
    qToLittleEndian(static_cast<quint16>(1), bytes.data() + 4);      // one image
    qToLittleEndian(static_cast<quint16>(1), bytes.data() + 6 + 4);  // planes
    qToLittleEndian(static_cast<quint16>(32), bytes.data() + 6 + 6); // bits per pixel
    qToLittleEndian(static_cast<quint32>(png.size()), bytes.data() + 6 + 8);
    qToLittleEndian(static_cast<quint32>(bytes.size()), bytes.data() + 6 + 12);
    return bytes + png;
}

// An icon whose one image is a bitmap whose own header declares `declared` (its directory says 16 x 16).
inline QByteArray iconWithBitmapDeclaring(QSize declared)
{
    QByteArray bitmap(40 + 16 * 16 * 4 + 16 * 4, '\0');
    qToLittleEndian(static_cast<quint32>(40), bitmap.data());
    qToLittleEndian(static_cast<qint32>(declared.width()), bitmap.data() + 4);
    qToLittleEndian(static_cast<qint32>(declared.height() * 2), bitmap.data() + 8); // with the mask
    qToLittleEndian(static_cast<quint16>(1), bitmap.data() + 12);
    qToLittleEndian(static_cast<quint16>(32), bitmap.data() + 14);
    QByteArray bytes(6 + 16, '\0');
    qToLittleEndian(static_cast<quint16>(1), bytes.data() + 2);
    qToLittleEndian(static_cast<quint16>(1), bytes.data() + 4);
    bytes[6] = 16;
    bytes[7] = 16;
    qToLittleEndian(static_cast<quint16>(1), bytes.data() + 6 + 4);
    qToLittleEndian(static_cast<quint16>(32), bytes.data() + 6 + 6);
    qToLittleEndian(static_cast<quint32>(bitmap.size()), bytes.data() + 6 + 8);
    qToLittleEndian(static_cast<quint32>(bytes.size()), bytes.data() + 6 + 12);
    return bytes + bitmap;
}

// The text a PNG text chunk of pngWithChunkClaiming() holds: its honest length.
inline constexpr quint32 kPngNoteLength = 21;

// A real small PNG with, before its image data, a text chunk that claims `length` bytes and holds
// kPngNoteLength.
inline QByteArray pngWithChunkClaiming(quint32 length)
{
    QByteArray png = encodedPicture("PNG");
    QByteArray chunk(8, '\0');
    qToBigEndian(length, chunk.data());
    chunk.replace(4, 4, "tEXt");
    const QByteArray note("note\0just a few bytes", kPngNoteLength);
    chunk += note;
    QByteArray crc(4, '\0');
    qToBigEndian(pngCrc(chunk.constData() + 4, 4 + note.size()), crc.data());
    chunk += crc;
    const qsizetype afterHeader = 8 + 25; // the signature and the IHDR chunk
    return png.insert(afterHeader, chunk);
}

} // namespace zendrix::testing
