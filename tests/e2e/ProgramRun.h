#pragma once

// Runs the real player from a program folder of its own: a copy of the built executable with its Data/
// and Help/ folders, so each test has its own settings and its own single-instance claim.
#include <QProcess>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>
#include <sys/types.h>

namespace zendrix::testing {

class ProgramFolderCopy
{
public:
    ProgramFolderCopy();
    QString path() const { return m_dir.path(); }
    QString executable() const { return m_dir.filePath("zendrix"); }
    QString config() const { return m_dir.filePath("Data/config.ini"); }

    // Starts the player with `arguments` from `workingFolder` (the test's own when empty); it runs on the
    // Xvfb screen this test runs on, with the test's environment unless given another.
    std::unique_ptr<QProcess> start(const QStringList& arguments = {}, const QString& workingFolder = {},
                                    const QProcessEnvironment& environment =
                                        QProcessEnvironment::systemEnvironment()) const;

private:
    QTemporaryDir m_dir;
};

// Copies the built player into `folder` as ProgramFolderCopy does: the executable, Data/ (without
// settings) and Help/.
void copyProgramFolder(const QString& folder);
// Starts the player at `executable` as ProgramFolderCopy::start does.
std::unique_ptr<QProcess>
startProgram(const QString& executable, const QStringList& arguments = {}, const QString& workingFolder = {},
             const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment());

// The sizes the player's main window and title strip have in every skin.
inline const QSize kMainWindowSize(425, 71);
inline const QSize kTitleStripSize(425, 28);

// Runs `program` and gives what it printed, trimmed; "" when it failed or took over ten seconds.
QString run(const QString& program, const QStringList& arguments,
            const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment());
// xdotool's answer, as run() gives it.
QString xdotool(const QStringList& arguments);

// Whether the process still runs (QProcess learns of an end only when asked or from its event loop).
bool isRunning(QProcess& process);

// The names and inodes of the files in <folder>/Data: a file written shows as a new inode, since every
// write replaces its file.
struct FolderState
{
    QStringList files;
    QList<ino_t> inodes;
    bool operator==(const FolderState&) const = default;
};
FolderState folderState(const QString& folder);

} // namespace zendrix::testing
