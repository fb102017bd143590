#pragma once

#include "Controls.h"
#include "Host.h"
#include "ListControl.h"
#include "MediaEngine.h"
#include "PlayOrder.h"
#include "RepeatSetting.h"
#include "StartPlaces.h"

#include <QObject>
#include <array>
#include <cstdint>
#include <functional>

namespace zendrix {

// The main window's playback logic: opening media, the transport buttons, the one-second position timer
// with the clock and the playlist advance, the seek bar and the volume bar. The window's widget shows the
// controls below and turns clicks, timer ticks and bar moves into calls of the handlers.
//
// The clock counts timer ticks, not the engine's position: it starts at one second when an item starts,
// adds a second per tick and is set from the engine only on resume and on a seek. An item ends when the
// engine has finished it (EndOfStream), never by the clock, so nothing of it is cut and the next entry
// follows at once, also after winding or a seek to the end; the clock then shows the item's length, so
// an item of length L seconds played through shows L at its end, as its L-th tick does.
//
// At a speed other than the normal one each tick takes the clock from the engine's position instead, so
// that the clock shows the media's time; the speed holds for every item until it is chosen again.
class Player : public QObject
{
    Q_OBJECT
public:
    // `repeat` is the "RepeatPlaylist" setting the end of the list asks.
    Player(MediaEngine& engine, ListControl& lstPlaylist, RepeatSetting& repeat, MessageBoxes& messages,
           FileDialogs& dialogs);

    // --- Controls of the main window ---
    LabelControl lblFilename{QStringLiteral("[No File]")};
    LabelControl lblHours{QStringLiteral("00")};
    LabelControl lblMinutes{QStringLiteral("00")};
    LabelControl lblSeconds{QStringLiteral("00")};
    LabelControl lblTiming{QStringLiteral("(00:00:00)")};
    ScrollBarControl scrollTiming{100};
    ScrollBarControl scrollVolume{100};
    TimerControl tmrTiming{1000};
    std::array<ButtonControl, 6> cmdControls;  // play/pause, next, previous, stop, forward, reverse

    // The information window's refresh; unset until that window exists.
    std::function<void()> GetInfo;

    // The queue and Shuffle Play: asked first by the advance and by playlistStep. Without one the list's
    // own order decides.
    void setPlayOrder(PlayOrder* order) { m_order = order; }

    // Where items start and what is kept of where they are left ("Resume Where Left Off"). Unset, every
    // item starts at its beginning. An item started further in shows that place on the clock and the
    // seek bar from its first tick on.
    void setStartPlaces(StartPlaces* places) { m_places = places; }

    // What a handler changed, for those who follow the player from outside its windows (the desktop's
    // media controls): `changed` tells it as the change happens, so a listener reads the state it needs
    // once the running handler has returned. The clock's ordinary ticks tell nothing.
    enum class Change {
        Item,     // a new item was given to the engine (whether or not it then started)
        Info,     // the item's name, tags or length were read again
        Playing,  // resumed
        Paused,   // paused, or winding: the play button shows play and the item stays loaded
        Stopped,  // stopped, or the item ended
        Seeked,   // the engine was moved to the seek bar's position
        Volume,   // the volume bar moved
        Rate,     // the speed was chosen
    };

    // --- Playback state: 16-bit as the player has always kept it ---
    std::int16_t TickCount = 0;
    bool IsPlaying = false;
    bool FromPlaylist = false;
    std::int16_t ClockHours = 0;
    std::int16_t ClockMinutes = 0;
    std::int16_t ClockSeconds = 0;
    std::int16_t LengthHours = 0;
    std::int16_t LengthMinutes = 0;
    std::int16_t LengthSeconds = 0;

