// The settings window's skin list: what it lists, and the user's skins it installs and removes.
#include "SettingsWindow.h"
#include "WorkAside.h"
#include "core/Failure.h"
#include "core/SkinCatalog.h"
#include "core/SkinInstall.h"
#include "core/SkinList.h"
#include "core/SkinPackage.h"

#include <QContextMenuEvent>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>

namespace zendrix {

namespace {

// Marks the entries whose folder is the user's.
constexpr int kUserSkinRole = Qt::UserRole;

const QString kInstallTitle = QStringLiteral("Install Skin");
const QString kInstallFilter =
    QStringLiteral("Skin Archives (*.zip;*.tar.gz;*.tar.xz)|*.zip;*.tar.gz;*.tar.xz|All Files (*.*)|*.*");

// A skin's name as the messages give it: what it would be called, else the file's own name.
QString shownName(const QString& path)
{
    const QString name = skinSourceName(path);
    return name.isEmpty() ? QFileInfo(path).fileName() : name;
}

} // namespace

void SettingsWindow::fillSkinList(const QString& selected)
{
    const QString listPath = shippedSkinList();
    QString error;
    const auto names = readSkinList(listPath, &error);
    if (!names)
        throw Failure(error);
    if (names->isEmpty())
        throw Failure(QStringLiteral("No skin is listed in '%1'").arg(listPath));
    lstSkin->clear();
    // The last entry that matches wins; a name that is not listed leaves the first selected.
    int preselect = 0;
    for (const SkinEntry& entry : mergeSkinLists(*names, userSkinNames())) {
        auto* item = new QListWidgetItem(entry.name, lstSkin);
        item->setData(kUserSkinRole, entry.user);
        if (entry.name == selected)
            preselect = lstSkin->count() - 1;
    }
    lstSkin->setCurrentRow(preselect);
}

void SettingsWindow::setUpSkinMenu()
{
    mnuSkin = new QMenu(this);
    mnuSkin->setObjectName(QStringLiteral("mnuSkin"));
    mnuInstall = mnuSkin->addAction(QStringLiteral("&Install Skin\u2026"));
    mnuInstall->setObjectName(QStringLiteral("mnuInstall"));
    mnuRemove = mnuSkin->addAction(QStringLiteral("&Remove Skin"));
    mnuRemove->setObjectName(QStringLiteral("mnuRemove"));
    mnuOpenFolder = mnuSkin->addAction(QStringLiteral("&Open Skins Folder"));
    mnuOpenFolder->setObjectName(QStringLiteral("mnuOpenFolder"));
    connect(mnuInstall, &QAction::triggered, this, &SettingsWindow::mnuInstall_Click);
    connect(mnuRemove, &QAction::triggered, this, &SettingsWindow::mnuRemove_Click);
    connect(mnuOpenFolder, &QAction::triggered, this, &SettingsWindow::mnuOpenFolder_Click);
    // A right click lands on the list's viewport; the Menu key and Shift+F10 on the list itself.
    lstSkin->installEventFilter(this);
    lstSkin->viewport()->installEventFilter(this);
}

void SettingsWindow::updateSkinMenu()
{
    const QListWidgetItem* item = lstSkin->currentItem();
    mnuRemove->setEnabled(item && item->data(kUserSkinRole).toBool() && item->text() != configuredSkin());
}

void SettingsWindow::popupSkinMenu(const QPoint& globalPosition)
{
    updateSkinMenu();
    mnuSkin->popup(globalPosition);
}

bool SettingsWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != lstSkin && watched != lstSkin->viewport())
        return Form::eventFilter(watched, event);
    // From the keyboard the menu opens below the selected entry, or at the list's corner.
    const auto keyboardPosition = [this] {
        const QListWidgetItem* item = lstSkin->currentItem();
        const QRect shown = item ? lstSkin->visualItemRect(item) & lstSkin->viewport()->rect() : QRect();
        return lstSkin->viewport()->mapToGlobal(shown.isEmpty() ? QPoint(0, 0) : shown.bottomLeft());
    };
    if (event->type() == QEvent::ContextMenu) {
        const auto* request = static_cast<QContextMenuEvent*>(event);
        popupSkinMenu(request->reason() == QContextMenuEvent::Mouse ? request->globalPos()
                                                                    : keyboardPosition());
        return true;
    }
    if (watched == lstSkin && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_F10 && key->modifiers() == Qt::ShiftModifier) {
            popupSkinMenu(keyboardPosition());
            return true;
        }
    }
    return Form::eventFilter(watched, event);
}

bool SettingsWindow::installSkin(const QString& path)
{
    const auto cannot = [&path](const QString& why) {
        return QStringLiteral("The skin \"%1\" cannot be installed.\r\n%2").arg(shownName(path), why);
    };
    // Reading an archive and decoding its pictures takes the disk and some time: not on this thread.
    QString refusal;
    const std::optional<SkinPackage> package = runAside([&] { return readSkinPackage(path, &refusal); });
    if (!package) {
        reportFailure(m_messages, cannot(refusal));
        return false;
    }
    const bool listed = !lstSkin->findItems(package->name, Qt::MatchExactly).isEmpty();
    if (listed && m_messages.show(QStringLiteral("A skin named \"%1\" is already installed.\r\n"
                                                 "Do you want to replace it?")
                                      .arg(package->name),
                                  MessageIcon::Question, MessageButtons::YesNo) != MessageAnswer::Yes)
        return false;
    const auto failure = runAside([&] { return installSkinPackage(*package, userSkinsFolder()); });
    if (failure) {
        reportFailure(m_messages, cannot(*failure));
        return false;
    }
    return true;
}

void SettingsWindow::installSkins(const QStringList& paths)
{
    try {
        QString installed;
        for (const QString& path : paths) {
            if (installSkin(path))
                installed = skinSourceName(path);
        }
        if (!installed.isEmpty())
            fillSkinList(installed);
    } catch (const Failure& failure) {
        reportFailure(m_messages, failure.description());
    }
}

void SettingsWindow::mnuInstall_Click()
{
    const QString path = m_dialogs.openFileOrFolder(kInstallTitle, kInstallFilter);
    if (!path.isEmpty())
        installSkins({path});
}

void SettingsWindow::mnuRemove_Click()
{
    try {
        const QListWidgetItem* item = lstSkin->currentItem();
        // The menu greys the item for these; a stale call does nothing either.
        if (!item || !item->data(kUserSkinRole).toBool() || item->text() == configuredSkin())
            return;
        const QString name = item->text();
        if (m_messages.show(QStringLiteral("Are you sure you want to remove the skin \"%1\"?").arg(name),
                            MessageIcon::Question, MessageButtons::YesNo) != MessageAnswer::Yes)
            return;
        if (const auto failure = runAside([&] { return removeUserSkin(name, userSkinsFolder()); })) {
            reportFailure(m_messages,
                          QStringLiteral("The skin \"%1\" cannot be removed.\r\n%2").arg(name, *failure));
            return;
        }
        fillSkinList(configuredSkin());
    } catch (const Failure& failure) {
        reportFailure(m_messages, failure.description());
    }
}

void SettingsWindow::mnuOpenFolder_Click()
{
    const QString folder = userSkinsFolder();
    if (!QDir().mkpath(folder)) {
        reportFailure(m_messages, QStringLiteral("The folder '%1' cannot be made").arg(folder));
        return;
    }
    if (!m_shell.openDocument(folder))
        reportFailure(m_messages, QStringLiteral("No program could open the folder '%1'").arg(folder));
}

} // namespace zendrix
