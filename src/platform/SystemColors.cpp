#include "SystemColors.h"

#include <array>

namespace zendrix {

namespace {

// Index order of the platform's system colours (scroll bar, desktop, active caption, ...).
constexpr std::array<ColorRef, 31> kSystemColors = {
    rgb(200, 200, 200), // 0 scroll bar
    rgb(0, 0, 0),       // 1 desktop
    rgb(153, 180, 209), // 2 active caption
    rgb(191, 205, 219), // 3 inactive caption
    rgb(240, 240, 240), // 4 menu
    rgb(255, 255, 255), // 5 window
    rgb(100, 100, 100), // 6 window frame
    rgb(0, 0, 0),       // 7 menu text
    rgb(0, 0, 0),       // 8 window text
    rgb(0, 0, 0),       // 9 caption text
    rgb(180, 180, 180), // 10 active border
    rgb(244, 247, 252), // 11 inactive border
    rgb(171, 171, 171), // 12 application workspace
    rgb(0, 120, 215),   // 13 highlight
    rgb(255, 255, 255), // 14 highlight text
    rgb(240, 240, 240), // 15 button face
    rgb(160, 160, 160), // 16 button shadow
    rgb(109, 109, 109), // 17 grey text
    rgb(0, 0, 0),       // 18 button text
    rgb(0, 0, 0),       // 19 inactive caption text
    rgb(255, 255, 255), // 20 button highlight
    rgb(105, 105, 105), // 21 3D dark shadow
    rgb(227, 227, 227), // 22 3D light
    rgb(0, 0, 0),       // 23 info text
    rgb(255, 255, 225), // 24 info background
    rgb(0, 0, 0),       // 25 (unused)
    rgb(0, 102, 204),   // 26 hot-tracked item
    rgb(185, 209, 234), // 27 gradient active caption
    rgb(215, 228, 242), // 28 gradient inactive caption
    rgb(51, 153, 255),  // 29 menu highlight
    rgb(240, 240, 240), // 30 menu bar
};

} // namespace

ColorRef GetSysColor(int index)
{
    if (index < 0 || index >= static_cast<int>(kSystemColors.size()))
        return 0;
    return kSystemColors[static_cast<std::size_t>(index)];
}

std::optional<ColorRef> translateOleColor(OleColor colour)
{
    switch (colour >> 24) {
    case 0x00:
        return colour;
    case 0x80: {
        const OleColor index = colour & 0xFFFFFF;
        if (index >= kSystemColors.size())
            return std::nullopt;
        return kSystemColors[index];
    }
    case 0x02:
        // A palette-relative colour without a palette is its RGB part.
        return colour & 0xFFFFFF;
    default:
        // A palette index needs a palette, and there is none; other high bytes mean nothing.
        return std::nullopt;
    }
}

} // namespace zendrix
