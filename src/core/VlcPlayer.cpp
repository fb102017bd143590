#include "VlcPlayer.h"

#include "Addresses.h"

#include <QFileInfo>
#include <QVector>
#include <cstdlib>
#include <cstring>
#include <vlc/vlc.h>

namespace zendrix {

namespace {

// What the engine never wants from libvlc: its own windows, dialogs, on-screen texts, lookups on the
// network or the user's VLC settings.
const QStringList kBaseArgs{
    QStringLiteral("--ignore-config"),
    QStringLiteral("--no-video-title-show"),
    QStringLiteral("--no-osd"),
    QStringLiteral("--no-interact"),
    QStringLiteral("--no-stats"),
    QStringLiteral("--no-snapshot-preview"),
    QStringLiteral("--no-metadata-network-access"),
    QStringLiteral("--quiet"),
    // A stream whose connection drops is taken up again where it left off.
    QStringLiteral("--http-reconnect"),
};

const libvlc_event_e kPlayerEvents[] = {
    libvlc_MediaPlayerOpening,        libvlc_MediaPlayerPlaying,       libvlc_MediaPlayerPaused,
    libvlc_MediaPlayerStopped,        libvlc_MediaPlayerEndReached,    libvlc_MediaPlayerEncounteredError,
    libvlc_MediaPlayerTimeChanged,    libvlc_MediaPlayerLengthChanged, libvlc_MediaPlayerTitleChanged,
    libvlc_MediaPlayerChapterChanged, libvlc_MediaPlayerESAdded,       libvlc_MediaPlayerESDeleted,
    libvlc_MediaPlayerESSelected,     libvlc_MediaPlayerVout,
};

const libvlc_event_e kMediaEvents[] = {libvlc_MediaMetaChanged, libvlc_MediaParsedChanged,
                                       libvlc_MediaDurationChanged};

// libvlc reports an estimated length (an MP3 without an index) several times a second while it plays,
// moving by a few milliseconds; only a change the player could show is passed on. Any thread.
bool lengthMoved(std::atomic<qint64>& reported, qint64 ms)
{
    constexpr qint64 kShownMs = 100;
    const qint64 last = reported.load();
    if (last >= 0 && std::abs(ms - last) < kShownMs)
        return false;
    reported.store(ms);
    return true;
}

// libvlc's audio callbacks, passed on to the listener they were set for.
int audioSetup(void** listener, char* format, unsigned* rate, unsigned* channels)
{
    std::memcpy(format, "S16N", 4);
    *channels = 1;
    static_cast<AudioListener*>(*listener)->started(*rate);
    return 0;
}

void audioCleanup(void* listener)
{
    static_cast<AudioListener*>(listener)->stopped();
}

void audioPlay(void* listener, const void* samples, unsigned count, int64_t pts)
{
    static_cast<AudioListener*>(listener)->play(static_cast<const qint16*>(samples), count, pts);
}

void audioFlush(void* listener, int64_t)
{
    static_cast<AudioListener*>(listener)->flush(libvlc_clock());
}

void audioDrain(void* listener)
{
    static_cast<AudioListener*>(listener)->drain();
}

// The listener hears the samples as decoded: the volume is the sound card's business.
void audioVolume(void*, float, bool) {}

QString metaOf(libvlc_media_t* media, libvlc_meta_t meta)
{
    char* text = libvlc_media_get_meta(media, meta);
    const QString result = QString::fromUtf8(text);
    libvlc_free(text);
    return result;
}

} // namespace

qint64 libvlcClockUs()
{
    return libvlc_clock();
}

VlcPlayer::VlcPlayer(const QStringList& extraArgs, bool startNow, QObject* parent) : QObject(parent)
{
    qRegisterMetaType<VlcEvent>();
    m_thread.setObjectName(QStringLiteral("libvlc"));
    // Tasks posted to the worker before its thread runs wait in its queue, the start of libvlc first.
    m_worker = new QObject;
    m_worker->moveToThread(&m_thread);
    if (startNow)
        start();
    QStringList args = kBaseArgs;
    // MIDI needs a General MIDI sound font; Debian's fluid-soundfont-gm puts one here.
    const QString soundFont = QStringLiteral("/usr/share/sounds/sf2/FluidR3_GM.sf2");
    if (QFileInfo::exists(soundFont))
        args << QStringLiteral("--soundfont=") + soundFont;
    post([this, args = args + extraArgs] {
        m_baseArgs = args;
        startLibvlc();
    });
}

void VlcPlayer::start()
{
    if (m_started)
        return;
    m_started = true;
    m_thread.start();
}

VlcPlayer::~VlcPlayer()
{
    if (!m_started) {
        // libvlc never started: there is nothing to release, and the queued tasks go with the worker.
        delete m_worker;
        return;
    }
    // Everything queued before runs first, then libvlc goes; only then does the thread end.
    QMetaObject::invokeMethod(
        m_worker, [this] { releaseAll(); }, Qt::BlockingQueuedConnection);
    m_thread.quit();
    m_thread.wait();
    delete m_worker;
}

void VlcPlayer::post(std::function<void()> task)
{
    QMetaObject::invokeMethod(m_worker, std::move(task), Qt::QueuedConnection);
}

void VlcPlayer::report(VlcEvent::Type type, qint64 value, const QString& text)
{
    VlcEvent event;
    event.type = type;
    event.epoch = m_epoch.load();
    event.value = value;
    event.text = text;
    report(std::move(event));
}

void VlcPlayer::report(VlcEvent event)
{
    Q_EMIT eventOccurred(event);
}

VlcPlayer::Position VlcPlayer::position() const
{
    const std::lock_guard lock(m_positionMutex);
    return m_position;
}

void VlcPlayer::startLibvlc()
{
    // libvlc unloads its plugins when its last instance goes, and a library that a plugin brings in
    // may not survive being loaded again in the same process (fluidsynth's instrument library hangs in
    // its second start-up). One quiet instance that lives as long as the process keeps them loaded for
    // every engine made after the first, and for libvlc started afresh (VlcAudio.cpp). The
    // pointer is volatile so that it is kept in memory, where a leak checker sees that the instance is
    // meant to live on, rather than dropped as never read.
    static libvlc_instance_t* volatile keepPluginsLoaded = [] {
        const char* quiet[] = {"--ignore-config", "--quiet"};
        return libvlc_new(2, quiet);
    }();
    Q_UNUSED(keepPluginsLoaded);

    if (!makeLibvlc()) {
        const char* why = libvlc_errmsg();
        report(VlcEvent::Type::Failed, 0,
               QStringLiteral("The media library could not be started (%1)")
                   .arg(why ? QString::fromUtf8(why) : QStringLiteral("libvlc is missing or broken")));
        return;
    }
    listOutputDevices();
}

bool VlcPlayer::makeLibvlc()
{
    m_startedArgs = libvlcArgs();
    QVector<QByteArray> storage;
    for (const QString& arg : std::as_const(m_startedArgs))
        storage << arg.toUtf8();
    QVector<const char*> argv;
    for (const QByteArray& arg : storage)
        argv << arg.constData();
    m_vlc = libvlc_new(int(argv.size()), argv.data());
    if (m_vlc)
        m_player = libvlc_media_player_new(m_vlc);
    if (!m_player)
        return false;
    // Clicks and keys on the video belong to the video window, which turns them into the engine's own
    // events; libvlc must not take them.
    libvlc_video_set_mouse_input(m_player, 0);
    libvlc_video_set_key_input(m_player, 0);
    libvlc_event_manager_t* events = libvlc_media_player_event_manager(m_player);
    for (libvlc_event_e type : kPlayerEvents)
        libvlc_event_attach(events, type, &VlcPlayer::onPlayerEvent, this);
    attachListener();
    applyEqualizer();
    m_deviceApplied = m_device.isEmpty();
    m_outputChosen = false;
    return true;
}

void VlcPlayer::releaseLibvlc()
{
    if (m_player) {
        libvlc_media_player_stop(m_player);
        libvlc_event_manager_t* events = libvlc_media_player_event_manager(m_player);
        for (libvlc_event_e type : kPlayerEvents)
            libvlc_event_detach(events, type, &VlcPlayer::onPlayerEvent, this);
        libvlc_media_player_release(m_player);
        m_player = nullptr;
    }
    if (m_vlc)
        libvlc_release(m_vlc);
    m_vlc = nullptr;
}

void VlcPlayer::listenWith(AudioListener* listener)
{
    post([this, listener] {
        m_listener = listener;
        attachListener();
    });
}

void VlcPlayer::attachListener()
{
    if (!m_player || !m_listener)
        return;
    libvlc_audio_set_callbacks(m_player, audioPlay, nullptr, nullptr, audioFlush, audioDrain, m_listener);
    libvlc_audio_set_format_callbacks(m_player, audioSetup, audioCleanup);
    libvlc_audio_set_volume_callback(m_player, audioVolume);
}

void VlcPlayer::releaseMedia()
{
    if (!m_media)
        return;
    // Detaching waits for a callback that runs, so the item's record can go once this is done.
    libvlc_event_manager_t* events = libvlc_media_event_manager(m_media);
    for (libvlc_event_e type : kMediaEvents)
        libvlc_event_detach(events, type, &VlcPlayer::onMediaEvent, m_item.get());
    libvlc_media_parse_stop(m_media);
    libvlc_media_release(m_media);
    m_media = nullptr;
    m_item.reset();
}

void VlcPlayer::releaseAll()
{
    if (m_player)
        libvlc_media_player_stop(m_player);
    // The item goes before the instance that made it.
    releaseMedia();
    releaseLibvlc();
}

void VlcPlayer::load(const MediaSource& source, quint64 epoch)
{
    post([this, source, epoch] {
        if (!m_player)
            return begin(epoch);
        // The old item stops before the new epoch begins, so that its last events count as old.
        libvlc_media_player_stop(m_player);
        begin(epoch);
        releaseMedia();
        remakeIfWanted();
        if (!m_player) {
            report(VlcEvent::Type::Error);
            return;
        }
        applyOutputDevice();
        m_reportedLength = -1;
        m_titleEntered = false;
        m_tags = {};
        m_tracks = {};
        // The player keeps a shape it was given from item to item; each item starts with its own.
        libvlc_video_set_aspect_ratio(m_player, nullptr);
        // The last check before libvlc: whatever a caller did, only the addresses the player plays open.
        if (!isPlayableAddress(source.location)) {
            report(VlcEvent::Type::Error);
            return;
        }
        m_media = libvlc_media_new_location(m_vlc, source.location.toUtf8().constData());
        if (!m_media) {
            report(VlcEvent::Type::Error);
            return;
        }
        m_item = std::make_unique<Item>();
        m_item->player = this;
        m_item->epoch = epoch;
        m_item->location = source.location;
        for (const QString& option : source.options)
            libvlc_media_add_option(m_media, option.toUtf8().constData());
        libvlc_event_manager_t* events = libvlc_media_event_manager(m_media);
        for (libvlc_event_e type : kMediaEvents)
            libvlc_event_attach(events, type, &VlcPlayer::onMediaEvent, m_item.get());
        libvlc_media_player_set_media(m_player, m_media);
        // Tags and length of local files come within milliseconds; a DVD tells its titles once it plays.
        if (source.kind == MediaSource::Kind::File)
            libvlc_media_parse_with_options(m_media, libvlc_media_parse_local, 5000);
    });
}

void VlcPlayer::unload(quint64 epoch)
{
    post([this, epoch] {
        if (m_player)
            libvlc_media_player_stop(m_player);
        begin(epoch);
        if (!m_player)
            return;
        libvlc_media_player_set_media(m_player, nullptr);
        releaseMedia();
        m_reportedLength = -1;
    });
}

void VlcPlayer::play(VideoOutput output, std::optional<qint64> startMs, quint64 epoch)
{
    post([this, output, startMs, epoch] {
        if (!m_player || !m_media)
            return begin(epoch);
        if (output.window != 0)
            libvlc_media_player_set_xwindow(m_player, uint32_t(output.window));
        else
            m_frames.attach(m_player);
        // After the end or an error libvlc keeps the finished input, and play() would only wake it:
        // it must be stopped before the item can start again.
        const libvlc_state_t state = libvlc_media_player_get_state(m_player);
        if (state == libvlc_Ended || state == libvlc_Error)
            libvlc_media_player_stop(m_player);
        begin(epoch);
        m_streamFound = false;
        libvlc_media_player_set_rate(m_player, m_speed);
        libvlc_media_player_play(m_player);
        // A position chosen while stopped: the input takes it as its first command.
        if (startMs && *startMs > 0)
            libvlc_media_player_set_time(m_player, *startMs);
    });
}

void VlcPlayer::resume(quint64 epoch)
{
    setPaused(false, epoch);
}

void VlcPlayer::pause(quint64 epoch)
{
    setPaused(true, epoch);
}

// Both at the chosen speed, so that a pause or resume also ends a scan.
void VlcPlayer::setPaused(bool paused, quint64 epoch)
{
    post([this, paused, epoch] {
        begin(epoch);
        if (!m_player)
            return;
        libvlc_media_player_set_rate(m_player, m_speed);
        libvlc_media_player_set_pause(m_player, paused ? 1 : 0);
    });
}

void VlcPlayer::stop(quint64 epoch)
{
    post([this, epoch] {
        begin(epoch);
        if (m_player)
            libvlc_media_player_stop(m_player);
    });
}

void VlcPlayer::seek(qint64 ms, quint64 epoch)
{
    post([this, ms, epoch] {
        begin(epoch);
        if (m_player)
            libvlc_media_player_set_time(m_player, ms);
    });
}

void VlcPlayer::setRate(float rate)
{
    post([this, rate] {
        if (m_player)
            libvlc_media_player_set_rate(m_player, rate);
    });
}

void VlcPlayer::setSpeed(float speed, Apply apply)
{
    post([this, speed, apply] {
        m_speed = speed;
        if (m_player && apply == Apply::Now)
            libvlc_media_player_set_rate(m_player, speed);
    });
}

void VlcPlayer::setVolume(int volume)
{
    post([this, volume] {
        m_volume = volume;
        applyVolume();
    });
}

void VlcPlayer::applyVolume()
{
    if (!m_player || m_volume < 0) {
        m_volumeWanted = false;
        return;
    }
    // While the audio output is being set up for a new item there is none to take the volume; the
    // position reports that follow bring the worker back here until one has taken it. (Reading the
    // volume back is no proof: libvlc reports a change only after the output has applied it.)
    const bool taken = libvlc_audio_set_volume(m_player, m_volume) == 0;
    m_volumeWanted = !taken;
    if (taken)
        report(VlcEvent::Type::Volume, m_volume);
}

void VlcPlayer::retryVolume()
{
    if (m_volumeWanted && !m_volumeQueued.exchange(true))
        post([this] {
            m_volumeQueued = false;
            applyVolume();
        });
}

void VlcPlayer::readTags(quint64 epoch)
{
    if (!m_media || !m_item || m_item->epoch != epoch)
        return; // the item has gone since libvlc told of new tags
    // Cleared first: tags that change while they are read here queue another reading.
    m_item->tagsQueued = false;
    VlcEvent event;
    event.type = VlcEvent::Type::Meta;
    event.epoch = epoch;
    event.tags = {metaOf(m_media, libvlc_meta_Title), metaOf(m_media, libvlc_meta_Artist),
                  metaOf(m_media, libvlc_meta_Album), metaOf(m_media, libvlc_meta_Genre),
                  metaOf(m_media, libvlc_meta_NowPlaying)};
    if (isPlaceholderTitle(event.tags.title, m_item->location))
        event.tags.title.clear();
    // Matroska and WebM files tagged for a whole album name their artist only there.
    if (event.tags.artist.isEmpty())
        event.tags.artist = metaOf(m_media, libvlc_meta_AlbumArtist);
    if (event.tags == m_tags)
        return;
    m_tags = event.tags;
    report(std::move(event));
}

void VlcPlayer::readTagsAgain()
{
    // The item's change event for "now playing" does not always come: the text is read where it is.
    post([this] {
        if (m_item && !m_item->tagsQueued)
            readTags(m_item->epoch);
    });
}

void VlcPlayer::nextChapter()
{
    post([this] {
        if (m_player)
            libvlc_media_player_next_chapter(m_player);
    });
}

void VlcPlayer::previousChapter()
{
    post([this] {
        if (m_player)
            libvlc_media_player_previous_chapter(m_player);
    });
}

void VlcPlayer::dvd(DvdAction action, quint64 epoch)
{
    post([this, action, epoch] {
        begin(epoch);
        if (!m_player)
            return;
        // The title is read here rather than taken from the caller: the disc may have moved on its own.
        const bool inMenu = libvlc_media_player_get_title(m_player) == 0;
        switch (action) {
        case DvdAction::ShowRootMenu:
            if (!inMenu) {
                libvlc_media_player_set_title(m_player, 0);
            } else if (m_titleEntered) {
                libvlc_media_player_set_chapter(m_player, 1);
            } else {
                // The root menu belongs to a title set, and a first-play program that went straight
                // to the disc's title menu has entered none: enter the first title's and ask for its
                // menu at once, before a picture of the title is shown. libvlc keeps only the last of
                // two title requests in a row; a request of another kind between them (the rate it
                // already has) keeps both.
                libvlc_media_player_set_title(m_player, 1);
                libvlc_media_player_set_rate(m_player, libvlc_media_player_get_rate(m_player));
                libvlc_media_player_set_title(m_player, 0);
            }
            break;
        case DvdAction::ShowTitleMenu:
            if (!inMenu)
                libvlc_media_player_set_title(m_player, 0);
            libvlc_media_player_set_chapter(m_player, 2);
            break;
        case DvdAction::Resume:
            if (inMenu)
                libvlc_media_player_set_chapter(m_player, 0);
            break;
        }
    });
}

void VlcPlayer::activateMenuButton()
{
    post([this] {
        if (m_player)
            libvlc_media_player_navigate(m_player, libvlc_navigate_activate);
    });
}

void VlcPlayer::onPlayerEvent(const libvlc_event_t* event, void* opaque)
{
    // libvlc's thread, with libvlc's locks held: only read the event and pass it on, never call back.
    auto* self = static_cast<VlcPlayer*>(opaque);
    using Type = VlcEvent::Type;
    switch (event->type) {
    case libvlc_MediaPlayerOpening:
        return self->report(Type::Opening);
    case libvlc_MediaPlayerPlaying:
        // Each item starts with the engine's volume, whatever the audio output held before.
        self->m_volumeWanted = true;
        self->retryVolume();
        return self->report(Type::Playing);
    case libvlc_MediaPlayerPaused:
        return self->report(Type::Paused);
    case libvlc_MediaPlayerStopped:
        self->queueTracks();
        return self->report(Type::Stopped);
    case libvlc_MediaPlayerEndReached:
        // libvlc "plays" a file it finds nothing in (text named .mp3, a folder) by ending it at once.
        return self->report(self->m_streamFound ? Type::Ended : Type::Error);
    case libvlc_MediaPlayerESAdded:
        self->m_streamFound = true;
        return self->queueTracks();
    case libvlc_MediaPlayerESDeleted:
    case libvlc_MediaPlayerESSelected:
    case libvlc_MediaPlayerVout:
        return self->queueTracks();
    case libvlc_MediaPlayerEncounteredError:
        return self->report(Type::Error);
    case libvlc_MediaPlayerTimeChanged: {
        {
            const std::lock_guard lock(self->m_positionMutex);
            self->m_position = {event->u.media_player_time_changed.new_time, self->m_epoch.load()};
        }
        self->retryVolume();
        return;
    }
    case libvlc_MediaPlayerLengthChanged: {
        const qint64 length = event->u.media_player_length_changed.new_length;
        if (lengthMoved(self->m_reportedLength, length))
            self->report(Type::Length, length);
        return;
    }
    case libvlc_MediaPlayerTitleChanged:
        if (event->u.media_player_title_changed.new_title > 0)
            self->m_titleEntered = true;
        return self->report(Type::Title, event->u.media_player_title_changed.new_title);
    case libvlc_MediaPlayerChapterChanged:
        return self->report(Type::Chapter, event->u.media_player_chapter_changed.new_chapter);
    default:
        return;
    }
}

void VlcPlayer::onMediaEvent(const libvlc_event_t* event, void* opaque)
{
    // libvlc's thread: the item's own reports answer the load that made it. Its tags are read on the
    // worker, once for any number of changes that come before the reading.
    auto* item = static_cast<Item*>(opaque);
    VlcPlayer* self = item->player;
    if (event->type == libvlc_MediaDurationChanged) {
        if (!lengthMoved(item->reportedDuration, event->u.media_duration_changed.new_duration))
            return;
        VlcEvent duration;
        duration.type = VlcEvent::Type::Duration;
        duration.epoch = item->epoch;
        duration.value = event->u.media_duration_changed.new_duration;
        self->report(std::move(duration));
        return;
    }
    if (!item->tagsQueued.exchange(true))
        self->post([self, epoch = item->epoch] { self->readTags(epoch); });
}

} // namespace zendrix
