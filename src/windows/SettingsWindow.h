#pragma once

#include "FormWidgets.h"
#include "button/SkinButton.h"
#include "core/Host.h"
#include "core/Skin.h"

#include <QListWidget>

namespace zendrix {

// The settings window `frmSettings`, where the user picks the skin. Creating it reads the skin list
// and preselects the configured skin (the last line that matches it exactly, else the first line); a
// list that is missing, unreadable or empty throws Failure naming the file.
//
// OK asks first, stores the chosen name, re-skins every window through LoadSkin (whose failure path
// ends the program) and closes; Cancel and the close button ask before closing without saving. Closing
// hides the window and emits `closed`; its owner destroys it then, and the next opening makes a new
// one, which reads the list and the setting again.
class SettingsWindow : public Form
{
    Q_OBJECT
public:
    SettingsWindow(SkinTargets& targets, MessageBoxes& messages, ProgramExit& exit);

    ImageBox* imgBack = nullptr;
    QListWidget* lstSkin = nullptr;
    SkinButton* cmdOk = nullptr;
    SkinButton* cmdCancel = nullptr;
    SkinButton* cmdExit = nullptr;

    void cmdOk_Click();
    void cmdCancel_Click();
    void cmdExit_Click();

    // Shows the window modally: the other windows of the program take no input until it closes, and
    // the call returns then. Returns at once for a window that has already been closed.
    void exec();
    bool isClosed() const { return m_closed; }

Q_SIGNALS:
    void closed();

protected:
    // A close from outside (the desktop's close shortcut) leaves without saving, like Cancel.
    void closeEvent(QCloseEvent* event) override;

private:
    void closeWindow();
    void askToClose(const QString& question);

    SkinTargets& m_targets;
    MessageBoxes& m_messages;
    ProgramExit& m_exit;
    bool m_closed = false;
};

}  // namespace zendrix
