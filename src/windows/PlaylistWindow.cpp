#include "PlaylistWindow.h"

#include "core/Failure.h"
#include "core/MediaFilter.h"
#include "core/PlayOrder.h"
#include "core/Player.h"
#include "core/PlaylistFile.h"
#include "core/SwitchSetting.h"
#include "core/TagCache.h"


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

PlaylistWindow::PlaylistWindow(ListControl& list, RepeatSetting& repeat, Player& player,
                               MessageBoxes& messages, FileDialogs& dialogs, PlaylistTools tools)
    : Form(layouts::frmPlaylist().window, Kind::Secondary),
      lstPlaylist(list),
      m_repeat(repeat),
      m_player(player),
      m_messages(messages),
      m_dialogs(dialogs),
      m_tools(tools)
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
    listView->setQueue(&m_tools.order.queue());
    listView->setTags(&m_tools.tags);
    connect(listView, &PlaylistView::removeRequested, this, &PlaylistWindow::cmdRemove_Click);
    connect(listView, &PlaylistView::jumpRequested, this, &PlaylistWindow::jumpToEntry);
    connect(listView, &PlaylistView::menuRequested, this, &PlaylistWindow::showMenu);

    // Titles: every entry's tags are asked for in turn (those on screen first), and the summary follows
    // the list and the tags as they come, at most a few times a second.
    m_summaryTimer.setSingleShot(true);
    m_summaryTimer.setInterval(250);
    connect(&m_summaryTimer, &QTimer::timeout, this, &PlaylistWindow::showSummary);
    const auto listChanged = [this] {
        if (!showsTitles())
            return;
        m_tools.tags.request(lstPlaylist.items());
        m_summaryTimer.start();
    };
    connect(&list, &ListControl::inserted, this, listChanged);
    connect(&list, &ListControl::removed, this, listChanged);
    connect(&list, &ListControl::reset, this, [this, listChanged] {
        m_tools.tags.newRound(); // a list opened again reads the files changed since
        listChanged();
    });
    connect(&m_tools.tags, &TagCache::arrived, this, [this] {
        if (showsTitles() && !m_summaryTimer.isActive())
            m_summaryTimer.start();
    });
    connect(&m_tools.showTitles, &SwitchSetting::changed, this, [this, listChanged](bool on) {
        listView->setShowTitles(on);
        listChanged();
        showSummary();
    });
    if (showsTitles()) {
        listView->setShowTitles(true);
        listChanged();
    }

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
    m_summaryTimer.stop();
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
    const QStringList files = m_dialogs.openSeveral(kOpenMediaTitle, kMediaFilter);
    if (files.isEmpty())
        return;
    if (lstPlaylist.addItems(files) < files.size())
        reportFailure(m_messages, kListFullText);
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
    Q_EMIT fileLabelChanged();
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
    Q_EMIT fileLabelChanged();
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

void PlaylistWindow::rearrange(const QList<int>& order)
{
    try {
        lstPlaylist.rearrange(order);
    } catch (const Failure& failure) {
        reportFailure(m_messages, failure.description());
    }
}

TagLookup PlaylistWindow::tagLookup() const
{
    return m_tools.tags.lookup();
}

QString PlaylistWindow::summary() const
{
    return listSummary(lstPlaylist.items(), tagLookup());
}

void PlaylistWindow::showSummary()
{
    const QString text = showsTitles() ? summary() : QString();
    listView->setToolTip(text);
    listView->setAccessibleDescription(text);
}

}  // namespace zendrix
