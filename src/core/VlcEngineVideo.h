#pragma once

#include "MediaEngine.h"
#include "VlcPlayer.h"

#include <functional>

namespace zendrix {

// The item's tracks and picture on libvlc: the calls return at once and libvlc's thread carries them out
// (VlcPlayer). What libvlc last reported is kept here, on the UI thread, with the choices made since, so
// reading never waits.
class VlcEngineVideo final : public EngineVideo
{
public:
    // `running`: whether an item plays, paused or winding; only then does it show a picture.
    VlcEngineVideo(VlcPlayer& player, std::function<bool()> running)
        : m_player(player), m_running(std::move(running))
    {}

    bool hasVideo() const override { return m_tracks.hasVideo && m_running(); }
    QSize videoSize() const override { return hasVideo() ? m_tracks.size : QSize(); }
    QList<Track> audioTracks() const override { return m_tracks.audio; }
    int audioTrack() const override { return m_tracks.audioTrack; }
    void setAudioTrack(int id) override;
    QList<Track> subtitleTracks() const override { return m_tracks.subtitles; }
    int subtitleTrack() const override { return m_tracks.subtitle; }
    void setSubtitleTrack(int id) override;
    void addSubtitleFile(const QString& path) override;
    QString aspectRatio() const override { return m_aspectRatio; }
    void setAspectRatio(const QString& ratio) override;
    void takeSnapshot(const QString& folder, const QString& baseName) override;

    // Another item was loaded: nothing is known of its tracks and its shape is its own.
    void newItem();
    // The item stopped or ended: its tracks are gone until it plays again.
    void stopped() { m_tracks = {}; }
    // libvlc's report; true when it changed what is known.
    bool take(const VlcTracks& tracks);

private:
    VlcPlayer& m_player;
    std::function<bool()> m_running;
    VlcTracks m_tracks;
    QString m_aspectRatio;
};

} // namespace zendrix
