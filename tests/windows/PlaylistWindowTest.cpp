// The playlist window with the real player logic and a scripted engine: what each button does to the
// list, the name, the file label and the files on disk, what the user is told, and how choosing an entry,
// the end-of-item advance, removal while playing and the Repeat box meet.
#include "windows/PlaylistWindow.h"
#include "windows/PlaylistFile.h"
#include "core/MediaFilter.h"
#include "core/Player.h"
#include "core/modINI.h"
#include "support/FakeHost.h"
#include "support/FakeMediaEngine.h"
#include "support/ProgramFolderFixture.h"
#include "support/QtPrinters.h"
#include "support/ScratchMount.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <unistd.h>

using namespace zendrix;
using zendrix::testing::FakeFileDialogs;
using zendrix::testing::FakeMessageBoxes;
using zendrix::testing::ProgramFolderFixture;
using zendrix::testing::ScratchMount;

namespace {

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

class PlaylistWindowTest : public ::testing::Test
{
protected:
    ProgramFolderFixture folder;
    QTemporaryDir files;
    FakeMediaEngine engine;
    ListControl list;
    FakeMessageBoxes messages;
    FakeFileDialogs dialogs;
    Player player{engine, list, messages, dialogs};
    std::unique_ptr<PlaylistWindow> window = std::make_unique<PlaylistWindow>(list, player, messages, dialogs);

    // A new start of the program as far as this window goes: the list is empty again and the window is
    // made afresh from the settings on disk.
    void restart()
    {
        window.reset();
        list.Clear();
        window = std::make_unique<PlaylistWindow>(list, player, messages, dialogs);
    }

    void add(const QStringList& entries)
    {
        for (const QString& entry : entries) {
            dialogs.answers.push_back(entry);
            window->cmdAdd_Click();
        }
    }
    void openPlaylist(const QString& path)
    {
        dialogs.answers.push_back(path);
        window->cmdBrowse_Click();
    }
    void savePlaylist(const QString& path)
    {
        dialogs.answers.push_back(path);
        window->cmdSave_Click();
    }
    void clickRow(int row)
    {
        window->show();
        PlaylistView& view = *window->listView;
        const QRect rect = view.visualRect(view.model()->index(row, 0));
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, rect.center());
    }
    void pressKey(Qt::Key key)
    {
        window->show();
        QTest::keyClick(window->listView, key);
    }
    int shownRow() const { return window->listView->selectionModel()->currentIndex().row(); }
    // Plays the item to its end: it is `seconds` long and ends at that tick.
    void playToTheEnd(int seconds)
    {
        engine.mediaDuration = seconds;
        for (int i = 0; i < seconds; ++i)
            player.tmrTiming_Timer();
    }
    QString repeatSetting() const
    {
        return ReadINI(folder.file("/Data/config.ini"), "Player", "RepeatPlaylist", "<missing>");
    }
};

TEST_F(PlaylistWindowTest, AddAppendsEachChosenFileAndTouchesNothingElse)
{
    add({"/music/b.mp3", "/music/a.mp3", "/music/b.mp3"});
    dialogs.answers.push_back("");  // cancelled
    window->cmdAdd_Click();

    EXPECT_EQ(list.items(), QStringList({"/music/b.mp3", "/music/a.mp3", "/music/b.mp3"}));
    ASSERT_EQ(dialogs.requests.size(), 4u);
    for (const auto& request : dialogs.requests) {
        EXPECT_EQ(request.kind, zendrix::testing::DialogRequest::Open);
        EXPECT_EQ(request.title, "Open Media File");
        EXPECT_EQ(request.filter, kMediaFilter);
    }
    EXPECT_EQ(list.ListIndex(), -1);
    EXPECT_EQ(window->listView->model()->rowCount(), 3);
    EXPECT_TRUE(engine.calls().isEmpty());
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(PlaylistWindowTest, AFullListRefusesAnotherEntryWithAMessage)
{
    list.addItems(QStringList(ListControl::kMaxCount, "/music/a.mp3"));
    add({"/music/one-more.mp3"});

    EXPECT_EQ(list.ListCount(), ListControl::kMaxCount);
    EXPECT_NE(list.items().last(), "/music/one-more.mp3");
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].icon, MessageIcon::Critical);
    EXPECT_TRUE(messages.shown[0].text.startsWith("Error!\r\n")) << messages.shown[0].text.toStdString();
}

