#pragma once

// A fresh installation for the benchmarks of the real binary: the built executable and its Data/ folder
// copied to `to`, without settings. ZENDRIX_PROGRAM_DIR names the build's program folder.
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QString>

inline void copyProgramFolder(const QString& to)
{
    const QString from = QStringLiteral(ZENDRIX_PROGRAM_DIR);
    QFile::copy(from + "/zendrix", to + "/zendrix");
    QFile::setPermissions(to + "/zendrix", QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QDirIterator data(from + "/Data", QDir::Files, QDirIterator::Subdirectories);
    while (data.hasNext()) {
        const QString file = data.next();
        const QString target = to + file.mid(from.size());
        QDir().mkpath(QFileInfo(target).absolutePath());
        QFile::copy(file, target);
    }
    QFile::remove(to + "/Data/config.ini");
}
