#include "ButtonPalette.h"

#include "button/ButtonTypes.h"
#include "button/ColorMath.h"

namespace zendrix {

ColorRef TranslateColor(OleColor colour)
{
    return translateOleColor(colour).value_or(0);
}

ButtonPalette BuildPalette(const PaletteInputs& in)
{
    ButtonPalette p;
    auto shift = [&in](ColorRef colour, int amount) {
        return ShiftColor(colour, amount, BlueScaling::No, in.softBevel);
    };
    // The shades that SchemeCustom and SchemeContainer derive from their face colour.
    auto deriveShades = [&](ColorRef face) {
        p.face = face;
        p.shadow = shift(face, -64);
        p.light = shift(face, 31);
        p.highlight = shift(face, 47);
        p.darkShadow = shift(face, -192);
    };

    switch (in.colorScheme) {
    case SchemeCustom:
        deriveShades(TranslateColor(in.backColor));
        p.text = TranslateColor(in.foreColor);
        p.textOver = TranslateColor(in.foreOver);
        p.selection = shift(p.face, -128);
        p.selectionTint = p.face;
        break;
    case SchemeClassic:
        p.face = rgb(192, 192, 192);
        p.text = rgb(0, 0, 0);
        p.textOver = rgb(0, 0, 0);
        p.shadow = rgb(128, 128, 128);
        p.light = rgb(223, 223, 223);
        p.highlight = rgb(255, 255, 255);
        p.darkShadow = rgb(0, 0, 0);
        p.selection = rgb(0, 0, 128);
        p.selectionTint = rgb(173, 173, 209);
        break;
    case SchemeContainer:
        deriveShades(in.containerBack);
        p.text = in.containerText;
        p.textOver = in.containerText;
        p.selection = GetSysColor(ColorHighlight);
        p.selectionTint = TintColor(p.selection, 176);
        break;
    default:
        p.face = GetSysColor(ColorButtonFace);
        p.text = GetSysColor(ColorButtonText);
        p.textOver = GetSysColor(ColorButtonText);
        p.shadow = GetSysColor(ColorButtonShadow);
        p.light = GetSysColor(Color3DLight);
        p.highlight = GetSysColor(ColorButtonHighlight);
        p.darkShadow = GetSysColor(Color3DDarkShadow);
        p.selection = GetSysColor(ColorHighlight);
        p.selectionTint = TintColor(p.selection, 176);
        break;
    }
    p.mask = TranslateColor(in.maskColor);
    p.accent = ShiftColor(p.face, 48, in.buttonType == 3 ? BlueScaling::Yes : BlueScaling::No, in.softBevel);
    return p;
}

} // namespace zendrix
