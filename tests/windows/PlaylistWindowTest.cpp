// The playlist window with the real player logic and a scripted engine: what each button does to the
// list, the name, the file label and the file on disk, what the user is told, and how choosing an entry,
// the end-of-item advance, removal while playing and the Repeat box meet.
#include "windows/PlaylistWindow.h"
#include "core/MediaFilter.h"
#include "core/Player.h"
#include "core/modINI.h"
#include "support/FakeHost.h"
#include "support/FakeMediaEngine.h"
#include "support/ProgramFolderFixture.h"
#include "support/QtPrinters.h"
#include "support/ScratchMount.h"
#include "windows/PlaylistFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

using namespace zendrix;
using namespace zendrix::testing;

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
    std::unique_ptr<PlaylistWindow> window =
        std::make_unique<PlaylistWindow>(list, player, messages, dialogs);

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
    void chooseRow(int row)
    {
        window->show();
        const QRect rect = window->listView->visualRect(window->listView->model()->index(row, 0));
        QTest::mouseClick(window->listView->viewport(), Qt::LeftButton, {}, rect.center());
    }
    void playToTheEnd(int seconds)
    {
        engine.mediaDuration = seconds;
        for (int tick = 0; tick < seconds; ++tick)
            player.tmrTiming_Timer();
    }
    QString repeatSetting() const
    {
        return ReadINI(folder.file("/Data/config.ini"), "Player", "RepeatPlaylist", "");
    }
};

TEST_F(PlaylistWindowTest, AddKeepsDuplicatesInOrderAndAFullListRefusesWithAMessage)
{
    add({"/b.mp3", "/a.mp3", "/b.mp3"});
    click(&PlaylistWindow::cmdAdd_Click);  // cancelled
    EXPECT_EQ(list.items(), QStringList({"/b.mp3", "/a.mp3", "/b.mp3"}));
    EXPECT_EQ(dialogs.requests.back().title, "Open Media File");
    EXPECT_EQ(dialogs.requests.back().filter, kMediaFilter);
    EXPECT_EQ(list.ListIndex(), -1);
    EXPECT_TRUE(engine.calls().isEmpty());

    list.addItems(QStringList(ListControl::kMaxCount, "/x.mp3"));
    add({"/one-more.mp3"});
    EXPECT_EQ(list.items().last(), "/x.mp3");
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].icon, MessageIcon::Critical);
}

TEST_F(PlaylistWindowTest, OpenReplacesTheListReportsWhatItCannotReadAndStopsAtTheLimit)
{
    const QString road = files.filePath("road.zdx");
    ASSERT_EQ(savePlaylistFile(road, {"Road", {"/r.mp3", "/r.mp3", ""}}), std::nullopt);
    add({"/old.mp3"});
    chooseRow(0);
    engine.clearCalls();
    click(&PlaylistWindow::cmdBrowse_Click, road);
    EXPECT_EQ(dialogs.requests.back().title, "Open Playlist");
    EXPECT_EQ(dialogs.requests.back().filter, "Zendrix Playlist Files (*.zdx)|*.zdx");
    EXPECT_EQ(window->txtName->text(), "Road");
    EXPECT_EQ(list.items(), QStringList({"/r.mp3", "/r.mp3", ""}));
    EXPECT_EQ(window->lblFilename.Caption(), road);
    EXPECT_EQ(list.ListIndex(), -1);
    EXPECT_TRUE(engine.calls().isEmpty());

    const QString missing = files.filePath("missing.zdx");
    click(&PlaylistWindow::cmdBrowse_Click, missing);
    EXPECT_EQ(list.ListCount(), 0);
    EXPECT_EQ(window->txtName->text(), "Road");
    EXPECT_EQ(window->lblFilename.Caption(), road);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, errorText("File not found: '" + missing + "'"));

    // Past the limit: the first 32,767 entries are read, and the user is told once.
    QByteArray bytes = "Huge\r\n";
    for (int i = 0; i <= ListControl::kMaxCount; ++i)
        bytes += "/" + QByteArray::number(i) + ".mp3\r\n";
    folder.writeText("/huge.zdx", bytes);
    click(&PlaylistWindow::cmdBrowse_Click, folder.file("/huge.zdx"));
    EXPECT_EQ(list.ListCount(), ListControl::kMaxCount);
    EXPECT_EQ(window->lblFilename.Caption(), folder.file("/huge.zdx"));
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[1].icon, MessageIcon::Information);
}

