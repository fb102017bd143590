#include "VlcEngine.h"

#include "Failure.h"
#include "StreamTitle.h"
#include "VideoSurface.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <cmath>

namespace zendrix {

namespace {

constexpr double kFastForwardRate = 5.0;
constexpr int kReverseStepMs = 100;
constexpr double kReverseStepSeconds = 0.5;

double secondsOf(qint64 ms)
{
    return double(ms) / 1000.0;
}

qint64 msOf(double seconds)
{
    return qint64(std::llround(seconds * 1000.0));
}

} // namespace

VlcEngine::VlcEngine(const QStringList& extraVlcArgs, QObject* parent, Start when)
    : MediaEngine(parent), m_player(extraVlcArgs, when == Start::Now)
{
    connect(&m_player, &VlcPlayer::eventOccurred, this, &VlcEngine::onEvent, Qt::QueuedConnection);
    connect(&m_player.frames(), &VlcVideoFrames::frameReady, this, &VlcEngine::presentFrame,
            Qt::QueuedConnection);
    connect(this, &MediaEngine::Click, this, [this](short button, short, int, int) { onVideoClick(button); });
    m_reverseTimer.setInterval(kReverseStepMs);
    connect(&m_reverseTimer, &QTimer::timeout, this, &VlcEngine::stepBackwards);
}

VlcEngine::~VlcEngine() = default;

void VlcEngine::setVideoSurface(VideoSurface* surface)
{
    m_surface = surface;
}

void VlcEngine::setURL(const QString& url)
{
    endScan();
    m_url = url;
    m_source = resolveMediaSource(url);
    m_position = 0;
    m_duration = 0;
    m_tags = {};
    m_playFailed = false;
    m_startPosition.reset();
    m_dvdTitle = m_dvdChapter = -1;
    m_dvdCanResume = false;
    m_video.newItem();
    m_state = m_source.kind == MediaSource::Kind::None ? Undefined : Ready;
    const quint64 epoch = nextEpoch();
    m_itemEpoch = m_stateEpoch = m_timeEpoch = m_runEpoch = epoch;
    // A refused address never reaches libvlc: play() says the item cannot be played.
    if (m_source.kind == MediaSource::Kind::None || m_source.kind == MediaSource::Kind::Refused)
        m_player.unload(epoch);
    else
        m_player.load(m_source, epoch);
}

void VlcEngine::requireItem() const
{
    if (!m_engineFailure.isEmpty())
        throw EngineError(m_engineFailure);
    if (m_source.kind == MediaSource::Kind::None)
        throw EngineError(QStringLiteral("No media is loaded"));
}

bool VlcEngine::isRunning() const
{
    return m_state == Playing || m_state == Paused || m_state == ScanForward || m_state == ScanReverse ||
           m_state == Transitioning;
}

void VlcEngine::play()
{
    requireItem();
    if (m_state == ScanForward || m_state == ScanReverse || m_state == Paused) {
        holdPosition();
        endScan();
        m_state = Playing;
        m_player.resume(m_stateEpoch = nextEpoch());
        return;
    }
    if (m_state == Playing || m_state == Transitioning)
        return;
    if (m_source.kind == MediaSource::Kind::File && !QFileInfo(m_source.localPath).isReadable())
        throw EngineError(QStringLiteral("Cannot open \"%1\": the file does not exist or cannot be read")
                              .arg(QDir::toNativeSeparators(m_source.localPath)));
    if (m_source.kind == MediaSource::Kind::Refused)
        throw EngineError(QStringLiteral("Cannot play \"%1\": the player does not open addresses of this kind")
                              .arg(m_source.fileName));
    if (m_playFailed)
        throw EngineError(QStringLiteral("Cannot play \"%1\"").arg(m_source.fileName));
    VideoOutput output;
    if (m_surface)
        output.window = m_surface->nativeWindow();
    std::optional<qint64> start;
    if (m_startPosition)
        start = msOf(*m_startPosition);
    m_position = m_startPosition.value_or(0.0);
    m_startPosition.reset();
    m_state = Transitioning;
    m_player.play(output, start, m_stateEpoch = m_runEpoch = nextEpoch());
}

void VlcEngine::pause()
{
    requireItem();
    if (!isRunning())
        return;
    holdPosition();
    endScan();
    m_state = Paused;
    m_player.pause(m_stateEpoch = nextEpoch());
}

void VlcEngine::stop()
{
    requireItem();
    endScan();
    m_state = Stopped;
    m_position = 0;
    m_startPosition.reset();
    m_video.stopped();
    m_dvdTitle = m_dvdChapter = -1;
    m_dvdCanResume = false;
    m_stateEpoch = m_timeEpoch = m_runEpoch = nextEpoch();
    m_player.stop(m_stateEpoch);
}

void VlcEngine::fastForward()
{
    requireItem();
    if (m_state == ScanForward)
        return;
    if (!isRunning())
        play();
    holdPosition();
    endScan();
    m_state = ScanForward;
    m_stateEpoch = nextEpoch();
    m_player.resume(m_stateEpoch);
    m_player.setRate(float(kFastForwardRate));
}

void VlcEngine::fastReverse()
{
    requireItem();
    if (m_state == ScanReverse)
        return;
    if (!isRunning())
        throw EngineError(QStringLiteral("Cannot rewind: the item is not playing"));
    // libvlc accepts a negative rate but plays forwards all the same: the engine pauses and steps the
    // position back itself.
    holdPosition();
    m_state = ScanReverse;
    m_player.pause(m_stateEpoch = nextEpoch());
    m_reverseTimer.start();
}

void VlcEngine::stepBackwards()
{
    const double target = std::max(0.0, m_position - kReverseStepSeconds);
    m_position = target;
    m_player.seek(msOf(target), m_timeEpoch = nextEpoch());
    if (target <= 0.0) {
        // At the start the rewind is over; the item waits there, paused.
        m_reverseTimer.stop();
        m_state = Paused;
    }
}

void VlcEngine::endScan()
{
    if (m_state == ScanForward)
        m_player.setRate(float(m_rate));
    m_reverseTimer.stop();
}

void VlcEngine::setRate(double rate)
{
    m_rate = std::isfinite(rate) ? std::clamp(rate, kMinRate, kMaxRate) : 1.0;
    // Winding keeps its own speed; the chosen one returns when it ends.
    m_player.setSpeed(float(m_rate),
                      m_state == ScanForward ? VlcPlayer::Apply::Later : VlcPlayer::Apply::Now);
}

void VlcEngine::next()
{
    requireItem();
    m_player.nextChapter();
}

void VlcEngine::previous()
{
    requireItem();
    m_player.previousChapter();
}

void VlcEngine::setCurrentPosition(double seconds)
{
    requireItem();
    if (!std::isfinite(seconds))
        throw EngineError(QStringLiteral("Invalid position"));
    seconds = std::max(0.0, seconds);
    if (duration() > 0)
        seconds = std::min(seconds, duration());
    m_position = seconds;
    if (!isRunning()) {
        m_startPosition = seconds;
        return;
    }
    m_player.seek(msOf(seconds), m_timeEpoch = nextEpoch());
}

double VlcEngine::currentPosition() const
{
    // libvlc's latest report, unless the engine's own commands have moved on from it since.
    if (isRunning() && m_state != ScanReverse) {
        const VlcPlayer::Position reported = m_player.position();
        if (reported.epoch >= m_timeEpoch && reported.epoch >= m_stateEpoch)
            return secondsOf(reported.ms);
    }
    return m_position;
}

QString VlcEngine::name() const
{
    if (m_source.kind == MediaSource::Kind::Stream) {
        const QString title = streamTitle(m_tags.title, m_tags.nowPlaying);
        return title.isEmpty() ? m_source.name : title;
    }
    return m_tags.title.isEmpty() ? m_source.name : m_tags.title;
}

void VlcEngine::refreshNowPlaying()
{
    if (m_source.kind == MediaSource::Kind::Stream && isRunning())
        m_player.readTagsAgain();
}

double VlcEngine::duration() const
{
    if (m_source.kind == MediaSource::Kind::Dvd && m_dvdTitle <= 0)
        return 0;
    return m_duration;
}

QString VlcEngine::getItemInfo(const QString& attribute) const
{
    requireItem();
    if (attribute == QLatin1String("Title"))
        return name();
    if (attribute == QLatin1String("Author"))
        return m_tags.artist;
    if (attribute == QLatin1String("Album"))
        return m_tags.album;
    if (attribute == QLatin1String("WM/Genre"))
        return m_tags.genre;
    if (attribute == QLatin1String("Size")) {
        if (const std::optional<qint64> size = mediaSizeInBytes(m_source))
            return QString::number(*size);
        throw EngineError(QStringLiteral("The size of \"%1\" is not known").arg(m_source.fileName));
    }
    throw EngineError(QStringLiteral("Unknown attribute \"%1\"").arg(attribute));
}

void VlcEngine::setVolume(long volume)
{
    m_volume = std::clamp(volume, 0L, 100L);
    m_player.setVolume(int(m_volume));
}

void VlcEngine::setFullScreen(bool on)
{
    m_fullScreen = on;
    if (m_surface)
        m_surface->setFullScreen(on);
}

DvdPlace VlcEngine::dvdPlace() const
{
    DvdPlace place;
    place.loaded = m_source.kind == MediaSource::Kind::Dvd;
    place.running = isRunning();
    place.title = m_dvdTitle;
    place.chapter = m_dvdChapter;
    place.canResume = m_dvdCanResume;
    return place;
}

bool VlcEngine::isAvailable(const QString& item) const
{
    return dvdItemAvailable(item, dvdPlace());
}

void VlcEngine::navigateDvd(DvdCommand command)
{
    requireItem();
    const std::optional<DvdAction> action = dvdActionFor(command, dvdPlace());
    if (!action)
        throw EngineError(QStringLiteral("This DVD command is not available now"));
    holdPosition();
    endScan();
    if (m_state != Paused)
        m_state = Playing;
    m_stateEpoch = m_timeEpoch = nextEpoch();
    m_player.dvd(*action, m_stateEpoch);
}

void VlcEngine::onVideoClick(short button)
{
    if (button == 1 && m_source.kind == MediaSource::Kind::Dvd && m_dvdTitle == 0 && isRunning())
        m_player.activateMenuButton();
}

void VlcEngine::presentFrame()
{
    const QImage frame = m_player.frames().takeFrame();
    if (m_surface && !frame.isNull() && m_surface->nativeWindow() == 0)
        m_surface->presentFrame(frame);
}

void VlcEngine::onEvent(const VlcEvent& event)
{
    using Type = VlcEvent::Type;
    if (event.type == Type::Failed) {
        m_engineFailure = event.text;
        return;
    }
    if (event.type == Type::Volume) {
        m_outputVolume = int(event.value);
        return;
    }
    if (event.type == Type::Devices) {
        if (m_audio.takeDevices(event.devices))
            Q_EMIT OutputDevicesChange();
        return;
    }
    if (event.type == Type::Snapshot) {
        if (event.value)
            Q_EMIT SnapshotTaken(event.text);
        else
            Q_EMIT SnapshotFailed(event.text);
        return;
    }
    if (event.type == Type::Tracks) {
        // A reading from before the item's latest start or stop tells of tracks that are gone.
        if (event.epoch >= m_runEpoch && m_video.take(event.tracks))
            Q_EMIT TracksChange();
        return;
    }
    if (event.epoch < m_itemEpoch) {
        if (event.type == VlcEvent::Type::Meta)
            ++m_droppedTagReports;
        return;
    }
    switch (event.type) {
    case Type::Length:
    case Type::Duration:
        if (event.value > 0)
            m_duration = secondsOf(event.value);
        return;
    case Type::Meta:
        if (event.tags == m_tags)
            return;
        m_tags = event.tags;
        Q_EMIT MediaChange(m_url);
        return;
    case Type::Title: {
        const DvdPlace moved = dvdTitleChanged(dvdPlace(), int(event.value));
        m_dvdTitle = moved.title;
        m_dvdCanResume = moved.canResume;
        return;
    }
    case Type::Chapter:
        m_dvdChapter = int(event.value);
        return;
    case Type::Ended:
    case Type::Error:
        // The item is over whatever was asked of it since it started (a pause, a wind, a seek that came
        // too late): only a new start, a stop or another item make the report an old one.
        // A live stream has no end of its own: its end is a connection lost for good.
        if (event.epoch >= m_runEpoch)
            itemOver(event.type == Type::Error ||
                     (m_source.kind == MediaSource::Kind::Stream && m_duration <= 0));
        return;
    default:
        if (event.epoch >= m_stateEpoch)
            onStateEvent(event);
        return;
    }
}

void VlcEngine::onStateEvent(const VlcEvent& event)
{
    using Type = VlcEvent::Type;
    switch (event.type) {
    case Type::Opening:
        m_state = Transitioning;
        return;
    case Type::Playing:
        if (m_state != ScanForward && m_state != ScanReverse)
            m_state = Playing;
        return;
    case Type::Paused:
        if (m_state != ScanReverse)
            m_state = Paused;
        return;
    case Type::Stopped:
        if (m_state != Ready)
            m_state = Stopped;
        return;
    default:
        return;
    }
}

void VlcEngine::itemOver(bool failed)
{
    endScan();
    m_state = Stopped;
    m_position = 0;
    m_video.stopped();
    // A file that failed fails again; a stream's station may be back at the next try.
    m_playFailed = failed && m_source.kind != MediaSource::Kind::Stream;
    // Last: a listener may load and start the next item at once.
    if (failed)
        Q_EMIT MediaError(m_url);
    else
        Q_EMIT EndOfStream(m_url);
}

} // namespace zendrix
