#pragma once

#include <QObject>
#include <QString>

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
};

}  // namespace zendrix
