#pragma once

#include "FormWidgets.h"
#include "button/SkinButton.h"
#include "core/Host.h"
#include "core/Skin.h"

#include <QListWidget>
#include <QMenu>

namespace zendrix {

// The settings window `frmSettings`, where the user picks the skin. Creating it reads the skin list
// and preselects the configured skin (the last line that matches it exactly, else the first line); a
// list that is missing, unreadable or empty throws Failure naming the file. After the listed skins come
// the user's own (core/SkinCatalog.h), by name.
//
// OK asks first, stores the chosen name, re-skins every window through LoadSkin (whose failure path
// ends the program) and closes; Cancel and the close button ask before closing without saving. Closing
// hides the window and emits `closed`; its owner destroys it then, and the next opening makes a new
// one, which reads the list and the setting again.
//
// The user's skins are installed by dropping a skin folder or archive on the window, or through the
// list's menu (right click, the Menu key or Shift+F10), which also removes them and opens their folder.
// A skin is checked whole before anything is written (core/SkinPackage.h); the one just installed is
// listed and selected at once, so OK applies it.
class SettingsWindow : public Form
{
    Q_OBJECT
public:
    SettingsWindow(SkinTargets& targets, MessageBoxes& messages, ProgramExit& exit, FileDialogs& dialogs,
                   Shell& shell);

    ImageBox* imgBack = nullptr;
    QListWidget* lstSkin = nullptr;
    SkinButton* cmdOk = nullptr;
    SkinButton* cmdCancel = nullptr;
    SkinButton* cmdExit = nullptr;

    // The list's menu: Install Skin..., Remove Skin (the user's skins only, and not the one in use),
    // Open Skins Folder.
    QMenu* mnuSkin = nullptr;
    QAction* mnuInstall = nullptr;
    QAction* mnuRemove = nullptr;
    QAction* mnuOpenFolder = nullptr;

    void cmdOk_Click();
    void cmdCancel_Click();
    void cmdExit_Click();
    void mnuInstall_Click();
    void mnuRemove_Click();
    void mnuOpenFolder_Click();

    // Installs each skin folder or archive in turn into the user's skin folder, as a drop does: a refused
    // skin is named in a message saying why, a skin of a name already listed is replaced only after a
    // Yes, and the last one installed ends up selected.
    void installSkins(const QStringList& paths);
    // Greys the menu's items for the selected entry, then shows the menu at `globalPosition`.
    void popupSkinMenu(const QPoint& globalPosition);

    // Shows the window modally: the other windows of the program take no input until it closes, and
    // the call returns then. Returns at once for a window that has already been closed.
    void exec();
    bool isClosed() const { return m_closed; }

Q_SIGNALS:
    void closed();

protected:
    // A close from outside (the desktop's close shortcut) leaves without saving, like Cancel.
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void closeWindow();
    void askToClose(const QString& question);
    // Lists the shipped skins and the user's, and selects the last entry named `selected`, else the
    // first. Throws Failure for a skin list that is missing, unreadable or empty.
    void fillSkinList(const QString& selected);
    void setUpSkinMenu();
    void updateSkinMenu();
    bool installSkin(const QString& path);

    SkinTargets& m_targets;
    MessageBoxes& m_messages;
    ProgramExit& m_exit;
    FileDialogs& m_dialogs;
    Shell& m_shell;
    bool m_closed = false;
};

}  // namespace zendrix
