#pragma once

#include "FormWidgets.h"
#include "PlaylistView.h"
#include "button/SkinButton.h"
#include "core/Host.h"
#include "core/ListControl.h"
#include "core/PlaylistOrder.h"
#include "core/RepeatSetting.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QTimer>
#include <memory>

class QMenu;

namespace zendrix {

class Player;
class PlayOrder;
class SwitchSetting;
class TagCache;
struct PlaylistRead;

// What the list's own menu works with besides the list: the queue and Shuffle Play, the titles and
// lengths, the settings of its check items and the desktop, which opens an entry's folder.
struct PlaylistTools
{
    PlayOrder& order;
    TagCache& tags;
    SwitchSetting& showTitles;
    SwitchSetting& remember;
    Shell& shell;
};

// The playlist window `frmPlaylist`: the player's one playlist, its name, the file it was last opened
// from or saved to, and the Repeat box. Selecting an entry (mouse or keyboard) plays it through the main
// window, and so do a double click on the selected entry and Enter. The file format lives in
// PlaylistFile.h; this window only asks for paths and reports.
//
// Failures: Add, Open and Save report theirs as "Error!" and a description with the critical icon and
// leave the name and the file label as they were; Remove ignores every failure. The Repeat box opens
// unchecked at every start, whatever the settings hold, and writes the setting only when clicked.
//
// The list's menu (PlaylistMenu.h) and its keys reach the operations below; those that name an entry
// take its row. None of them starts or stops playback but Play and Jump, and the current entry stays
// current (and selected) through every new order.
class PlaylistWindow : public Form
{
    Q_OBJECT
public:
    PlaylistWindow(ListControl& list, RepeatSetting& repeat, Player& player, MessageBoxes& messages,
                   FileDialogs& dialogs, PlaylistTools tools);
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

    // Appends the media files chosen in a dialog, in the dialog's order; a full list refuses what does not
    // fit with a message.
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

    // --- The list's menu ---
    void playEntry(int row);
    // Queues the entry to play after the current item ("Play Next").
    void playNext(int row);
    // The selected entry goes as Remove takes it (nothing selected afterwards); another entry goes with
    // the selection kept on the current one.
    void removeEntry(int row);
    // One place up (-1) or down (1).
    void moveEntry(int row, int direction);
    void sortBy(SortKey key);
    void reverseOrder();
    void shuffleList();
    void removeDuplicates();
    // Asks the disk in the background; the entries go once it has answered.
    void removeMissingFiles();
    void jumpToEntry();
    void setShowTitles(bool on);
    void setShufflePlay(bool on);
    void setRememberPlaylist(bool on);
    void openContainingFolder(int row);
    bool showsTitles() const;
    bool shufflesPlay() const;
    bool remembersPlaylist() const;
    // The menu for the entry at row (-1 for none), as right click, the Menu key and Shift+F10 open it.
    std::unique_ptr<QMenu> makeMenu(int row);
    void showMenu(int row, const QPoint& globalPosition);
    // What the list's tooltip and accessible description say while titles are shown.
    QString summary() const;

Q_SIGNALS:
    // Remove Missing Files has taken its entries out (for those who wait on it).
    void missingFilesRemoved(int count);
    // The file label names another playlist file (after Open or Save).
    void fileLabelChanged();

private:
    void reportShortfall(const PlaylistRead& read);
    void rearrange(const QList<int>& order);
    void showSummary();
    TagLookup tagLookup() const;

    RepeatSetting& m_repeat;
    Player& m_player;
    MessageBoxes& m_messages;
    FileDialogs& m_dialogs;
    PlaylistTools m_tools;
    // While tags come in, the summary is worked out again at most this often.
    QTimer m_summaryTimer;
};

}  // namespace zendrix
