// The playlist's own gestures on the real player, driven as a user drives it, through xdotool: drag and
// Alt+arrows while an item plays, the list's menu by Shift+F10 and its mnemonics, Play Next, Shuffle
// Play's rounds and a remembered list across a restart. What the player plays is seen from the files
// it opens; what its list holds, from the remembered playlist it writes beside its settings.
#include "ProgramRun.h"

#include "core/ListControl.h"
#include "core/PlaylistFile.h"
#include "core/modINI.h"
#include "layouts/Layouts.h"
#include "platform/Fonts.h"
#include "support/MediaFixtures.h"
#include "support/OpenedFiles.h"
#include "support/QtPrinters.h"
#include "support/WaitFor.h"
#include "windows/FormWidgets.h"
#include "windows/PlaylistView.h"

#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <QThread>
#include <gtest/gtest.h>
#include <optional>

using namespace zendrix::testing;

namespace {

class PlaylistE2E : public ::testing::Test
{
protected:
    ProgramFolderCopy folder;
    QTemporaryDir media;
    std::unique_ptr<OpenedFiles> opened;
    std::unique_ptr<QProcess> player;
    QRect playlistWindow;

    void SetUp() override
    {
        if (QStandardPaths::findExecutable("xdotool").isEmpty())
            GTEST_SKIP() << "xdotool is not installed";
    }
    void TearDown() override
    {
        if (player) {
            player->kill();
            player->waitForFinished();
        }
    }
    // A tone of `seconds` in the media folder under `name`.
    QString tone(const QString& name, double seconds, int frequency = 440)
    {
        const QString made = zendrix::MediaFixtures::wav(seconds, frequency);
        EXPECT_FALSE(made.isEmpty()) << zendrix::MediaFixtures::lastError().toStdString();
        QFile::copy(made, media.filePath(name));
        return media.filePath(name);
    }
    // The settings the player starts with: the main window low enough for the playlist window beside it
    // to be whole on the screen, and that window shown.
    void settings(const QString& more = {})
    {
        QFile config(folder.config());
        ASSERT_TRUE(config.open(QIODevice::WriteOnly));
        config.write(
            ("[Position]\r\nTop=9000\r\nLeft=1500\r\n[Player]\r\nPlaylist=True\r\nVolume=0\r\n" + more)
                .toUtf8());
    }
    // Starts the player; what it opens is watched from here on.
    void start(const QStringList& arguments = {})
    {
        opened = std::make_unique<OpenedFiles>(media.path());
        player = folder.start(arguments, media.path());
        ASSERT_TRUE(zendrix::test::waitFor(
            [&] { return !(playlistWindow = windowOfSize(QSize(233, 338))).isNull(); }, 15000))
            << "the playlist window did not show";
    }
    QRect windowOfSize(QSize size)
    {
        const QStringList windows =
            xdotool({"search", "--onlyvisible", "--name", "^Zendrix$"}).split('\n', Qt::SkipEmptyParts);
        for (const QString& window : windows) {
            const QString shell = xdotool({"getwindowgeometry", "--shell", window});
            const auto value = [&](const char* key) {
                const QRegularExpressionMatch match =
                    QRegularExpression(QStringLiteral("%1=(-?\\d+)").arg(key)).match(shell);
                return match.hasMatch() ? match.captured(1).toInt() : -1;
            };
            if (value("WIDTH") == size.width() && value("HEIGHT") == size.height())
                return QRect(value("X"), value("Y"), size.width(), size.height());
        }
        return {};
    }
    // Where a row of the list is on the screen: a list view of the player's own font and size says. The
    // player registers the fonts it brings before it makes a window; without them here, the font the
    // desktop puts in their place would give rows of another height.
    QPoint row(int index)
    {
        zendrix::loadBundledFonts();
        const zendrix::layouts::ListBox& layout = zendrix::layouts::frmPlaylist().lstPlaylist;
        zendrix::ListControl list;
        list.addItems(QStringList(index + 1, "x"));
        QWidget window;
        zendrix::PlaylistView view(&window, list);
        view.setFont(zendrix::layoutFont(layout.font));
        view.setGeometry(layout.rect);
        window.resize(233, 338);
        window.show();
        const QRect rect = view.visualRect(view.model()->index(index, 0));
        return playlistWindow.topLeft() + view.viewport()->mapTo(&window, rect.center());
    }
    void click(QPoint at, int button = 1)
    {
        xdotool({"mousemove", "--sync", QString::number(at.x()), QString::number(at.y())});
        xdotool({"click", QString::number(button)});
        QThread::msleep(200);
    }
    void keys(const QStringList& names)
    {
        for (const QString& name : names) {
            xdotool({"key", name});
            QThread::msleep(250);
        }
    }
    // The player's visible windows, menus included.
    QSet<QString> shown()
    {
        const QStringList ids = xdotool({"search", "--onlyvisible", "--pid", QString::number(player->processId())})
                                    .split('\n', Qt::SkipEmptyParts);
        return QSet<QString>(ids.begin(), ids.end());
    }
    // The list's menu from the keyboard, then the items' mnemonics: each key waits for the menu it goes to
    // to show, however slow the machine, and the last for the menus to close.
    void menu(const QStringList& mnemonics) { chooseFromMenu({}, mnemonics); }
    // The same with the menu of the entry at `at`, opened by a right click there.
    void menuAt(QPoint at, const QStringList& mnemonics) { chooseFromMenu(at, mnemonics); }
    void chooseFromMenu(std::optional<QPoint> rightClickAt, const QStringList& mnemonics)
    {
        const QSet<QString> before = shown();
        QSet<QString> open = before;
        const QStringList presses = QStringList{"shift+F10"} + mnemonics;
        for (qsizetype i = 0; i < presses.size(); ++i) {
            if (i == 0 && rightClickAt) {
                xdotool({"mousemove", "--sync", QString::number(rightClickAt->x()),
                         QString::number(rightClickAt->y())});
                xdotool({"click", "3"});
            } else {
                xdotool({"key", presses[i]});
            }
            if (i + 1 < presses.size())
                zendrix::test::waitFor([&] { return !(shown() - open).isEmpty(); }, 5000);
            else
                zendrix::test::waitFor([&] { return !(open - before).intersects(shown()); }, 5000);
            open = shown();
        }
    }
    // Waits for the player's window named `title`, and gives it the keyboard.
    bool focusWindow(const QString& title)
    {
        QString window;
        const bool found = zendrix::test::waitFor(
            [&] {
                window = xdotool({"search", "--onlyvisible", "--name", "^" + title + "$"}).section('\n', 0, 0);
                return !window.isEmpty();
            },
            10000);
        if (found)
            xdotool({"windowfocus", "--sync", window});
        return found;
    }
    zendrix::Playlist remembered()
    {
        return zendrix::readPlaylistFile(folder.path() + "/Data/remembered.zdx").playlist;
    }
    QStringList rememberedNames()
    {
        QStringList names;
        for (const QString& entry : remembered().entries)
            names.append(entry.section('/', -1));
        return names;
    }
    bool rememberedNamesBecome(const QStringList& expected)
    {
        return zendrix::test::waitFor([&] { return rememberedNames() == expected; }, 8000);
    }
    QString rememberedState(const char* key)
    {
        return zendrix::iniValue(readAll(folder.path() + "/Data/remembered.ini"), "Remembered", key)
            .value_or("");
    }
    static QByteArray readAll(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

TEST_F(PlaylistE2E, DragAndAltArrowsReorderWhilePlayingAndTheAdvanceFollowsTheNewOrder)
{
    tone("a.wav", 8.0);
    for (const char* name : {"b.wav", "c.wav", "d.wav"})
        tone(name, 1.0, 660);
    settings();
    start({"a.wav", "b.wav", "c.wav", "d.wav"});
    ASSERT_TRUE(opened->waitFor("a.wav", 15000));
    // a plays; dragged from the top to below the last entry it goes to the end, then Alt+Up twice
    // brings it to the second place: b, a, c, d. It plays on, and the advance goes on with c and d.
    const QPoint top = row(0);
    const QPoint below = top + QPoint(0, 180);
    xdotool({"mousemove", "--sync", QString::number(top.x()), QString::number(top.y())});
    xdotool({"mousedown", "1"});
    for (int step = 1; step <= 6; ++step) {
        const QPoint at = top + (below - top) * step / 6;
        xdotool({"mousemove", "--sync", QString::number(at.x()), QString::number(at.y())});
    }
    xdotool({"mouseup", "1"});
    QThread::msleep(200);
    keys({"alt+Up", "alt+Up"});
    ASSERT_TRUE(opened->waitFor("d.wav", 20000)) << opened->names().join(' ').toStdString();
    QThread::msleep(1500);
    EXPECT_EQ(opened->names(), QStringList({"a.wav", "c.wav", "d.wav"}));
}

TEST_F(PlaylistE2E, PlayNextIsHeardAheadOfTheAdvanceInTheOrderQueued)
{
    tone("a.wav", 4.0);
    for (const char* name : {"b.wav", "c.wav", "d.wav", "e.wav"})
        tone(name, 1.0, 660);
    settings();
    start({"a.wav", "b.wav", "c.wav", "d.wav", "e.wav"});
    ASSERT_TRUE(opened->waitFor("a.wav", 15000));
    menuAt(row(3), {"n"}); // the menu of the entry under the pointer, d; N: Play Next
    menuAt(row(2), {"n"}); // then c
    ASSERT_TRUE(opened->waitFor("e.wav", 25000)) << opened->names().join(' ').toStdString();
    EXPECT_EQ(opened->names(), QStringList({"a.wav", "d.wav", "c.wav", "e.wav"}))
        << "b, which the queue went ahead of, is passed by, and the list goes on after c";
}

TEST_F(PlaylistE2E, EveryMenuItemWorksFromTheKeyboard)
{
    for (const char* name : {"10 a.wav", "2 b.wav", "1 c.wav"})
        tone(name, 60.0);
    const QString list = media.filePath("list.zdx");
    ASSERT_EQ(zendrix::savePlaylistFile(
                  list, {"Keys",
                         {media.filePath("10 a.wav"), media.filePath("2 b.wav"), media.filePath("gone.wav"),
                          media.filePath("2 b.wav"), media.filePath("1 c.wav")}}),
              std::nullopt);
    settings("[Playlist]\r\nRememberPlaylist=True\r\n");
    start({list});
    ASSERT_TRUE(opened->waitFor("10 a.wav", 15000));
    click(row(0)); // the list takes the focus; its selected entry plays on
    ASSERT_TRUE(rememberedNamesBecome({"10 a.wav", "2 b.wav", "gone.wav", "2 b.wav", "1 c.wav"}));

    menu({"c"}); // Remove Duplicates
    EXPECT_TRUE(rememberedNamesBecome({"10 a.wav", "2 b.wav", "gone.wav", "1 c.wav"}));
    menu({"m"}); // Remove Missing Files
    EXPECT_TRUE(rememberedNamesBecome({"10 a.wav", "2 b.wav", "1 c.wav"}));
    menu({"s", "f"}); // Sort, By File Name
    EXPECT_TRUE(rememberedNamesBecome({"1 c.wav", "2 b.wav", "10 a.wav"}));
    EXPECT_TRUE(zendrix::test::waitFor([&] { return rememberedState("Current") == "2"; }, 5000))
        << "the playing entry stays current";
    menu({"s", "r"}); // Sort, Reverse Order
    EXPECT_TRUE(rememberedNamesBecome({"10 a.wav", "2 b.wav", "1 c.wav"}));
    menu({"d"}); // Move Down
    EXPECT_TRUE(rememberedNamesBecome({"2 b.wav", "10 a.wav", "1 c.wav"}));
    menu({"u"}); // Move Up
    EXPECT_TRUE(rememberedNamesBecome({"10 a.wav", "2 b.wav", "1 c.wav"}));
    menu({"s", "p"}); // Sort, By Path
    EXPECT_TRUE(rememberedNamesBecome({"1 c.wav", "2 b.wav", "10 a.wav"}));
    menu({"h"}); // Shuffle List: the same entries, the current one still current
    EXPECT_TRUE(zendrix::test::waitFor([&] {
        const QStringList names = rememberedNames();
        return QSet<QString>({"10 a.wav", "2 b.wav", "1 c.wav"}) == QSet<QString>(names.begin(), names.end());
    }));
    EXPECT_TRUE(rememberedState("Entry").endsWith("10 a.wav"));
    menu({"t"}); // Show Titles
    menu({"a"}); // Shuffle Play
    EXPECT_TRUE(zendrix::test::waitFor([&] {
        const QByteArray config = readAll(folder.config());
        return config.contains("ShowTitles=True") && config.contains("ShufflePlay=True");
    }));
    menu({"j"}); // Jump to Entry: type, Enter plays the match
    ASSERT_TRUE(focusWindow("Jump to Entry"));
    // Every word must match: "2" alone matches every path here ("e2e_tests"), "b.w" only one name.
    xdotool({"type", "--delay", "30", "2 b.w"});
    keys({"Return"});
    EXPECT_TRUE(zendrix::test::waitFor([&] { return rememberedState("Entry").endsWith("2 b.wav"); }));
    menu({"n"}); // Play Next on the playing entry: it is queued to play again after itself
    menu({"p"}); // Play: the selected entry starts again
    menu({"r"}); // Remove: the selected entry goes, and nothing is selected
    EXPECT_TRUE(zendrix::test::waitFor([&] { return remembered().entries.size() == 2; }));
    EXPECT_TRUE(zendrix::test::waitFor([&] { return rememberedState("Current") == "-1"; }));
    click(row(0));
    menu({"l"}); // Remember Playlist off: the remembered files go
    EXPECT_TRUE(
        zendrix::test::waitFor([&] { return !QFile::exists(folder.path() + "/Data/remembered.zdx"); }));
    EXPECT_TRUE(isRunning(*player));
}

TEST_F(PlaylistE2E, ShufflePlayPlaysEachEntryOncePerRoundInAnOrderThatChangesBetweenRounds)
{
    const QStringList names = {"a.wav", "b.wav", "c.wav", "d.wav"};
    for (const QString& name : names)
        tone(name, 0.5);
    settings("RepeatPlaylist=True\r\nShufflePlay=True\r\n");
    start(names);
    QStringList heard;
    zendrix::test::waitFor([&] { return (heard = opened->sequence(100)).size() >= 16; }, 60000);
    ASSERT_GE(heard.size(), 16) << heard.join(' ').toStdString();
    QList<QStringList> rounds;
    for (int round = 0; round < 4; ++round)
        rounds.append(heard.mid(round * 4, 4));
    for (const QStringList& round : rounds)
        EXPECT_EQ(QSet<QString>(round.begin(), round.end()), QSet<QString>(names.begin(), names.end()))
            << round.join(' ').toStdString();
    for (int round = 1; round < rounds.size(); ++round)
        EXPECT_NE(rounds[round], rounds[round - 1]);
}

TEST_F(PlaylistE2E, ARememberedListComesBackAfterARestartPausedAtItsPlace)
{
    tone("long.wav", 60.0);
    tone("other.wav", 60.0, 660);
    settings("[Playlist]\r\nRememberPlaylist=True\r\n");
    start({"long.wav", "other.wav"});
    ASSERT_TRUE(opened->waitFor("long.wav", 15000));
    // While it plays, its place is kept every few seconds: an end nobody saw coming loses little.
    ASSERT_TRUE(zendrix::test::waitFor([&] { return rememberedState("Position").toDouble() >= 3; }, 20000));
    const double place = rememberedState("Position").toDouble();
    player->kill();
    player->waitForFinished();

    start();
    QThread::msleep(2000);
    EXPECT_TRUE(opened->names().isEmpty()) << "nothing plays: " << opened->names().join(' ').toStdString();
    EXPECT_EQ(rememberedNames(), QStringList({"long.wav", "other.wav"}));
    EXPECT_EQ(rememberedState("Current"), "0");
    EXPECT_NEAR(rememberedState("Position").toDouble(), place, 0.2);
    // The play button starts it from there.
    const QRect main = windowOfSize(QSize(425, 71));
    click(main.topLeft() + zendrix::layouts::frmMain().cmdControls.at(0).rect.center());
    EXPECT_TRUE(opened->waitFor("long.wav", 10000));
    EXPECT_TRUE(
        zendrix::test::waitFor([&] { return rememberedState("Position").toDouble() > place; }, 12000));
}

} // namespace
