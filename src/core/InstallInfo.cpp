#include "InstallInfo.h"

#include "modINI.h"
#include "platform/AtomicFile.h"

#include <QDir>
#include <QFileInfo>

namespace zendrix {

void WriteInstallInfo(const QString& infoPath, const QString& programFolder)
{
    const QFileInfo info(infoPath);
    const QDir folder = info.absoluteDir();
    QDir().mkdir(QFileInfo(folder.absolutePath()).absolutePath());  // "Quarrymoor Software"
    QDir().mkdir(folder.absolutePath());                             // "Zendrix"
    // The file holds nothing but the four keys below, whatever it held before.
    (void)writeFileAtomically(infoPath, QByteArray());
    const QString section = QStringLiteral("Info");
    WriteINI(infoPath, section, QStringLiteral("Path"), programFolder);
    WriteINI(infoPath, section, QStringLiteral("Major"), QString::number(kVersionMajor));
    WriteINI(infoPath, section, QStringLiteral("Minor"), QString::number(kVersionMinor));
    WriteINI(infoPath, section, QStringLiteral("Revision"), QString::number(kVersionRevision));
}

}  // namespace zendrix
