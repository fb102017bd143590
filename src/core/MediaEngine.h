#pragma once

#include <QList>
#include <QObject>
#include <QSize>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>

namespace zendrix {

// The media engine as the player uses it: the one engine that lives on the video window and that every
// window reaches to play, query or steer media. The members are exactly those the player calls; an
// implementation may put any media library behind them.
//
// Failures: a call the engine cannot carry out throws EngineError (a Failure); the calling handler
// reports or ignores it by its own rule. None of these calls waits on media I/O: values the engine
// does not know yet (a duration before the media is parsed) read as "unknown" (0, "", the file name).

class EngineControls
{
public:
    virtual ~EngineControls() = default;
    virtual void play() = 0;
    virtual void pause() = 0;
    virtual void stop() = 0;
    virtual void fastForward() = 0;  // runs faster until play, pause or stop
    virtual void fastReverse() = 0;  // really moves backwards until play, pause or stop
    virtual void next() = 0;         // the engine's own next item (a DVD's next chapter)
    virtual void previous() = 0;
    virtual double currentPosition() const = 0;  // seconds into the loaded item
    virtual void setCurrentPosition(double seconds) = 0;
    // The speed items play at, kMinRate to kMaxRate (1 is the normal speed), their pitch kept. It holds
    // for what plays and every later item, through pause, resume and stop; winding overrides it while
    // it lasts. Values beyond the range are taken as its ends.
    static constexpr double kMinRate = 0.5;
    static constexpr double kMaxRate = 2.0;
    virtual double rate() const = 0;
    virtual void setRate(double rate) = 0;
};

class EngineMedia
{
public:
    virtual ~EngineMedia() = default;
    // The title; while none is known the file's name without its extension, for a DVD the disc's name.
    virtual QString name() const = 0;
    virtual double duration() const = 0;         // seconds; 0 while unknown
    virtual QString durationString() const = 0;  // "mm:ss", or "h:mm:ss" from one hour on
    // "Title", "Author", "Album", "WM/Genre" and "Size" (the file's size in bytes, as text).
    virtual QString getItemInfo(const QString& attribute) const = 0;
    // A stream that plays is asked what it plays now (an internet radio's "now playing" text); when that
    // has changed, MediaChange follows and name() tells it. Nothing for other items. Returns at once.
    virtual void refreshNowPlaying() = 0;
};

class EngineSettings
{
public:
    virtual ~EngineSettings() = default;
    virtual long volume() const = 0;
    virtual void setVolume(long volume) = 0;  // 0 to 100; kept across items
};

class EngineDvd
{
public:
    virtual ~EngineDvd() = default;
    // "dvd", "back", "resume", "titleMenu", "topMenu": true only when a DVD is loaded (for "dvd") or
    // the command can act now.
    virtual bool isAvailable(const QString& item) const = 0;
    virtual void back() = 0;
    virtual void resume() = 0;
    virtual void titleMenu() = 0;
    virtual void topMenu() = 0;
};

// What the engine does to the sound on its way out: the equalizer, ReplayGain and the output device.
// Levels are in dB; 0 leaves the sound as it is.
class EngineAudio
{
public:
    static constexpr int kBands = 10;
    static constexpr double kMinGain = -20; // a band's range
    static constexpr double kMaxGain = 20;
    static constexpr double kMinPreamp = -20; // the preamp's range: the engine takes at most +8 dB
    static constexpr double kMaxPreamp = 8;
    struct Equalizer
    {
        double preamp = 0;
        std::array<double, kBands> bands{};
        bool operator==(const Equalizer&) const = default;
    };
    enum class ReplayGain { Off, Track, Album };
    struct OutputDevice
    {
        QString id;          // what setOutputDevice takes
        QString description; // what a user is shown
        bool operator==(const OutputDevice&) const = default;
    };

    virtual ~EngineAudio() = default;

    // The engine's own presets, by name, and their levels; the bands' centre frequencies in Hz.
    virtual QStringList equalizerPresets() const = 0;
    virtual Equalizer equalizerPreset(int index) const = 0;
    virtual std::array<double, kBands> bandFrequencies() const = 0;
    // Applies at once to what plays and to every later item; nothing switches the equalizer off. Levels
    // beyond the ranges are taken as their ends.
    virtual void setEqualizer(const std::optional<Equalizer>& equalizer) = 0;

    // Items tagged with ReplayGain play at their track's or album's gain, held below their peak; items
    // without tags play as they are. Takes effect from the next item loaded at the latest.
    virtual ReplayGain replayGain() const = 0;
    virtual void setReplayGain(ReplayGain mode) = 0;

