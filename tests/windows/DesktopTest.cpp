// The program at home on the desktop, with a scripted engine: the arguments it is given (command line,
// a second start's hand-over, drops) and settings that persist when the program folder cannot be
// written. The window manager's close is tried with the title strip's toggles (ProgramTest).
#include "core/HandOver.h"
#include "core/modINI.h"
#include "support/Files.h"
#include "support/ProgramStart.h"
#include "support/QtPrinters.h"
#include "support/ScratchMount.h"
#include "windows/MainWindow.h"
#include "windows/PlaylistWindow.h"
#include "windows/SettingsWindow.h"
#include "windows/VideoWindow.h"

#include <QApplication>
#include <QDropEvent>
#include <QFileInfo>
#include <QLineEdit>
#include <QMimeData>
#include <QUrl>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace zendrix;
using namespace zendrix::testing;

namespace {

class DesktopTest : public ::testing::Test, protected ProgramRig
{
protected:
    QTemporaryDir media;

    QString file(const QString& name, const QByteArray& bytes = "x")
    {
        return writeFile(media.filePath(name), bytes);
    }
};

TEST_F(DesktopTest, FilesAreAppendedAndTheFirstStartsAsAPlaylistEntrySoTheAdvanceWalksOnMissingOnesAreNamed)
{
    const QString a = file("a.mp3");
    const QString b = file("b.mp3");
    start();
    program->lstPlaylist().AddItem("/earlier.mp3");
    program->openArguments({"a.mp3", "gone.mp3", "b.mp3", "http://radio.example/live"}, media.path());
    EXPECT_EQ(program->lstPlaylist().items(),
              QStringList({"/earlier.mp3", a, b, "http://radio.example/live"}));
    EXPECT_EQ(program->lstPlaylist().ListIndex(), 1);
    EXPECT_TRUE(player().FromPlaylist);
    EXPECT_EQ(engine->URL(), a);
    EXPECT_EQ(messages.texts(), QStringList{"Error!\r\nNot found: gone.mp3"});
    engine->mediaDuration = 3;
    ticks(3);
    engine->endOfStream();
    EXPECT_EQ(engine->URL(), b) << "the end of the first walks on to the next";
    EXPECT_FALSE(program->frmPlaylist().isVisible()) << "nothing of the group moves";
    EXPECT_FALSE(QFile::exists(ConfigPath)) << "nothing is written to the settings";
}

TEST_F(DesktopTest, AZendrixPlaylistAloneOpensAsOpenDoesAndStartsItsFirstEntry)
{
    const QString list = file("evening.zdx", "Evening\r\n/m/one.ogg\r\n/m/two.ogg\r\n");
    start();
    program->lstPlaylist().AddItem("/replaced.mp3");
    program->openArguments({QUrl::fromLocalFile(list).toString()}, "/");
    PlaylistWindow& window = program->frmPlaylist();
    EXPECT_EQ(window.txtName->text(), "Evening");
    EXPECT_EQ(window.lblFilename.Caption(), list);
    EXPECT_EQ(program->lstPlaylist().items(), QStringList({"/m/one.ogg", "/m/two.ogg"}));
    EXPECT_EQ(program->lstPlaylist().ListIndex(), 0);
    EXPECT_EQ(engine->URL(), "/m/one.ogg");
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(DesktopTest, DropsOnTheMainAndVideoWindowsPlayAndOnThePlaylistWindowTheyAreOnlyAppended)
{
    const QString a = file("a.mp3");
    const QString b = file("b.mp3");
    const QString list = file("two.zdx", "Two\r\n/m/x.ogg\r\n");
    start();
    auto drop = [](QWidget& window, const QList<QUrl>& urls) {
        QMimeData data;
        data.setUrls(urls);
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&window, &enter);
        EXPECT_TRUE(enter.isAccepted());
        QDropEvent dropped(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&window, &dropped);
        QApplication::processEvents(); // the drop is acted on once the dragging program is told
    };
    drop(program->frmPlaylist(), {QUrl::fromLocalFile(a), QUrl::fromLocalFile(list)});
    EXPECT_EQ(program->lstPlaylist().items(), QStringList({a, "/m/x.ogg"}));
    EXPECT_EQ(engine->URL(), "") << "a drop on the playlist starts nothing";
    EXPECT_EQ(program->lstPlaylist().ListIndex(), -1);

    drop(program->frmMain(), {QUrl::fromLocalFile(b)});
    EXPECT_EQ(program->lstPlaylist().items(), QStringList({a, "/m/x.ogg", b}));
    EXPECT_EQ(engine->URL(), b);
    EXPECT_EQ(program->lstPlaylist().ListIndex(), 2);
    drop(program->frmVideo(), {QUrl("https://radio.example/a.ogg")});
    EXPECT_EQ(engine->URL(), "https://radio.example/a.ogg");
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(DesktopTest, AHandOverBringsTheGroupForwardAndPlaysAndAnyOtherMessageIsIgnored)
{
    const QString a = file("a.mp3");
    start();
    program->frmMain().showMinimized();
    program->takeHandOver(QByteArray("ZDXH\x01\xff\xff\xff\xff", 9)); // what does not decode is no hand-over
    EXPECT_TRUE(program->frmMain().isMinimized());
    EXPECT_EQ(engine->URL(), "");

    program->takeHandOver(*encodeHandOver({media.path(), {"a.mp3"}}));
    EXPECT_FALSE(program->frmMain().isMinimized());
    EXPECT_EQ(engine->URL(), a);
    program->takeHandOver(*encodeHandOver({media.path(), {}})); // only comes forward
    EXPECT_EQ(program->lstPlaylist().ListCount(), 1);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(DesktopTest, AHandOverActivatesTheMainWindowWithItsLaunchTokenAndKeepsThousandsOfPathsInOrder)
{
    QStringList names;
    for (int i = 0; i < 5000; ++i)
        names.append(QFileInfo(file(QStringLiteral("%1.mp3").arg(i, 4, 10, QLatin1Char('0')))).fileName());
    start();
    std::vector<std::pair<QWidget*, QString>> activated;
    program->activateForLaunch = [&activated](QWidget& window, const QString& token) {
        activated.emplace_back(&window, token);
    };
    program->takeHandOver(*encodeHandOver({media.path(), names, "launcher-1_TIME4242"}));
    ASSERT_EQ(activated.size(), 1u);
    EXPECT_EQ(activated[0].first, &program->frmMain());
    EXPECT_EQ(activated[0].second, "launcher-1_TIME4242");
    ASSERT_EQ(program->lstPlaylist().ListCount(), 5000);
    for (int i : {0, 1, 2500, 4999})
        EXPECT_EQ(QFileInfo(program->lstPlaylist().List(i)).fileName(), names[i]);
    EXPECT_EQ(QFileInfo(engine->URL()).fileName(), names[0]);

    program->raiseGroup(); // as the desktop's media controls ask: no launch, no token
    ASSERT_EQ(activated.size(), 2u);
    EXPECT_EQ(activated[1].second, "");
}

TEST_F(DesktopTest, WithAProgramFolderTheUserCannotWriteSettingsPersistInTheUsersOwnFile)
{
    QTemporaryDir home;
    struct ConfigHome
    {
        explicit ConfigHome(const QString& path) { qputenv("XDG_CONFIG_HOME", path.toUtf8()); }
        ~ConfigHome() { qunsetenv("XDG_CONFIG_HOME"); }
    } configHome(home.path());
    // Data/ made unwritable: a read-only disk of its own for root, who may write anywhere else.
    ScratchMount data(folder.file("/Data"), 256);
    folder.layOutData();
    folder.writeSkin("Night", QColor(200, 30, 30), QColor(30, 200, 30));
    folder.writeText("/Data/Skins/skins.lst", "Zendrix\r\nNight\r\n");
    folder.writeText("/Data/config.ini", "[Player]\r\nVolume=20\r\n");
    const bool readOnly =
        data.isMounted() ? data.makeReadOnly()
                         : QFile::setPermissions(folder.file("/Data"), QFile::ReadOwner | QFile::ExeOwner);
    ASSERT_TRUE(readOnly);
    if (::access(QFile::encodeName(folder.file("/Data")).constData(), W_OK) == 0)
        GTEST_SKIP() << "this user can write any folder";

    const QString own = home.path() + "/Zendrix/config.ini";
    start();
    EXPECT_EQ(ConfigPath, own);
    EXPECT_EQ(player().scrollVolume.Value(), 20) << "the installation's settings seed the user's";
    program->frmMain().move(150, 200);
    program->mainWindowMoved();
    player().scrollVolume.setValue(55);
    program->frmPlaylist().chkRepeat->click();
    SettingsWindow& settings = program->frmSettings();
    settings.lstSkin->setCurrentRow(1);
    messages.answers = {MessageAnswer::Yes};
    settings.cmdOk_Click();
    EXPECT_TRUE(messages.texts().filter("Error").isEmpty()) << messages.texts().join("|").toStdString();

    start();
    EXPECT_EQ(program->frmMain().pos(), QPoint(150, 200));
    EXPECT_EQ(player().scrollVolume.Value(), 55);
    EXPECT_EQ(ReadINI(ConfigPath, "Skin", "Skin", ""), "Night");
    EXPECT_GT(program->frmMain().picture().image().pixelColor(200, 35).red(), 150) << "the Night skin";
    EXPECT_EQ(ReadINI(own, "Player", "RepeatPlaylist", ""), "True") << "the Repeat box writes the same file";
    EXPECT_EQ(ReadINI(folder.file("/Data/config.ini"), "Player", "Volume", ""), "20");
}

} // namespace
