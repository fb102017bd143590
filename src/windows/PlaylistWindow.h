#pragma once

#include "FormWidgets.h"
#include "PlaylistView.h"
#include "button/SkinButton.h"
#include "core/Host.h"
#include "core/ListControl.h"
#include "core/RepeatSetting.h"

#include <QCheckBox>
#include <QLineEdit>

namespace zendrix {

class Player;
struct PlaylistRead;

// The playlist window `frmPlaylist`: the player's one playlist, its name, the file it was last opened
// from or saved to, and the Repeat box. Selecting an entry (mouse or keyboard) plays it through the main
// window, and so do a double click on the selected entry and Enter. The file format lives in
// PlaylistFile.h; this window only asks for paths and reports.
//
// Failures: Add, Open and Save report theirs as "Error!" and a description with the critical icon and
// leave the name and the file label as they were; Remove ignores every failure. The Repeat box opens
// unchecked at every start, whatever the settings hold, and writes the setting only when clicked.
class PlaylistWindow : public Form
{
    Q_OBJECT
public:
    PlaylistWindow(ListControl& list, RepeatSetting& repeat, Player& player, MessageBoxes& messages,
                   FileDialogs& dialogs);
    ~PlaylistWindow() override;

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

    // Appends a media file chosen in a dialog; a full list refuses it with a message.
    void cmdAdd_Click();
    // Removes the selected entry; afterwards nothing is selected. Playback is not touched.
    void cmdRemove_Click();
    // Replaces the list with a playlist file chosen in a dialog.
    void cmdBrowse_Click();
    // Open's work once it has its file: the name, the entries and the file label from the file. A file
    // that cannot be read is reported and changes nothing: the list, the name and the label stay as they
    // were. Whether the file was read.
    bool openPlaylist(const QString& file);
    // Saves the name and the list to a file chosen in a dialog, exactly under the name given.
    void cmdSave_Click();
    // Plays the selected entry: once it is selected, and again at a double click on it or Enter.
    void lstPlaylist_Click();
    // Stores the box's state as the "RepeatPlaylist" setting. The box follows the setting when the desktop
    // changes it.
    void chkRepeat_Click();

private:
    void reportShortfall(const PlaylistRead& read);

    RepeatSetting& m_repeat;
    Player& m_player;
    MessageBoxes& m_messages;
    FileDialogs& m_dialogs;
};

}  // namespace zendrix