    // The devices the sound can go to, as the engine last listed them (OutputDevicesChange tells of a
    // new list); refreshOutputDevices() asks for the list again and returns at once.
    virtual QList<OutputDevice> outputDevices() const = 0;
    virtual void refreshOutputDevices() = 0;
    // The device the sound goes to: the chosen one while it is listed, else "" (the desktop's default).
    virtual QString outputDevice() const = 0;
    // Chooses a device, "" for the desktop's default. A listed device takes the sound at once; one that
    // is not listed (yet) is used from the first item loaded while it is.
    virtual void setOutputDevice(const QString& id) = 0;
};

// The item's picture and tracks: which audio track is heard, which subtitles show, the picture's shape,
// and snapshots of it. What the engine knows of them is kept where the caller reads it, so reading never
// waits on media I/O; it is learnt as the item plays (nothing before its streams have been found).
// Every choice applies at once and holds for the loaded item only: the next item starts with its own
// default tracks and its own shape.
class EngineVideo
{
public:
    struct Track
    {
        int id = -1;  // what the set calls take
        QString name; // as the item names it, with its language: "Track 1 - [English]"
        bool operator==(const Track&) const = default;
    };
    static constexpr int kNone = -1; // no audio track, no subtitles

    virtual ~EngineVideo() = default;

    // Whether the item shows a picture: from its first picture until it stops or another item is loaded.
    virtual bool hasVideo() const = 0;
    // The picture's own size in pixels; empty while there is no picture.
    virtual QSize videoSize() const = 0;

    virtual QList<Track> audioTracks() const = 0;
    virtual int audioTrack() const = 0; // the id of the track heard, kNone for none
    virtual void setAudioTrack(int id) = 0;

    // The subtitle tracks, the item's own and those loaded for it; "off" is not among them.
    virtual QList<Track> subtitleTracks() const = 0;
    virtual int subtitleTrack() const = 0; // kNone while none shows
    virtual void setSubtitleTrack(int id) = 0;
    // Loads a subtitle file for the item and shows it at once; its track joins subtitleTracks(). A
    // subtitle file beside the item with the item's own name is loaded by the engine itself.
    virtual void addSubtitleFile(const QString& path) = 0;

    // The picture's shape: "" for the item's own, or a width and height ratio such as "16:9" or
    // "2.35:1". A ratio the engine cannot read is taken as "".
    virtual QString aspectRatio() const = 0;
    virtual void setAspectRatio(const QString& ratio) = 0;

    // Writes the picture shown now, at its own size, as a PNG named `baseName` plus ".png" in `folder`;
    // when that name is taken, "baseName (2).png" and so on. The file appears whole: it is written under a
    // temporary name and renamed. Returns at once; SnapshotTaken or SnapshotFailed tells how it went.
    virtual void takeSnapshot(const QString& folder, const QString& baseName) = 0;
};

class MediaEngine : public QObject
{
    Q_OBJECT
public:
    enum PlayState : long { Undefined = 0, Stopped = 1, Paused = 2, Playing = 3, ScanForward = 4,
                            ScanReverse = 5, Buffering = 6, Waiting = 7, MediaEnded = 8,
                            Transitioning = 9, Ready = 10, Reconnecting = 11 };

    using QObject::QObject;

    virtual QString URL() const = 0;
    virtual void setURL(const QString& url) = 0;  // loads the item without starting it; "" unloads

    virtual EngineControls& controls() = 0;
    virtual EngineMedia& currentMedia() = 0;
    virtual EngineSettings& settings() = 0;
    virtual EngineDvd& dvd() = 0;
    virtual EngineAudio& audio() = 0;
    virtual EngineVideo& video() = 0;

    virtual bool fullScreen() const = 0;
    virtual void setFullScreen(bool on) = 0;
    virtual long playState() const = 0;

Q_SIGNALS:
    // Mouse events on the video area. button: 1 left, 2 right, 4 middle; shift: 1 Shift, 2 Ctrl, 4 Alt.
    void Click(short button, short shift, int x, int y);
    void DoubleClick(short button, short shift, int x, int y);
    // What the engine knows about the item at `url` has changed since it was loaded: its tags, and with
    // them its name, have become known. Raised on the UI thread, only for the item loaded at that
    // moment; an item's reports that come after the next setURL are dropped, never raised.
    void MediaChange(const QString& url);
    // The item at `url` has played to its end: the engine has finished it, its last sound included, and
    // stands stopped. Raised on the UI thread, once per start, only for the item loaded at that moment;
    // an end that comes after the next setURL, play() from stopped or stop() is an earlier run's and is
    // dropped, never raised. Pausing, winding or seeking after the end was reached drops nothing.
    void EndOfStream(const QString& url);
    // The engine cannot play the item at `url` (its file is gone or holds nothing it can play) and stands
    // stopped; play() reports the same from now on. Raised by the same rules as EndOfStream, instead of it.
    void MediaError(const QString& url);
    // The list of output devices has changed (EngineAudio::outputDevices()). Raised on the UI thread.
    void OutputDevicesChange();
    // What EngineVideo tells of the item loaded now has changed: its tracks, the track chosen, its picture.
    // Raised on the UI thread.
    void TracksChange();
    // A snapshot asked for by takeSnapshot has been written to `path`, or could not be, for the reason
    // given. Raised on the UI thread, once for each snapshot asked for.
    void SnapshotTaken(const QString& path);
    void SnapshotFailed(const QString& description);
};

}  // namespace zendrix
