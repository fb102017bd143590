#pragma once

#include "AudioListener.h"
#include "MediaEngine.h"
#include "VlcDvd.h"
#include "VlcMediaSource.h"
#include "VlcVideoFrames.h"

#include <QObject>
#include <QSize>
#include <QStringList>
#include <QThread>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>

struct libvlc_instance_t;
struct libvlc_media_player_t;
struct libvlc_media_t;
struct libvlc_event_t;

namespace zendrix {

// What libvlc knows of the item's tracks and picture.
struct VlcTracks
{
    QList<EngineVideo::Track> audio;
    int audioTrack = EngineVideo::kNone;
    QList<EngineVideo::Track> subtitles;
    int subtitle = EngineVideo::kNone;
    bool hasVideo = false;
    QSize size;
    bool operator==(const VlcTracks&) const = default;
};

// What libvlc reports, as a value that crosses from libvlc's threads to the UI thread. Only what changes
// what the player shows crosses: the position, which libvlc reports many times a second, is kept where
// the UI reads it (VlcPlayer::position()) instead.
struct VlcEvent
{
    enum class Type {
        Failed, // libvlc could not be started; text says why
        Opening,
        Playing,
        Paused,
        Stopped,
        Ended,    // the item has played to its end
        Error,    // the item could not be played: libvlc gave up, or it ended without a stream to play
        Length,   // value: length of the item (a DVD's current title) in ms
        Title,    // value: current title
        Chapter,  // value: current chapter
        Meta,     // tags: the item's tags as far as known; sent only when they change
        Duration, // value: the item's length in ms, from parsing
        Volume,   // value: a volume that the audio output took
        Devices,  // devices: the audio output's devices
        Tracks,   // tracks: what libvlc knows of the item's tracks; sent only when it changes
        Snapshot, // value 1: a snapshot was written to the file named in text; 0: text says why not
    };
    struct Tags
    {
        QString title, artist, album, genre; // title: "" while the item has no title of its own
        QString nowPlaying;                  // what a stream plays now, as it says
        friend bool operator==(const Tags&, const Tags&) = default;
    };

    Type type = Type::Failed;
    // The command the event answers. What libvlc learns about the item itself (tags, the length from
    // parsing) answers the load that made the item, whenever it comes; what playback reports answers the
    // last command the worker had handed to libvlc when libvlc raised it.
    quint64 epoch = 0;
    qint64 value = 0;
    QString text;
    Tags tags;
    QList<EngineAudio::OutputDevice> devices;
    VlcTracks tracks;
};

// Where the video goes: an X11 window to draw into, or, with window 0, the frame sink.
struct VideoOutput
{
    std::uintptr_t window = 0;
};

// libvlc on a thread of its own. Every call returns at once: it queues the work, and the worker thread
// carries the calls out one after another in the order they were made, so that a slow libvlc call
// (stopping an item, which waits for its input thread to end) never holds up the caller. Calls that
// change what plays carry an epoch, a number the caller increases with each such call; every event
// carries the epoch of the command it answers (VlcEvent::epoch), so that the caller can drop events
// that predate its own latest command.
//
// libvlc's callbacks only pass on what they are told: the item's tags are read on the worker thread,
// and the volume is handed to the audio output there, again whenever an item starts, until the output
// has taken it.
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

    // Where libvlc last said playback was, and the command that was the latest when it said so. Any
    // thread; it costs no wake-up of the caller's thread while the item plays.
    struct Position
    {
        qint64 ms = 0;
        quint64 epoch = 0;
    };
    Position position() const;

    void load(const MediaSource& source, quint64 epoch);
    void unload(quint64 epoch);
    void play(VideoOutput output, std::optional<qint64> startMs, quint64 epoch);
    void resume(quint64 epoch);
    void pause(quint64 epoch);
    void stop(quint64 epoch);
    void seek(qint64 ms, quint64 epoch);
    // The rate libvlc plays at now: winding's. setSpeed() sets the speed chosen, which play, resume, pause
    // and the end of winding return to; `now` applies it at once (false while winding).
    void setRate(float rate);
    enum class Apply { Now, Later };
    void setSpeed(float speed, Apply apply);
    void setVolume(int volume);
    void nextChapter();
    void previousChapter();
    void dvd(DvdAction action, quint64 epoch);
    void activateMenuButton();
    // From the next item that starts on, its audio goes to `listener` instead of the sound card.
    void listenWith(AudioListener* listener);
    // Asks the item for its tags again, "now playing" among them; a change comes as a Meta event.
    void readTagsAgain();

