#include "PlaylistWindow.h"

#include "core/Player.h"

namespace zendrix {

PlaylistWindow::PlaylistWindow(ListControl& list, Player& player, MessageBoxes& messages, FileDialogs& dialogs)
    : Form(layouts::frmPlaylist().window, Kind::Secondary),
      lstPlaylist(list),
      m_player(player),
      m_messages(messages),
      m_dialogs(dialogs)
{
    const layouts::PlaylistWindow& layout = layouts::frmPlaylist();
    imgBack = new ImageBox(this, layout.imgBack.rect, ImageBox::Fit::Stretch);
    imgBack->setObjectName(layout.imgBack.name);

    txtName = new QLineEdit(this);
    txtName->setObjectName(layout.txtName.name);
    txtName->setGeometry(layout.txtName.rect);
    txtName->setFont(layoutFont(layout.txtName.font));

    listView = new PlaylistView(this, list);
    listView->setObjectName(layout.lstPlaylist.name);
    listView->setGeometry(layout.lstPlaylist.rect);
    listView->setFont(layoutFont(layout.lstPlaylist.font));
    list.Click = [this] { lstPlaylist_Click(); };

    // The box stands on a panel of its background colour; the text takes its own colour.
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

    new BoundLabel(this, layout.lblFilename, &lblFilename);

    cmdRemove = makeButton(this, layout.cmdRemove);
    cmdAdd = makeButton(this, layout.cmdAdd);
    cmdSave = makeButton(this, layout.cmdSave);
    cmdBrowse = makeButton(this, layout.cmdBrowse);
}

void PlaylistWindow::lstPlaylist_Click()
{
    m_player.playlist(lstPlaylist.ListIndex());
}

}  // namespace zendrix
