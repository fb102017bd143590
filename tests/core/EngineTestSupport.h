#pragma once

// Helpers for the tests that run the real engine: libvlc reports on its own threads, and what it reports
// reaches the engine through the Qt event loop, which the tests run while they wait (support/WaitFor.h).

#include "core/VideoSurface.h"
#include "support/QtPrinters.h"
#include "support/WaitFor.h"

#include <QImage>
#include <QStringList>

namespace zendrix::test {

// libvlc without sound or picture: the engine tests watch the engine, not the devices.
inline const QStringList kDummyOutputs{QStringLiteral("--aout=dummy"), QStringLiteral("--vout=dummy")};

// The colours the generated DVD shows, told apart by one pixel in the upper half of the picture.
enum class Shade { None, Yellow, Magenta, Green, Blue, Other };

inline const char* shadeName(Shade shade)
{
    const char* names[] = {"none", "yellow", "magenta", "green", "blue", "other"};
    return names[int(shade)];
}

inline Shade shadeOf(const QImage& frame)
{
    if (frame.isNull())
        return Shade::None;
    const QRgb c = frame.pixel(frame.width() / 2, frame.height() / 4);
    const int r = qRed(c), g = qGreen(c), b = qBlue(c);
    if (r > 180 && g > 180 && b < 90)
        return Shade::Yellow;
    if (r > 180 && b > 180 && g < 90)
        return Shade::Magenta;
    if (g > 90 && r < 90 && b < 90)
        return Shade::Green;
    if (b > 180 && r < 90 && g < 90)
        return Shade::Blue;
    return Shade::Other;
}

// A video window without a native window: it keeps the shade of the latest frame it was handed.
class RecordingSurface final : public VideoSurface
{
public:
    std::uintptr_t nativeWindow() override { return 0; }
    void presentFrame(const QImage& frame) override
    {
        ++frames;
        shade = shadeOf(frame);
    }
    void setFullScreen(bool) override {}

    Shade shade = Shade::None;
    int frames = 0;
};

} // namespace zendrix::test