TEST_F(PlaylistWindowTest, RemoveTakesOnlyTheSelectedEntryAndLeavesPlaybackAlone)
{
    add({"/a.mp3", "/b.mp3", "/c.mp3"});
    window->cmdRemove_Click();  // nothing selected: nothing happens, nothing is said
    EXPECT_EQ(list.ListCount(), 3);

    clickRow(1);
    engine.clearCalls();
    window->cmdRemove_Click();
    EXPECT_EQ(list.items(), QStringList({"/a.mp3", "/c.mp3"}));
    EXPECT_EQ(list.ListIndex(), -1);
    EXPECT_FALSE(window->listView->selectionModel()->hasSelection());
    EXPECT_TRUE(engine.calls().isEmpty());
    EXPECT_TRUE(player.IsPlaying);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(PlaylistWindowTest, OpenReplacesTheListAndStartsNothing)
{
    const QString path = files.filePath("road.zdx");
    ASSERT_EQ(savePlaylistFile(path, {"Road trip", {"/r/1.mp3", "/r/1.mp3", ""}}), std::nullopt);
    add({"/old/a.mp3", "/old/b.mp3"});
    clickRow(0);
    engine.clearCalls();

    openPlaylist(path);
    EXPECT_EQ(dialogs.requests.back().title, "Open Playlist");
    EXPECT_EQ(dialogs.requests.back().filter, "Zendrix Playlist Files (*.zdx)|*.zdx");
    EXPECT_EQ(window->txtName->text(), "Road trip");
    EXPECT_EQ(list.items(), QStringList({"/r/1.mp3", "/r/1.mp3", ""}));
    EXPECT_EQ(window->lblFilename.Caption(), path);
    EXPECT_EQ(list.ListIndex(), -1);
    EXPECT_EQ(window->listView->model()->rowCount(), 3);
    EXPECT_TRUE(engine.calls().isEmpty());
    EXPECT_TRUE(messages.shown.empty());

    openPlaylist("");  // cancelled: everything stays
    EXPECT_EQ(list.ListCount(), 3);
    EXPECT_EQ(window->txtName->text(), "Road trip");
    EXPECT_EQ(window->lblFilename.Caption(), path);
}

TEST_F(PlaylistWindowTest, AFileThatCannotBeReadIsReportedAndLeavesTheListEmpty)
{
    const QString good = files.filePath("good.zdx");
    ASSERT_EQ(savePlaylistFile(good, {"Good", {"/g.mp3"}}), std::nullopt);
    openPlaylist(good);

    const QString missing = files.filePath("missing.zdx");
    openPlaylist(missing);
    EXPECT_EQ(list.ListCount(), 0);
    EXPECT_EQ(window->txtName->text(), "Good");
    EXPECT_EQ(window->lblFilename.Caption(), good);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].icon, MessageIcon::Critical);
    EXPECT_EQ(messages.shown[0].text, errorText(QString("File not found: '%1'").arg(missing)));

    openPlaylist(files.path());  // a folder
    EXPECT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(window->lblFilename.Caption(), good);
}

