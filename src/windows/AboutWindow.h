#pragma once

#include "core/Host.h"

#include <QDialog>
#include <QStringList>
#include <functional>

class QLabel;
class QPushButton;

namespace zendrix {

// Where the About window looks for a system information program, in two steps: the first of a fixed
// list of well-known programs found on the PATH, else a named program in a fixed folder of our own.
// Tests feed every source; the defaults are the live system's.
struct SysInfoSources
{
    static const QStringList kWellKnownPrograms;  // hardinfo, kinfocenter, gnome-system-monitor, ...
    static const QString kFolder;                 // "/usr/local/share/Quarrymoor Software/SysInfo"
    static const QString kProgram;                // "sysinfo"

    std::function<QString()> searchPath = [] { return qEnvironmentVariable("PATH"); };
    QStringList programs = kWellKnownPrograms;
    QString folder = kFolder;
    QString program = kProgram;
};

// The full path of the program StartSysInfo would start; "" when neither step finds one.
QString findSysInfo(const SysInfoSources& sources);

// Starts the system information program in a window of its own. When there is none, or it does not
// start, shows "System Information Is Unavailable At This Time" with an OK button and no icon.
void StartSysInfo(const SysInfoSources& sources, Shell& shell, MessageBoxes& messages);

// The About window `frmAbout`: the program's icon, title, version, description and notice, "Ok" and
// "&System Information...". The one window with a title bar and the desktop's own push buttons. It is
// shown modally (exec) and closed by Ok; its owner destroys it then.
class AboutWindow : public QDialog
{
    Q_OBJECT
public:
    AboutWindow(Shell& shell, MessageBoxes& messages, SysInfoSources sources = {}, QWidget* parent = nullptr);

    QLabel* picIcon = nullptr;
    QLabel* lblTitle = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* lblDescription = nullptr;
    QLabel* lblDisclaimer = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdSysInfo = nullptr;

    void cmdOK_Click();
    void cmdSysInfo_Click();

private:
    Shell& m_shell;
    MessageBoxes& m_messages;
    SysInfoSources m_sources;
};

}  // namespace zendrix
