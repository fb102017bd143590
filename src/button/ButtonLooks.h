#pragma once

// The looks' shared pieces (internal to the button library).
#include "button/ButtonPainter.h"

namespace zendrix::looks {

// The vertical gradients of types 3 and 14: the shift of a row, from a step kept in single precision,
// rounded to the nearest whole number, halves to even, so every row gets its exact shade.
int gradientShift(float step, int row);

// The shaded looks (ButtonLooksShaded.cpp): what types 3, 4 and 5 draw after the face fill.
void look3(ButtonPainter& p, PictureMode face);
void look4(ButtonPainter& p, PictureMode face);
void look5(ButtonPainter& p, PictureMode face);

} // namespace zendrix::looks
