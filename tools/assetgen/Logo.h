#pragma once

#include <QImage>
#include <QPainterPath>

namespace zendrix::assetgen {

// The product name "Zendrix" as drawn shapes, not text, so the pictures do not depend on the fonts of the
// machine that draws them: monoline letters of stroke weight `weight` on an x-height of `xHeight`, slanted
// slightly forward. The result is the filled outline, baseline at y 0, starting at x 0.
QPainterPath logotype(double xHeight, double weight);

// The letter Z of the logotype alone, centred on (0, 0), `height` tall.
QPainterPath logoZ(double height, double weight);

// The program's icon at size x size pixels (48, 32, 24 and 16 are drawn with care): a bevelled
// blue-silver tile with a black face and an ice-blue Z, with smooth alpha at its rounded corners.
QImage programIcon(int size);

} // namespace zendrix::assetgen
