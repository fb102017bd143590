#pragma once

#include "core/Failure.h"
#include "core/MediaEngine.h"

#include <QMap>
#include <QSet>
#include <QStringList>

namespace zendrix {

// A media engine for tests: it plays nothing, records every command and written value in calls()
// ("URL=/a.mp3", "play", "currentPosition=90", "volume=37", "fullScreen=true", "dvd.topMenu", ...) and
// answers reads from the values the test sets. failOn(member) makes that member throw EngineError; members
// are named as in calls() without the value, plus the reads ("duration", "playState", "dvd.isAvailable").
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
