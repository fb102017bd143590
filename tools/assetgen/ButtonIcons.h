#pragma once

#include <QImage>
#include <QString>
#include <vector>

namespace zendrix::assetgen {

struct NamedImage
{
    QString name;
    QImage image;
};

// Every 16 x 16 button icon, named as its file is named without the extension: the transport glyphs
// (play, pause, next, previous, stop, forward, rewind, eject), the list and file commands (remove, add,
// save, listopen, listclose), the title strip commands (about, help, info, settings, screen, exit) and
// ok. Every pixel is fully opaque or fully transparent and no opaque pixel has the button's mask colour.
std::vector<NamedImage> buttonIcons();

// The 16 x 15 speakers beside the volume bar, drawn for the dark panel they stand on: a quiet one with a
// single small sound wave for the left end, a loud one with three waves for the right end.
enum class Loudness { Quiet, Loud };
QImage speaker(Loudness loudness);

} // namespace zendrix::assetgen
