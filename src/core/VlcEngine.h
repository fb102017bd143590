#pragma once

#include "MediaEngine.h"
#include "VlcDvd.h"
#include "VlcEngineAudio.h"
#include "VlcEngineVideo.h"
#include "VlcMediaSource.h"
#include "VlcPlayer.h"

#include <QStringList>
#include <QTimer>
#include <optional>

namespace zendrix {

class VideoSurface;

// The media engine on libvlc 3.0.
//
// Every call returns within a few milliseconds: libvlc works on a thread of its own (VlcPlayer), and
// what the engine reports (state, length, tags, the DVD's place) is kept here, on the UI thread, updated
// from libvlc's events and, at once, from the engine's own commands. So stop() reports Stopped and
// position 0 as soon as it returns, a seek reports the new position at once, and events that answer an
// earlier command than the latest are dropped. The position is read from where libvlc's reports leave
// it, so playback wakes the UI thread only when something it shows changes.
//
// Behaviour beyond the interface's own comments:
// - Setting a URL never fails and does not start playback; libvlc opens lazily. play() fails when the
//   URL names a local file that does not exist or cannot be read; a file that libvlc cannot decode stops
//   by itself (playState Stopped) and the next play() reports it.
// - playState: Undefined while nothing is loaded, Ready once loaded, Transitioning from play() until
//   libvlc plays, then Playing, Paused, ScanForward, ScanReverse; Stopped after stop() and at the end.
// - EndOfStream comes once libvlc has finished the item, its last sound heard; MediaError once it has
//   given up on it, or ended it without finding a stream to play (text named .mp3, a folder).
// - fastForward plays at five times the speed; fastReverse pauses and steps the position back half a
//   second every 100 ms, down to the start, where it stays paused. Either over, the chosen rate returns.
// - next/previous go to the next/previous chapter (a DVD's chapters, or a file's).
// - A position set while stopped is where the next play() starts.
// - The volume (0 to 100, clamped) is kept by the engine and applied to every item as it starts.
// - currentMedia().name: the title tag; without one a file's name without its extension, a DVD's name.
//   A stream's is "Station - Artist - Title" from its station's name and its "now playing" text, as far
//   as it sends them (StreamTitle.h). MediaChange(url) tells when the tags of the item loaded now have
//   become known or changed.
// - A stream without a length that ends (its connection gone for good: libvlc takes a dropped one up
//   again by itself) has failed, as one that cannot be opened: MediaError. Unlike a file, a stream that
//   failed is tried again at the next play().
// - A DVD starts with its first-play program, as its author made it.
// - A DVD's length is its current title's; 0 while a menu shows, since menus have no end.
// - A left click on the video while a DVD menu shows activates the menu's highlighted button.
// - The tracks are learnt as the item plays and forgotten when it stops or ends; a subtitle file beside
//   a file, with the file's name and a subtitle extension, is loaded and shown by libvlc itself.
class VlcEngine final : public MediaEngine,
                        private EngineControls,
                        private EngineMedia,
                        private EngineSettings,
                        private EngineDvd
{
    Q_OBJECT
public:
    // When libvlc starts on the engine's thread: at once, or at start(). Its start-up takes some tens of
    // milliseconds of processor time, which the player would rather spend drawing its first windows.
    // Commands given before it has started wait in order and run once it has.
    enum class Start { Now, OnRequest };

    explicit VlcEngine(const QStringList& extraVlcArgs = {}, QObject* parent = nullptr, Start when = Start::Now);
    ~VlcEngine() override;

    void start() { m_player.start(); }

    // Where video goes; call before play(). nullptr: video is decoded but shown nowhere.
    void setVideoSurface(VideoSurface* surface);

    // From the next item that starts on, its audio goes to `listener`, which must outlive the engine,
    // instead of the sound card.
    void listenWith(AudioListener* listener) { m_player.listenWith(listener); }

    // The last volume that the audio output took; -1 before any.
    int outputVolume() const { return m_outputVolume; }
    // How many reports of tags came for an item after the next had been loaded, and were dropped.
    int droppedTagReports() const { return m_droppedTagReports; }

    QString URL() const override { return m_url; }
    void setURL(const QString& url) override;
    EngineControls& controls() override { return *this; }
    EngineMedia& currentMedia() override { return *this; }
    EngineSettings& settings() override { return *this; }
    EngineDvd& dvd() override { return *this; }
    EngineAudio& audio() override { return m_audio; }
    EngineVideo& video() override { return m_video; }
    bool fullScreen() const override { return m_fullScreen; }
    void setFullScreen(bool on) override;
    long playState() const override { return m_state; }

private:
    // EngineControls
    void play() override;
    void pause() override;
    void stop() override;
    void fastForward() override;
    void fastReverse() override;
    void next() override;
    void previous() override;
    double currentPosition() const override;
    void setCurrentPosition(double seconds) override;
    double rate() const override { return m_rate; }
    void setRate(double rate) override;
    // EngineMedia
    QString name() const override;
    double duration() const override;
    QString durationString() const override { return formatDuration(duration()); }
    QString getItemInfo(const QString& attribute) const override;
    void refreshNowPlaying() override;
    // EngineSettings
    long volume() const override { return m_volume; }
    void setVolume(long volume) override;
    // EngineDvd
    bool isAvailable(const QString& item) const override;
    void back() override { navigateDvd(DvdCommand::Back); }
    void resume() override { navigateDvd(DvdCommand::Resume); }
    void titleMenu() override { navigateDvd(DvdCommand::TitleMenu); }
    void topMenu() override { navigateDvd(DvdCommand::TopMenu); }

    void requireItem() const;
    void navigateDvd(DvdCommand command);
    void endScan();
    void stepBackwards();
    void onEvent(const VlcEvent& event);
    void onStateEvent(const VlcEvent& event);
    void itemOver(bool failed);
    void onVideoClick(short button);
    void presentFrame();
    // Keeps where playback is now before a command makes libvlc's earlier reports of it stale.
    void holdPosition() { m_position = currentPosition(); }
    bool isRunning() const;
    DvdPlace dvdPlace() const;
    quint64 nextEpoch() { return ++m_lastEpoch; }

    VlcPlayer m_player;
    VlcEngineAudio m_audio{m_player};
    VlcEngineVideo m_video{m_player, [this] { return isRunning(); }};
    VideoSurface* m_surface = nullptr;
    QTimer m_reverseTimer;
    QString m_engineFailure; // set when libvlc could not start: every command reports it

    QString m_url;
    MediaSource m_source;
    long m_state = Undefined;
    double m_position = 0; // seconds, as the engine's own commands left it
    double m_duration = 0; // ms from libvlc, kept in seconds
    VlcEvent::Tags m_tags;
    bool m_playFailed = false; // libvlc gave up on the item
    std::optional<double> m_startPosition;
    long m_volume = 50;
    int m_outputVolume = -1;
    int m_droppedTagReports = 0;
    double m_rate = 1.0;
    bool m_fullScreen = false;
    int m_dvdTitle = -1;
    int m_dvdChapter = -1;
    bool m_dvdCanResume = false;

    quint64 m_lastEpoch = 0;
    quint64 m_itemEpoch = 0;  // events of older epochs belong to an earlier item
    quint64 m_stateEpoch = 0; // state events of older epochs predate the latest transport command
    quint64 m_timeEpoch = 0;  // position reports of older epochs predate the latest seek
    quint64 m_runEpoch = 0;   // ends of older epochs belong to an earlier start of the item
};

} // namespace zendrix
