#pragma once

#include <QtGlobal>
#include <optional>

namespace zendrix {

// A colour as the drawing layer takes it: red in the low byte, green in the second, blue in the third.
using ColorRef = quint32;

// A colour as a control property holds it: either a ColorRef (high byte 0) or, with the high bit set
// (0x80000000 | index), a reference to one of the desktop's system colours.
using OleColor = quint32;

constexpr ColorRef rgb(int red, int green, int blue)
{
    return static_cast<ColorRef>((red & 0xFF) | (green & 0xFF) << 8 | (blue & 0xFF) << 16);
}
constexpr int redOf(ColorRef colour)
{
    return static_cast<int>(colour & 0xFF);
}
constexpr int greenOf(ColorRef colour)
{
    return static_cast<int>((colour >> 8) & 0xFF);
}
constexpr int blueOf(ColorRef colour)
{
    return static_cast<int>((colour >> 16) & 0xFF);
}

// The system colour indices the controls use.
enum SystemColorIndex {
    ColorWindow = 5,
    ColorWindowText = 8,
    ColorHighlight = 13,
    ColorButtonFace = 15,
    ColorButtonShadow = 16,
    ColorButtonText = 18,
    ColorButtonHighlight = 20,
    Color3DDarkShadow = 21,
    Color3DLight = 22,
};

// The desktop's colour for a system colour index (0 to 30). The table holds the classic desktop's
// standard colours, the same on every machine, so the controls look alike everywhere and tests are
// deterministic. An index outside the table gives black.
ColorRef GetSysColor(int index);

// Turns a property colour into a ColorRef: plain RGB values (and palette-relative ones, as there is no
// palette) pass unchanged, system-colour references go through the table above. A value that is neither (an
// unknown high byte, or a system index outside the table) gives nothing.
std::optional<ColorRef> translateOleColor(OleColor colour);

} // namespace zendrix
