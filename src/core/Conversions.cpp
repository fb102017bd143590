#include "Conversions.h"

#include "Failure.h"

#include <QLocale>
#include <cfenv>
#include <cmath>
#include <limits>

namespace zendrix {

std::int64_t roundHalfEven(double value)
{
    // nearbyint rounds in the current rounding mode, which is to-nearest-even unless someone changed it.
    const int saved = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const double rounded = std::nearbyint(value);
    std::fesetround(saved);
    if (!(rounded >= -9.2e18 && rounded <= 9.2e18))  // also false for NaN
        return rounded < 0 ? std::numeric_limits<std::int64_t>::min() : std::numeric_limits<std::int64_t>::max();
    return static_cast<std::int64_t>(rounded);
}

namespace {

double toNumber(const QString& text)
{
    const QString trimmed = text.trimmed();
    bool ok = false;
    double value = QLocale().toDouble(trimmed, &ok);
    if (!ok)
        value = QLocale::c().toDouble(trimmed, &ok);  // "37" and "4500" read the same in every locale
    if (!ok || !std::isfinite(value))
        throw Failure(QStringLiteral("Type mismatch"));
    return value;
}

}  // namespace

std::int16_t checkedInteger16(std::int64_t value)
{
    if (value < std::numeric_limits<std::int16_t>::min() || value > std::numeric_limits<std::int16_t>::max())
        throw Failure(QStringLiteral("Overflow"));
    return static_cast<std::int16_t>(value);
}

std::int16_t toInteger16(const QString& text)
{
    const double value = toNumber(text);
    if (value < -40000.0 || value > 40000.0)
        throw Failure(QStringLiteral("Overflow"));
    return checkedInteger16(roundHalfEven(value));
}

float toSingle(const QString& text)
{
    const double value = toNumber(text);
    if (std::fabs(value) > static_cast<double>(std::numeric_limits<float>::max()))
        throw Failure(QStringLiteral("Overflow"));
    return static_cast<float>(value);
}

double toDouble(const QString& text)
{
    return toNumber(text);
}

int twipsToPixels(double twips)
{
    const double pixels = twips / kTwipsPerPixel;
    // Beyond this no screen coordinate makes sense and Qt's geometry would overflow.
    constexpr double kLimit = 1 << 24;
    if (!(pixels > -kLimit && pixels < kLimit))
        throw Failure(QStringLiteral("Overflow"));
    return static_cast<int>(roundHalfEven(pixels));
}

QString singleText(float value)
{
    return QString::number(static_cast<double>(value), 'g', 7);
}

ClockTime splitSeconds(std::int64_t seconds)
{
    ClockTime time;
    if (seconds >= 3600) {
        const std::int64_t hours = seconds / 3600;
        time.hours = static_cast<std::int32_t>(std::min<std::int64_t>(hours, std::numeric_limits<std::int32_t>::max()));
        seconds -= hours * 3600;
    }
    if (seconds >= 60) {
        time.minutes = static_cast<std::int32_t>(seconds / 60);
        seconds -= static_cast<std::int64_t>(time.minutes) * 60;
    }
    time.seconds = static_cast<std::int32_t>(seconds);
    return time;
}

QString twoDigits(std::int32_t value)
{
    return value < 10 && value >= 0 ? QStringLiteral("0") + QString::number(value) : QString::number(value);
}

}  // namespace zendrix
