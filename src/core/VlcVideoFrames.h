#pragma once

#include <QImage>
#include <QObject>
#include <mutex>

struct libvlc_media_player_t;

namespace zendrix {

// Takes the pictures that libvlc decodes into memory, for runs without a native window to draw into.
// libvlc calls the frame callbacks on its video thread; each finished picture becomes the latest frame,
// and frameReady() tells the UI thread once until it takes it, so a slow UI sees fewer frames, never a
// queue of old ones. The object must outlive the player it is attached to.
class VlcVideoFrames : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    // Routes the player's video into this object (call before the player starts).
    void attach(libvlc_media_player_t* player);

    // The latest finished picture, or a null image when none came since the last call. Any thread.
    QImage takeFrame();

Q_SIGNALS:
    void frameReady();

private:
    static unsigned setup(void** opaque, char* chroma, unsigned* width, unsigned* height, unsigned* pitches,
                          unsigned* lines);
    static void cleanup(void* opaque);
    static void* lock(void* opaque, void** planes);
    static void display(void* opaque, void* picture);

    std::mutex m_mutex;
    QImage m_canvas; // libvlc's video thread decodes into it
    QImage m_latest;
    bool m_pending = false;
};

} // namespace zendrix
