#pragma once

#include "FormWidgets.h"
#include "PlaylistView.h"
#include "button/SkinButton.h"
#include "core/Host.h"
#include "core/ListControl.h"

#include <QCheckBox>
#include <QLineEdit>

namespace zendrix {

class Player;

// The playlist window `frmPlaylist`: the player's one playlist, its name, the file it was last opened
// from or saved to, and the Repeat box. Selecting an entry plays it through the main window.
class PlaylistWindow : public Form
{
    Q_OBJECT
public:
    PlaylistWindow(ListControl& list, Player& player, MessageBoxes& messages, FileDialogs& dialogs);

    ListControl& lstPlaylist;
    ImageBox* imgBack = nullptr;
    QLineEdit* txtName = nullptr;
    PlaylistView* listView = nullptr;
    QCheckBox* chkRepeat = nullptr;
    LabelControl lblFilename{QStringLiteral("[No File]")};
    SkinButton* cmdRemove = nullptr;
    SkinButton* cmdAdd = nullptr;
    SkinButton* cmdSave = nullptr;
    SkinButton* cmdBrowse = nullptr;

    void lstPlaylist_Click();

private:
    Player& m_player;
    MessageBoxes& m_messages;
    FileDialogs& m_dialogs;
};

}  // namespace zendrix