TEST_F(PlaylistWindowTest, AnEmptyFileOpensAsAnEmptyUnnamedList)
{
    window->txtName->setText("Before");
    const QString empty = files.filePath("empty.zdx");
    QFile(empty).open(QIODevice::WriteOnly);
    openPlaylist(empty);
    EXPECT_EQ(window->txtName->text(), "");
    EXPECT_EQ(list.ListCount(), 0);
    EXPECT_EQ(window->lblFilename.Caption(), empty);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(PlaylistWindowTest, APlaylistPastTheLimitIsReadUpToItAndTheUserIsToldOnce)
{
    QStringList entries;
    for (int i = 0; i < ListControl::kMaxCount + 100; ++i)
        entries.append(QString("/music/%1.mp3").arg(i));
    // Written by hand: the player itself never saves more than it can hold.
    const QString path = files.filePath("huge.zdx");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(("Huge\r\n" + entries.join("\r\n") + "\r\n").toUtf8());
    file.close();

    openPlaylist(path);
    EXPECT_EQ(list.ListCount(), ListControl::kMaxCount);
    EXPECT_EQ(list.items().last(), entries[ListControl::kMaxCount - 1]);
    EXPECT_EQ(window->txtName->text(), "Huge");
    EXPECT_EQ(window->lblFilename.Caption(), path);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].icon, MessageIcon::Information);
    EXPECT_TRUE(messages.shown[0].text.contains("32,767")) << messages.shown[0].text.toStdString();
}

TEST_F(PlaylistWindowTest, SaveWritesNameAndEntriesUnderExactlyTheTypedName)
{
    window->txtName->setText("Evening");
    add({"/a.mp3", "/a.mp3"});
    const QString path = files.filePath("evening");  // typed without an extension
    savePlaylist(path);

    EXPECT_EQ(dialogs.requests.back().kind, zendrix::testing::DialogRequest::Save);
    EXPECT_EQ(dialogs.requests.back().title, "Save Playlist");
    EXPECT_EQ(dialogs.requests.back().filter, "Zendrix Playlist Files(*.zdx)|*.zdx");
    EXPECT_EQ(fileBytes(path), QByteArray("Evening\r\n/a.mp3\r\n/a.mp3\r\n"));
    EXPECT_FALSE(QFile::exists(path + ".zdx"));
    EXPECT_EQ(window->lblFilename.Caption(), path);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Playlist Saved Successfully!");
    EXPECT_EQ(messages.shown[0].icon, MessageIcon::Information);

    // An empty list is the name line alone, and opens again as the same empty, named list.
    list.Clear();
    window->txtName->setText("Nothing yet");
    savePlaylist(path);
    EXPECT_EQ(fileBytes(path), QByteArray("Nothing yet\r\n"));
    add({"/x.mp3"});
    window->txtName->clear();
    openPlaylist(path);
    EXPECT_EQ(window->txtName->text(), "Nothing yet");
    EXPECT_EQ(list.ListCount(), 0);
}

