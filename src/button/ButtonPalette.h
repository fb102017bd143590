#pragma once

#include "platform/SystemColors.h"

namespace zendrix {

// The eleven colours a button paints with. Every frame, face, caption and picture effect takes its
// colours from here, never from the colour properties directly.
struct ButtonPalette
{
    ColorRef face = 0;
    ColorRef light = 0;
    ColorRef highlight = 0;
    ColorRef shadow = 0;
    ColorRef darkShadow = 0;
    ColorRef text = 0;
    ColorRef textOver = 0;
    ColorRef mask = 0;
    ColorRef accent = 0;
    ColorRef selection = 0;
    ColorRef selectionTint = 0;

    bool operator==(const ButtonPalette&) const = default;
};

// What BuildPalette reads: the colour properties as stored, and the container's colours for
// SchemeContainer (its background and text colours, black on white when the button has no container).
struct PaletteInputs
{
    int colorScheme = 1;
    int buttonType = 2;
    bool softBevel = false;
    OleColor backColor = 0;
    OleColor foreColor = 0;
    OleColor foreOver = 0;
    OleColor maskColor = 0xC0C0C0;
    ColorRef containerBack = rgb(255, 255, 255);
    ColorRef containerText = rgb(0, 0, 0);
};

// A property colour as RGB; a value that cannot be translated gives black.
ColorRef TranslateColor(OleColor colour);

ButtonPalette BuildPalette(const PaletteInputs& in);

} // namespace zendrix
