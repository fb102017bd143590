#include "VlcVideoFrames.h"

#include <cstring>
#include <vlc/vlc.h>

namespace zendrix {

void VlcVideoFrames::attach(libvlc_media_player_t* player)
{
    libvlc_video_set_format_callbacks(player, &VlcVideoFrames::setup, &VlcVideoFrames::cleanup);
    libvlc_video_set_callbacks(player, &VlcVideoFrames::lock, nullptr, &VlcVideoFrames::display, this);
}

QImage VlcVideoFrames::takeFrame()
{
    const std::lock_guard guard(m_mutex);
    m_pending = false;
    return std::exchange(m_latest, QImage());
}

unsigned VlcVideoFrames::setup(void** opaque, char* chroma, unsigned* width, unsigned* height,
                               unsigned* pitches, unsigned* lines)
{
    auto* self = static_cast<VlcVideoFrames*>(*opaque);
    // RV32 is 32-bit B, G, R, padding in memory: QImage's RGB32 on a little-endian machine.
    std::memcpy(chroma, "RV32", 4);
    const std::lock_guard guard(self->m_mutex);
    self->m_canvas = QImage(int(*width), int(*height), QImage::Format_RGB32);
    if (self->m_canvas.isNull())
        return 0;
    pitches[0] = unsigned(self->m_canvas.bytesPerLine());
    lines[0] = *height;
    return 1;
}

void VlcVideoFrames::cleanup(void* opaque)
{
    auto* self = static_cast<VlcVideoFrames*>(opaque);
    const std::lock_guard guard(self->m_mutex);
    self->m_canvas = QImage();
}

void* VlcVideoFrames::lock(void* opaque, void** planes)
{
    auto* self = static_cast<VlcVideoFrames*>(opaque);
    // bits() on the video thread only: the canvas is never shared, so it never detaches.
    planes[0] = self->m_canvas.bits();
    return nullptr;
}

void VlcVideoFrames::display(void* opaque, void* /*picture*/)
{
    auto* self = static_cast<VlcVideoFrames*>(opaque);
    bool tell = false;
    {
        const std::lock_guard guard(self->m_mutex);
        self->m_latest = self->m_canvas.copy();
        tell = !std::exchange(self->m_pending, true);
    }
    if (tell)
        Q_EMIT self->frameReady();
}

} // namespace zendrix
