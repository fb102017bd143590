// The playlist window with the real player logic and a scripted engine: what each button does to the
// list and the file on disk, what the user is told, and how choosing an entry and the Repeat box meet
// the end-of-item advance.
#include "windows/PlaylistWindow.h"
#include "core/PlayOrder.h"
#include "core/Player.h"
#include "core/PlaylistFile.h"
#include "core/SwitchSetting.h"
#include "core/TagCache.h"
#include "core/modINI.h"
#include "support/FakeHost.h"
#include "support/FakeMediaEngine.h"
#include "support/Files.h"
#include "support/ProgramFolderFixture.h"
#include "support/QtPrinters.h"
#include "support/WaitFor.h"
#include "windows/JumpDialog.h"
#include "windows/PlaylistMemory.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <gtest/gtest.h>
#include <memory>
#include <ranges>
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

// Every row holds the font's whole line: a row holding "Üfifty" shows as many rows of ink as the text
// drawn with nothing to cut it, so neither the dots over the U nor the dot of the i are lost.
TEST_F(PlaylistWindowTest, RowsAreAWholeLineHighAfterAddsRemovesAndOpens)
{
    const QColor ink(255, 0, 255);
    const QString text = QString::fromUtf8("Üfifty");
    PlaylistView& view = *window->listView;
    QPalette colours = view.palette();
    colours.setColor(QPalette::Text, ink);
    view.setPalette(colours);
    window->show();
    const auto inkRows = [&ink](const QImage& image) {
        int rows = 0;
        for (int y = 0; y < image.height(); ++y)
            rows += std::ranges::any_of(std::views::iota(0, image.width()),
                                        [&](int x) { return image.pixelColor(x, y) == ink; });
        return rows;
    };
    QImage whole(100, 60, QImage::Format_RGB32);
    whole.fill(Qt::white);
    {
        QPainter painter(&whole);
        painter.setFont(view.font());
        painter.setPen(ink);
        painter.drawText(20, 30, text);
    }
    const auto expectWholeRow = [&](int row, const char* when) {
        const QRect rect = view.visualRect(view.model()->index(row, 0));
        EXPECT_EQ(inkRows(view.viewport()->grab(rect).toImage()), inkRows(whole)) << when;
    };

    add({"Üfifty", "second", "Üfifty"});
    expectWholeRow(2, "after adds");
    list.setListIndex(1, ListControl::Notify::No);
    window->cmdRemove_Click();
    expectWholeRow(1, "after a remove");
    click(&PlaylistWindow::cmdBrowse_Click,
          writeFile(files.filePath("list.zdx"), "Name\r\n" + text.toLocal8Bit() + "\r\n"));
    expectWholeRow(0, "after an open");
}

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

