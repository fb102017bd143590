#include "VlcMediaSource.h"

#include "Addresses.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>
#include <cmath>

namespace zendrix {

namespace {

// libvlc's DVD reader skips a disc's first-play program by default and goes to the title menu, passing
// over warnings and trailers but also a feature that the disc starts at once.
const QString kFirstPlay = QStringLiteral(":no-dvdnav-menu");

// The VIDEO_TS folder that a local path stands for, or "" when the path is no DVD.
QString videoTsFolderOf(const QFileInfo& info)
{
    if (info.isFile()) {
        if (info.suffix().compare(QLatin1String("ifo"), Qt::CaseInsensitive) == 0)
            return info.absolutePath();
        return {};
    }
    if (!info.isDir())
        return {};
    const QDir dir(info.absoluteFilePath());
    if (dir.dirName().compare(QLatin1String("VIDEO_TS"), Qt::CaseInsensitive) == 0)
        return dir.absolutePath();
    const QStringList inner = dir.entryList({QStringLiteral("VIDEO_TS")}, QDir::Dirs | QDir::NoDotAndDotDot);
    return inner.isEmpty() ? QString() : dir.absoluteFilePath(inner.first());
}

// The name a DVD goes by until libvlc knows better: the folder that holds VIDEO_TS, as a disc's
// volume name would be, or VIDEO_TS itself at the top of the file system.
QString dvdNameOf(const QString& videoTs)
{
    QDir disc(videoTs);
    return disc.cdUp() && !disc.dirName().isEmpty() ? disc.dirName() : QFileInfo(videoTs).fileName();
}

QString dvdLocationOf(const QString& videoTs)
{
    // Percent-encoded like a file URL: libvlc's DVD access decodes it, and spaces survive that way.
    QString location = QString::fromUtf8(QUrl::fromLocalFile(videoTs).toEncoded());
    return location.replace(0, int(qstrlen("file")), QStringLiteral("dvd"));
}

// "song.mp3" -> "song", "a.b.ogg" -> "a.b"; a name that is nothing but an extension stays as it is.
QString withoutExtension(const QString& fileName)
{
    const QString base = QFileInfo(fileName).completeBaseName();
    return base.isEmpty() ? fileName : base;
}

bool isOgg(const QFileInfo& info)
{
    static const QStringList oggSuffixes{QStringLiteral("ogg"), QStringLiteral("oga"), QStringLiteral("ogm"),
                                         QStringLiteral("ogv")};
    return oggSuffixes.contains(info.suffix().toLower());
}

} // namespace

MediaSource resolveMediaSource(const QString& url)
{
    MediaSource source;
    if (url.isEmpty())
        return source;

    if (isAddress(url)) {
        const QUrl parsed(url);
        source.fileName = source.name = url;
        if (!isPlayableAddress(url)) {
            source.kind = MediaSource::Kind::Refused;
            return source;
        }
        if (parsed.isLocalFile())
            return resolveMediaSource(parsed.toLocalFile());
        source.kind = url.startsWith(QLatin1String("dvd"), Qt::CaseInsensitive) ? MediaSource::Kind::Dvd
                                                                                : MediaSource::Kind::Stream;
        source.location = url;
        source.fileName = parsed.fileName().isEmpty() ? url : parsed.fileName();
        source.name = parsed.fileName().isEmpty() ? url : withoutExtension(parsed.fileName());
        if (source.kind == MediaSource::Kind::Dvd)
            source.options << kFirstPlay;
        return source;
    }

    const QFileInfo info(url);
    const QString videoTs = videoTsFolderOf(info);
    if (!videoTs.isEmpty()) {
        source.kind = MediaSource::Kind::Dvd;
        source.localPath = videoTs;
        source.location = dvdLocationOf(videoTs);
        source.fileName = source.name = dvdNameOf(videoTs);
        source.options << kFirstPlay;
        return source;
    }

    source.kind = MediaSource::Kind::File;
    source.localPath = info.absoluteFilePath();
    source.location = QString::fromUtf8(QUrl::fromLocalFile(source.localPath).toEncoded());
    source.fileName = info.fileName();
    source.name = withoutExtension(source.fileName);
    // libvlc's own Ogg reader seeks by bisecting pages and lands seconds to minutes late (further the
    // further into the file); the libavformat reader finds the page by its granule position and lands
    // on the second. Should it refuse the file, libvlc's own readers still get their turn.
    if (isOgg(info))
        source.options << QStringLiteral(":demux=avformat,any");
    return source;
}

bool isPlaceholderTitle(const QString& title, const QString& location)
{
    if (title.isEmpty() || title == location)
        return true;
    const QString decoded = QUrl::fromPercentEncoding(location.toUtf8());
    return title == decoded || title == decoded.section(QLatin1Char('/'), -1);
}

QString formatDuration(double seconds)
{
    const double rounded = std::isfinite(seconds) && seconds > 0 ? std::nearbyint(seconds) : 0.0;
    const auto whole = static_cast<qint64>(rounded);
    const qint64 hours = whole / 3600;
    const qint64 minutes = whole / 60 % 60;
    const qint64 secs = whole % 60;
    const auto twoDigits = [](qint64 n) { return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')); };
    if (hours > 0)
        return QStringLiteral("%1:%2:%3").arg(hours).arg(twoDigits(minutes), twoDigits(secs));
    return QStringLiteral("%1:%2").arg(twoDigits(minutes), twoDigits(secs));
}

std::optional<qint64> mediaSizeInBytes(const MediaSource& source)
{
    if (source.localPath.isEmpty())
        return std::nullopt;
    const QFileInfo info(source.localPath);
    if (source.kind == MediaSource::Kind::File)
        return info.isFile() ? std::optional<qint64>(info.size()) : std::nullopt;
    if (source.kind != MediaSource::Kind::Dvd || !info.isDir())
        return std::nullopt;
    qint64 total = 0;
    for (const QFileInfo& file : QDir(source.localPath).entryInfoList(QDir::Files))
        total += file.size();
    return total;
}

} // namespace zendrix
