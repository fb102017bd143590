#pragma once

#include <QtGlobal>

namespace zendrix {

// Drawing states of the button face. Callers pass only these two; any other value paints the face
// fill alone. Hover, focus and disabled are flags, not states.
using DrawState = quint8;
constexpr DrawState StateUp = 0;
constexpr DrawState StateDown = 2;

// Whether a repaint happens although neither the state nor the caption changed.
enum class Force { No, Yes };

// ColorScheme values; every value but 2, 3 and 4 gives the system colours.
enum ColorSchemeValue : int {
    SchemeSystem = 1,
    SchemeCustom = 2,
    SchemeClassic = 3,
    SchemeContainer = 4,
};

// PicturePosition values.
enum PicturePositionValue : int {
    PicLeftOfCaption = 0,
    PicRightOfCaption = 1,
    PicAboveCaption = 2,
    PicBelowCaption = 3,
    PicCentred = 4,
};

// SpecialEffect values; 4 and higher paint as EffectShadow, negative values as EffectNone.
enum SpecialEffectValue : int {
    EffectNone = 0,
    EffectRaised = 1,
    EffectSunken = 2,
    EffectShadow = 3,
};

// The modes of drawing the caption.
enum CaptionMode : quint8 {
    CaptionNormal = 0,
    CaptionHovered = 1,
    CaptionPressed = 2,
    CaptionEngraved = 3,
    CaptionGrey = 4,
    CaptionDimmed = 5,
    CaptionEmbossed = 6,
    CaptionShadowed = 7,
};

// The picture drawings that follow the up, down and disabled faces.
enum PictureMode : quint8 {
    PictureUp = 0,
    PictureDown = 1,
    PictureDisabled = 2,
};

// The look of every button on the player's windows.
constexpr int kWindowButtonType = 14;

} // namespace zendrix
