#include "Picture.h"

#include "PictureDeclarations.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageReader>
#include <algorithm>
#include <cstdlib>

namespace zendrix {

Picture::Picture(QImage image, Type type) : m_image(std::move(image)), m_type(m_image.isNull() ? Type::None : type)
{
}

namespace {

// Enough for the largest picture taken, kMaxSide square at four bytes a pixel: past it, a damaged or
// hostile file cannot make the decoders allocate. The limit is the reader class's own, so a decoder that
// reads a picture inside another (an icon's PNG images) keeps to it too.
constexpr int kAllocationLimitMb = Picture::kMaxSide * Picture::kMaxSide * 4 / (1024 * 1024);

// A size a reader could not tell before decoding passes here: the allocation limit bounds it, and the
// decoded picture is measured again.
bool withinLimits(const QSize& size)
{
    return !size.isValid() || (size.width() <= Picture::kMaxSide && size.height() <= Picture::kMaxSide);
}

// How many of a many-image file's images are looked at: an icon holds a handful of sizes, and a damaged
// or hostile one claiming tens of thousands must not have each of them read.
constexpr int kMaxImagesLookedAt = 32;

enum class Refusal { None, Unreadable, TooLarge };

struct Decoded
{
    Picture picture;
    Refusal refusal = Refusal::None;
};

// Decodes the reader's picture. The size each image declares is read first, and an image beyond the
// limits is refused (or, among the images of an icon, passed over) before any of it is decoded.
Decoded decode(QImageReader& reader, int preferredWidth)
{
    reader.setAllocationLimit(kAllocationLimitMb);
    // The reader forgets the format once it has read the image: ask first.
    const QByteArray format = reader.format();
    const bool icon = format == "ico" || format == "cur" || startsLikeIcon(reader.device());
    switch (checkPictureDeclarations(reader.device(), Picture::kMaxSide, kMaxImagesLookedAt)) {
    case PictureDeclaration::Plausible:
        break;
    case PictureDeclaration::TooLarge:
        return {{}, Refusal::TooLarge};
    case PictureDeclaration::Damaged:
        return {{}, Refusal::Unreadable};
    }
    if (!withinLimits(reader.size()))
        return {{}, Refusal::TooLarge};
    QImage image = reader.read();
    if (preferredWidth > 0 && !image.isNull()) {
        const int count = std::min(reader.imageCount(), kMaxImagesLookedAt);
        for (int i = 1; i < count && reader.jumpToImage(i); ++i) {
            if (!withinLimits(reader.size()))
                continue;
            QImage other = reader.read();
            if (!other.isNull() && withinLimits(other.size()) &&
                std::abs(other.width() - preferredWidth) < std::abs(image.width() - preferredWidth))
                image = std::move(other);
        }
    }
    if (image.isNull())
        return {{}, Refusal::Unreadable};
    if (!withinLimits(image.size()))
        return {{}, Refusal::TooLarge};

    if (icon)
        return {Picture(image.convertToFormat(QImage::Format_ARGB32), Picture::Type::Icon)};
    return {Picture(image.hasAlphaChannel() ? image.convertToFormat(QImage::Format_ARGB32)
                                            : image.convertToFormat(QImage::Format_RGB32),
                    Picture::Type::Bitmap)};
}

QString refusalText(Refusal refusal)
{
    if (refusal == Refusal::TooLarge)
        return QStringLiteral("Picture larger than %1 x %1 pixels").arg(Picture::kMaxSide);
    return QStringLiteral("Invalid picture");
}

}  // namespace

std::optional<Picture> Picture::load(const QString& path, QString* error, int preferredWidth)
{
    auto fail = [&](const QString& what) -> std::optional<Picture> {
        if (error)
            *error = QStringLiteral("%1: '%2'").arg(what, path);
        return std::nullopt;
    };
    const QFileInfo info(path);
    if (!info.exists() || !info.isFile())
        return fail(QStringLiteral("File not found"));

    // The reader tries the handler the name suggests, and only when that cannot read the content asks
    // every handler: a picture loads by what it holds, whatever its extension, and a well-named one
    // loads without the search.
    QImageReader reader(path);
    Decoded decoded = decode(reader, preferredWidth);
    if (decoded.picture.isNull())
        return fail(refusalText(decoded.refusal));
    return std::move(decoded.picture);
}

std::optional<Picture> Picture::fromData(const QByteArray& bytes, int preferredWidth, QString* error)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    Decoded decoded = decode(reader, preferredWidth);
    if (decoded.picture.isNull()) {
        if (error)
            *error = refusalText(decoded.refusal);
        return std::nullopt;
    }
    return std::move(decoded.picture);
}

}  // namespace zendrix