namespace {

// The list's own gestures and its menu, on the same window.
class PlaylistGesturesTest : public PlaylistWindowTest
{
protected:
    QStringList captions(QMenu& menu)
    {
        QStringList result;
        for (QAction* action : menu.actions())
            result.append(action->isSeparator() ? QStringLiteral("-") : action->text());
        return result;
    }
    QAction* action(QMenu& menu, const QString& caption)
    {
        for (QAction* item : menu.actions()) {
            if (item->text().startsWith(caption))
                return item;
        }
        return nullptr;
    }
    void trigger(int row, const QString& caption)
    {
        const std::unique_ptr<QMenu> menu = window->makeMenu(row);
        QAction* item = action(*menu, caption);
        ASSERT_NE(item, nullptr) << caption.toStdString();
        item->trigger();
    }
    void drag(int from, int to)
    {
        QWidget* viewport = window->listView->viewport();
        const QPoint start = rowCentre(from);
        const QPoint end = rowCentre(to);
        QTest::mousePress(viewport, Qt::LeftButton, {}, start);
        for (int step = 1; step <= 4; ++step) {
            QMouseEvent move(QEvent::MouseMove, start + (end - start) * step / 4,
                             viewport->mapToGlobal(start + (end - start) * step / 4), Qt::NoButton,
                             Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(viewport, &move);
        }
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, end);
    }
};

TEST_F(PlaylistGesturesTest,
       DragAndAltArrowsMoveEntriesWithoutStartingAnythingAndTheAdvanceFollowsTheNewOrder)
{
    add({"/a.mp3", "/b.mp3", "/c.mp3", "/d.mp3"});
    chooseRow(1); // /b.mp3 plays
    engine.clearCalls();
    drag(1, 3); // the playing entry, to the end
    drag(3, 0); // and back to the top
    drag(2, 3); // another entry, which is neither selected nor started
    EXPECT_EQ(list.items(), QStringList({"/b.mp3", "/a.mp3", "/d.mp3", "/c.mp3"}));
    EXPECT_EQ(list.ListIndex(), 0);
    EXPECT_TRUE(engine.calls().isEmpty()) << engine.calls().join(' ').toStdString();

    window->listView->setFocus();
    QTest::keyClick(window->listView, Qt::Key_Down, Qt::AltModifier);
    QTest::keyClick(window->listView, Qt::Key_Down, Qt::AltModifier);
    QTest::keyClick(window->listView, Qt::Key_Up, Qt::AltModifier);
    EXPECT_EQ(list.items(), QStringList({"/a.mp3", "/b.mp3", "/d.mp3", "/c.mp3"}));
    EXPECT_EQ(list.ListIndex(), 1);
    EXPECT_TRUE(engine.calls().isEmpty());
    EXPECT_EQ(endOfItem(2), QStringList({"URL=/d.mp3", "play"})) << "the advance goes on from the new place";

    engine.clearCalls();
    QTest::keyClick(window->listView, Qt::Key_Delete); // as Remove: nothing selected, playback untouched
    EXPECT_EQ(list.items(), QStringList({"/a.mp3", "/b.mp3", "/c.mp3"}));
    EXPECT_EQ(list.ListIndex(), -1);
    EXPECT_TRUE(engine.calls().isEmpty());
    QTest::mouseClick(window->listView->viewport(), Qt::RightButton, {}, rowCentre(0));
    EXPECT_EQ(list.ListIndex(), -1) << "the right button selects nothing";
}

TEST_F(PlaylistGesturesTest, TheMenuHasItsItemsInOrderWithOneMnemonicEachAndActsOnTheEntryUnderThePointer)
{
    add({"/m/one.mp3", "http://radio/stream", "/m/one.mp3"});
    const std::unique_ptr<QMenu> menu = window->makeMenu(1);
    EXPECT_EQ(
        captions(*menu),
        QStringList({"&Play", "Play &Next", "&Remove\tDelete", "Move &Up\tAlt+Up", "Move &Down\tAlt+Down",
                     "-", "&Sort", "S&huffle List", "Remove &Missing Files", "Remove Dupli&cates", "-",
                     QString::fromUtf8("&Jump to Entry\u2026\tJ"), "Show &Titles", "Shuffle Pl&ay",
                     "Remember Play&list", "Open Containing &Folder"}));
    for (QMenu* each : {menu.get(), menu->actions().at(6)->menu()}) {
        QSet<QChar> keys;
        for (QAction* item : each->actions()) {
            if (item->isSeparator())
                continue;
            const qsizetype amp = item->text().indexOf('&');
            ASSERT_GE(amp, 0) << item->text().toStdString();
            EXPECT_FALSE(keys.contains(item->text().at(amp + 1).toLower())) << item->text().toStdString();
            keys.insert(item->text().at(amp + 1).toLower());
        }
    }
    EXPECT_EQ(captions(*menu->actions().at(6)->menu()),
              QStringList({"By &Title", "By &File Name", "By &Path", "By &Length", "&Reverse Order"}));
    EXPECT_FALSE(action(*menu, "Open Containing")->isEnabled()) << "an address has no folder";
    EXPECT_FALSE(window->makeMenu(-1)->actions().at(0)->isEnabled()) << "no entry: nothing to play";
    EXPECT_FALSE(action(*window->makeMenu(0), "Move &Up")->isEnabled());

    trigger(2, "Open Containing");
    EXPECT_EQ(shell.opened, QStringList{"/m"});
    trigger(1, "&Remove"); // not the selected entry: the selection stays where it was
    EXPECT_EQ(list.items(), QStringList({"/m/one.mp3", "/m/one.mp3"}));
    trigger(0, "Play &Next");
    EXPECT_EQ(order.queue().entries(), QList<int>{0});
    trigger(0, "Remove Dupli");
    EXPECT_EQ(list.items(), QStringList{"/m/one.mp3"});
    trigger(0, "&Play");
    EXPECT_EQ(engine.URL(), "/m/one.mp3");
    EXPECT_EQ(list.ListIndex(), 0);
    trigger(0, "Shuffle Pl");
    EXPECT_TRUE(shuffle.isOn());
    EXPECT_TRUE(action(*window->makeMenu(0), "Shuffle Pl")->isChecked());
    EXPECT_EQ(ReadINI(folder.file("/Data/config.ini"), "Player", "ShufflePlay", ""), "True");
}

TEST_F(PlaylistGesturesTest,
       SortsAndShuffleKeepTheCurrentEntryAndRemoveMissingFilesKeepsAddressesAndTheCurrentOne)
{
    const QString present = files.filePath("10 here.mp3");
    writeFile(present, "x");
    add({"/gone/2 b.mp3", "http://radio/x", qPrintable(present), "/gone/1 a.mp3"});
    list.setListIndex(3, ListControl::Notify::No); // the current entry is itself missing
    window->sortBy(SortKey::FileName);
    EXPECT_EQ(list.items(), QStringList({"/gone/1 a.mp3", "/gone/2 b.mp3", present, "http://radio/x"}));
    EXPECT_EQ(list.ListIndex(), 0);
    window->reverseOrder();
    window->shuffleList();
    EXPECT_EQ(list.List(list.ListIndex()), "/gone/1 a.mp3");

    int removed = -1;
    QObject::connect(window.get(), &PlaylistWindow::missingFilesRemoved, [&](int count) { removed = count; });
    window->removeMissingFiles();
    ASSERT_TRUE(test::waitFor([&] { return removed >= 0; }));
    EXPECT_EQ(removed, 1);
    EXPECT_EQ(QSet<QString>(list.items().begin(), list.items().end()),
              QSet<QString>({"/gone/1 a.mp3", "http://radio/x", present}));
    EXPECT_EQ(list.List(list.ListIndex()), "/gone/1 a.mp3");
    EXPECT_TRUE(engine.calls().isEmpty());
}

TEST_F(PlaylistGesturesTest, ShowTitlesShowsTagsAndLengthsAndSumsThemButSavingStillWritesThePaths)
{
    tagTable["/m/a.mp3"] = {"Song", "Band", 205'000};
    tagTable["/m/b.mp3"] = {"", "", 59'600};
    add({"/m/a.mp3", "/m/b.mp3", "/m/c.mp3", "http://radio/x"});
    const QAbstractItemModel* model = window->listView->model();
    EXPECT_EQ(model->index(0, 0).data().toString(), "/m/a.mp3")
        << "paths, as saved, until titles are asked for";

    window->setShowTitles(true);
    EXPECT_EQ(ReadINI(folder.file("/Data/config.ini"), "Playlist", "ShowTitles", ""), "True");
    ASSERT_TRUE(test::waitFor([&] { return tags.waiting() == 0 && tags.find("/m/c.mp3"); }));
    test::waitFor([&] { return window->listView->toolTip().contains("+2"); }, 2000);
    EXPECT_EQ(model->index(0, 0).data().toString(), "Band - Song");
    EXPECT_EQ(model->index(0, 0).data(Qt::UserRole + 1).toString(), "3:25");
    EXPECT_EQ(model->index(1, 0).data().toString(), "b.mp3");
    EXPECT_EQ(model->index(1, 0).data(Qt::UserRole + 1).toString(), "1:00");
    EXPECT_EQ(model->index(2, 0).data().toString(), "c.mp3") << "a file that cannot be read keeps its name";
    EXPECT_EQ(model->index(3, 0).data().toString(), "http://radio/x");
    EXPECT_EQ(window->listView->toolTip(), "4 entries, total 0:04:25 +2 unknown");
    EXPECT_EQ(window->listView->accessibleDescription(), window->listView->toolTip());

    const QString path = files.filePath("titled.zdx");
    click(&PlaylistWindow::cmdSave_Click, path);
    EXPECT_EQ(readFile(path), "\r\n/m/a.mp3\r\n/m/b.mp3\r\n/m/c.mp3\r\nhttp://radio/x\r\n");
    window->setShowTitles(false);
    EXPECT_EQ(model->index(0, 0).data().toString(), "/m/a.mp3");
    EXPECT_TRUE(window->listView->toolTip().isEmpty());
}

TEST_F(PlaylistGesturesTest, AddTakesSeveralFilesInTheDialogsOrderAndJumpPlaysTheChosenMatch)
{
    dialogs.severalAnswers.push_back({"/z/3.mp3", "/z/1.mp3", "/z/Two.mp3"});
    window->cmdAdd_Click();
    EXPECT_EQ(list.items(), QStringList({"/z/3.mp3", "/z/1.mp3", "/z/Two.mp3"}));
    EXPECT_EQ(dialogs.requests.back().title, "Open Media File");
    EXPECT_TRUE(engine.calls().isEmpty());

    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<JumpDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        QTest::keyClicks(dialog->text, "z 1");
        EXPECT_EQ(dialog->matchingRows(), QList<int>{1});
        QTest::keyClick(dialog->text, Qt::Key_Backspace);
        EXPECT_EQ(dialog->matchingRows(), QList<int>({0, 1, 2}));
        QTest::keyClicks(dialog->text, "TWO");
        QTest::keyClick(dialog->text, Qt::Key_Return);
    });
    window->listView->setFocus();
    QTest::keyClick(window->listView, Qt::Key_J);
    EXPECT_EQ(list.ListIndex(), 2);
    EXPECT_EQ(engine.URL(), "/z/Two.mp3");
}

TEST_F(PlaylistGesturesTest, ARememberedListComesBackAtTheNextStartPausedAtItsPlaceAndGoesWhenTurnedOff)
{
    const QString place = folder.file("/Data");
    {
        PlaylistMemory memory(list, player, *window, remember, place);
        window->setRememberPlaylist(true);
        window->txtName->setText("Evening");
        add({"/e/1.mp3", "/e/2.mp3", "/e/3.mp3"});
        chooseRow(1);
        engine.position = 42.0;
        player.cmdControls_Click(Player::Play); // pause: the place is kept
        memory.flush();
    }
    EXPECT_TRUE(QFile::exists(place + "/remembered.zdx"));

    // The next start: an empty list, the setting read again, then the list restored; nothing plays.
    window.reset();
    list.Clear();
    remember.load();
    window = makeWindow();
    engine.clearCalls();
    PlaylistMemory memory(list, player, *window, remember, place);
    memory.restore();
    EXPECT_EQ(list.items(), QStringList({"/e/1.mp3", "/e/2.mp3", "/e/3.mp3"}));
    EXPECT_EQ(window->txtName->text(), "Evening");
    EXPECT_EQ(list.ListIndex(), 1);
    EXPECT_EQ(engine.URL(), "/e/2.mp3");
    EXPECT_FALSE(engine.calls().contains("play"));
    EXPECT_EQ(player.lblSeconds.Caption(), "42");
    player.cmdControls_Click(Player::Play);
    EXPECT_TRUE(engine.calls().contains("currentPosition=42"));

    window->setRememberPlaylist(false);
    memory.flush();
    EXPECT_FALSE(QFile::exists(place + "/remembered.zdx"));
    EXPECT_FALSE(QFile::exists(place + "/remembered.ini"));
}

} // namespace
