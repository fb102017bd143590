#pragma once

#include <QImage>
#include <QRgb>
#include <QString>
#include <vector>

namespace zendrix::assetgen {

// The colours of one skin. Both of a skin's pictures are drawn from them: a metal frame (outline, a
// bright ridge, a body shaded from light to dark) around a near-black panel that is sunk into it.
struct SkinScheme
{
    QString name; // the skin's folder name and its line in the skin list
    QRgb outline;
    QRgb ridge;
    QRgb metalLight;
    QRgb metalDark;
    QRgb panelShadow; // where the panel meets the frame on its top and left
    QRgb panelRim;    // ... and on its bottom and right
    QRgb panelTop;    // the panel fades from a faint glow at its top edge ...
    QRgb panelBottom; // ... to black
    QRgb nameLight;   // the product name on the title strip, top to bottom
    QRgb nameDark;
    QRgb nameGlow;
};

// The shipped skins, the default one ("Zendrix", blue-silver) first, then "Ember" (copper) and
// "Daylight" (pearl and sky blue, the light one).
std::vector<SkinScheme> skinSchemes();

// The main window's 425 x 71 background. The frame is kept within the margins that the main window's
// controls leave free (6 pixels at the top, 5 on the other sides), and its top band is light enough for
// the dark titles that the playlist, settings and information windows put there when they stretch this
// picture over themselves.
QImage mainPanel(const SkinScheme& scheme);

// The title strip's 425 x 28 background: a metal bar with the product name in a dark slot in its middle,
// clear of the buttons at x 40..105 and 328..417 and of the program icon at x 0..32.
QImage titleStrip(const SkinScheme& scheme);

} // namespace zendrix::assetgen