    // VlcAudio.cpp. The equalizer applies at once and to every later item. The ReplayGain mode is
    // one that libvlc reads only when it starts: a new mode starts libvlc afresh when the next item is
    // loaded. An output device is chosen at once when libvlc lists it, else at the first item loaded
    // while it does; "" returns to the default device, which libvlc can do only by making its output
    // afresh, also at the next item.
    void setEqualizer(const std::optional<EngineAudio::Equalizer>& equalizer);
    void setReplayGain(EngineAudio::ReplayGain mode);
    void setOutputDevice(const QString& id);
    // Lists the output's devices in a Devices event.
    void listOutputDevices();

    // VlcVideo.cpp. The tracks and the picture's shape of the item loaded: a new item starts with its
    // own. What libvlc knows of the tracks comes in a Tracks event whenever it changes, with the epoch of
    // the latest command at the time it was read.
    void setAudioTrack(int id);
    void setSubtitleTrack(int id);
    void addSubtitleFile(const QString& path);
    void setAspectRatio(const QString& ratio); // libvlc's form ("47:20"); "" for the item's own
    // Writes the picture shown now as core/Snapshot.h's writeSnapshot does; a Snapshot event follows.
    void takeSnapshot(const QString& folder, const QString& baseName);

Q_SIGNALS:
    // Emitted on libvlc's threads and on the worker thread: connect with a queued connection.
    void eventOccurred(const zendrix::VlcEvent& event);

private:
    // The loaded item as its own callbacks see it: they carry the epoch of the load that made it.
    struct Item
    {
        VlcPlayer* player = nullptr;
        quint64 epoch = 0;
        QString location;
        std::atomic<bool> tagsQueued{false}; // a reading of the tags waits on the worker
        std::atomic<qint64> reportedDuration{-1};
    };

    void post(std::function<void()> task);
    void setPaused(bool paused, quint64 epoch);
    void begin(quint64 epoch) { m_epoch.store(epoch); }
    void report(VlcEvent::Type type, qint64 value = 0, const QString& text = {});
    void report(VlcEvent event);
    // From libvlc's threads: have the worker hand the volume over once more, while it is still wanted.
    void retryVolume();

    // Worker thread only.
    void startLibvlc();
    // Makes libvlc's instance and player with m_args and the sound settings; false when it cannot.
    bool makeLibvlc();
    void releaseLibvlc();
    void releaseMedia();
    void releaseAll();
    void readTags(quint64 epoch);
    void applyVolume();
    void attachListener();
    // VlcAudio.cpp
    QStringList libvlcArgs() const;
    // Starts libvlc afresh when a setting it reads only at its start has changed; between items only.
    void remakeIfWanted();
    void applyEqualizer();
    QList<EngineAudio::OutputDevice> listDevices() const;
    void applyOutputDevice();
    // VlcVideo.cpp. From any thread: have the worker read the tracks once for any number of changes.
    void queueTracks();
    void readTracks();
    static void onPlayerEvent(const libvlc_event_t* event, void* self);
    static void onMediaEvent(const libvlc_event_t* event, void* item);

    QThread m_thread;
    bool m_started = false;
    QObject* m_worker = nullptr; // lives in m_thread; tasks run in its context
    std::atomic<quint64> m_epoch{0};
    VlcVideoFrames m_frames;

    mutable std::mutex m_positionMutex;
    Position m_position;
    std::atomic<qint64> m_reportedLength{-1}; // ms; -1 before the item's first report
    std::atomic<bool> m_titleEntered{false};  // a DVD's title has played since the item was loaded
    std::atomic<bool> m_streamFound{false};   // libvlc found something to play since the item started
    std::atomic<bool> m_volumeWanted{false};  // the audio output has not taken m_volume yet
    std::atomic<bool> m_volumeQueued{false};  // a retry waits on the worker
    std::atomic<bool> m_tracksQueued{false};  // a reading of the tracks waits on the worker

    libvlc_instance_t* m_vlc = nullptr;
    libvlc_media_player_t* m_player = nullptr;
    libvlc_media_t* m_media = nullptr;
    std::unique_ptr<Item> m_item; // m_media's callbacks point at it
    VlcEvent::Tags m_tags;        // as last reported for m_item
    VlcTracks m_tracks;           // as last reported
    int m_volume = -1;            // the volume the engine asked for; -1 before any
    AudioListener* m_listener = nullptr;
    QStringList m_baseArgs;    // the arguments libvlc starts with, but the sound settings
    QStringList m_startedArgs; // the arguments the running libvlc started with
    float m_speed = 1.0f;
    std::optional<EngineAudio::Equalizer> m_equalizer;
    EngineAudio::ReplayGain m_replayGain = EngineAudio::ReplayGain::Off;
    QString m_device;            // chosen; "" for the default
    bool m_deviceApplied = true; // the running output took m_device
    bool m_outputChosen = false; // the running output was given a device: the default needs a new one
};

} // namespace zendrix

Q_DECLARE_METATYPE(zendrix::VlcEvent)
