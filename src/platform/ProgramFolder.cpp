#include "ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace zendrix {

namespace {
QString& folderOverride()
{
    static QString folder;
    return folder;
}

// The folder of the executable itself, links resolved: started through <prefix>/bin/zendrix, a link to
// <prefix>/lib/zendrix/zendrix, the program is at home in <prefix>/lib/zendrix. Worked out once, before
// anything else can happen to the file (an upgrade replaces it while the program runs), and without the
// application object, which a start does not make before it knows it will stay.
QString executableFolder()
{
    static const QString folder = [] {
        const QString executable = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
        if (!executable.isEmpty())
            return QFileInfo(executable).absolutePath();
        return QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QString();
    }();
    return folder;
}
}  // namespace

QString programFolder()
{
    if (!folderOverride().isEmpty())
        return folderOverride();
    return executableFolder();
}

void setProgramFolder(const QString& folder)
{
    folderOverride() = folder;
}

QString programPath(const QString& relative)
{
    return programFolder() + relative;
}

QString userDataFolder()
{
    QString base = qEnvironmentVariable("XDG_DATA_HOME");
    // XDG Base Directory: a relative path there is to be ignored.
    if (base.isEmpty() || !QDir::isAbsolutePath(base))
        base = QDir::homePath() + QStringLiteral("/.local/share");
    return QDir::cleanPath(base) + QStringLiteral("/Zendrix");
}

}  // namespace zendrix