TEST_F(PlaylistWindowTest, AFailedSaveIsReportedNeverAsSuccessAndKeepsTheOldFile)
{
    ScratchMount disk(files.filePath("disk"), 16);
    const bool mounted = disk.isMounted();
    const QString folderPath = mounted ? files.filePath("disk") : files.filePath("plain");
    QDir().mkpath(folderPath);
    const QString path = folderPath + "/list.zdx";
    window->txtName->setText("Old");
    add({"/old.mp3"});
    savePlaylist(path);
    const QByteArray old = fileBytes(path);
    ASSERT_EQ(old, QByteArray("Old\r\n/old.mp3\r\n"));
    messages.shown.clear();

    const auto expectFailure = [&](const QString& target, const QString& description) {
        SCOPED_TRACE(description.toStdString());
        messages.shown.clear();
        savePlaylist(target);
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].icon, MessageIcon::Critical);
        EXPECT_EQ(messages.shown[0].text, errorText(description));
        EXPECT_EQ(window->lblFilename.Caption(), path);
        EXPECT_EQ(fileBytes(path), old);
    };

    const QString missingFolder = files.filePath("no/such/folder");
    expectFailure(missingFolder + "/list.zdx", QString("Path not found: '%1'").arg(missingFolder));

    list.addItems(QStringList(3000, "/a/rather/long/path/to/some/song/on/a/full/disk.mp3"));
    if (mounted) {
        expectFailure(path, "Disk full");
    }
    list.Clear();
    add({"/new.mp3"});
    if (mounted) {
        ASSERT_TRUE(disk.makeReadOnly());
        messages.shown.clear();
        savePlaylist(path);
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].icon, MessageIcon::Critical);
        EXPECT_EQ(window->lblFilename.Caption(), path);
        EXPECT_EQ(fileBytes(path), old);
    } else if (::geteuid() != 0) {
        QFile::setPermissions(folderPath, QFile::ReadOwner | QFile::ExeOwner);
        expectFailure(path, "Permission denied");
        QFile::setPermissions(folderPath, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
}

TEST_F(PlaylistWindowTest, ChoosingAnEntryByMouseOrKeyboardPlaysItOnce)
{
    add({"/a.mp3", "/b.mp3", "/c.mp3"});
    clickRow(1);
    EXPECT_EQ(engine.calls(), QStringList({"URL=/b.mp3", "play"}));
    EXPECT_TRUE(player.FromPlaylist);
    clickRow(1);  // the same entry again: the selection did not change
    pressKey(Qt::Key_Down);
    EXPECT_EQ(engine.calls(), QStringList({"URL=/b.mp3", "play", "URL=/c.mp3", "play"}));
    EXPECT_EQ(list.ListIndex(), 2);
}

TEST_F(PlaylistWindowTest, TheEndOfAnItemStartsTheNextEntryExactlyOnceAndShowsIt)
{
    add({"/a.mp3", "/b.mp3"});
    clickRow(0);
    engine.clearCalls();
    playToTheEnd(3);
    EXPECT_EQ(engine.calls(), QStringList({"URL=/b.mp3", "play"}));
    EXPECT_EQ(list.ListIndex(), 1);
    EXPECT_EQ(shownRow(), 1);
    EXPECT_TRUE(player.IsPlaying);
}

TEST_F(PlaylistWindowTest, RemovingThePlayingEntryMakesTheEndStartEntry0)
{
    add({"/a.mp3", "/b.mp3", "/c.mp3"});
    clickRow(1);
    window->cmdRemove_Click();
    engine.clearCalls();
    playToTheEnd(4);
    EXPECT_EQ(engine.calls(), QStringList({"URL=/a.mp3", "play"}));
    EXPECT_EQ(list.ListIndex(), 0);
    EXPECT_EQ(shownRow(), 0);

    // With no entry left the end simply stops, and nothing is said.
    list.Clear();
    engine.clearCalls();
    playToTheEnd(2);
    EXPECT_TRUE(engine.calls().isEmpty());
    EXPECT_FALSE(player.IsPlaying);
    EXPECT_FALSE(player.FromPlaylist);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(PlaylistWindowTest, AfterARestartTheRepeatBoxIsUncheckedButTheStoredSettingStillRules)
{
    window->chkRepeat->click();
    EXPECT_EQ(repeatSetting(), "True");
    restart();
    EXPECT_FALSE(window->chkRepeat->isChecked());
    EXPECT_EQ(repeatSetting(), "True");

    add({"/a.mp3", "/b.mp3"});
    clickRow(1);
    engine.clearCalls();
    playToTheEnd(2);
    EXPECT_EQ(engine.calls(), QStringList({"URL=/a.mp3", "play"}));  // repeated from the top

    window->chkRepeat->click();  // checked
    EXPECT_EQ(repeatSetting(), "True");
    window->chkRepeat->click();  // unchecked again
    EXPECT_EQ(repeatSetting(), "False");
    clickRow(1);
    engine.clearCalls();
    playToTheEnd(2);
    EXPECT_TRUE(engine.calls().isEmpty());
    EXPECT_FALSE(player.IsPlaying);
}

}  // namespace
