// The list's context menu (right click on the list, or the Menu key and Shift+F10 while it has the
// focus) and what its items do.
#include "PlaylistWindow.h"

#include "JumpDialog.h"
#include "core/EntryTags.h"
#include "core/PlayOrder.h"
#include "core/Player.h"
#include "core/SwitchSetting.h"
#include "core/TagCache.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QMenu>
#include <QPointer>
#include <QSet>
#include <QThreadPool>
#include <random>

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

void PlaylistWindow::playEntry(int row)
{
    if (row < 0 || row >= lstPlaylist.ListCount())
        return;
    lstPlaylist.setListIndex(row, ListControl::Notify::No);
    m_player.playlist(static_cast<std::int16_t>(row));
}

void PlaylistWindow::playNext(int row)
{
    if (row >= 0 && row < lstPlaylist.ListCount())
        m_tools.order.queue().enqueue(row);
}

void PlaylistWindow::removeEntry(int row)
{
    if (row < 0 || row >= lstPlaylist.ListCount())
        return;
    if (row == lstPlaylist.ListIndex()) {
        cmdRemove_Click();
        return;
    }
    QList<int> kept;
    kept.reserve(lstPlaylist.ListCount() - 1);
    for (int i = 0; i < lstPlaylist.ListCount(); ++i) {
        if (i != row)
            kept.append(i);
    }
    rearrange(kept);
}

void PlaylistWindow::moveEntry(int row, int direction)
{
    const int to = row + direction;
    if (row >= 0 && row < lstPlaylist.ListCount() && to >= 0 && to < lstPlaylist.ListCount())
        lstPlaylist.moveItem(row, to);
}

void PlaylistWindow::sortBy(SortKey key)
{
    // Titles and lengths not read yet are asked for, so that the next sort knows more of them.
    if (key == SortKey::Title || key == SortKey::Length)
        m_tools.tags.request(lstPlaylist.items());
    rearrange(sortedOrder(lstPlaylist.items(), key, tagLookup()));
}

void PlaylistWindow::reverseOrder()
{
    rearrange(zendrix::reversedOrder(lstPlaylist.ListCount()));
}

void PlaylistWindow::shuffleList()
{
    static std::mt19937 random{std::random_device{}()};
    rearrange(shuffledOrder(lstPlaylist.ListCount(), random));
}

void PlaylistWindow::removeDuplicates()
{
    rearrange(withoutDuplicates(lstPlaylist.items()));
}

void PlaylistWindow::removeMissingFiles()
{
    // A list of files on a slow or sleeping disk takes its time to check: the disk is asked on a thread
    // of the pool, and the answer is applied to the list as it is by then.
    QPointer<PlaylistWindow> window(this);
    QThreadPool::globalInstance()->start([window, entries = lstPlaylist.items()] {
        const QStringList missing =
            missingPaths(entries, [](const QString& path) { return QFileInfo::exists(path); });
        QMetaObject::invokeMethod(QCoreApplication::instance(), [window, missing] {
            if (!window)
                return;
            const QSet<QString> gone(missing.cbegin(), missing.cend());
            const QStringList& items = window->lstPlaylist.items();
            const int current = window->lstPlaylist.ListIndex();
            QList<int> kept;
            for (int i = 0; i < items.size(); ++i) {
                if (i == current || (!items[i].isEmpty() && !gone.contains(items[i])))
                    kept.append(i);
            }
            const int removed = static_cast<int>(items.size() - kept.size());
            if (removed > 0)
                window->rearrange(kept);
            Q_EMIT window->missingFilesRemoved(removed);
        });
    });
}

void PlaylistWindow::jumpToEntry()
{
    if (lstPlaylist.ListCount() == 0)
        return;
    const QStringList entries = lstPlaylist.items();
    const TagLookup tags = tagLookup();
    const bool titles = showsTitles();
    JumpDialog dialog(this, entries, tags, [entries, tags, titles](int row) {
        return titles ? entryDisplayName(entries[row], tags(entries[row])) : entries[row];
    });
    if (dialog.exec() == QDialog::Accepted && dialog.chosenRow() >= 0 &&
        dialog.chosenRow() < lstPlaylist.ListCount() &&
        lstPlaylist.List(dialog.chosenRow()) == entries[dialog.chosenRow()])
        playEntry(dialog.chosenRow());
}

void PlaylistWindow::setShowTitles(bool on)
{
    m_tools.showTitles.store(on);
}

void PlaylistWindow::setShufflePlay(bool on)
{
    m_tools.order.shuffle().store(on);
}

void PlaylistWindow::setRememberPlaylist(bool on)
{
    m_tools.remember.store(on);
}

bool PlaylistWindow::showsTitles() const
{
    return m_tools.showTitles.isOn();
}

bool PlaylistWindow::shufflesPlay() const
{
    return m_tools.order.shuffles();
}

bool PlaylistWindow::remembersPlaylist() const
{
    return m_tools.remember.isOn();
}

void PlaylistWindow::openContainingFolder(int row)
{
    if (row < 0 || row >= lstPlaylist.ListCount())
        return;
    const QString path = entryLocalPath(lstPlaylist.List(row));
    if (!path.isEmpty())
        (void)m_tools.shell.openDocument(QFileInfo(path).absolutePath());
}

} // namespace zendrix
