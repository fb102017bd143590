#include "Picture.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageReader>
#include <cstdlib>

namespace zendrix {

Picture::Picture(QImage image, Type type) : m_image(std::move(image)), m_type(m_image.isNull() ? Type::None : type)
{
}

namespace {

// Decodes the reader's picture, or gives a null picture.
Picture decode(QImageReader& reader, int preferredWidth)
{
    // A damaged or hostile file must not make us allocate without bound.
    reader.setAllocationLimit(256);
    // The reader forgets the format once it has read the image: ask first.
    const QByteArray format = reader.format();
    QImage image = reader.read();
    if (preferredWidth > 0 && !image.isNull()) {
        for (int i = 1; i < reader.imageCount() && reader.jumpToImage(i); ++i) {
            QImage other = reader.read();
            if (!other.isNull() && std::abs(other.width() - preferredWidth) < std::abs(image.width() - preferredWidth))
                image = std::move(other);
        }
    }
    if (image.isNull())
        return {};

    const bool icon = format == "ico" || format == "cur";
    if (icon)
        return Picture(image.convertToFormat(QImage::Format_ARGB32), Picture::Type::Icon);
    return Picture(image.hasAlphaChannel() ? image.convertToFormat(QImage::Format_ARGB32)
                                           : image.convertToFormat(QImage::Format_RGB32),
                   Picture::Type::Bitmap);
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
    Picture picture = decode(reader, preferredWidth);
    if (picture.isNull())
        return fail(QStringLiteral("Invalid picture"));
    return picture;
}

std::optional<Picture> Picture::fromData(const QByteArray& bytes, int preferredWidth)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    Picture picture = decode(reader, preferredWidth);
    if (picture.isNull())
        return std::nullopt;
    return picture;
}

}  // namespace zendrix
