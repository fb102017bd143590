#include "VlcEngineVideo.h"

#include "VlcVideo.h"

#include <algorithm>

namespace zendrix {

namespace {

bool listed(const QList<EngineVideo::Track>& tracks, int id)
{
    return std::any_of(tracks.cbegin(), tracks.cend(),
                       [id](const EngineVideo::Track& track) { return track.id == id; });
}

} // namespace

void VlcEngineVideo::setAudioTrack(int id)
{
    if (!listed(m_tracks.audio, id))
        return;
    m_tracks.audioTrack = id;
    m_player.setAudioTrack(id);
}

void VlcEngineVideo::setSubtitleTrack(int id)
{
    if (id != kNone && !listed(m_tracks.subtitles, id))
        return;
    m_tracks.subtitle = id;
    m_player.setSubtitleTrack(id);
}

void VlcEngineVideo::addSubtitleFile(const QString& path)
{
    m_player.addSubtitleFile(path);
}

void VlcEngineVideo::setAspectRatio(const QString& ratio)
{
    const std::optional<QString> vlcRatio = vlcAspectRatio(ratio);
    m_aspectRatio = vlcRatio ? ratio : QString();
    m_player.setAspectRatio(vlcRatio.value_or(QString()));
}

void VlcEngineVideo::takeSnapshot(const QString& folder, const QString& baseName)
{
    m_player.takeSnapshot(folder, baseName);
}

void VlcEngineVideo::newItem()
{
    m_tracks = {};
    m_aspectRatio.clear();
}

bool VlcEngineVideo::take(const VlcTracks& tracks)
{
    if (tracks == m_tracks)
        return false;
    m_tracks = tracks;
    return true;
}

} // namespace zendrix
