#include "Player.h"

#include "Conversions.h"
#include "Failure.h"
#include "MediaFilter.h"
#include "modINI.h"
#include "platform/ProgramFolder.h"

#include <algorithm>
#include <limits>

namespace zendrix {

namespace {

constexpr std::int16_t kInt16Max = std::numeric_limits<std::int16_t>::max();

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

}  // namespace

Player::Player(MediaEngine& engine, ListControl& lstPlaylist, MessageBoxes& messages, FileDialogs& dialogs)
    : m_engine(engine), m_list(lstPlaylist), m_messages(messages), m_dialogs(dialogs)
{
    scrollTiming.Change = [this] { scrollTiming_Change(); };
    scrollVolume.Change = [this] { scrollVolume_Change(); };
    m_mediaChange = QObject::connect(&m_engine, &MediaEngine::MediaChange,
                                     [this](const QString& url) { wmp_MediaChange(url); });
}

Player::~Player()
{
    QObject::disconnect(m_mediaChange);
}

void Player::refreshInfo()
{
    if (GetInfo)
        GetInfo();
    tell(Change::Info);
}

void Player::tell(Change change)
{
    if (changed)
        changed(change);
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
    m_engine.setURL(url());
    tell(Change::Item);
    lblFilename.setCaption(m_engine.currentMedia().name());
    m_engine.controls().play();
    refreshInfo();
    tmrTiming.setEnabled(true);
    IsPlaying = true;
    showPlayIcon(QStringLiteral("pause.ico"));
}

void Player::playlist(std::int16_t index)
{
    (void)startEntry(index);
}

bool Player::startEntry(std::int16_t index)
{
    try {
        startItem([&] { return m_list.List(index); });
        FromPlaylist = true;
        return true;
    } catch (const Failure& failure) {
        reportFailure(m_messages, failure.description());
        return false;
    }
}

void Player::cmdBrowse_Click()
{
    try {
        const QString file = m_dialogs.open(kOpenMediaTitle, kMediaFilter);
        if (file.isEmpty())
            return;  // cancelled: the current item plays on untouched
        FromPlaylist = false;
        startItem([&] { return file; });
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
        if (!IsPlaying) {
            resume();
        } else {
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
    ignoringFailure([&] { controls.play(); });
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

void Player::readLength()
{
    const std::int64_t length = std::max<std::int64_t>(roundHalfEven(m_engine.currentMedia().duration()), 0);
    // The bar's range is 16-bit: an item longer than 32,767 seconds gets the longest range the bar has,
    // while the length fields keep the whole length so the item still ends on time.
    {
        const QuietBar quiet(m_quietBar);
        scrollTiming.setMax(static_cast<int>(std::min<std::int64_t>(length, kInt16Max)));
    }
    const ClockTime time = splitSeconds(length);
    LengthHours = clampedInteger16(time.hours);
    LengthMinutes = static_cast<std::int16_t>(time.minutes);
    LengthSeconds = static_cast<std::int16_t>(time.seconds);
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
            lblTiming.setCaption(QStringLiteral("(") + m_engine.currentMedia().durationString() + QStringLiteral(")"));
            ClockHours = 0;
            ClockMinutes = 0;
            ClockSeconds = 1;
            readLength();
            scrollTiming.setValue(scrollTiming.Max() == 0 ? 0 : 1);  // 1 agrees with the clock: no seek
        }

        const std::int16_t max = scrollTiming.Max();
        const bool dvd = m_engine.dvd().isAvailable(QStringLiteral("dvd"));
        if (TickCount == 5 && max == 0 && !dvd) {  // the length was still unknown at the first tick
            refreshInfo();
            lblTiming.setCaption(QStringLiteral("(") + m_engine.currentMedia().durationString() + QStringLiteral(")"));
            readLength();
            // The clock already shows the fifth second. A length shorter than that puts the bar at its end
            // without seeking, and the item ends at this tick.
            if (scrollTiming.Max() >= 5)
                scrollTiming.setValue(5);
            else
                setBarQuietly(scrollTiming.Max());
        }

        lblHours.setCaption(twoDigits(ClockHours));
        lblMinutes.setCaption(twoDigits(ClockMinutes));
        lblSeconds.setCaption(twoDigits(ClockSeconds));

        const std::int64_t clock = ClockHours * 3600LL + ClockMinutes * 60LL + ClockSeconds;
        const std::int64_t length = LengthHours * 3600LL + LengthMinutes * 60LL + LengthSeconds;
        // An item of known length ends when the clock reaches it; a clock that has passed it (a length
        // learnt late, a resume past the end) ends it too. An item whose length is still unknown goes on
        // until the engine itself stops it, as it does with a file it cannot play: a broken playlist
        // entry is passed over instead of holding the list for ever.
        if (length > 0 ? clock >= length : m_engine.playState() == MediaEngine::Stopped)
            itemEnded();

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

void Player::itemEnded()
{
    tmrTiming.setEnabled(false);
    IsPlaying = false;
    tell(Change::Stopped);
    showPlayIcon(QStringLiteral("play.ico"));

    const int selected = m_list.ListIndex();
    const int count = m_list.ListCount();
    const bool repeat = ReadINI(ConfigPath, QStringLiteral("Player"), QStringLiteral("RepeatPlaylist"),
                                QStringLiteral("False")) == QStringLiteral("True");
    int next = -1;
    if (FromPlaylist && selected < count - 1)
        next = selected + 1;
    else if (repeat && count >= 1 && selected == count - 1)
        next = 0;
    // The next entry is started exactly once: moving the selection here does not raise the list's own
    // selection handling. An entry that cannot start (a missing file) is reported and passed over like
    // an entry that has ended, so one broken entry does not end the list: the advance goes on with the
    // entry after it, to the end of the list, and with repeat on at most once round it. An empty entry
    // (an empty line of a playlist file) names nothing to play and is passed over without a word.
    for (int tried = 0; next >= 0 && tried < count; ++tried) {
        if (!m_list.List(next).isEmpty()) {
            m_list.setListIndex(next, ListControl::Notify::No);
            if (startEntry(static_cast<std::int16_t>(next))) {
                TickCount = 0;  // the closing step of the tick makes it 1
                return;
            }
        }
        next = next + 1 < count ? next + 1 : (repeat ? 0 : -1);
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
    bool current = false;
    ignoringFailure([&] { current = url == m_engine.URL(); });
    if (!current)
        return;
    ignoringFailure([&] { lblFilename.setCaption(m_engine.currentMedia().name()); });
    refreshInfo();
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
