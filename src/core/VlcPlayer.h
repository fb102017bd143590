#pragma once

#include "VlcDvd.h"
#include "VlcMediaSource.h"
#include "VlcVideoFrames.h"

#include <QObject>
#include <QStringList>
#include <QThread>
#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>

struct libvlc_instance_t;
struct libvlc_media_player_t;
struct libvlc_media_t;
struct libvlc_event_t;

namespace zendrix {

// What libvlc reports, as a value that crosses from libvlc's threads to the UI thread.
struct VlcEvent
{
    enum class Type {
        Failed, // libvlc could not be started; text says why
        Opening,
        Playing,
        Paused,
        Stopped,
        Ended,
        Error,    // the item could not be played
        Time,     // value: position in ms
        Length,   // value: length of the item (a DVD's current title) in ms
        Title,    // value: current title
        Chapter,  // value: current chapter
        Meta,     // tags: the item's tags as far as known
        Duration, // value: the item's length in ms, from parsing
        Volume,   // value: a volume that the audio output took
    };
    struct Tags
    {
        QString title, artist, album, genre;
    };

    Type type = Type::Failed;
    quint64 epoch = 0; // the number of the last command the worker had begun when libvlc reported it
    qint64 value = 0;
    QString text;
    Tags tags;
};

// Where the video goes: an X11 window to draw into, or, with window 0, the frame sink.
struct VideoOutput
{
    std::uintptr_t window = 0;
};

// libvlc on a thread of its own. Every call returns at once: it queues the work, and the worker thread
// carries the calls out one after another in the order they were made, so that a slow libvlc call
// (stopping an item, which waits for its input thread to end) never holds up the caller. Calls that
// change what plays carry an epoch, a number the caller increases with each such call; every event is
// stamped with the epoch of the last call begun before it, so that the caller can drop events that
// predate its own latest command.
class VlcPlayer : public QObject
{
    Q_OBJECT
public:
    // libvlc starts on the worker thread at once, or, with startNow false, at start(). Commands given
    // before it has started wait in order and run once it has.
    explicit VlcPlayer(const QStringList& extraArgs, bool startNow = true, QObject* parent = nullptr);
    ~VlcPlayer() override; // stops playback and releases libvlc before it returns

    void start();

    VlcVideoFrames& frames() { return m_frames; }

    void load(const MediaSource& source, quint64 epoch);
    void unload(quint64 epoch);
    void play(VideoOutput output, std::optional<qint64> startMs, quint64 epoch);
    void resume(quint64 epoch);
    void pause(quint64 epoch);
    void stop(quint64 epoch);
    void seek(qint64 ms, quint64 epoch);
    void setRate(float rate);
    void setVolume(int volume);
    void nextChapter();
    void previousChapter();
    void dvd(DvdAction action, quint64 epoch);
    void activateMenuButton();

Q_SIGNALS:
    // Emitted on libvlc's threads and on the worker thread: connect with a queued connection.
    void eventOccurred(const zendrix::VlcEvent& event);

private:
    void post(std::function<void()> task);
    void setPaused(bool paused, quint64 epoch);
    void begin(quint64 epoch) { m_epoch.store(epoch); }
    void report(VlcEvent::Type type, qint64 value = 0, const QString& text = {});

    // Worker thread only.
    void startLibvlc(const QStringList& args);
    void releaseMedia();
    void releaseAll();
    static void onPlayerEvent(const libvlc_event_t* event, void* self);
    static void onMediaEvent(const libvlc_event_t* event, void* self);

    QThread m_thread;
    bool m_started = false;
    QObject* m_worker = nullptr; // lives in m_thread; tasks run in its context
    std::atomic<quint64> m_epoch{0};
    VlcVideoFrames m_frames;

    libvlc_instance_t* m_vlc = nullptr;
    libvlc_media_player_t* m_player = nullptr;
    libvlc_media_t* m_media = nullptr;
};

} // namespace zendrix

Q_DECLARE_METATYPE(zendrix::VlcEvent)
