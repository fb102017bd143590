// The playlist window with the real player logic and a scripted engine: what each button does to the
// list and the file on disk, what the user is told, and how choosing an entry and the Repeat box meet
// the end-of-item advance.
#include "windows/PlaylistWindow.h"
#include "core/PlayOrder.h"
#include "core/Player.h"
#include "core/SwitchSetting.h"
#include "core/TagCache.h"
#include "core/PlaylistFile.h"
#include "core/modINI.h"
#include "support/FakeHost.h"
#include "support/FakeMediaEngine.h"
#include "support/Files.h"
#include "support/ProgramFolderFixture.h"
#include "support/QtPrinters.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <sys/stat.h>

using namespace zendrix;
using namespace zendrix::testing;

namespace {

// Tags from a table the test fills; files not in it cannot be read.
class ScriptedTags : public TagReader
{
public:
    using Table = QHash<QString, EntryTags>;
    explicit ScriptedTags(const Table& table) : m_table(table) {}
    std::optional<EntryTags> read(const QString& path) override
    {
        const auto it = m_table.constFind(path);
        return it == m_table.constEnd() ? std::nullopt : std::optional<EntryTags>(*it);
    }

private:
    const Table& m_table;
};

class PlaylistWindowTest : public ::testing::Test
{
protected:
    ProgramFolderFixture folder;
    QTemporaryDir files;
    FakeMediaEngine engine;
    ListControl list;
    RepeatSetting repeat;
    FakeMessageBoxes messages;
    FakeFileDialogs dialogs;
    Player player{engine, list, repeat, messages, dialogs};
    SwitchSetting shuffle{"Player", "ShufflePlay"};
    SwitchSetting showTitles{"Playlist", "ShowTitles"};
    SwitchSetting remember{"Playlist", "RememberPlaylist"};
    PlayOrder order{list, repeat, shuffle, 99};
    ScriptedTags::Table tagTable;
    TagCache tags{[this] { return std::make_unique<ScriptedTags>(tagTable); }, 1};
    FakeShell shell;
    std::unique_ptr<PlaylistWindow> window = makeWindow();

    PlaylistWindowTest() { player.setPlayOrder(&order); }
    std::unique_ptr<PlaylistWindow> makeWindow()
    {
        return std::make_unique<PlaylistWindow>(list, repeat, player, messages, dialogs,
                                                PlaylistTools{order, tags, showTitles, remember, shell});
    }

    // Clicks a button whose dialog is answered with path ("" cancels).
    void click(void (PlaylistWindow::*handler)(), const QString& path = {})
    {
        dialogs.answers.push_back(path);
        (window.get()->*handler)();
    }
    void add(std::initializer_list<const char*> entries)
    {
        for (const char* entry : entries)
            click(&PlaylistWindow::cmdAdd_Click, entry);
    }
    QPoint rowCentre(int row)
    {
        window->show();
        return window->listView->visualRect(window->listView->model()->index(row, 0)).center();
    }
    void chooseRow(int row)
    {
        QTest::mouseClick(window->listView->viewport(), Qt::LeftButton, {}, rowCentre(row));
    }
    void doubleClickRow(int row)
    {
        QTest::mouseDClick(window->listView->viewport(), Qt::LeftButton, {}, rowCentre(row));
    }
    QStringList endOfItem(int seconds)
    {
        engine.clearCalls();
        engine.mediaDuration = seconds;
        for (int tick = 0; tick < seconds; ++tick)
            player.tmrTiming_Timer();
        engine.endOfStream();
        return engine.calls();
    }
};

TEST_F(PlaylistWindowTest, AddKeepsDuplicatesInOrderAndAFullListRefusesWithAMessage)
{
    add({"/b.mp3", "/a.mp3", "/b.mp3"});
    click(&PlaylistWindow::cmdAdd_Click); // cancelled
    EXPECT_EQ(list.items(), QStringList({"/b.mp3", "/a.mp3", "/b.mp3"}));
    EXPECT_TRUE(engine.calls().isEmpty());
    list.addItems(QStringList(ListControl::kMaxCount - 3, "/x.mp3"));
    add({"/one-more.mp3"});
    EXPECT_EQ(list.ListCount(), ListControl::kMaxCount);
    EXPECT_EQ(list.items().last(), "/x.mp3");
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].icon, MessageIcon::Critical);
}

