#pragma once

#include <QString>
#include <cstdint>

namespace zendrix {

// Whole numbers from doubles the way the player rounds everywhere: to the nearest, halves to the even
// neighbour (2.5 -> 2, 3.5 -> 4).
std::int64_t roundHalfEven(double value);

// Setting texts to numbers, following the user's locale as the settings file's readers do. A text that
// does not convert throws Failure("Type mismatch"); one outside the type's range Failure("Overflow").
// Blanks around the number are allowed; a fraction rounds halves to even for the integer.
std::int16_t toInteger16(const QString& text);
float toSingle(const QString& text);
double toDouble(const QString& text);

// A 16-bit integer from a wider one: Failure("Overflow") outside -32768..32767.
std::int16_t checkedInteger16(std::int64_t value);

// Window coordinates: 15 twips to a pixel. Pixels from twips round to the nearest pixel; a position no
// window can take throws Failure("Overflow").
constexpr int kTwipsPerPixel = 15;
int twipsToPixels(double twips);
constexpr double pixelsToTwips(int pixels) { return static_cast<double>(pixels) * kTwipsPerPixel; }

// The decimal text of a single-precision number, as positions are stored ("4500", "-15", "7.5").
QString singleText(float value);

// Splits a number of seconds into hours, minutes (0-59) and seconds (0-59).
struct ClockTime
{
    std::int32_t hours = 0;
    std::int32_t minutes = 0;
    std::int32_t seconds = 0;
};
ClockTime splitSeconds(std::int64_t seconds);

// A clock field as shown: two digits at least ("07", "00", "123").
QString twoDigits(std::int32_t value);

}  // namespace zendrix
