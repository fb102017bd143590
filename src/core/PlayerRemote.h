#pragma once

#include "ListControl.h"
#include "MediaEngine.h"
#include "Player.h"
#include "RepeatSetting.h"

#include <QObject>
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>

namespace zendrix {

// The player as the desktop sees and steers it from outside its windows: the media keys and the
// desktop's media controls. Every command runs the code a user's click runs, so the windows, the clock
// and the settings end up as after that click; nothing here keeps a second copy of the player's state.
//
// It is the one way in for the desktop: what the player, the playlist (its entries and selection, the
// neighbours of the playing entry) and the repeat setting change, it tells its listeners through
// `changed` (and `seeked` for a jump of the position) as the change happens; they read what they need
// once the running handler has returned. Any number may listen.
class PlayerRemote : public QObject
{
    Q_OBJECT
public:
    // `order`, when given, is the queue and Shuffle Play that Next and Previous follow as the advance does.
    PlayerRemote(Player& player, MediaEngine& engine, ListControl& lstPlaylist, RepeatSetting& repeat,
                 PlayOrder* order = nullptr);

    // The play button's state: Playing while it shows the pause icon; Paused after pause or winding,
    // which leave the item where it stands; Stopped after stop, at the end of an item and while nothing
    // is loaded.
    enum class Status { Stopped, Playing, Paused };
    Status status() const;

    // Play resumes unless playing, Pause pauses only while playing, PlayPause and Stop are the play and
    // stop buttons. Next and Previous: on a DVD the engine's next and previous, as the buttons are; for an
    // item started from the playlist the next or previous entry, selected and started (round the list
    // when "RepeatPlaylist" is on), passing over entries that cannot start as the end-of-item advance
    // does, without waiting for their message; otherwise nothing. A queued entry comes first, and with
    // Shuffle Play on the shuffle round decides, as at the end of an item.
    void play();
    void pause();
    void playPause();
    void stop();
    void next();
    void previous();

    bool canGoNext() const;
    bool canGoPrevious() const;
    bool canPlay() const;  // an item is loaded
    bool canPause() const; // an item is loaded
    bool canSeek() const;  // the loaded item's length is known, so the seek bar has its range

    // Microseconds into the item, as the engine reports it; 0 while nothing is loaded.
    std::int64_t positionUs() const;
    // Moves the seek bar by the offset, rounded to whole seconds, as a user would; the item stays within
    // the bar's range, and a move to its end has the engine end the item. Nothing while !canSeek().
    void seekBy(std::int64_t offsetUs);
    // Moves the seek bar to the position. False, and nothing moves, while !canSeek() or for a position
    // outside the item.
    bool setPosition(std::int64_t positionUs);

    // The volume bar as 0.0 to 1.0. Setting it moves the bar as a user would (so the setting is written
    // and the engine follows); values beyond the range are taken as its ends. False for a value that is
    // not a number.
    double volume() const;
    bool setVolume(double volume);

    // "RepeatPlaylist" of section "Player": whether the end of the list starts it again. Setting it is a
    // click on the Repeat box: the box shows it and the setting is written.
    bool repeat() const;
    void setRepeat(bool on);
    // Shuffle Play: the list plays in a random order, each entry once per round. Setting it is a click on
    // the list menu's item: the menu shows it and the setting is written. Off without a PlayOrder.
    bool shuffle() const;
    void setShuffle(bool on);

    // The speed, as the Speed menu chooses it: 1 is the normal speed. Setting 0 pauses, as a desktop
    // client may ask; other values are taken into the engine's range. False for a value that is not a
    // number or is negative.
    double rate() const { return m_player.speed(); }
    bool setRate(double rate);

    struct Track
    {
        std::uint64_t number = 0; // counts the items given to the engine in this run
        QString title;            // the name the main window shows
        QString artist;
        QString album;
        QString genre;
        QString url;                          // a file:// or stream URI
        std::optional<std::int64_t> lengthUs; // none while the length is unknown

        bool operator==(const Track&) const = default;
    };
    // The loaded item; none while nothing is loaded.
    std::optional<Track> track() const;

Q_SIGNALS:
    void changed();
    void seeked();

private:
    void onChange(Player::Change change);
    bool loaded() const;
    bool isDvd() const;
    std::optional<std::int64_t> lengthUs() const;
    // The playlist entry `step` away from the current one that Next or Previous would start.
    std::optional<int> neighbour(int step) const;
    void moveSeekBar(std::int64_t seconds);

    Player& m_player;
    MediaEngine& m_engine;
    ListControl& m_list;
    RepeatSetting& m_repeat;
    PlayOrder* m_order;
    bool m_held = false; // paused or winding since the last start, resume or stop
    std::uint64_t m_items = 0;
};

} // namespace zendrix
