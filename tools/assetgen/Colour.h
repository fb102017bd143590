#pragma once

#include <QRgb>
#include <algorithm>
#include <cmath>

namespace zendrix::assetgen {

// Colour arithmetic on opaque colours, each channel rounded to the nearest step.
inline QRgb mixColour(QRgb from, QRgb to, double t)
{
    t = std::clamp(t, 0.0, 1.0);
    auto channel = [t](int a, int b) { return int(std::lround(a + (b - a) * t)); };
    return qRgb(channel(qRed(from), qRed(to)), channel(qGreen(from), qGreen(to)),
                channel(qBlue(from), qBlue(to)));
}

inline QRgb scaleColour(QRgb colour, double factor)
{
    auto channel = [factor](int value) { return std::clamp(int(std::lround(value * factor)), 0, 255); };
    return qRgb(channel(qRed(colour)), channel(qGreen(colour)), channel(qBlue(colour)));
}

inline double smoothStep(double edge0, double edge1, double x)
{
    const double t = std::clamp((x - edge0) / (edge1 - edge0), 0.0, 1.0);
    return t * t * (3.0 - 2.0 * t);
}

} // namespace zendrix::assetgen
