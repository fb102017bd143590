#include "TagReader.h"

#include "VlcMediaSource.h"

#include <QFile>
#include <QFileInfo>
#include <condition_variable>
#include <mutex>
#include <vlc/vlc.h>

namespace zendrix {

namespace {

constexpr int kParseTimeoutMs = 4000;

QString metaOf(libvlc_media_t* media, libvlc_meta_t meta)
{
    char* text = libvlc_media_get_meta(media, meta);
    const QString result = QString::fromUtf8(text);
    libvlc_free(text);
    return result;
}

// One parse's end, as libvlc tells it from a thread of its own.
struct ParseDone
{
    std::mutex mutex;
    std::condition_variable done;
    bool parsed = false;

    static void onEvent(const libvlc_event_t*, void* self)
    {
        auto* wait = static_cast<ParseDone*>(self);
        {
            const std::lock_guard lock(wait->mutex);
            wait->parsed = true;
        }
        wait->done.notify_all();
    }
};

// The readers' one libvlc instance, made at the first read. It lives as long as the process, as the
// engine's does: libvlc unloads its plugins when its last instance goes, and some cannot be loaded twice.
// The pointer is volatile so that a leak checker sees it kept in memory.
libvlc_instance_t* readerInstance()
{
    static libvlc_instance_t* volatile instance = [] {
        const char* args[] = {"--ignore-config", "--quiet", "--no-metadata-network-access", "--no-lua"};
        return libvlc_new(static_cast<int>(std::size(args)), args);
    }();
    return instance;
}

class VlcTagReader final : public TagReader
{
public:
    std::optional<EntryTags> read(const QString& path) override
    {
        libvlc_instance_t* vlc = readerInstance();
        if (!vlc)
            return std::nullopt;
        libvlc_media_t* media = libvlc_media_new_path(vlc, QFile::encodeName(path).constData());
        if (!media)
            return std::nullopt;
        ParseDone wait;
        libvlc_event_manager_t* events = libvlc_media_event_manager(media);
        libvlc_event_attach(events, libvlc_MediaParsedChanged, &ParseDone::onEvent, &wait);
        std::optional<EntryTags> tags;
        if (libvlc_media_parse_with_options(media, libvlc_media_parse_local, kParseTimeoutMs) == 0) {
            std::unique_lock lock(wait.mutex);
            // libvlc ends the parse itself at its timeout; the margin covers its own reporting.
            if (!wait.done.wait_for(lock, std::chrono::milliseconds(kParseTimeoutMs + 1000),
                                    [&] { return wait.parsed; })) {
                lock.unlock();
                libvlc_media_parse_stop(media);
            }
        }
        if (libvlc_media_get_parsed_status(media) == libvlc_media_parsed_status_done) {
            EntryTags found;
            found.title = metaOf(media, libvlc_meta_Title);
            if (isPlaceholderTitle(found.title, QFileInfo(path).fileName()) ||
                isPlaceholderTitle(found.title, path))
                found.title.clear();
            found.artist = metaOf(media, libvlc_meta_Artist);
            if (found.artist.isEmpty())
                found.artist = metaOf(media, libvlc_meta_AlbumArtist);
            const libvlc_time_t length = libvlc_media_get_duration(media);
            found.lengthMs = length > 0 ? length : -1;
            tags = found;
        }
        libvlc_event_detach(events, libvlc_MediaParsedChanged, &ParseDone::onEvent, &wait);
        libvlc_media_release(media);
        return tags;
    }
};

} // namespace

std::unique_ptr<TagReader> makeVlcTagReader()
{
    return std::make_unique<VlcTagReader>();
}

} // namespace zendrix
