// The list's context menu: right click on the list, or the Menu key and Shift+F10 while it has the focus.
#include "PlaylistWindow.h"

#include "core/EntryTags.h"

#include <QMenu>

namespace zendrix {

std::unique_ptr<QMenu> PlaylistWindow::makeMenu(int row)
{
    auto menu = std::make_unique<QMenu>(this);
    menu->setObjectName(QStringLiteral("mnuPlaylist"));
    const int count = lstPlaylist.ListCount();
    const bool entry = row >= 0 && row < count;
    const auto add = [&](QMenu* to, const QString& caption, bool enabled, auto&& act) {
        QAction* action = to->addAction(caption);
        action->setEnabled(enabled);
        QObject::connect(action, &QAction::triggered, this, act);
        return action;
    };
    const auto check = [&](const QString& caption, bool on, auto&& act) {
        QAction* action = menu->addAction(caption);
        action->setCheckable(true);
        action->setChecked(on);
        QObject::connect(action, &QAction::toggled, this, act);
        return action;
    };

    add(menu.get(), QStringLiteral("&Play"), entry, [this, row] { playEntry(row); });
    add(menu.get(), QStringLiteral("Play &Next"), entry, [this, row] { playNext(row); });
    add(menu.get(), QStringLiteral("&Remove\tDelete"), entry, [this, row] { removeEntry(row); });
    add(menu.get(), QStringLiteral("Move &Up\tAlt+Up"), entry && row > 0,
        [this, row] { moveEntry(row, -1); });
    add(menu.get(), QStringLiteral("Move &Down\tAlt+Down"), entry && row < count - 1,
        [this, row] { moveEntry(row, 1); });
    menu->addSeparator();
    QMenu* sort = menu->addMenu(QStringLiteral("&Sort"));
    sort->setEnabled(count > 1);
    add(sort, QStringLiteral("By &Title"), true, [this] { sortBy(SortKey::Title); });
    add(sort, QStringLiteral("By &File Name"), true, [this] { sortBy(SortKey::FileName); });
    add(sort, QStringLiteral("By &Path"), true, [this] { sortBy(SortKey::Path); });
    add(sort, QStringLiteral("By &Length"), true, [this] { sortBy(SortKey::Length); });
    add(sort, QStringLiteral("&Reverse Order"), true, [this] { reverseOrder(); });
    add(menu.get(), QStringLiteral("S&huffle List"), count > 1, [this] { shuffleList(); });
    add(menu.get(), QStringLiteral("Remove &Missing Files"), count > 0, [this] { removeMissingFiles(); });
    add(menu.get(), QStringLiteral("Remove Dupli&cates"), count > 1, [this] { removeDuplicates(); });
    menu->addSeparator();
    add(menu.get(), QStringLiteral("&Jump to Entry\u2026\tJ"), count > 0, [this] { jumpToEntry(); });
    check(QStringLiteral("Show &Titles"), showsTitles(), [this](bool on) { setShowTitles(on); });
    check(QStringLiteral("Shuffle Pl&ay"), shufflesPlay(), [this](bool on) { setShufflePlay(on); });
    check(QStringLiteral("Remember Play&list"), remembersPlaylist(),
          [this](bool on) { setRememberPlaylist(on); });
    add(menu.get(), QStringLiteral("Open Containing &Folder"), entry && isLocalEntry(lstPlaylist.List(row)),
        [this, row] { openContainingFolder(row); });
    return menu;
}

void PlaylistWindow::showMenu(int row, const QPoint& globalPosition)
{
    const std::unique_ptr<QMenu> menu = makeMenu(row);
    menu->exec(globalPosition);
}

} // namespace zendrix
