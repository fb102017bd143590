#include "PlayerRemote.h"

#include "Addresses.h"
#include "Conversions.h"
#include "Failure.h"

#include <algorithm>
#include <cmath>

namespace zendrix {

namespace {

constexpr double kMicroseconds = 1e6;

// A read the engine may refuse; the refusal reads as `fallback`.
template <typename Read, typename T> T readOr(Read&& read, T fallback)
{
    try {
        return read();
    } catch (const Failure&) {
        return fallback;
    }
}

} // namespace

PlayerRemote::PlayerRemote(Player& player, MediaEngine& engine, ListControl& lstPlaylist,
                           RepeatSetting& repeat, PlayOrder* order)
    : m_player(player), m_engine(engine), m_list(lstPlaylist), m_repeat(repeat), m_order(order)
{
    connect(&m_player, &Player::changed, this, &PlayerRemote::onChange);
    // What the player does not tell: the list's entries and selection decide the neighbours of the
    // playing entry, and the repeat setting whether the list goes round.
    connect(&m_list, &ListControl::reset, this, &PlayerRemote::changed);
    connect(&m_list, &ListControl::selectionChanged, this, &PlayerRemote::changed);
    connect(&m_list, &ListControl::inserted, this, &PlayerRemote::changed);
    connect(&m_list, &ListControl::removed, this, &PlayerRemote::changed);
    connect(&m_repeat, &RepeatSetting::changed, this, &PlayerRemote::changed);
    connect(&m_list, &ListControl::rearranged, this, &PlayerRemote::changed);
    if (m_order) {
        connect(&m_order->shuffle(), &SwitchSetting::changed, this, &PlayerRemote::changed);
        connect(&m_order->queue(), &PlayQueue::changed, this, &PlayerRemote::changed);
    }
}

void PlayerRemote::onChange(Player::Change change)
{
    switch (change) {
    case Player::Change::Item:
        ++m_items;
        m_held = false;
        break;
    case Player::Change::Playing:
    case Player::Change::Stopped:
        m_held = false;
        break;
    case Player::Change::Paused:
        m_held = true;
        break;
    case Player::Change::Info:
    case Player::Change::Seeked:
    case Player::Change::Volume:
    case Player::Change::Rate:
        break;
    }
    if (change == Player::Change::Seeked)
        Q_EMIT seeked();
    Q_EMIT changed();
}

bool PlayerRemote::loaded() const
{
    return readOr([this] { return !m_engine.URL().isEmpty(); }, false);
}

bool PlayerRemote::isDvd() const
{
    return readOr([this] { return m_engine.dvd().isAvailable(QStringLiteral("dvd")); }, false);
}

PlayerRemote::Status PlayerRemote::status() const
{
    if (m_player.IsPlaying)
        return Status::Playing;
    return m_held && loaded() ? Status::Paused : Status::Stopped;
}

void PlayerRemote::play()
{
    if (!m_player.IsPlaying)
        m_player.cmdControls_Click(Player::Play);
}

void PlayerRemote::pause()
{
    if (m_player.IsPlaying)
        m_player.cmdControls_Click(Player::Play);
}

void PlayerRemote::playPause()
{
    m_player.cmdControls_Click(Player::Play);
}

void PlayerRemote::stop()
{
    m_player.cmdControls_Click(Player::Stop);
}

std::optional<int> PlayerRemote::neighbour(int step) const
{
    if (!m_player.FromPlaylist)
        return std::nullopt;
    const int count = m_list.ListCount();
    const int current = m_list.ListIndex();
    // With nothing selected (the playing entry was removed) the list goes on from its start, as the
    // end-of-item advance does.
    if (current < 0)
        return step > 0 && count > 0 ? std::optional<int>(0) : std::nullopt;
    int target = current + step;
    if (target < 0 || target >= count) {
        if (!repeat())
            return std::nullopt;
        target = (target + count) % count;
    }
    return target == current ? std::nullopt : std::optional<int>(target);
}

void PlayerRemote::next()
{
    if (isDvd()) {
        m_player.cmdControls_Click(Player::Next);
    } else if (const std::optional<int> chosen =
                   m_order ? m_order->takeNext(m_list.ListIndex(), m_player.FromPlaylist) : std::nullopt) {
        if (*chosen >= 0)
            m_player.playlistStep(static_cast<std::int16_t>(*chosen), 1);
    } else if (const std::optional<int> entry = neighbour(1)) {
        m_player.playlistStep(static_cast<std::int16_t>(*entry), 1);
    }
}

void PlayerRemote::previous()
{
    if (isDvd()) {
        m_player.cmdControls_Click(Player::Previous);
    } else if (const std::optional<int> chosen =
                   m_order ? m_order->takePrevious(m_player.FromPlaylist) : std::nullopt) {
        if (*chosen >= 0)
            m_player.playlistStep(static_cast<std::int16_t>(*chosen), -1);
    } else if (const std::optional<int> entry = neighbour(-1)) {
        m_player.playlistStep(static_cast<std::int16_t>(*entry), -1);
    }
}

bool PlayerRemote::canGoNext() const
{
    if (isDvd())
        return true;
    if (const std::optional<bool> decided = m_order ? m_order->hasNext(m_player.FromPlaylist) : std::nullopt)
        return *decided;
    return neighbour(1).has_value();
}

bool PlayerRemote::canGoPrevious() const
{
    if (isDvd())
        return true;
    if (const std::optional<bool> decided =
            m_order ? m_order->hasPrevious(m_player.FromPlaylist) : std::nullopt)
        return *decided;
    return neighbour(-1).has_value();
}

bool PlayerRemote::canPlay() const
{
    return loaded();
}

bool PlayerRemote::canPause() const
{
    return loaded();
}

bool PlayerRemote::canSeek() const
{
    return lengthUs().has_value();
}

std::optional<std::int64_t> PlayerRemote::lengthUs() const
{
    // The length fields belong to the current item once its first tick has read them; before that they
    // still hold the previous item's.
    const std::int64_t seconds =
        m_player.LengthHours * 3600LL + m_player.LengthMinutes * 60LL + m_player.LengthSeconds;
    if (m_player.TickCount <= 1 || seconds <= 0 || !loaded())
        return std::nullopt;
    return seconds * 1'000'000;
}

std::int64_t PlayerRemote::positionUs() const
{
    if (!loaded())
        return 0;
    const double seconds = readOr([this] { return m_engine.controls().currentPosition(); }, 0.0);
    return std::isfinite(seconds) && seconds > 0 ? std::llround(seconds * kMicroseconds) : 0;
}

void PlayerRemote::moveSeekBar(std::int64_t seconds)
{
    ScrollBarControl& bar = m_player.scrollTiming;
    const int value = static_cast<int>(std::clamp<std::int64_t>(seconds, bar.Min(), bar.Max()));
    bar.setValue(value); // within the range: the bar's change handling seeks, or reports its failure
}

void PlayerRemote::seekBy(std::int64_t offsetUs)
{
    if (!canSeek())
        return;
    // The offset goes from where the bar stands: the player's own idea of the position, so that a step
    // of a second always moves the bar by one.
    moveSeekBar(m_player.scrollTiming.Value() + roundHalfEven(static_cast<double>(offsetUs) / kMicroseconds));
}

bool PlayerRemote::setPosition(std::int64_t positionUs)
{
    const std::optional<std::int64_t> length = lengthUs();
    if (!length || positionUs < 0 || positionUs > *length)
        return false;
    moveSeekBar(roundHalfEven(static_cast<double>(positionUs) / kMicroseconds));
    return true;
}

double PlayerRemote::volume() const
{
    const ScrollBarControl& bar = m_player.scrollVolume;
    return bar.Max() > 0 ? static_cast<double>(bar.Value()) / bar.Max() : 0.0;
}

bool PlayerRemote::setVolume(double volume)
{
    if (!std::isfinite(volume))
        return false;
    ScrollBarControl& bar = m_player.scrollVolume;
    const auto value = static_cast<int>(std::lround(std::clamp(volume, 0.0, 1.0) * bar.Max()));
    bar.setValue(value);
    return true;
}

bool PlayerRemote::setRate(double rate)
{
    if (!std::isfinite(rate) || rate < 0)
        return false;
    if (rate == 0)
        pause();
    else
        m_player.setSpeed(rate);
    return true;
}

bool PlayerRemote::repeat() const
{
    return m_repeat.isOn();
}

void PlayerRemote::setRepeat(bool on)
{
    m_repeat.store(on);
}

bool PlayerRemote::shuffle() const
{
    return m_order && m_order->shuffles();
}

void PlayerRemote::setShuffle(bool on)
{
    if (m_order)
        m_order->shuffle().store(on);
}

std::optional<PlayerRemote::Track> PlayerRemote::track() const
{
    const QString url = readOr([this] { return m_engine.URL(); }, QString());
    if (url.isEmpty())
        return std::nullopt;
    EngineMedia& media = m_engine.currentMedia();
    const auto tag = [&media](const char* attribute) {
        return readOr([&] { return media.getItemInfo(QString::fromLatin1(attribute)); }, QString());
    };
    Track track;
    track.number = m_items;
    track.title = m_player.lblFilename.Caption();
    track.artist = tag("Author");
    track.album = tag("Album");
    track.genre = tag("WM/Genre");
    track.url = mediaUri(url);
    track.lengthUs = lengthUs();
    return track;
}

} // namespace zendrix
