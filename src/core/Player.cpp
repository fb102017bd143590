#include "Player.h"

#include "Conversions.h"
#include "Failure.h"
#include "MediaFilter.h"
#include "VlcMediaSource.h"
#include "modINI.h"
#include "platform/ProgramFolder.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

namespace zendrix {

namespace {

constexpr std::int16_t kInt16Max = std::numeric_limits<std::int16_t>::max();

const QString kCannotPlay = QStringLiteral("Cannot play: ");

QString buttonIcon(const QString& name)
{
    return programPath(QStringLiteral("/Data/Buttons/") + name);
}

// Runs one step of a handler that ignores every failure: a failing step is skipped, the next one runs.
template <typename Step>
void ignoringFailure(Step&& step)
{
    try {
        step();
    } catch (const Failure&) {
    }
}

// Marks the player's own moves of the seek bar for as long as it lives.
struct QuietBar
{
    explicit QuietBar(bool& flag) : m_flag(flag) { m_flag = true; }
    ~QuietBar() { m_flag = false; }
    QuietBar(const QuietBar&) = delete;
    QuietBar& operator=(const QuietBar&) = delete;
    bool& m_flag;
};

std::int16_t clampedInteger16(std::int64_t value)
{
    return static_cast<std::int16_t>(std::clamp<std::int64_t>(value, 0, kInt16Max));
}

// A stream is named by its address when it cannot be played: what it said about itself is no name for it.
bool isStream(const QString& url)
{
    return resolveMediaSource(url).kind == MediaSource::Kind::Stream;
}

}  // namespace

Player::Player(MediaEngine& engine, ListControl& lstPlaylist, RepeatSetting& repeat, MessageBoxes& messages,
               FileDialogs& dialogs)
    : m_engine(engine), m_list(lstPlaylist), m_repeat(repeat), m_messages(messages), m_dialogs(dialogs)
{
    scrollTiming.Change = [this] { scrollTiming_Change(); };
    scrollVolume.Change = [this] { scrollVolume_Change(); };
    connect(&m_engine, &MediaEngine::MediaChange, this, &Player::wmp_MediaChange);
    connect(&m_engine, &MediaEngine::EndOfStream, this, &Player::wmp_EndOfStream);
    connect(&m_engine, &MediaEngine::MediaError, this, &Player::wmp_MediaError);
}

void Player::refreshInfo()
{
    if (GetInfo)
        GetInfo();
    tell(Change::Info);
}

void Player::tell(Change change)
{
    Q_EMIT changed(change);
}

void Player::showPlayIcon(const QString& file)
{
    cmdControls[Play].setPictureNormal(LoadPicture(buttonIcon(file)));
}

// Steps shared by playing a playlist entry and opening a file: the URL is read only once the timer is off.
void Player::startItem(const std::function<QString()>& url)
{
    tmrTiming.setEnabled(false);
    TickCount = 1;
    m_cannotPlay = false;
    leaveItem();
    m_restored = false;
    const double given = std::exchange(m_pendingStart, 0.0);
    m_engine.setURL(url());
    startAtPlace(given);
    tell(Change::Item);
    lblFilename.setCaption(m_engine.currentMedia().name());
    try {
        m_engine.controls().play();
    } catch (const Failure&) {
        // The item that played before is gone too: nothing plays, whatever the buttons showed.
        showCannotPlay();
        throw;
    }
    refreshInfo();
    tmrTiming.setEnabled(true);
    IsPlaying = true;
    showPlayIcon(QStringLiteral("pause.ico"));
}

void Player::playlist(std::int16_t index)
{
    m_passedOver = 0;
    (void)startEntry(index, Report::Waiting);
}

void Player::playlistStep(std::int16_t index, int direction)
{
    m_passedOver = 0;
    passOverFrom(index, direction);
}

bool Player::startEntry(std::int16_t index, Report report)
{
    try {
        startItem([&] { return m_list.List(index); });
        FromPlaylist = true;
        if (m_order)
            m_order->started(index);
        return true;
    } catch (const Failure& failure) {
        if (report == Report::Waiting)
            reportFailure(m_messages, failure.description());
        else
            m_messages.reportPassedOver(failure.description());
        return false;
    }
}

void Player::restoreEntry(std::int16_t index, double seconds)
{
    try {
        const QString entry = m_list.List(index);
        m_list.setListIndex(index, ListControl::Notify::No);
        tmrTiming.setEnabled(false);
        IsPlaying = false;
        TickCount = 1;
        m_cannotPlay = false;
        m_engine.setURL(entry);
        m_startAt = 0;
        m_restoredAt = std::isfinite(seconds) ? std::max(seconds, 0.0) : 0.0;
        m_restored = true;
        FromPlaylist = true;
        tell(Change::Item);
        lblFilename.setCaption(m_engine.currentMedia().name());
        setClock(roundHalfEven(m_restoredAt));
        showClock();
        ignoringFailure([&] { showPlayIcon(QStringLiteral("play.ico")); });
        tell(Change::Paused);
    } catch (const Failure&) {
        // An entry that cannot even be loaded is left for the user to choose again.
    }
}

double Player::itemPosition() const
{
    if (m_restored)
        return m_restoredAt;
    double position = 0;
    ignoringFailure([&] { position = m_engine.controls().currentPosition(); });
    return std::isfinite(position) ? std::max(position, 0.0) : 0.0;
}

void Player::cmdBrowse_Click()
{
    try {
        const QString file = m_dialogs.open(kOpenMediaTitle, kMediaFilter);
        if (file.isEmpty())
            return;  // cancelled: the current item plays on untouched
        openSingle(file);
    } catch (const Failure& failure) {
        reportFailure(m_messages, failure.description());
    }
}

void Player::openAddress(const QString& address)
{
    try {
        openSingle(address);
    } catch (const Failure& failure) {
        reportFailure(m_messages, failure.description());
    }
}

void Player::openSingle(const QString& url)
{
    FromPlaylist = false;
    m_passedOver = 0;
    startItem([&] { return url; });
}

void Player::setSpeed(double speed)
{
    const double chosen =
        std::isfinite(speed) ? std::clamp(speed, EngineControls::kMinRate, EngineControls::kMaxRate) : 1.0;
    try {
        m_engine.controls().setRate(chosen);
        m_speed = chosen;
        tell(Change::Rate);
    } catch (const Failure& failure) {
        reportFailure(m_messages, failure.description());
    }
}

void Player::cmdControls_Click(int index)
{
    bool loaded = false;
    ignoringFailure([&] { loaded = !m_engine.URL().isEmpty(); });
    if (!loaded)
        return;

    EngineControls& controls = m_engine.controls();
    switch (index) {
    case Play:
        if (!IsPlaying && m_restored) {
            // Started afresh from the place the last run left it: the clock and the bar learn the
            // item's length at its first tick, as for any start.
            const int entry = m_list.ListIndex();
            if (entry >= 0 && m_list.List(entry) == m_engine.URL()) {
                m_passedOver = 0;
                m_pendingStart = m_restoredAt;
                (void)startEntry(static_cast<std::int16_t>(entry), Report::Waiting);
            } else {
                m_restored = false;
                resume();
            }
        } else if (!IsPlaying) {
            resume();
        } else {
            leaveItem();
            ignoringFailure([&] { controls.pause(); });
            IsPlaying = false;
            tmrTiming.setEnabled(false);
            ignoringFailure([&] { showPlayIcon(QStringLiteral("play.ico")); });
            tell(Change::Paused);
        }
        break;
    case Next:
        ignoringFailure([&] { controls.next(); });
        break;
    case Previous:
        ignoringFailure([&] { controls.previous(); });
        break;
    case Stop:
        leaveItem();
        m_restored = false;
        m_startAt = 0;
        ignoringFailure([&] { controls.stop(); });
        IsPlaying = false;
        tmrTiming.setEnabled(false);
        ignoringFailure([&] { showPlayIcon(QStringLiteral("play.ico")); });
        tell(Change::Stopped);
        break;
    case FastForward:
    case FastReverse:
        // The timer keeps running: the clock goes on one second per tick while the engine winds.
        IsPlaying = false;
        ignoringFailure([&] { index == FastForward ? controls.fastForward() : controls.fastReverse(); });
        ignoringFailure([&] { showPlayIcon(QStringLiteral("play.ico")); });
        tell(Change::Paused);
        break;
    default:
        break;
    }
}

void Player::resume()
{
    EngineControls& controls = m_engine.controls();
    try {
        controls.play();
    } catch (const Failure&) {
        // The file has gone since it was opened, or holds nothing the engine can play: showing the pause
        // icon and counting the clock would pretend otherwise.
        showCannotPlay();
        return;
    }
    if (m_cannotPlay) {
        m_cannotPlay = false;
        ignoringFailure([&] { lblFilename.setCaption(m_engine.currentMedia().name()); });
    }
    IsPlaying = true;
    ignoringFailure([&] { showPlayIcon(QStringLiteral("pause.ico")); });
    tell(Change::Playing);
    tmrTiming.setEnabled(true);
    std::int64_t position = 0;
    ignoringFailure([&] { position = roundHalfEven(controls.currentPosition()); });
    // The bar moves while the clock still holds its old value, so its change handling seeks to the same
    // place the engine already is.
    ignoringFailure([&] { scrollTiming.setValue(static_cast<int>(std::clamp<std::int64_t>(position, INT32_MIN, INT32_MAX))); });
    setClock(position);
}

void Player::setClock(std::int64_t seconds)
{
    const ClockTime time = splitSeconds(std::max<std::int64_t>(seconds, 0));
    ClockHours = clampedInteger16(time.hours);
    ClockMinutes = static_cast<std::int16_t>(time.minutes);
    ClockSeconds = static_cast<std::int16_t>(time.seconds);
}

void Player::showClock()
{
    lblHours.setCaption(twoDigits(ClockHours));
    lblMinutes.setCaption(twoDigits(ClockMinutes));
    lblSeconds.setCaption(twoDigits(ClockSeconds));
}

void Player::readLength()
{
    const std::int64_t length = std::max<std::int64_t>(roundHalfEven(m_engine.currentMedia().duration()), 0);
    // The bar's range is 16-bit: an item longer than 32,767 seconds gets the longest range the bar has,
    // while the length fields keep the whole length for the clock to show at the item's end.
    {
        const QuietBar quiet(m_quietBar);
        scrollTiming.setMax(static_cast<int>(std::min<std::int64_t>(length, kInt16Max)));
    }
    const ClockTime time = splitSeconds(length);
    LengthHours = clampedInteger16(time.hours);
    LengthMinutes = static_cast<std::int16_t>(time.minutes);
    LengthSeconds = static_cast<std::int16_t>(time.seconds);
}

void Player::readLengthAndLabel()
{
    lblTiming.setCaption(QStringLiteral("(") + m_engine.currentMedia().durationString() +
                         QStringLiteral(")"));
    readLength();
}

void Player::setBarQuietly(int value)
{
    const QuietBar quiet(m_quietBar);
    scrollTiming.setValue(value);
}

void Player::tmrTiming_Timer()
{
    try {
        if (TickCount == 1) {  // the item has just started
            refreshInfo();
            ClockHours = 0;
            ClockMinutes = 0;
            ClockSeconds = 1;
            readLengthAndLabel();
            if (m_startAt > 0) {
                // Started from where it was left: the clock and the bar go on from there, a second in.
                const std::int64_t at = roundHalfEven(m_startAt) + 1;
                setClock(at);
                setBarQuietly(static_cast<int>(std::min<std::int64_t>(at, scrollTiming.Max())));
            } else {
                scrollTiming.setValue(scrollTiming.Max() == 0 ? 0 : 1); // 1 agrees with the clock: no seek
            }
        }

        const std::int16_t max = scrollTiming.Max();
        const bool dvd = m_engine.dvd().isAvailable(QStringLiteral("dvd"));
        if (TickCount == 5 && max == 0 && !dvd) {  // the length was still unknown at the first tick
            refreshInfo();
            readLengthAndLabel();
            // The clock already shows the fifth second. A length shorter than that puts the bar at its end
            // without seeking.
            if (m_startAt > 0)
                setBarQuietly(static_cast<int>(std::min<std::int64_t>(
                    ClockHours * 3600LL + ClockMinutes * 60LL + ClockSeconds, scrollTiming.Max())));
            else if (scrollTiming.Max() >= 5)
                scrollTiming.setValue(5);
            else
                setBarQuietly(scrollTiming.Max());
        }

        if (m_speed != 1.0)
            ignoringFailure([&] { followEngineClock(); });
        // A stream's "now playing" text changes without the engine always telling: it is asked here.
        ignoringFailure([&] { m_engine.currentMedia().refreshNowPlaying(); });

        showClock();

        // The clock ends nothing: the engine tells when it has finished the item (wmp_EndOfStream).
        ClockSeconds = static_cast<std::int16_t>(ClockSeconds + 1);
        if (scrollTiming.Value() < scrollTiming.Max())
            scrollTiming.setValue(scrollTiming.Value() + 1);  // agrees with the clock: no seek
        if (ClockSeconds >= 60) {
            ClockSeconds = 0;
            ClockMinutes = static_cast<std::int16_t>(ClockMinutes + 1);
        }
        if (ClockMinutes >= 60) {
            ClockMinutes = 0;
            ClockHours = clampedInteger16(ClockHours + 1);
        }
        // Only the values 1 and 5 matter; a long run stays at the top instead of wrapping round to them.
        if (TickCount < kInt16Max)
            TickCount = static_cast<std::int16_t>(TickCount + 1);
    } catch (const Failure& failure) {
        reportFailure(m_messages, failure.description());
    }
}

void Player::followEngineClock()
{
    const double position = m_engine.controls().currentPosition();
    if (!std::isfinite(position))
        return;
    const std::int64_t seconds = std::max<std::int64_t>(roundHalfEven(position), 0);
    setClock(seconds);
    // The bar agrees with the clock, so its change handling does not seek.
    if (scrollTiming.Max() > 0)
        setBarQuietly(static_cast<int>(std::min<std::int64_t>(seconds, scrollTiming.Max())));
}

bool Player::isLoaded(const QString& url) const
{
    bool current = false;
    ignoringFailure([&] { current = url == m_engine.URL(); });
    return current;
}

void Player::wmp_EndOfStream(const QString& url)
{
    // A report that comes after the next item was loaded is not about what plays now; one that comes
    // while the item is paused or stopped leaves it to the user, and a later play starts it afresh.
    if (!isLoaded(url) || !tmrTiming.Enabled())
        return;
    if (m_places)
        ignoringFailure([&] { m_places->ended(); });
    m_passedOver = 0;
    try {
        if (TickCount <= 1)
            readLengthAndLabel(); // over before its first tick: its own length, not the last item's
        showLengthOnClock();
        itemEnded();
    } catch (const Failure& failure) {
        reportFailure(m_messages, failure.description());
    }
}

// The clock shows the item's full length when it ends, wherever the ticks had taken it; an item of
// unknown length keeps the time the clock counted.
void Player::showLengthOnClock()
{
    if (LengthHours == 0 && LengthMinutes == 0 && LengthSeconds == 0)
        return;
    ClockHours = LengthHours;
    ClockMinutes = LengthMinutes;
    ClockSeconds = LengthSeconds;
    showClock();
    setBarQuietly(scrollTiming.Max());
}

void Player::wmp_MediaError(const QString& url)
{
    if (!isLoaded(url))
        return;
    const bool wasRunning = tmrTiming.Enabled();
    showCannotPlay();
    if (wasRunning && FromPlaylist) {
        ++m_passedOver;
        try {
            advanceList();
        } catch (const Failure& failure) {
            reportFailure(m_messages, failure.description());
        }
    }
}

void Player::showCannotPlay()
{
    tmrTiming.setEnabled(false);
    IsPlaying = false;
    m_cannotPlay = true;
    // Nothing of the item can be shown: the clock and the length read as with nothing loaded, not as the
    // item before left them.
    ClockHours = ClockMinutes = ClockSeconds = 0;
    LengthHours = LengthMinutes = LengthSeconds = 0;
    showClock();
    lblTiming.setCaption(QStringLiteral("(00:00:00)"));
    {
        const QuietBar quiet(m_quietBar);
        scrollTiming.setMax(0);
        scrollTiming.setValue(0);
    }
    tell(Change::Stopped);
    ignoringFailure([&] { showPlayIcon(QStringLiteral("play.ico")); });
    ignoringFailure([&] { lblFilename.setCaption(shownName()); });
}

QString Player::shownName() const
{
    if (!m_cannotPlay)
        return m_engine.currentMedia().name();
    const QString url = m_engine.URL();
    return kCannotPlay + (isStream(url) ? url : m_engine.currentMedia().name());
}

void Player::itemEnded()
{
    tmrTiming.setEnabled(false);
    IsPlaying = false;
    tell(Change::Stopped);
    showPlayIcon(QStringLiteral("play.ico"));
    advanceList();
}

void Player::advanceList()
{
    const int selected = m_list.ListIndex();
    const int count = m_list.ListCount();
    int next = -1;
    if (const std::optional<int> chosen = m_order ? m_order->takeNext(selected, FromPlaylist) : std::nullopt)
        next = *chosen;
    else if (FromPlaylist && selected < count - 1)
        next = selected + 1;
    else if (m_repeat.isOn() && count >= 1 && selected == count - 1)
        next = 0;
    passOverFrom(next, 1);
}

int Player::entryAfter(int entry, int direction)
{
    if (m_order) {
        const std::optional<int> chosen =
            direction > 0 ? m_order->takeNext(entry, true) : m_order->takePrevious(true);
        if (chosen)
            return *chosen;
    }
    const int count = m_list.ListCount();
    entry += direction;
    if (entry < 0 || entry >= count)
        entry = m_repeat.isOn() && count > 0 ? (entry + count) % count : -1;
    return entry;
}

// The entry is started exactly once: moving the selection here does not raise the list's own selection
// handling. An entry that cannot start (a missing file) is reported without waiting and passed over like
// an entry that has ended, so one broken entry neither ends the list nor holds it up until someone
// answers a box: the next entry in `direction` starts at once, to the end of the list, and with repeat on
// at most once round it, counting the entries the engine gave up on after they had started. An empty
// entry (an empty line of a playlist file) names nothing to play and is passed over without a word.
void Player::passOverFrom(int index, int direction)
{
    const int count = m_list.ListCount();
    for (int entry = index; entry >= 0 && entry < count && m_passedOver < count; ++m_passedOver) {
        if (!m_list.List(entry).isEmpty()) {
            m_list.setListIndex(entry, ListControl::Notify::No);
            if (startEntry(static_cast<std::int16_t>(entry), Report::Aside))
                return;
        }
        entry = entryAfter(entry, direction);
    }
    FromPlaylist = false;
}

void Player::scrollTiming_Change()
{
    if (m_quietBar)
        return;
    try {
        const std::int64_t clock = ClockHours * 3600LL + ClockMinutes * 60LL + ClockSeconds;
        if (scrollTiming.Value() == clock)
            return;  // the player's own step of the bar, not a seek
        EngineControls& controls = m_engine.controls();
        controls.setCurrentPosition(scrollTiming.Value());
        tell(Change::Seeked);
        setClock(roundHalfEven(controls.currentPosition()));
    } catch (const Failure& failure) {
        reportFailure(m_messages, failure.description());
    }
}

void Player::wmp_MediaChange(const QString& url)
{
    // A report that comes after the next item was loaded is not about what the label shows.
    if (!isLoaded(url))
        return;
    ignoringFailure([&] { lblFilename.setCaption(shownName()); });
    refreshInfo();
}

void Player::startAtPlace(double given)
{
    m_startAt = 0;
    if (given <= 0 && !m_places)
        return;
    ignoringFailure([&] {
        const double at = given > 0 ? given : m_places->startOf(m_engine.URL());
        if (!std::isfinite(at) || at <= 0)
            return;
        // Set before play(): the engine starts the item there.
        m_engine.controls().setCurrentPosition(at);
        m_startAt = at;
    });
}

void Player::leaveItem()
{
    // A restored item has not played in this run: there is no place of its own to keep.
    if (m_places && !m_restored)
        ignoringFailure([&] { m_places->leaving(); });
}

void Player::scrollVolume_Change()
{
    tell(Change::Volume);
    try {
        m_engine.settings().setVolume(scrollVolume.Value());
        WriteINI(ConfigPath, QStringLiteral("Player"), QStringLiteral("Volume"), QString::number(scrollVolume.Value()));
    } catch (const Failure& failure) {
        reportFailure(m_messages, failure.description());
    }
}

}  // namespace zendrix
