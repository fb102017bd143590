#include "MediaFilter.h"

#include <QFileInfo>

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

} // namespace zendrix
