#pragma once

#include "platform/DeviceContext.h"
#include "platform/Rect.h"

#include <QFont>
#include <QString>

namespace zendrix {

// Format flags of drawText(), with the platform's values.
enum TextFormat : unsigned {
    DtLeft = 0x0000,
    DtCenter = 0x0001,
    DtVCenter = 0x0004,
    DtWordBreak = 0x0010,
    DtSingleLine = 0x0020,
    DtNoClip = 0x0100,
    DtCalcRect = 0x0400,
    DtNoPrefix = 0x0800,
};

// Draws text in rect in the context's text colour with a transparent background, or with DtCalcRect
// only measures it. Returns the height of the text.
// - Lines end at CR LF, LF or CR; with DtWordBreak a line also breaks between words where the next
//   word would pass the rectangle's right edge (a word wider than the rectangle stands alone, whole).
// - Without DtNoPrefix an "&" is not shown and underlines the next letter; "&&" shows one "&".
// - DtCenter centres each line between left and right; DtVCenter centres vertically only together
//   with DtSingleLine, as on the classic platform.
// - DtCalcRect draws nothing and keeps left and top: right becomes left plus the widest line, bottom
//   becomes top plus the lines' height. Empty text gives an empty rectangle.
// - The output is clipped to rect unless DtNoClip is given.
// Glyphs come from Qt's text engine; pass a font from makeFont()/screenFont() for crisp pixels. A bold
// font whose family has no bold face is emboldened as the classic platform does it: each letter drawn
// twice, one pixel apart, its advance one pixel wider.
int drawText(DeviceContext& dc, const QFont& font, const QString& text, Rect& rect, unsigned format);

// The text as drawText shows it without DtNoPrefix: "&Open" is "Open", "&&" one "&", a lone "&" at the
// end nothing.
QString shownText(const QString& text);

} // namespace zendrix
