#pragma once

#include <QFont>

namespace zendrix::assetgen {

// The generator's own lettering (the contact sheet's captions, the templates' names): DejaVu Sans, read
// from its file, unhinted, so the text looks the same whatever fonts the drawing machine prefers.
QFont letteringFont(int pixelSize, bool bold = false);

} // namespace zendrix::assetgen
