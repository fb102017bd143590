#pragma once

#include "core/MediaEngine.h"

#include <QMap>
#include <QSet>
#include <QStringList>

namespace zendrix {

// A media engine for tests: it plays nothing, records every command and every value written to it, and
// answers reads from values the test sets.
//
// calls() lists, in order: "URL=/a.mp3", "play", "pause", "stop", "fastForward", "fastReverse", "next",
// "previous", "currentPosition=90", "volume=37", "fullScreen=true", "dvd.back", "dvd.resume",
// "dvd.titleMenu", "dvd.topMenu". Reads are not recorded.
//
// Written values read back (URL, position, volume, fullScreen); commands change nothing else: the test
// sets playState and the rest itself. failOn(member) makes every call of that member throw EngineError:
// members are named as in calls() without the value ("URL", "play", "currentPosition", "volume",
// "dvd.titleMenu"), plus "duration", "durationString", "name", "playState", "dvd.isAvailable" and
// "getItemInfo" (every attribute) or "getItemInfo(Size)" (one attribute).
class FakeMediaEngine final : public MediaEngine,
                              private EngineControls,
                              private EngineMedia,
                              private EngineSettings,
                              private EngineDvd
{
    Q_OBJECT
public:
    using MediaEngine::MediaEngine;

    const QStringList& calls() const { return m_calls; }
    void clearCalls() { m_calls.clear(); }
    void failOn(const QString& member, const QString& description = QStringLiteral("Scripted failure"));
    // play() fails with "Cannot open <url>" while the URL is one of these, as for a missing file.
    QSet<QString> unplayable;

    // Scripted values.
    double position = 0;
    double mediaDuration = 0;
    QString mediaDurationString = QStringLiteral("00:00");
    QString mediaName;
    QMap<QString, QString> itemInfo; // getItemInfo answers; a missing attribute throws EngineError
    QSet<QString> availableDvdItems; // the items isAvailable() answers true for
    long state = Undefined;
    long volumeValue = 50;
    bool fullScreenValue = false;

    // Raise the video area's mouse events as the video window would.
    void click(short button, short shift = 0, int x = 0, int y = 0) { Q_EMIT Click(button, shift, x, y); }
    void doubleClick(short button = 1, short shift = 0, int x = 0, int y = 0)
    {
        Q_EMIT DoubleClick(button, shift, x, y);
    }

    QString URL() const override;
    void setURL(const QString& url) override;
    EngineControls& controls() override { return *this; }
    EngineMedia& currentMedia() override { return *this; }
    EngineSettings& settings() override { return *this; }
    EngineDvd& dvd() override { return *this; }
    bool fullScreen() const override;
    void setFullScreen(bool on) override;
    long playState() const override;

private:
    void play() override;
    void pause() override { command(QStringLiteral("pause")); }
    void stop() override { command(QStringLiteral("stop")); }
    void fastForward() override { command(QStringLiteral("fastForward")); }
    void fastReverse() override { command(QStringLiteral("fastReverse")); }
    void next() override { command(QStringLiteral("next")); }
    void previous() override { command(QStringLiteral("previous")); }
    double currentPosition() const override;
    void setCurrentPosition(double seconds) override;
    QString name() const override;
    double duration() const override;
    QString durationString() const override;
    QString getItemInfo(const QString& attribute) const override;
    long volume() const override;
    void setVolume(long volume) override;
    bool isAvailable(const QString& item) const override;
    void back() override { command(QStringLiteral("dvd.back")); }
    void resume() override { command(QStringLiteral("dvd.resume")); }
    void titleMenu() override { command(QStringLiteral("dvd.titleMenu")); }
    void topMenu() override { command(QStringLiteral("dvd.topMenu")); }

    void check(const QString& member) const;
    void command(const QString& member, const QString& value = {});

    QStringList m_calls;
    QMap<QString, QString> m_failures;
    QString m_url;
};

} // namespace zendrix
