#pragma once

// Runs the real player from a program folder of its own: a copy of the built executable with its Data/
// and Help/ folders, so each test has its own settings and its own single-instance claim.
#include <QProcess>
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
    // Xvfb screen this test runs on.
    std::unique_ptr<QProcess> start(const QStringList& arguments = {},
                                    const QString& workingFolder = {}) const;

private:
    QTemporaryDir m_dir;
};

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

// The files opened in one folder, as the system reports them (inotify): which item the player has
// reached, seen from outside, even for an item that is over within a moment.
class OpenedFiles
{
public:
    explicit OpenedFiles(const QString& folder);
    ~OpenedFiles();
    OpenedFiles(const OpenedFiles&) = delete;
    OpenedFiles& operator=(const OpenedFiles&) = delete;

    // Waits up to `ms` until `name` has been opened; the names opened so far, in order, each once.
    bool waitFor(const QString& name, int ms);
    const QStringList& names() const { return m_names; }

private:
    void take(int ms);
    int m_fd;
    QStringList m_names;
};

} // namespace zendrix::testing
