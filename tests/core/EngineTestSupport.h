#pragma once

// Waiting helpers for the tests that run the real engine: libvlc reports on its own threads, and what it
// reports reaches the engine through the Qt event loop, so a test waits for a condition while the loop
// runs, up to a deadline, never for a fixed time alone.

#include "core/VideoSurface.h"
#include "support/QtPrinters.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QThread>

namespace zendrix::test {

template <typename Condition> bool waitFor(Condition condition, int timeoutMs = 5000)
{
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
        if (clock.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(5);
    }
    return true;
}

// Lets the event loop run for a while, for checks that something does not happen.
inline void runEventsFor(int ms)
{
    waitFor([] { return false; }, ms);
}

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
