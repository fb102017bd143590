#include "ArgumentResolution.h"

#include "Addresses.h"
#include "ForeignPlaylist.h"
#include "MediaFilter.h"
#include "NaturalOrder.h"
#include "PlaylistFile.h"
#include "VlcMediaSource.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>
#include <algorithm>

namespace zendrix {

namespace {

using Reason = ResolvedArguments::Reason;

class Resolver
{
public:
    Resolver(const QString& workingFolder, ResolvedArguments& result)
        : m_workingFolder(workingFolder), m_result(result)
    {}

    void resolve(const QString& argument, bool alone, LonePlaylist lonePlaylist)
    {
        QString path = argument;
        QString shown = argument;
        if (isAddress(argument)) {
            if (!isPlayableAddress(argument)) {
                skip(argument, Reason::NotSupported);
                return;
            }
            if (!QUrl(argument).isLocalFile()) {
                m_result.entries.append(argument);
                return;
            }
            const std::optional<QString> local = resolvePlaylistLine(argument, m_workingFolder);
            if (!local) {
                skip(argument, Reason::NotSupported);
                return;
            }
            path = shown = *local;
        }
        if (path.isEmpty() || path.contains(QChar(0))) {
            skip(shown, Reason::NotFound);
            return;
        }
        const QFileInfo info(pathFrom(m_workingFolder, path));
        if (!info.exists()) {
            skip(shown, Reason::NotFound);
            return;
        }
        const QString absolute = info.absoluteFilePath();
        if (info.isDir()) {
            addFolder(absolute, shown);
            return;
        }
        if (info.suffix().compare(QLatin1String("zdx"), Qt::CaseInsensitive) == 0) {
            if (alone && lonePlaylist == LonePlaylist::Opens)
                m_result.playlistFile = absolute;
            else
                addZendrixPlaylist(absolute, shown);
            return;
        }
        if (foreignFormatOf(absolute)) {
            const std::optional<ForeignEntries> list = readForeignPlaylist(absolute);
            if (!list) {
                skip(shown, Reason::Unreadable);
                return;
            }
            m_result.entries.append(list->entries);
            for (const QString& refused : list->refused)
                skip(refused, Reason::NotSupported);
            if (list->entries.isEmpty() && list->refused.isEmpty())
                skip(shown, Reason::NoMedia);
            return;
        }
        m_result.entries.append(absolute);
    }

private:
    void skip(const QString& argument, Reason reason) { m_result.skipped.append({argument, reason}); }

    void addFolder(const QString& folder, const QString& shown)
    {
        // A DVD is played as a whole, from its menu.
        if (resolveMediaSource(folder).kind == MediaSource::Kind::Dvd) {
            m_result.entries.append(folder);
            return;
        }
        const QDir dir(folder);
        if (!dir.isReadable()) {
            skip(shown, Reason::Unreadable);
            return;
        }
        QStringList names;
        for (const QFileInfo& file : dir.entryInfoList(QDir::Files, QDir::NoSort)) {
            if (isMediaFileName(file.fileName()))
                names.append(file.fileName());
        }
        if (names.isEmpty()) {
            skip(shown, Reason::NoMedia);
            return;
        }
        std::sort(names.begin(), names.end(), naturalLess);
        for (const QString& name : std::as_const(names))
            m_result.entries.append(dir.filePath(name));
    }

    void addZendrixPlaylist(const QString& file, const QString& shown)
    {
        const PlaylistRead read = readPlaylistFile(file);
        if (!read.ok()) {
            skip(shown, Reason::Unreadable);
            return;
        }
        const QString folder = QFileInfo(file).absolutePath();
        for (const QString& line : read.playlist.entries) {
            if (const std::optional<QString> entry = resolvePlaylistLine(line, folder))
                m_result.entries.append(*entry);
        }
    }

    QString m_workingFolder;
    ResolvedArguments& m_result;
};

QString reasonText(Reason reason)
{
    switch (reason) {
    case Reason::NotFound:
        return QStringLiteral("Not found");
    case Reason::NotSupported:
        return QStringLiteral("Not supported");
    case Reason::Unreadable:
        return QStringLiteral("Cannot be read");
    case Reason::NoMedia:
        return QStringLiteral("No media files");
    }
    return {};
}

} // namespace

ResolvedArguments resolveArguments(const QStringList& arguments, const QString& workingFolder,
                                   LonePlaylist lonePlaylist)
{
    ResolvedArguments result;
    Resolver resolver(workingFolder, result);
    // An empty argument names nothing: it is passed over, not reported as a file that was not found.
    QStringList given = arguments;
    given.removeAll(QString());
    for (const QString& argument : std::as_const(given))
        resolver.resolve(argument, given.size() == 1, lonePlaylist);
    return result;
}

QString skippedArgumentsText(const QList<ResolvedArguments::Skipped>& skipped)
{
    QStringList lines;
    for (qsizetype i = 0; i < skipped.size() && i < kMaxNamedSkips; ++i)
        lines.append(reasonText(skipped[i].reason) + QStringLiteral(": ") + skipped[i].argument);
    if (skipped.size() > kMaxNamedSkips)
        lines.append(QStringLiteral("... and %1 more").arg(skipped.size() - kMaxNamedSkips));
    return lines.join(QStringLiteral("\r\n"));
}

} // namespace zendrix
