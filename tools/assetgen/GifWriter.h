#pragma once

#include <QByteArray>
#include <QImage>
#include <optional>

namespace zendrix::assetgen {

// Encodes a picture as a single-frame GIF89a file: one global colour table of the picture's own colours
// in the order they first occur (row by row), LZW-compressed pixels, no interlacing.
//
// Pixels with alpha 0 all map to one transparent colour entry, announced in a graphic control
// extension; every other pixel is taken as opaque, whatever its alpha (GIF has no partial
// transparency). Returns nothing when the picture is empty or needs more than 256 colour entries.
[[nodiscard]] std::optional<QByteArray> encodeGif(const QImage& image);

} // namespace zendrix::assetgen
