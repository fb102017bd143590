#pragma once

#include "AssetSet.h"

#include <QImage>
#include <QRect>
#include <QString>
#include <vector>

namespace zendrix::assetgen {

// What a skin author needs to know of a window: where each control stands on its picture, and what it
// is called (what it shows, or what it does).
struct TemplateControl
{
    // Buttons, labels and bars stand over the picture; images are the program's own pictures; boxes (text
    // boxes, lists, the check box, labels with a background) cover it with their own background; the line
    // is drawn in the desktop's colour.
    enum class Kind { Button, Label, Bar, Image, Box, Line };
    Kind kind;
    QString name;  // the control's name in the layouts: "cmdControls(0)", "lblFilename"
    QString shown; // what the template writes in it: "Play", "[No File]"
    QRect rect;    // in the window's pixels; a line is its bounding box, one pixel wide
};

struct WindowTemplate
{
    QString file;    // "main", "title", "playlist", "settings", "info"
    QString window;  // "frmMain"
    QString picture; // which skin picture it shows: "zendrix.zsk" or "title.zsk"
    QSize size;
    bool stretched; // the picture is stretched over the window, not shown at natural size
    std::vector<TemplateControl> controls;
};

// Every skinned window, from the layouts (src/layouts), in the order main, title, playlist, settings,
// information. Labels that size themselves to their text are measured in their own font.
std::vector<WindowTemplate> windowTemplates();

// The template picture of a window at `scale` (1 or 2): the window's size times the scale, a faint
// ten-pixel grid, every control's rectangle outlined (its outer edge on the control's own pixels) in a
// colour of its kind, and named inside.
QImage templatePicture(const WindowTemplate& window, int scale);

// Every template as PNG files "<file>.png" and "<file>@2x.png", paths relative to the output folder.
std::vector<Asset> templateAssets();

} // namespace zendrix::assetgen
