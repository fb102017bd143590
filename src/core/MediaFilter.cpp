#include "MediaFilter.h"

#include "ForeignPlaylist.h"

#include <QFileInfo>
#include <QMimeDatabase>

namespace zendrix {

QStringList mediaFileSuffixes()
{
    static const QStringList suffixes = [] {
        QStringList result;
        const QStringList groups = kMediaFilter.split(QLatin1Char('|'));
        if (groups.size() < 2)
            return result;
        for (const QString& pattern : groups[1].split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            const QString suffix = pattern.trimmed().toLower();
            if (suffix.startsWith(QLatin1String("*.")) && suffix.size() > 2 &&
                !result.contains(suffix.sliced(2)))
                result.append(suffix.sliced(2));
        }
        return result;
    }();
    return suffixes;
}

bool isMediaFileName(const QString& fileName)
{
    const QString suffix = QFileInfo(fileName).suffix();
    return !suffix.isEmpty() && mediaFileSuffixes().contains(suffix.toLower());
}

QStringList mediaMimeTypes()
{
    static const QStringList types = [] {
        QStringList result;
        const QMimeDatabase database;
        for (const QString& suffix : mediaFileSuffixes() + foreignPlaylistSuffixes()) {
            for (const QMimeType& type : database.mimeTypesForFileName(QStringLiteral("file.") + suffix)) {
                if (!result.contains(type.name()))
                    result.append(type.name());
            }
        }
        // Installed with the player, so not always known to the database that is asked.
        result.append(QStringLiteral("application/x-zendrix-playlist"));
        return result;
    }();
    return types;
}

} // namespace zendrix
