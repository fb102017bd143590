#pragma once

// Runs the real player from a program folder of its own: a copy of the built executable with its Data/
// and Help/ folders, so each test has its own settings and its own single-instance claim.
#include <QProcess>
#include <QString>
#include <QTemporaryDir>
#include <memory>

namespace zendrix::testing {

class ProgramFolderCopy
{
public:
    ProgramFolderCopy();
    QString path() const { return m_dir.path(); }
    QString executable() const { return m_dir.filePath("zendrix"); }
    QString config() const { return m_dir.filePath("Data/config.ini"); }

    // Starts the player; it runs on the Xvfb screen this test runs on, with the test's environment unless
    // given another.
    std::unique_ptr<QProcess> start(const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment()) const;

private:
    QTemporaryDir m_dir;
};

// Whether the process still runs (QProcess learns of an end only when asked or from its event loop).
bool isRunning(QProcess& process);

}  // namespace zendrix::testing
