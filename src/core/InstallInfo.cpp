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
    // The file holds nothing but the four keys, whatever it held before. They go into it in one write, so
    // a start pays for one flush to disk rather than five.
    const QString section = QStringLiteral("Info");
    QByteArray record = withINIValue({}, section, QStringLiteral("Path"), programFolder);
    record = withINIValue(record, section, QStringLiteral("Major"), QString::number(kVersionMajor));
    record = withINIValue(record, section, QStringLiteral("Minor"), QString::number(kVersionMinor));
    record = withINIValue(record, section, QStringLiteral("Revision"), QString::number(kVersionRevision));
    (void)writeFileAtomically(infoPath, record);
}

}  // namespace zendrix
