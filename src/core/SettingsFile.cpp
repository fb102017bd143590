#include "SettingsFile.h"

#include "platform/AtomicFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <unistd.h>

namespace zendrix {

namespace {

QString dataFolder(const QString& programFolder)
{
    return programFolder + QStringLiteral("/Data");
}

// access() asks the kernel, so a read-only mount counts as unwritable for root too.
bool canWrite(const QString& folder)
{
    return ::access(QFile::encodeName(folder).constData(), W_OK | X_OK) == 0;
}

} // namespace

QString userSettingsFolder()
{
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    // XDG Base Directory: a relative path there is to be ignored.
    if (base.isEmpty() || !QDir::isAbsolutePath(base))
        base = QDir::homePath() + QStringLiteral("/.config");
    return QDir::cleanPath(base) + QStringLiteral("/Zendrix");
}

QString stateFolder(const QString& settingsFile, const QString& programFolder)
{
    const QString besideSettings = QFileInfo(settingsFile).absolutePath();
    if (QDir::cleanPath(besideSettings) == QDir::cleanPath(dataFolder(programFolder)))
        return besideSettings;
    QString base = qEnvironmentVariable("XDG_STATE_HOME");
    // XDG Base Directory: a relative path there is to be ignored.
    if (base.isEmpty() || !QDir::isAbsolutePath(base))
        base = QDir::homePath() + QStringLiteral("/.local/state");
    return QDir::cleanPath(base) + QStringLiteral("/Zendrix");
}

QString settingsFilePath(const QString& programFolder)
{
    static QHash<QString, QString> decided;
    auto it = decided.constFind(programFolder);
    if (it == decided.constEnd()) {
        const QString data = dataFolder(programFolder);
        const bool installed = QFileInfo::exists(programFolder + kInstalledMarker);
        it = decided.insert(programFolder, !installed && canWrite(data)
                                               ? data + QStringLiteral("/config.ini")
                                               : userSettingsFolder() + QStringLiteral("/config.ini"));
    }
    return *it;
}

QString prepareSettingsFile(const QString& programFolder)
{
    const QString path = settingsFilePath(programFolder);
    const QString installed = dataFolder(programFolder) + QStringLiteral("/config.ini");
    if (path == installed || QFileInfo::exists(path))
        return path;
    // The configuration folder is private to the user, as XDG Base Directory asks.
    const QString folder = QFileInfo(path).absolutePath();
    if (!QFileInfo(folder).isDir()) {
        const QString parent = QFileInfo(folder).absolutePath();
        if (!QDir().mkpath(parent) || !QDir().mkdir(folder))
            return path;
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    QFile seed(installed);
    if (seed.open(QIODevice::ReadOnly))
        (void)writeFileAtomically(path, seed.readAll());
    return path;
}

} // namespace zendrix
