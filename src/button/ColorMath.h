#pragma once

#include "platform/SystemColors.h"

namespace zendrix {

// Whether ShiftColor scales the blue channel (the type 3 look's bluish shading).
enum class BlueScaling { No, Yes };

// Moves every channel of colour by amount, limited to 0..255 in the direction of the move. With
// softBevel the amount is halved first (toward zero), so soft buttons have half-strength bevels. With
// blue scaling the blue channel moves in proportion to itself (blue x amount / 192, toward zero)
// instead, so a colour without blue keeps none.
ColorRef ShiftColor(ColorRef colour, int amount, BlueScaling blue = BlueScaling::No, bool softBevel = false);

// Moves every channel toward white: ((255 - amount) x channel) / 255 + amount, at most 255.
ColorRef TintColor(ColorRef colour, int amount);

} // namespace zendrix
