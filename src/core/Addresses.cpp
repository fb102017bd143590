#include "Addresses.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QUrl>
#include <algorithm>

namespace zendrix {

namespace {

bool isNoPath(const QString& text)
{
    return text.isEmpty() || text.contains(QChar(0)) || text.contains(QLatin1Char('\n')) ||
           text.contains(QLatin1Char('\r'));
}

bool hasControlCharacter(const QString& text)
{
    return std::any_of(text.cbegin(), text.cend(),
                       [](QChar c) { return c.unicode() < 0x20 || c.unicode() == 0x7f; });
}

bool isThisMachine(const QUrl& url)
{
    return url.host().isEmpty() || url.host().compare(QLatin1String("localhost"), Qt::CaseInsensitive) == 0;
}

} // namespace

const QStringList& playableSchemes()
{
    static const QStringList schemes = {QStringLiteral("file"),  QStringLiteral("http"),
                                        QStringLiteral("https"), QStringLiteral("rtsp"),
                                        QStringLiteral("mms"),   QStringLiteral("dvd")};
    return schemes;
}

bool isAddress(const QString& text)
{
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]*://"));
    return text.startsWith(QLatin1String("file:"), Qt::CaseInsensitive) || scheme.match(text).hasMatch();
}

bool isPlayableAddress(const QString& text)
{
    if (!isAddress(text) || hasControlCharacter(text))
        return false;
    const QUrl url(text);
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || !playableSchemes().contains(scheme))
        return false;
    if (scheme == QLatin1String("file"))
        return isThisMachine(url) && !url.toLocalFile().isEmpty();
    // A disc names its device or folder after "dvd://"; a stream comes from a host.
    return scheme == QLatin1String("dvd") || !url.host().isEmpty();
}

QString pathFrom(const QString& folder, const QString& path)
{
    // Not QDir::isAbsolutePath, which takes ":name" for one of Qt's resources.
    return QDir::cleanPath(path.startsWith(QLatin1Char('/')) ? path : folder + QLatin1Char('/') + path);
}

std::optional<QString> resolvePlaylistLine(const QString& line, const QString& folder)
{
    if (isNoPath(line))
        return std::nullopt;
    if (!isAddress(line))
        return pathFrom(folder, line);
    const QUrl url(line);
    return url.isLocalFile() ? localPathOf(url, folder) : std::optional<QString>(line);
}

std::optional<QString> localPathOf(const QUrl& url, const QString& folder)
{
    const QString path = url.toLocalFile();
    if (!isThisMachine(url) || isNoPath(path))
        return std::nullopt;
    return pathFrom(folder, path);
}

QString mediaUri(const QString& url)
{
    if (url.isEmpty() || isAddress(url))
        return url;
    return QString::fromUtf8(QUrl::fromLocalFile(QFileInfo(url).absoluteFilePath()).toEncoded());
}

} // namespace zendrix