    // --- Operations and handlers ---
    // Plays the playlist entry at index and marks the item as started from the playlist. An entry that
    // cannot start is reported in a box that waits for the user, who chose it.
    void playlist(std::int16_t index);
    // The entry at index as the desktop's Next and Previous reach it: selected and started, and when it
    // cannot start, reported without waiting and passed over for the next one in `direction` (1 or -1),
    // as the end-of-item advance passes over one.
    void playlistStep(std::int16_t index, int direction);
    // The entry at index loaded as the current item, paused `seconds` into it, as a run before left it:
    // selected without raising Click, nothing starts. The play button then starts it from there.
    void restoreEntry(std::int16_t index, double seconds);
    // Seconds into the item loaded now, as the engine reports it; for a restored item that has not
    // started yet, the place it waits at.
    double itemPosition() const;
    void cmdBrowse_Click();
    // Plays an address (a stream, a disc, a file) as the open button plays a file: not from the playlist,
    // the name label set, the timer started. A failure is reported.
    void openAddress(const QString& address);
    void cmdControls_Click(int index);
    void tmrTiming_Timer();
    void scrollTiming_Change();
    void scrollVolume_Change();
    // The engine has learnt the tags of the item at url: the name label and the information window show
    // them, if that item is still the one loaded. Failures are ignored, as in the information window.
    void wmp_MediaChange(const QString& url);
    // The engine has played the item at url to its end. If that item is still the one loaded and the
    // timer runs (it plays, or winds), the item has ended: the timer stops, the play icon returns, the
    // clock shows the item's length, and the playlist advances or repeats. A failure is reported.
    void wmp_EndOfStream(const QString& url);
    // The engine cannot play the item at url. If it is still the one loaded, the timer stops, the play
    // icon returns, the clock and length read as with nothing loaded and the name label says "Cannot
    // play: " and the name; an entry started from the playlist that was playing is passed over like one
    // that cannot start, at most once round the list.
    void wmp_MediaError(const QString& url);

    enum Command { Play = 0, Next = 1, Previous = 2, Stop = 3, FastForward = 4, FastReverse = 5 };

    // The speed chosen, 1 for the normal one; the engine's range bounds it. Not a setting: every run
    // starts at the normal speed. A failure of the engine is reported.
    double speed() const { return m_speed; }
    void setSpeed(double speed);

Q_SIGNALS:
    void changed(zendrix::Player::Change change);

private:
    void startItem(const std::function<QString()>& url);
    void openSingle(const QString& url);
    // At another speed than the normal one the clock and the bar follow the engine's position.
    void followEngineClock();
    // playlist(index), saying whether the entry started; a failure has been reported, in a box that waits
    // for the user or in one that does not.
    enum class Report { Waiting, Aside };
    bool startEntry(std::int16_t index, Report report);
    void passOverFrom(int index, int direction);
    // The entry after `entry` in `direction` when `entry` cannot be played: the queue and the shuffle
    // round first, then the list's order (round it with repeat on); -1 for none.
    int entryAfter(int entry, int direction);
    void refreshInfo();
    void readLength();
    void setClock(std::int64_t seconds);
    void showClock();
    void showPlayIcon(const QString& file);
    void resume();
    void readLengthAndLabel();
    void showLengthOnClock();
    void itemEnded();
    void advanceList();
    void showCannotPlay();
    // What the name label shows for the item loaded: its name, or that it cannot be played.
    QString shownName() const;
    bool isLoaded(const QString& url) const;
    void tell(Change change);
    // The item just given to the engine starts at `given` seconds when that is more than 0, else where
    // the start places say (m_startAt); failures are ignored and leave it at its beginning.
    void startAtPlace(double given);
    // The item loaded is about to be paused, stopped or replaced: the start places may keep its place.
    void leaveItem();

    MediaEngine& m_engine;
    ListControl& m_list;
    RepeatSetting& m_repeat;
    MessageBoxes& m_messages;
    FileDialogs& m_dialogs;
    // Moves the seek bar without its change handling seeking.
    void setBarQuietly(int value);

    // Set while the player moves the bar for its own reasons (a new item's range), so it is no seek.
    bool m_quietBar = false;
    // The engine could not play the item loaded now: the name label says so.
    bool m_cannotPlay = false;
    // Playlist entries passed over in a row because they could not be played, since an entry last
    // played to its end or the user last started something: the advance gives up after a whole round.
    int m_passedOver = 0;
    PlayOrder* m_order = nullptr;
    // Where the item loaded now starts, in seconds: 0, or the place it was left at (in this run, with
    // Resume Where Left Off, or in the last, for a restored item), which its first tick puts on the clock
    // and the bar.
    double m_startAt = 0;
    // A restored item waits to be started from its place, m_restoredAt, by the play button, which
    // hands that place to the start through m_pendingStart.
    bool m_restored = false;
    double m_restoredAt = 0;
    double m_pendingStart = 0;
    double m_speed = 1.0;
    StartPlaces* m_places = nullptr;
};

}  // namespace zendrix
