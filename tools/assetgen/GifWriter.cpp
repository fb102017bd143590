#include "GifWriter.h"

#include "LittleEndian.h"

#include <QHash>
#include <vector>

namespace zendrix::assetgen {

namespace {

constexpr int kMaxCodeBits = 12;
constexpr int kMaxCodes = 1 << kMaxCodeBits;

// Packs variable-width codes least significant bit first and cuts the stream into the data sub-blocks
// of at most 255 bytes that the format wants.
class CodeStream
{
public:
    void put(int code, int bits)
    {
        m_accumulator |= quint32(code) << m_bitCount;
        m_bitCount += bits;
        while (m_bitCount >= 8) {
            m_bytes.append(char(m_accumulator & 0xff));
            m_accumulator >>= 8;
            m_bitCount -= 8;
        }
    }

    void finish(QByteArray& out)
    {
        if (m_bitCount > 0)
            m_bytes.append(char(m_accumulator & 0xff));
        for (qsizetype at = 0; at < m_bytes.size(); at += 255) {
            const qsizetype length = std::min<qsizetype>(255, m_bytes.size() - at);
            out.append(char(length));
            out.append(m_bytes.mid(at, length));
        }
        out.append('\0');
    }

private:
    QByteArray m_bytes;
    quint32 m_accumulator = 0;
    int m_bitCount = 0;
};

// The LZW variant of GIF: a clear code first, code widths growing from minCodeSize + 1 to 12 bits as the
// table fills, a fresh clear code when it is full, and an end code.
void compress(const std::vector<quint8>& indices, int minCodeSize, QByteArray& out)
{
    const int clearCode = 1 << minCodeSize;
    const int endCode = clearCode + 1;
    // table[prefix * 256 + index] is the code of the string prefix + index, or 0 when it has none yet;
    // no string code is ever 0, since the first free code comes after the clear and end codes.
    std::vector<quint16> table(size_t(kMaxCodes) * 256, 0);
    int nextCode = endCode + 1;
    int codeBits = minCodeSize + 1;

    CodeStream stream;
    stream.put(clearCode, codeBits);
    int prefix = indices.front();
    for (size_t i = 1; i < indices.size(); ++i) {
        const int index = indices[i];
        quint16& entry = table[size_t(prefix) * 256 + size_t(index)];
        if (entry != 0) {
            prefix = entry;
            continue;
        }
        stream.put(prefix, codeBits);
        entry = quint16(nextCode);
        // The decoder widens its codes as soon as the code it would assign next no longer fits.
        if (nextCode == (1 << codeBits) && codeBits < kMaxCodeBits)
            ++codeBits;
        ++nextCode;
        if (nextCode == kMaxCodes) {
            stream.put(clearCode, codeBits);
            std::fill(table.begin(), table.end(), 0);
            nextCode = endCode + 1;
            codeBits = minCodeSize + 1;
        }
        prefix = index;
    }
    stream.put(prefix, codeBits);
    // Reading that last code makes the decoder add one more entry to its table, which can widen the code
    // that it reads next: the end code must come in that width.
    if (nextCode == (1 << codeBits) && codeBits < kMaxCodeBits)
        ++codeBits;
    stream.put(endCode, codeBits);

    out.append(char(minCodeSize));
    stream.finish(out);
}

} // namespace

std::optional<QByteArray> encodeGif(const QImage& source)
{
    if (source.isNull() || source.width() > 0xffff || source.height() > 0xffff)
        return std::nullopt;
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);

    // The palette: opaque colours in order of first appearance, then the transparent entry if needed.
    QHash<QRgb, int> paletteIndex;
    std::vector<QRgb> palette;
    bool anyTransparent = false;
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(line[x]) == 0) {
                anyTransparent = true;
                continue;
            }
            const QRgb colour = line[x] | 0xff000000u;
            if (!paletteIndex.contains(colour)) {
                paletteIndex.insert(colour, int(palette.size()));
                palette.push_back(colour);
            }
        }
    }
    const int transparentIndex = anyTransparent ? int(palette.size()) : -1;
    const size_t entries = palette.size() + (anyTransparent ? 1 : 0);
    if (entries > 256)
        return std::nullopt;

    int tableBits = 1;
    while ((size_t(1) << tableBits) < entries)
        ++tableBits;

    std::vector<quint8> indices;
    indices.reserve(size_t(image.width()) * size_t(image.height()));
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            indices.push_back(
                quint8(qAlpha(line[x]) == 0 ? transparentIndex : paletteIndex.value(line[x] | 0xff000000u)));
    }

    QByteArray out("GIF89a");
    putWord(out, image.width());
    putWord(out, image.height());
    // A global colour table of 2^tableBits entries, 8 bits per primary.
    out.append(char(0x80 | (7 << 4) | (tableBits - 1)));
    out.append('\0'); // background colour index
    out.append('\0'); // no aspect ratio
    for (int i = 0; i < (1 << tableBits); ++i) {
        const QRgb colour = size_t(i) < palette.size() ? palette[size_t(i)] : 0;
        out.append(char(qRed(colour)));
        out.append(char(qGreen(colour)));
        out.append(char(qBlue(colour)));
    }
    if (anyTransparent) {
        out.append("\x21\xf9\x04", 3);
        out.append(char(0x01)); // no disposal, transparent colour given
        putWord(out, 0);        // no delay
        out.append(char(transparentIndex));
        out.append('\0');
    }
    out.append(char(0x2c));
    putWord(out, 0);
    putWord(out, 0);
    putWord(out, image.width());
    putWord(out, image.height());
    out.append('\0'); // no local colour table, not interlaced

    compress(indices, std::max(2, tableBits), out);
    out.append(char(0x3b));
    return out;
}

} // namespace zendrix::assetgen
