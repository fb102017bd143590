#pragma once

#include <QIODevice>

namespace zendrix {

// What a picture file says about itself, read before any decoder sees it. Decoders believe what a file
// declares and allocate for it first: a few hundred bytes can claim a picture of 60000 x 60000 pixels,
// an icon image far larger than its directory says, or a PNG chunk of gigabytes (which libpng allocates
// before reading it). The reader's own size() covers the first; this covers what it does not see.
//
// - An icon or a cursor (told by its first bytes): for each of its first `maxImages` images, the size in
//   the image's own header (a bitmap's or a PNG's), which must be within `maxSide` both ways; an
//   embedded PNG's chunks as below, within the image's bytes.
// - A PNG: every chunk up to the end, which must fit in the bytes the file has.
//
// The picture starts at the device's start; the device is left where it was. Other formats, and devices
// that cannot seek, pass: the allocation limit and the reader's size() are their guard.
enum class PictureDeclaration { Plausible, TooLarge, Damaged };
PictureDeclaration checkPictureDeclarations(QIODevice* device, int maxSide, int maxImages);

// Whether the device's content starts as an icon or a cursor does. Qt's reader does not always name the
// format of one that it will decode all the same.
bool startsLikeIcon(QIODevice* device);

} // namespace zendrix
