// The item's tracks, the picture's shape and snapshots on libvlc: VlcPlayer's video, on its worker thread.
#include "VlcVideo.h"

#include "Snapshot.h"
#include "VlcPlayer.h"

#include <QFile>
#include <QRegularExpression>
#include <QUrl>
#include <numeric>
#include <vlc/vlc.h>

namespace zendrix {

namespace {

// libvlc's list of tracks, without its "Disable" entry (id -1); the list is released.
QList<EngineVideo::Track> tracksOf(libvlc_track_description_t* list)
{
    QList<EngineVideo::Track> tracks;
    for (const libvlc_track_description_t* track = list; track; track = track->p_next) {
        if (track->i_id >= 0)
            tracks.append({track->i_id, QString::fromUtf8(track->psz_name)});
    }
    libvlc_track_description_list_release(list);
    return tracks;
}

// "2.35" as 2350 thousandths; nothing for anything else.
std::optional<qint64> thousandths(const QString& number)
{
    static const QRegularExpression form(QStringLiteral("^(\\d{1,4})(?:\\.(\\d{1,3}))?$"));
    const QRegularExpressionMatch match = form.match(number.trimmed());
    if (!match.hasMatch())
        return std::nullopt;
    const QString fraction = (match.captured(2) + QStringLiteral("000")).left(3);
    return match.captured(1).toLongLong() * 1000 + fraction.toLongLong();
}

} // namespace

std::optional<QString> vlcAspectRatio(const QString& ratio)
{
    const QStringList parts = ratio.split(QLatin1Char(':'));
    if (parts.size() != 2)
        return std::nullopt;
    const std::optional<qint64> width = thousandths(parts[0]);
    const std::optional<qint64> height = thousandths(parts[1]);
    if (!width || !height || *width <= 0 || *height <= 0 || *width > 10 * *height || *height > 10 * *width)
        return std::nullopt;
    const qint64 divisor = std::gcd(*width, *height);
    return QStringLiteral("%1:%2").arg(*width / divisor).arg(*height / divisor);
}

void VlcPlayer::queueTracks()
{
    if (!m_tracksQueued.exchange(true))
        post([this] { readTracks(); });
}

void VlcPlayer::readTracks()
{
    m_tracksQueued = false;
    VlcTracks tracks;
    if (m_player && m_media) {
        tracks.audio = tracksOf(libvlc_audio_get_track_description(m_player));
        tracks.audioTrack = libvlc_audio_get_track(m_player);
        tracks.subtitles = tracksOf(libvlc_video_get_spu_description(m_player));
        tracks.subtitle = libvlc_video_get_spu(m_player);
        tracks.hasVideo = libvlc_media_player_has_vout(m_player) > 0;
        unsigned width = 0;
        unsigned height = 0;
        if (tracks.hasVideo && libvlc_video_get_size(m_player, 0, &width, &height) == 0)
            tracks.size = QSize(int(width), int(height));
    }
    if (tracks == m_tracks)
        return;
    m_tracks = tracks;
    VlcEvent event;
    event.type = VlcEvent::Type::Tracks;
    event.epoch = m_epoch.load();
    event.tracks = std::move(tracks);
    report(std::move(event));
}

void VlcPlayer::setAudioTrack(int id)
{
    post([this, id] {
        if (m_player)
            libvlc_audio_set_track(m_player, id);
        readTracks();
    });
}

void VlcPlayer::setSubtitleTrack(int id)
{
    post([this, id] {
        if (m_player)
            libvlc_video_set_spu(m_player, id);
        readTracks();
    });
}

void VlcPlayer::addSubtitleFile(const QString& path)
{
    post([this, path] {
        if (!m_player)
            return;
        const QByteArray uri = QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded).toUtf8();
        // Selected as soon as libvlc has read it; the track it adds comes as an ES event.
        libvlc_media_player_add_slave(m_player, libvlc_media_slave_type_subtitle, uri.constData(), true);
    });
}

void VlcPlayer::setAspectRatio(const QString& ratio)
{
    post([this, ratio] {
        if (m_player)
            libvlc_video_set_aspect_ratio(m_player, ratio.isEmpty() ? nullptr : ratio.toUtf8().constData());
    });
}

void VlcPlayer::takeSnapshot(const QString& folder, const QString& baseName)
{
    post([this, folder, baseName] {
        const SnapshotResult result = writeSnapshot(folder, baseName, [this](const QString& path) {
            // Width and height 0: the picture at its own size.
            return m_player && libvlc_media_player_has_vout(m_player) > 0 &&
                   libvlc_video_take_snapshot(m_player, 0, QFile::encodeName(path).constData(), 0, 0) == 0;
        });
        VlcEvent event;
        event.type = VlcEvent::Type::Snapshot;
        event.epoch = m_epoch.load();
        event.value = result.path.isEmpty() ? 0 : 1;
        event.text = result.path.isEmpty() ? result.error : result.path;
        report(std::move(event));
    });
}

} // namespace zendrix
