// The title strip's window commands, the video window's clicks and the DVD menu, on a started program
// with a scripted engine.
#include "core/modINI.h"
#include "support/FakeHost.h"
#include "support/FakeMediaEngine.h"
#include "support/ProgramFolderFixture.h"
#include "windows/DvdMenu.h"
#include "windows/InfoWindow.h"
#include "windows/MainWindow.h"
#include "windows/PlaylistWindow.h"
#include "windows/Program.h"
#include "windows/TitleStrip.h"
#include "windows/VideoWindow.h"

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <gtest/gtest.h>

using namespace zendrix;
using namespace zendrix::testing;

namespace {

class WindowCommandsTest : public ::testing::Test
{
protected:
    ProgramFolderFixture folder;
    FakeMessageBoxes messages;
    FakeFileDialogs dialogs;
    FakeProgramExit exit;
    FakeShell shell;
    FakeMediaEngine* engine = nullptr;
    std::unique_ptr<Program> program;

    WindowCommandsTest()
    {
        WriteINI(ConfigPath, "Position", "Top", "6000");
        WriteINI(ConfigPath, "Position", "Left", "4500");
        program = std::make_unique<Program>(Program::Services{messages, dialogs, exit, shell}, [this](VideoSurface&) {
            auto made = std::make_unique<FakeMediaEngine>();
            engine = made.get();
            return made;
        });
        program->installInfoPath = folder.file("/info.ini");
        program->Form_Load();
    }
    TitleStrip& title() { return program->frmTitle(); }
    QRgb playlistIcon() { return title().cmdPlaylist->PictureNormal().image().pixel(8, 8); }
    QString setting(const char* key) { return ReadINI(ConfigPath, "Player", key, "missing"); }
};

TEST_F(WindowCommandsTest, ThePlaylistButtonTogglesPlacesAndRemembers)
{
    title().cmdPlaylist_Click();
    EXPECT_TRUE(program->frmPlaylist().isVisible());
    EXPECT_EQ(program->frmPlaylist().pos(), QPoint(300 + 425, 400 + 71 - 338));
    EXPECT_EQ(setting("Playlist"), "True");
    EXPECT_EQ(playlistIcon(), ProgramFolderFixture::kListClose.rgb());

    title().cmdPlaylist_Click();
    EXPECT_FALSE(program->frmPlaylist().isVisible());
    EXPECT_EQ(setting("Playlist"), "False");
    EXPECT_EQ(playlistIcon(), ProgramFolderFixture::kListOpen.rgb());

    QFile::remove(folder.file("/Data/Buttons/listclose.ico"));
    title().cmdPlaylist_Click();  // a missing icon: the window still toggles, the picture stays
    EXPECT_TRUE(program->frmPlaylist().isVisible());
    EXPECT_EQ(setting("Playlist"), "True");
    EXPECT_EQ(playlistIcon(), ProgramFolderFixture::kListOpen.rgb());
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(WindowCommandsTest, TheVideoButtonMovesTheTitleStripByTheVideoWindowsHeight)
{
    EXPECT_EQ(title().pos(), QPoint(300, 400 - 28));
    title().cmdScreen_Click();
    EXPECT_TRUE(program->frmVideo().isVisible());
    EXPECT_EQ(title().pos(), QPoint(300, 400 - 239 - 28));
    EXPECT_EQ(setting("Screen"), "True");
    title().cmdScreen_Click();
    EXPECT_FALSE(program->frmVideo().isVisible());
    EXPECT_EQ(title().pos(), QPoint(300, 400 - 28));
    EXPECT_EQ(setting("Screen"), "False");
}

TEST_F(WindowCommandsTest, TheInformationButtonShowsTheWindowLeftOfTheMainWindowWithoutRefreshingIt)
{
    engine->itemInfo["Title"] = "Not asked for";
    title().cmdInfo_Click();
    EXPECT_TRUE(program->frmInfo().isVisible());
    EXPECT_EQ(program->frmInfo().pos(), QPoint(300 - 233, 400 + 71 - 169));
    EXPECT_EQ(program->frmInfo().lblTitle.Caption(), "N/A");
    EXPECT_EQ(setting("Info"), "True");
    title().cmdInfo_Click();
    EXPECT_FALSE(program->frmInfo().isVisible());
    EXPECT_EQ(setting("Info"), "False");
}

TEST_F(WindowCommandsTest, HelpOpensTheGuideAndExitEndsAtOnceEvenWhilePlaying)
{
    shell.openResult = false;  // no viewer: nothing is said
    title().cmdHelp_Click();
    EXPECT_EQ(shell.opened, QStringList({folder.file("/Help/Help.pdf")}));
    EXPECT_TRUE(messages.shown.empty());

    program->lstPlaylist().AddItem("/a.mp3");
    program->lstPlaylist().setListIndex(0);
    ASSERT_TRUE(program->player().IsPlaying);
    const QByteArray settings = [&] { QFile f(ConfigPath); f.open(QIODevice::ReadOnly); return f.readAll(); }();
    title().cmdExit_Click();
    EXPECT_EQ(exit.ended, 1);
    QFile after(ConfigPath);
    after.open(QIODevice::ReadOnly);
    EXPECT_EQ(after.readAll(), settings) << "nothing is written at exit";
}

TEST_F(WindowCommandsTest, ADoubleClickEntersFullScreenOnlyWhilePlayingAndLeavesItAlways)
{
    engine->state = MediaEngine::Paused;
    engine->doubleClick();
    EXPECT_FALSE(engine->fullScreen());
    engine->state = MediaEngine::Playing;
    engine->doubleClick();
    EXPECT_TRUE(engine->fullScreen());
    engine->state = MediaEngine::Stopped;
    engine->doubleClick();
    EXPECT_FALSE(engine->fullScreen());
    EXPECT_EQ(engine->calls().filter("fullScreen"), QStringList({"fullScreen=true", "fullScreen=false"}));

    engine->failOn("playState", "The engine is busy");
    engine->doubleClick();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Error!\r\nThe engine is busy");
}

TEST_F(WindowCommandsTest, EscapeLeavesFullScreen)
{
    VideoWindow& video = program->frmVideo();
    video.show();
    video.setFullScreen(true);  // as the engine does when it enters full screen
    engine->setFullScreen(true);
    engine->clearCalls();
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(&video, &escape);
    EXPECT_EQ(engine->calls(), QStringList({"fullScreen=false"}));
}

TEST_F(WindowCommandsTest, OnlyARightClickOnADvdOpensTheDvdMenu)
{
    DvdMenu& menu = program->frmPopup();
    engine->click(1);
    engine->click(2);  // a file, not a DVD
    EXPECT_FALSE(menu.mnuDVD.isVisible());
    engine->availableDvdItems = {"dvd"};
    engine->click(1);
    EXPECT_FALSE(menu.mnuDVD.isVisible());
    engine->click(2);
    EXPECT_TRUE(menu.mnuDVD.isVisible());
    menu.mnuDVD.hide();

    QStringList captions;
    for (QAction* action : menu.mnuDVD.actions())
        captions.append(action->isSeparator() ? "-" : action->text());
    EXPECT_EQ(captions, QStringList({"Back", "Resume", "-", "Title Menu", "Top Menu"}));
}

TEST_F(WindowCommandsTest, EveryDvdCommandAsksFirstThenActsAndIgnoresFailures)
{
    DvdMenu& menu = program->frmPopup();
    engine->availableDvdItems = {"dvd", "titleMenu", "resume"};
    menu.mnuDVDBack_Click();
    menu.mnuDVDTop_Click();
    menu.mnuDVDTitle_Click();
    menu.mnuDVDResume_Click();
    EXPECT_EQ(engine->calls().filter("dvd."), QStringList({"dvd.titleMenu", "dvd.resume"}));

    engine->failOn("dvd.titleMenu");
    engine->failOn("dvd.isAvailable");
    menu.mnuDVDTitle_Click();
    menu.mnuDVDTop_Click();
    EXPECT_TRUE(messages.shown.empty());
}

}  // namespace
