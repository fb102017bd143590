#include "PictureDeclarations.h"

#include <QByteArray>
#include <QtEndian>
#include <algorithm>
#include <cstdlib>

namespace zendrix {

namespace {

const QByteArray kPngSignature("\x89PNG\r\n\x1a\n", 8);

// A legitimate PNG has a few dozen chunks, a big one split into a few thousand; past this many the scan
// stops and leaves the rest to the decoder.
constexpr int kMaxChunksLookedAt = 100000;

class Probe
{
public:
    explicit Probe(QIODevice* device) : m_device(device), m_resume(device->pos()), m_size(device->size()) {}
    ~Probe() { m_device->seek(m_resume); }
    Probe(const Probe&) = delete;
    Probe& operator=(const Probe&) = delete;

    qint64 size() const { return m_size; }
    QByteArray readAt(qint64 offset, qint64 length)
    {
        return offset >= 0 && m_device->seek(offset) ? m_device->read(length) : QByteArray();
    }

private:
    QIODevice* m_device;
    qint64 m_resume;
    qint64 m_size;
};

// The chunks of the PNG at [start, end): each one's length, type, data and checksum within the end.
bool pngChunksFit(Probe& probe, qint64 start, qint64 end)
{
    qint64 at = start + kPngSignature.size();
    for (int i = 0; i < kMaxChunksLookedAt && at < end; ++i) {
        const QByteArray head = probe.readAt(at, 8);
        if (head.size() < 8)
            return true; // cut short: the decoder reports that itself
        const qint64 length = qFromBigEndian<quint32>(head.constData());
        if (length > end - at - 12)
            return false;
        if (head.mid(4) == "IEND")
            return true;
        at += 12 + length;
    }
    return true;
}

PictureDeclaration checkIcon(Probe& probe, int maxSide, int maxImages)
{
    const QByteArray header = probe.readAt(0, 6);
    const int count = header.size() == 6 ? qFromLittleEndian<quint16>(header.constData() + 4) : 0;
    for (int i = 0; i < std::min(count, maxImages); ++i) {
        const QByteArray entry = probe.readAt(6 + 16 * i, 16);
        if (entry.size() < 16)
            break;
        const qint64 bytes = qFromLittleEndian<quint32>(entry.constData() + 8);
        const qint64 offset = qFromLittleEndian<quint32>(entry.constData() + 12);
        const QByteArray image = probe.readAt(offset, 24);
        if (image.size() < 24)
            continue;
        qint64 width = 0;
        qint64 height = 0;
        if (image.startsWith(kPngSignature)) {
            width = qFromBigEndian<quint32>(image.constData() + 16);
            height = qFromBigEndian<quint32>(image.constData() + 20);
            if (!pngChunksFit(probe, offset, std::min(probe.size(), offset + bytes)))
                return PictureDeclaration::Damaged;
        } else {
            // A bitmap's height counts its mask too: twice the picture's.
            width = std::abs(qint64(qFromLittleEndian<qint32>(image.constData() + 4)));
            height = std::abs(qint64(qFromLittleEndian<qint32>(image.constData() + 8))) / 2;
        }
        if (width > maxSide || height > maxSide)
            return PictureDeclaration::TooLarge;
    }
    return PictureDeclaration::Plausible;
}

} // namespace

bool startsLikeIcon(QIODevice* device)
{
    if (!device)
        return false;
    Probe probe(device);
    const QByteArray start = probe.readAt(0, 4);
    return start == QByteArray("\0\0\1\0", 4) || start == QByteArray("\0\0\2\0", 4);
}

PictureDeclaration checkPictureDeclarations(QIODevice* device, int maxSide, int maxImages)
{
    if (!device || device->isSequential())
        return PictureDeclaration::Plausible;
    if (startsLikeIcon(device)) {
        Probe probe(device);
        return checkIcon(probe, maxSide, maxImages);
    }
    Probe probe(device);
    if (probe.readAt(0, kPngSignature.size()) == kPngSignature && !pngChunksFit(probe, 0, probe.size()))
        return PictureDeclaration::Damaged;
    return PictureDeclaration::Plausible;
}

} // namespace zendrix
