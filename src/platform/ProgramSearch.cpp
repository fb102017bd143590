#include "ProgramSearch.h"

#include <QDir>
#include <QFileInfo>

namespace zendrix {

bool isExecutableFile(const QString& path)
{
    const QFileInfo info(path);
    return info.isFile() && info.isExecutable();
}

QString findProgramOnPath(const QString& name, const QString& searchPath)
{
    if (name.isEmpty() || name.contains(QLatin1Char('/')))
        return {};
    const QStringList folders = searchPath.split(QLatin1Char(':'), Qt::SkipEmptyParts);
    for (const QString& folder : folders) {
        if (!QDir::isAbsolutePath(folder))
            continue;
        const QString candidate = QDir(folder).filePath(name);
        if (isExecutableFile(candidate))
            return QDir::cleanPath(candidate);
    }
    return {};
}

}  // namespace zendrix
