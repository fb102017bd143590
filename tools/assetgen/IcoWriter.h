#pragma once

#include <QByteArray>
#include <QImage>
#include <optional>
#include <vector>

namespace zendrix::assetgen {

// How one image of an icon file is stored.
enum class IconDepth {
    // 8 bits per pixel through a 256-entry colour table, transparency in the 1-bit AND mask only: every
    // pixel is fully opaque or fully transparent. Images with partial alpha or more than 256 colours
    // cannot be stored this way.
    Indexed,
    // 32 bits per pixel with their alpha, plus an AND mask that marks the fully transparent pixels for
    // readers that ignore alpha.
    TrueColour,
};

struct IconImage
{
    QImage image; // at most 256 x 256
    IconDepth depth = IconDepth::Indexed;
};

// Writes an ICO file holding the given images in the given order. Returns nothing when there is no image,
// an image is empty or larger than 256 x 256, or an Indexed image does not qualify.
[[nodiscard]] std::optional<QByteArray> encodeIco(const std::vector<IconImage>& images);

} // namespace zendrix::assetgen
