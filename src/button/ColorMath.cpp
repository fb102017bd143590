#include "ColorMath.h"

#include <algorithm>

namespace zendrix {

ColorRef ShiftColor(ColorRef colour, int amount, BlueScaling blue, bool softBevel)
{
    if (softBevel)
        amount /= 2; // C++ division truncates toward zero, as wanted
    int red = redOf(colour) + amount;
    int green = greenOf(colour) + amount;
    int blueValue = blueOf(colour);
    blueValue += blue == BlueScaling::Yes ? blueValue * amount / 192 : amount;
    auto limit = [amount](int channel) {
        if (amount > 0)
            return std::min(channel, 255);
        if (amount < 0)
            return std::max(channel, 0);
        return channel;
    };
    return rgb(limit(red), limit(green), limit(blueValue));
}

ColorRef TintColor(ColorRef colour, int amount)
{
    auto tint = [amount](int channel) { return std::min((255 - amount) * channel / 255 + amount, 255); };
    return rgb(tint(redOf(colour)), tint(greenOf(colour)), tint(blueOf(colour)));
}

} // namespace zendrix
