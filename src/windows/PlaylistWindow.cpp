#include "PlaylistWindow.h"

#include "core/PlaylistFile.h"
#include "core/Failure.h"
#include "core/MediaFilter.h"
#include "core/Player.h"

namespace zendrix {

namespace {

const QString kOpenPlaylistTitle = QStringLiteral("Open Playlist");
const QString kOpenPlaylistFilter = QStringLiteral("Zendrix Playlist Files (*.zdx)|*.zdx");
const QString kSavePlaylistTitle = QStringLiteral("Save Playlist");
// Without the blank before the parenthesis, unlike the open filter: both are shown as they have always been.
const QString kSavePlaylistFilter = QStringLiteral("Zendrix Playlist Files(*.zdx)|*.zdx");

const QString kEntriesLeftOut =
    QStringLiteral("This playlist has more than 32,767 entries. Only the first 32,767 were read.");
const QString kLinesCut = QStringLiteral("Lines longer than 32,767 bytes were cut short.");

}  // namespace

PlaylistWindow::PlaylistWindow(ListControl& list, RepeatSetting& repeat, Player& player, MessageBoxes& messages,
                               FileDialogs& dialogs)
    : Form(layouts::frmPlaylist().window, Kind::Secondary),
      lstPlaylist(list),
      m_repeat(repeat),
      m_player(player),
      m_messages(messages),
      m_dialogs(dialogs)
{
    const layouts::PlaylistWindow& layout = layouts::frmPlaylist();
    imgBack = new ImageBox(this, layout.imgBack.rect, ImageBox::Fit::Stretch);
    imgBack->setObjectName(layout.imgBack.name);

    txtName = new QLineEdit(this);
    txtName->setObjectName(layout.txtName.name);
    txtName->setAccessibleName(layout.txtName.accessibleName);
    txtName->setGeometry(layout.txtName.rect);
    txtName->setFont(layoutFont(layout.txtName.font));

    listView = new PlaylistView(this, list);
    listView->setObjectName(layout.lstPlaylist.name);
    listView->setAccessibleName(layout.lstPlaylist.accessibleName);
    listView->setGeometry(layout.lstPlaylist.rect);
    listView->setFont(layoutFont(layout.lstPlaylist.font));
    list.Click = [this] { lstPlaylist_Click(); };
    // After the list has ended, or after a file opened from the main window, the highlighted entry is
    // still selected: a double click or Enter is how it plays without picking another first.
    list.DblClick = [this] { lstPlaylist_Click(); };

    // Unchecked at every start, whatever the settings hold: the stored value still rules the advance at
    // the end of the list until the user clicks the box. It stands on a panel of its background colour;
    // the text takes its own colour.
    auto* repeatPanel = new QWidget(this);
    repeatPanel->setGeometry(layout.chkRepeat.rect);
    repeatPanel->setAutoFillBackground(true);
    QPalette panelColours = repeatPanel->palette();
    panelColours.setColor(QPalette::Window, layout.chkRepeat.background);
    repeatPanel->setPalette(panelColours);
    chkRepeat = new QCheckBox(layout.chkRepeat.caption, repeatPanel);
    chkRepeat->setObjectName(layout.chkRepeat.name);
    chkRepeat->setGeometry(0, 0, layout.chkRepeat.rect.width(), layout.chkRepeat.rect.height());
    chkRepeat->setFont(layoutFont(layout.chkRepeat.font));
    QPalette colours = chkRepeat->palette();
    colours.setColor(QPalette::WindowText, layout.chkRepeat.foreground);
    colours.setColor(QPalette::Window, layout.chkRepeat.background);
    chkRepeat->setPalette(colours);
    connect(chkRepeat, &QCheckBox::clicked, this, &PlaylistWindow::chkRepeat_Click);
    connect(&m_repeat, &RepeatSetting::changed, chkRepeat, &QCheckBox::setChecked);

    new BoundLabel(this, layout.lblFilename, &lblFilename);

    cmdRemove = makeButton(this, layout.cmdRemove);
    cmdAdd = makeButton(this, layout.cmdAdd);
    cmdSave = makeButton(this, layout.cmdSave);
    cmdBrowse = makeButton(this, layout.cmdBrowse);
    connect(cmdRemove, &SkinButton::Click, this, &PlaylistWindow::cmdRemove_Click);
    connect(cmdAdd, &SkinButton::Click, this, &PlaylistWindow::cmdAdd_Click);
    connect(cmdSave, &SkinButton::Click, this, &PlaylistWindow::cmdSave_Click);
    connect(cmdBrowse, &SkinButton::Click, this, &PlaylistWindow::cmdBrowse_Click);
}

PlaylistWindow::~PlaylistWindow()
{
    // The list outlives the window: its selection must no longer reach here.
    lstPlaylist.Click = nullptr;
    lstPlaylist.DblClick = nullptr;
}

void PlaylistWindow::cmdAdd_Click()
{
    // Said before the dialog, so that nobody picks a file only to see it refused.
    if (lstPlaylist.ListCount() >= ListControl::kMaxCount) {
        reportFailure(m_messages, kListFullText);
        return;
    }
    const QString file = m_dialogs.open(kOpenMediaTitle, kMediaFilter);
    if (file.isEmpty())
        return;
    try {
        lstPlaylist.AddItem(file);
    } catch (const Failure& failure) {
        reportFailure(m_messages, failure.description());
    }
}

void PlaylistWindow::cmdRemove_Click()
{
    try {
        lstPlaylist.RemoveItem(lstPlaylist.ListIndex());
    } catch (const Failure&) {
        // Nothing selected: nothing to remove.
    }
}

void PlaylistWindow::cmdBrowse_Click()
{
    const QString file = m_dialogs.open(kOpenPlaylistTitle, kOpenPlaylistFilter);
    if (file.isEmpty())
        return;
    (void)openPlaylist(file);
}

bool PlaylistWindow::openPlaylist(const QString& file)
{
    // The file is read before the list is touched: one that cannot be read (gone, a folder or a pipe
    // named like a playlist, no rights) leaves the user's list as it was.
    const PlaylistRead read = readPlaylistFile(file);
    if (!read.ok()) {
        reportFailure(m_messages, read.failure);
        return false;
    }
    lstPlaylist.Clear();
    txtName->setText(read.playlist.name);
    lstPlaylist.addItems(read.playlist.entries);
    lblFilename.setCaption(file);
    reportShortfall(read);
    return true;
}

// One message for everything of the file that did not make it into the list.
void PlaylistWindow::reportShortfall(const PlaylistRead& read)
{
    QStringList notes;
    if (read.entriesLeftOut)
        notes.append(kEntriesLeftOut);
    if (read.linesCut)
        notes.append(kLinesCut);
    if (!notes.isEmpty())
        m_messages.show(notes.join(QStringLiteral("\r\n")), MessageIcon::Information, MessageButtons::Ok);
}

void PlaylistWindow::cmdSave_Click()
{
    const QString file = m_dialogs.save(kSavePlaylistTitle, kSavePlaylistFilter);
    if (file.isEmpty())
        return;
    if (const std::optional<QString> failure =
            savePlaylistFile(file, {txtName->text(), lstPlaylist.items()})) {
        reportFailure(m_messages, *failure);
        return;
    }
    lblFilename.setCaption(file);
    m_messages.show(QStringLiteral("Playlist Saved Successfully!"), MessageIcon::Information,
                    MessageButtons::Ok);
}

void PlaylistWindow::lstPlaylist_Click()
{
    m_player.playlist(lstPlaylist.ListIndex());
}

void PlaylistWindow::chkRepeat_Click()
{
    m_repeat.store(chkRepeat->isChecked());
}

}  // namespace zendrix
