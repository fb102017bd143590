#pragma once

#include "core/Failure.h"
#include "core/MediaEngine.h"

#include <QMap>
#include <QSet>
#include <QStringList>
#include <algorithm>

namespace zendrix {

// A media engine for tests: it plays nothing, records every command and written value in calls()
// ("URL=/a.mp3", "play", "currentPosition=90", "volume=37", "fullScreen=true", "dvd.topMenu", "rate=2",
// "equalizer=off", "equalizer=-3 0 12 0 0 0 0 0 0 0 0", "replayGain=Track", "outputDevice=hw:1",
// "audioTrack=2", "subtitleTrack=-1", "subtitleFile=/a.srt", "aspectRatio=4:3", "snapshot=/pictures|Name",
// ...) and
// answers reads from the values the test sets. failOn(member) makes that member throw EngineError; members
// are named as in calls() without the value, plus the reads ("duration", "playState", "dvd.isAvailable").
// refreshNowPlaying, asked at every tick, is counted rather than recorded.
class FakeMediaEngine final : public MediaEngine,
                              private EngineControls,
                              private EngineMedia,
                              private EngineSettings,
                              private EngineDvd,
                              private EngineAudio,
                              private EngineVideo
{
    Q_OBJECT
public:
    using MediaEngine::MediaEngine;

    const QStringList& calls() const { return m_calls; }
    void clearCalls() { m_calls.clear(); }
    void failOn(const QString& member, const QString& description = QStringLiteral("Scripted failure"))
    {
        m_failures.insert(member, description);
    }
    QSet<QString> unplayable; // play() fails with "Cannot open <url>" for these, as for a missing file

    double position = 0;
    double mediaDuration = 0;
    QString mediaDurationString = QStringLiteral("00:00");
    QString mediaName;
    QMap<QString, QString> itemInfo; // getItemInfo answers; a missing attribute throws EngineError
    QSet<QString> availableDvdItems;
    long state = Undefined;
    long volumeValue = 50;
    bool fullScreenValue = false;
    double rateValue = 1.0;
    int nowPlayingRefreshes = 0;
    // The engine's presets are "Flat" (all 0) and "Bass" (preamp -6, the lowest band +12, the next +6).
    QList<OutputDevice> devices;
    QString device;
    ReplayGain replayGainMode = ReplayGain::Off;
    // The item's picture and tracks. A track chosen is kept as the one heard or shown.
    bool videoShown = false;
    QSize pictureSize;
    QList<Track> audioList;
    int audioId = kNone;
    QList<Track> subtitleList;
    int subtitleId = kNone;
    QString aspect;
    // The engine's news that the tracks changed, and that a snapshot was written or failed.
    void tracksChange() { Q_EMIT TracksChange(); }
    void snapshotTaken(const QString& path) { Q_EMIT SnapshotTaken(path); }
    void snapshotFailed(const QString& description) { Q_EMIT SnapshotFailed(description); }
    // Lists `list` as the engine's devices and says so, as the engine does when its list changes.
    void listDevices(const QList<OutputDevice>& list)
    {
        devices = list;
        Q_EMIT OutputDevicesChange();
    }

    // The video area's mouse events, as the video window raises them.
    void click(short button, short shift = 0, int x = 0, int y = 0) { Q_EMIT Click(button, shift, x, y); }
    void doubleClick() { Q_EMIT DoubleClick(1, 0, 0, 0); }
    // The engine's news that the item at url has new tags.
    void mediaChange(const QString& url) { Q_EMIT MediaChange(url); }
    // The engine's news that it has played the item at url to its end, or cannot play it; without a url,
    // the item loaded now. Either leaves the engine stopped.
    void endOfStream(const QString& url)
    {
        state = Stopped;
        Q_EMIT EndOfStream(url);
    }
    void endOfStream() { endOfStream(m_url); }
    void mediaError(const QString& url)
    {
        state = Stopped;
        Q_EMIT MediaError(url);
    }
    void mediaError() { mediaError(m_url); }

    QString URL() const override { return read("URL", m_url); }
    void setURL(const QString& url) override
    {
        command("URL", url.isNull() ? QStringLiteral("") : url);
        m_url = url;
    }
    EngineControls& controls() override { return *this; }
    EngineMedia& currentMedia() override { return *this; }
    EngineSettings& settings() override { return *this; }
    EngineDvd& dvd() override { return *this; }
    EngineAudio& audio() override { return *this; }
    EngineVideo& video() override { return *this; }
    bool fullScreen() const override { return read("fullScreen", fullScreenValue); }
    void setFullScreen(bool on) override
    {
        command("fullScreen", on ? QStringLiteral("true") : QStringLiteral("false"));
        fullScreenValue = on;
    }
    long playState() const override { return read("playState", state); }

private:
    void play() override
    {
        if (unplayable.contains(m_url))
            throw EngineError(QStringLiteral("Cannot open ") + m_url);
        command("play");
    }
    void pause() override { command("pause"); }
    void stop() override { command("stop"); }
    void fastForward() override { command("fastForward"); }
    void fastReverse() override { command("fastReverse"); }
    void next() override { command("next"); }
    void previous() override { command("previous"); }
    double currentPosition() const override { return read("currentPosition", position); }
    void setCurrentPosition(double seconds) override
    {
        command("currentPosition", QString::number(seconds));
        position = seconds;
    }
    double rate() const override { return read("rate", rateValue); }
    void setRate(double rate) override
    {
        command("rate", QString::number(rate));
        rateValue = rate;
    }
    QString name() const override { return read("name", mediaName); }
    double duration() const override { return read("duration", mediaDuration); }
    QString durationString() const override { return read("durationString", mediaDurationString); }
    QString getItemInfo(const QString& attribute) const override
    {
        check("getItemInfo");
        const auto value = itemInfo.constFind(attribute);
        if (value == itemInfo.constEnd())
            throw EngineError(QStringLiteral("No attribute \"%1\"").arg(attribute));
        return *value;
    }
    void refreshNowPlaying() override
    {
        check("refreshNowPlaying");
        ++nowPlayingRefreshes;
    }
    long volume() const override { return read("volume", volumeValue); }
    void setVolume(long volume) override
    {
        command("volume", QString::number(volume));
        volumeValue = volume;
    }
    bool isAvailable(const QString& item) const override
    {
        return read("dvd.isAvailable", availableDvdItems.contains(item));
    }
    void back() override { command("dvd.back"); }
    void resume() override { command("dvd.resume"); }
    void titleMenu() override { command("dvd.titleMenu"); }
    void topMenu() override { command("dvd.topMenu"); }

    QStringList equalizerPresets() const override { return {QStringLiteral("Flat"), QStringLiteral("Bass")}; }
    Equalizer equalizerPreset(int index) const override
    {
        Equalizer levels;
        if (index == 1) {
            levels.preamp = -6;
            levels.bands[0] = 12;
            levels.bands[1] = 6;
        }
        return levels;
    }
    std::array<double, kBands> bandFrequencies() const override
    {
        return {31.25, 62.5, 125, 250, 500, 1000, 2000, 4000, 8000, 16000};
    }
    void setEqualizer(const std::optional<Equalizer>& equalizer) override
    {
        if (!equalizer) {
            command("equalizer", QStringLiteral("off"));
            return;
        }
        QStringList levels{QString::number(equalizer->preamp)};
        for (double band : equalizer->bands)
            levels << QString::number(band);
        command("equalizer", levels.join(QLatin1Char(' ')));
    }
    ReplayGain replayGain() const override { return read("replayGain", replayGainMode); }
    void setReplayGain(ReplayGain mode) override
    {
        const char* names[] = {"Off", "Track", "Album"};
        command("replayGain", QString::fromLatin1(names[int(mode)]));
        replayGainMode = mode;
    }
    QList<OutputDevice> outputDevices() const override { return read("outputDevices", devices); }
    void refreshOutputDevices() override { check("refreshOutputDevices"); }
    QString outputDevice() const override
    {
        const bool listed = std::any_of(devices.cbegin(), devices.cend(),
                                        [this](const OutputDevice& each) { return each.id == device; });
        return read("outputDevice", listed ? device : QString());
    }
    void setOutputDevice(const QString& id) override
    {
        command("outputDevice", id.isNull() ? QStringLiteral("") : id);
        device = id;
    }

    bool hasVideo() const override { return read("hasVideo", videoShown); }
    QSize videoSize() const override { return read("videoSize", pictureSize); }
    QList<Track> audioTracks() const override { return read("audioTracks", audioList); }
    int audioTrack() const override { return read("audioTrack", audioId); }
    void setAudioTrack(int id) override
    {
        command("audioTrack", QString::number(id));
        audioId = id;
    }
    QList<Track> subtitleTracks() const override { return read("subtitleTracks", subtitleList); }
    int subtitleTrack() const override { return read("subtitleTrack", subtitleId); }
    void setSubtitleTrack(int id) override
    {
        command("subtitleTrack", QString::number(id));
        subtitleId = id;
    }
    void addSubtitleFile(const QString& path) override { command("subtitleFile", path); }
    QString aspectRatio() const override { return read("aspectRatio", aspect); }
    void setAspectRatio(const QString& ratio) override
    {
        command("aspectRatio", ratio.isNull() ? QStringLiteral("") : ratio);
        aspect = ratio;
    }
    void takeSnapshot(const QString& folder, const QString& baseName) override
    {
        command("snapshot", folder + '|' + baseName);
    }

    void check(const QString& member) const
    {
        if (const auto failure = m_failures.constFind(member); failure != m_failures.constEnd())
            throw EngineError(*failure);
    }
    template <typename T> T read(const char* member, const T& value) const
    {
        check(QString::fromLatin1(member));
        return value;
    }
    void command(const char* member, const QString& value = {})
    {
        check(QString::fromLatin1(member));
        m_calls << (value.isNull() ? QString::fromLatin1(member) : QString::fromLatin1(member) + '=' + value);
    }

    QStringList m_calls;
    QMap<QString, QString> m_failures;
    QString m_url;
};

} // namespace zendrix
