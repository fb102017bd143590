#include "FakeMediaEngine.h"

#include "core/Failure.h"

namespace zendrix {

void FakeMediaEngine::failOn(const QString& member, const QString& description)
{
    m_failures.insert(member, description);
}

void FakeMediaEngine::check(const QString& member) const
{
    const auto failure = m_failures.constFind(member);
    if (failure != m_failures.constEnd())
        throw EngineError(*failure);
}

void FakeMediaEngine::command(const QString& member, const QString& value)
{
    check(member);
    m_calls << (value.isNull() ? member : member + QLatin1Char('=') + value);
}

void FakeMediaEngine::play()
{
    if (unplayable.contains(m_url))
        throw EngineError(QStringLiteral("Cannot open ") + m_url);
    command(QStringLiteral("play"));
}

QString FakeMediaEngine::URL() const
{
    check(QStringLiteral("URL"));
    return m_url;
}

void FakeMediaEngine::setURL(const QString& url)
{
    command(QStringLiteral("URL"), url.isNull() ? QStringLiteral("") : url);
    m_url = url;
}

bool FakeMediaEngine::fullScreen() const
{
    check(QStringLiteral("fullScreen"));
    return fullScreenValue;
}

void FakeMediaEngine::setFullScreen(bool on)
{
    command(QStringLiteral("fullScreen"), on ? QStringLiteral("true") : QStringLiteral("false"));
    fullScreenValue = on;
}

long FakeMediaEngine::playState() const
{
    check(QStringLiteral("playState"));
    return state;
}

double FakeMediaEngine::currentPosition() const
{
    check(QStringLiteral("currentPosition"));
    return position;
}

void FakeMediaEngine::setCurrentPosition(double seconds)
{
    command(QStringLiteral("currentPosition"), QString::number(seconds));
    position = seconds;
}

QString FakeMediaEngine::name() const
{
    check(QStringLiteral("name"));
    return mediaName;
}

double FakeMediaEngine::duration() const
{
    check(QStringLiteral("duration"));
    return mediaDuration;
}

QString FakeMediaEngine::durationString() const
{
    check(QStringLiteral("durationString"));
    return mediaDurationString;
}

QString FakeMediaEngine::getItemInfo(const QString& attribute) const
{
    check(QStringLiteral("getItemInfo"));
    check(QStringLiteral("getItemInfo(%1)").arg(attribute));
    const auto value = itemInfo.constFind(attribute);
    if (value == itemInfo.constEnd())
        throw EngineError(QStringLiteral("No attribute \"%1\"").arg(attribute));
    return *value;
}

long FakeMediaEngine::volume() const
{
    check(QStringLiteral("volume"));
    return volumeValue;
}

void FakeMediaEngine::setVolume(long volume)
{
    command(QStringLiteral("volume"), QString::number(volume));
    volumeValue = volume;
}

bool FakeMediaEngine::isAvailable(const QString& item) const
{
    check(QStringLiteral("dvd.isAvailable"));
    return availableDvdItems.contains(item);
}

} // namespace zendrix