TEST_F(PlaylistWindowTest, OpenReplacesTheListOnlyWithAFileItReadAndStopsAtTheLimit)
{
    const QString road = files.filePath("road.zdx");
    ASSERT_EQ(savePlaylistFile(road, {"Road", {"/r.mp3", "/r.mp3", ""}}), std::nullopt);
    add({"/old.mp3"});
    chooseRow(0);
    engine.clearCalls();
    click(&PlaylistWindow::cmdBrowse_Click, road);
    EXPECT_EQ(window->txtName->text(), "Road");
    EXPECT_EQ(list.items(), QStringList({"/r.mp3", "/r.mp3", ""}));
    EXPECT_EQ(window->lblFilename.Caption(), road);
    EXPECT_TRUE(engine.calls().isEmpty());

    // A file that cannot be read is reported and leaves the list, its name and the label as they were;
    // a pipe named like a playlist is refused without waiting for a writer.
    const QString missing = files.filePath("missing.zdx");
    const QString pipe = files.filePath("pipe.zdx");
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    ASSERT_TRUE(QDir(files.path()).mkdir("folder.zdx"));
    for (const QString& unreadable : {missing, pipe, files.filePath("folder.zdx")})
        click(&PlaylistWindow::cmdBrowse_Click, unreadable);
    EXPECT_EQ(list.items(), QStringList({"/r.mp3", "/r.mp3", ""}));
    EXPECT_EQ(window->txtName->text(), "Road");
    EXPECT_EQ(window->lblFilename.Caption(), road);
    EXPECT_EQ(messages.texts(), QStringList({errorText("File not found: '" + missing + "'"),
                                             errorText("Not a playlist file: '" + pipe + "'"),
                                             errorText("Not a playlist file: '" + files.filePath("folder.zdx") + "'")}));

    QByteArray bytes = "Huge\r\n"; // past the limit: the first 32,767 entries, and the user is told once
    for (int i = 0; i <= ListControl::kMaxCount; ++i)
        bytes += "/" + QByteArray::number(i) + ".mp3\r\n";
    folder.writeText("/huge.zdx", bytes);
    click(&PlaylistWindow::cmdBrowse_Click, folder.file("/huge.zdx"));
    EXPECT_EQ(list.ListCount(), ListControl::kMaxCount);
    ASSERT_EQ(messages.shown.size(), 4u);
    EXPECT_EQ(messages.shown[3].icon, MessageIcon::Information);
}

// Full, read-only and blocked disks are in FaultInjectionTest.
TEST_F(PlaylistWindowTest, SaveKeepsTheTypedNameAndAFailedSaveIsNeverASuccessAndLeavesTheOldFile)
{
    const QString path = files.filePath("evening"); // typed without an extension
    window->txtName->setText("Evening");
    add({"/a.mp3", "/a.mp3"});
    click(&PlaylistWindow::cmdSave_Click, path);
    EXPECT_EQ(readFile(path), "Evening\r\n/a.mp3\r\n/a.mp3\r\n");
    EXPECT_EQ(window->lblFilename.Caption(), path);
    EXPECT_EQ(messages.texts(), QStringList{"Playlist Saved Successfully!"});

    messages.shown.clear();
    click(&PlaylistWindow::cmdSave_Click, files.filePath("no/folder/x.zdx"));
    EXPECT_EQ(messages.texts(),
              QStringList{errorText("Path not found: '" + files.filePath("no/folder") + "'")});
    EXPECT_EQ(messages.shown.at(0).icon, MessageIcon::Critical);
    EXPECT_EQ(window->lblFilename.Caption(), path);
}

TEST_F(PlaylistWindowTest, ChoosingAnEntryPlaysItOnceAndRemovingItLetsItPlayOn)
{
    add({"/a.mp3", "/b.mp3", "/c.mp3"});
    window->cmdRemove_Click(); // nothing selected: ignored
    chooseRow(0);
    chooseRow(0); // the selection does not change: nothing starts
    QTest::keyClick(window->listView, Qt::Key_Down);
    EXPECT_EQ(engine.calls(), QStringList({"URL=/a.mp3", "play", "URL=/b.mp3", "play"}));
    EXPECT_EQ(endOfItem(3), QStringList({"URL=/c.mp3", "play"}));
    EXPECT_EQ(window->listView->currentIndex().row(), 2);

    engine.clearCalls();
    window->cmdRemove_Click();
    EXPECT_EQ(list.items(), QStringList({"/a.mp3", "/b.mp3"}));
    EXPECT_FALSE(window->listView->selectionModel()->hasSelection());
    EXPECT_TRUE(engine.calls().isEmpty()); // playback goes on
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(PlaylistWindowTest, ADoubleClickOrEnterPlaysTheSelectedEntryAgainAndAnotherEntryOnce)
{
    add({"/a.mp3", "/b.mp3"});
    chooseRow(0);
    endOfItem(2);
    EXPECT_TRUE(endOfItem(2).isEmpty()); // the list has ended on /b.mp3, still selected
    doubleClickRow(1);
    QTest::keyClick(window->listView, Qt::Key_Return);
    doubleClickRow(0); // its first press selects it, and that starts it
    chooseRow(0);      // a single click on the selected entry still does nothing
    EXPECT_EQ(engine.calls(),
              QStringList({"URL=/b.mp3", "play", "URL=/b.mp3", "play", "URL=/a.mp3", "play"}));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(PlaylistWindowTest, AfterARestartTheRepeatBoxIsUncheckedButTheStoredSettingStillRules)
{
    window->chkRepeat->click();
    window.reset(); // the program ends and starts again, reading the setting from the file
    repeat.load();
    ASSERT_TRUE(repeat.isOn());
    window = makeWindow();
    EXPECT_FALSE(window->chkRepeat->isChecked());
    add({"/a.mp3", "/b.mp3"});
    chooseRow(1);
    EXPECT_EQ(endOfItem(2), QStringList({"URL=/a.mp3", "play"}));
    window->chkRepeat->click();
    window->chkRepeat->click();
    EXPECT_EQ(ReadINI(folder.file("/Data/config.ini"), "Player", "RepeatPlaylist", ""), "False");
    chooseRow(1);
    EXPECT_TRUE(endOfItem(2).isEmpty());
}

} // namespace
