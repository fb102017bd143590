#pragma once

#include <QImage>
#include <cstdint>

namespace zendrix {

// Where the media engine shows video: the video window. On X11 the engine draws straight into the native
// window; where there is none (offscreen runs) it hands over finished frames instead.
class VideoSurface
{
public:
    virtual ~VideoSurface() = default;
    // The X11 window id to draw into, or 0 when frames must be handed over with presentFrame().
    virtual std::uintptr_t nativeWindow() = 0;
    // Called on the UI thread with the latest frame (only when nativeWindow() is 0).
    virtual void presentFrame(const QImage& frame) = 0;
    // Full-screen display: the video fills the screen, or returns to its place in the window group.
    virtual void setFullScreen(bool on) = 0;
};

}  // namespace zendrix
