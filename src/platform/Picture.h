#pragma once

#include <QImage>
#include <QMetaType>
#include <QString>
#include <optional>

namespace zendrix {

// A picture as windows and buttons hold it: a bitmap (JPEG, BMP, GIF, PNG...) or an icon. The kind is
// decided by the file's content, never by its extension, so a skin's ".zsk" files load whatever they hold.
// Icons keep their alpha channel; drawing an icon onto a bitmap is the compositor's business.
class Picture
{
public:
    enum class Type { None, Bitmap, Icon };

    Picture() = default;
    Picture(QImage image, Type type);

    // The largest picture read, in either direction. The size a file declares is checked before anything
    // is decoded, so a small file that claims a huge picture costs neither time nor memory.
    static constexpr int kMaxSide = 4096;

    // Reads a picture file. On failure returns nothing and sets *error to the description a user is
    // shown ("File not found: '...'", "Invalid picture: '...'", "Picture larger than 4096 x 4096
    // pixels: '...'").
    // A file holding several images (an icon of several sizes) gives the first, or the one nearest in
    // width to `preferredWidth` when that is given, among its first 32 images; images past kMaxSide are
    // passed over.
    [[nodiscard]] static std::optional<Picture> load(const QString& path, QString* error = nullptr,
                                                     int preferredWidth = 0);
    // The same for a picture file's bytes held in memory; *error then names no file ("Invalid picture").
    [[nodiscard]] static std::optional<Picture> fromData(const QByteArray& bytes, int preferredWidth = 0,
                                                         QString* error = nullptr);

    Type type() const { return m_type; }
    bool isNull() const { return m_type == Type::None; }
    bool isIcon() const { return m_type == Type::Icon; }
    const QImage& image() const { return m_image; }
    int width() const { return m_image.width(); }
    int height() const { return m_image.height(); }

private:
    QImage m_image;
    Type m_type = Type::None;
};

}  // namespace zendrix

Q_DECLARE_METATYPE(zendrix::Picture)