TEST_F(PlaylistWindowTest, SaveUsesTheTypedNameAndReportsSuccessOnlyWhenTheFileIsInPlace)
{
    ScratchMount disk(files.filePath("disk"), 16);
    const QString path = files.filePath("disk/evening");  // typed without an extension
    window->txtName->setText("Evening");
    add({"/a.mp3", "/a.mp3"});
    click(&PlaylistWindow::cmdSave_Click, path);
    EXPECT_EQ(dialogs.requests.back().title, "Save Playlist");
    EXPECT_EQ(dialogs.requests.back().filter, "Zendrix Playlist Files(*.zdx)|*.zdx");
    const QByteArray saved = "Evening\r\n/a.mp3\r\n/a.mp3\r\n";
    EXPECT_EQ(fileBytes(path), saved);
    EXPECT_FALSE(QFile::exists(path + ".zdx"));
    EXPECT_EQ(window->lblFilename.Caption(), path);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Playlist Saved Successfully!");
    EXPECT_EQ(messages.shown[0].icon, MessageIcon::Information);

    // Every failed save: one critical message, the label as it was, the old file intact.
    const auto failedSave = [&](const QString& target) {
        messages.shown.clear();
        click(&PlaylistWindow::cmdSave_Click, target);
        EXPECT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown.at(0).icon, MessageIcon::Critical);
        EXPECT_EQ(window->lblFilename.Caption(), path);
        EXPECT_EQ(fileBytes(path), saved);
        return messages.shown.at(0).text;
    };
    EXPECT_EQ(failedSave(files.filePath("no/folder/x.zdx")),
              errorText("Path not found: '" + files.filePath("no/folder") + "'"));
    if (!disk.isMounted())
        GTEST_SKIP() << "no right to mount a small disk";
    list.addItems(QStringList(1000, "/a/path/long/enough/to/fill/a/small/disk.mp3"));
    EXPECT_EQ(failedSave(path), errorText("Disk full"));
    ASSERT_TRUE(disk.makeReadOnly());
    EXPECT_TRUE(failedSave(path).startsWith("Error!\r\n"));
}

TEST_F(PlaylistWindowTest, ChoosingAnEntryPlaysItOnceAndTheEndOfItStartsTheNextOnce)
{
    add({"/a.mp3", "/b.mp3", "/c.mp3"});
    chooseRow(0);
    chooseRow(0);  // the selection does not change: nothing starts
    QTest::keyClick(window->listView, Qt::Key_Down);
    EXPECT_EQ(engine.calls(), QStringList({"URL=/a.mp3", "play", "URL=/b.mp3", "play"}));
    engine.clearCalls();
    playToTheEnd(3);
    EXPECT_EQ(engine.calls(), QStringList({"URL=/c.mp3", "play"}));
    EXPECT_EQ(window->listView->currentIndex().row(), 2);
}

TEST_F(PlaylistWindowTest, RemovingThePlayingEntryMakesTheEndStartEntry0)
{
    add({"/a.mp3", "/b.mp3", "/c.mp3"});
    window->cmdRemove_Click();  // nothing selected: ignored
    chooseRow(1);
    window->cmdRemove_Click();
    EXPECT_EQ(list.items(), QStringList({"/a.mp3", "/c.mp3"}));
    EXPECT_EQ(list.ListIndex(), -1);
    EXPECT_FALSE(window->listView->selectionModel()->hasSelection());
    EXPECT_EQ(engine.calls(), QStringList({"URL=/b.mp3", "play"}));  // playback goes on
    engine.clearCalls();
    playToTheEnd(2);
    EXPECT_EQ(engine.calls(), QStringList({"URL=/a.mp3", "play"}));
    EXPECT_EQ(list.ListIndex(), 0);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(PlaylistWindowTest, AfterARestartTheRepeatBoxIsUncheckedButTheStoredSettingStillRules)
{
    window->chkRepeat->click();
    window.reset();  // the program ends and starts again
    window = std::make_unique<PlaylistWindow>(list, player, messages, dialogs);
    EXPECT_FALSE(window->chkRepeat->isChecked());
    EXPECT_EQ(repeatSetting(), "True");

    add({"/a.mp3", "/b.mp3"});
    chooseRow(1);
    engine.clearCalls();
    playToTheEnd(2);
    EXPECT_EQ(engine.calls(), QStringList({"URL=/a.mp3", "play"}));

    window->chkRepeat->click();
    window->chkRepeat->click();
    EXPECT_EQ(repeatSetting(), "False");
    chooseRow(1);
    engine.clearCalls();
    playToTheEnd(2);
    EXPECT_TRUE(engine.calls().isEmpty());
}

}  // namespace
