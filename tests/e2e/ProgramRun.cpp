#include "ProgramRun.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <sys/stat.h>

namespace zendrix::testing {

namespace {
void copyTree(const QString& from, const QString& to)
{
    QDir().mkpath(to);
    QDirIterator it(from, QDir::Files | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        const QString target = to + file.mid(from.size());
        QDir().mkpath(QFileInfo(target).absolutePath());
        QFile::copy(file, target);
    }
}
} // namespace

void copyProgramFolder(const QString& folder)
{
    const QString built = QStringLiteral(ZENDRIX_PROGRAM_DIR);
    const QString executable = folder + "/zendrix";
    QFile::copy(built + "/zendrix", executable);
    QFile::setPermissions(executable, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    copyTree(built + "/Data", folder + "/Data");
    if (QFileInfo::exists(built + "/Help"))
        copyTree(built + "/Help", folder + "/Help");
    QFile::remove(folder + "/Data/config.ini"); // every run starts from a fresh installation
}

ProgramFolderCopy::ProgramFolderCopy()
{
    copyProgramFolder(m_dir.path());
}

std::unique_ptr<QProcess> ProgramFolderCopy::start(const QStringList& arguments, const QString& workingFolder,
                                                   const QProcessEnvironment& environment) const
{
    return startProgram(executable(), arguments, workingFolder, environment);
}

std::unique_ptr<QProcess> startProgram(const QString& executable, const QStringList& arguments,
                                       const QString& workingFolder, const QProcessEnvironment& environment)
{
    auto process = std::make_unique<QProcess>();
    process->setProgram(executable);
    process->setArguments(arguments);
    if (!workingFolder.isEmpty())
        process->setWorkingDirectory(workingFolder);
    process->setProcessEnvironment(environment);
    process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process->start();
    process->waitForStarted(5000);
    return process;
}

bool isRunning(QProcess& process)
{
    return process.state() != QProcess::NotRunning && !process.waitForFinished(50);
}

FolderState folderState(const QString& path)
{
    FolderState state;
    QDir dir(path + "/Data");
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden)) {
        state.files.append(name);
        struct stat info
        {
        };
        ::stat(dir.filePath(name).toLocal8Bit().constData(), &info);
        state.inodes.append(info.st_ino);
    }
    return state;
}

QString run(const QString& program, const QStringList& arguments, const QProcessEnvironment& environment)
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    if (!process.waitForFinished(10000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

QString xdotool(const QStringList& arguments)
{
    return run(QStringLiteral("xdotool"), arguments);
}

} // namespace zendrix::testing
