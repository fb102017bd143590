// Start-up and the window group, with a scripted engine and the desktop services faked: where every
// window stands, what the settings restore, and what a bad setting does.
#include "core/Player.h"
#include "core/modINI.h"
#include "support/FakeHost.h"
#include "support/FakeMediaEngine.h"
#include "support/ProgramFolderFixture.h"
#include "windows/InfoWindow.h"
#include "windows/MainWindow.h"
#include "windows/PlaylistWindow.h"
#include "windows/Program.h"
#include "windows/TitleStrip.h"
#include "windows/VideoWindow.h"

#include <QApplication>
#include <QDir>
#include <QMouseEvent>
#include <gtest/gtest.h>

using namespace zendrix;
using namespace zendrix::testing;

namespace {

class ProgramTest : public ::testing::Test
{
protected:
    ProgramFolderFixture folder;
    FakeMessageBoxes messages;
    FakeFileDialogs dialogs;
    FakeProgramExit exit;
    FakeShell shell;
    FakeMediaEngine* engine = nullptr;

    std::unique_ptr<Program> start()
    {
        auto program = std::make_unique<Program>(
            Program::Services{messages, dialogs, exit, shell}, [this](VideoSurface&) {
                auto made = std::make_unique<FakeMediaEngine>();
                engine = made.get();
                return made;
            });
        program->installInfoPath = folder.file("/shared/Quarrymoor Software/Zendrix/info.ini");
        program->Form_Load();
        return program;
    }
    void set(const char* section, const char* key, const char* value) { WriteINI(ConfigPath, section, key, value); }
};

TEST_F(ProgramTest, AFreshInstallationOpensAtTheTopLeftWithOnlyMainWindowAndTitleStrip)
{
    auto program = start();
    EXPECT_EQ(program->frmMain().pos(), QPoint(0, 0));
    EXPECT_TRUE(program->frmMain().isVisible());
    EXPECT_TRUE(program->frmTitle().isVisible());
    EXPECT_EQ(program->frmTitle().pos(), QPoint(0, -28)) << "above the main window, partly off the screen";
    EXPECT_FALSE(program->frmVideo().isVisible());
    EXPECT_EQ(program->frmVideo().pos(), QPoint(0, -239));
    EXPECT_FALSE(program->frmPlaylist().isVisible());
    EXPECT_FALSE(program->frmInfo().isVisible());
    EXPECT_EQ(program->player().scrollVolume.Value(), 0);
    EXPECT_TRUE(engine->calls().contains("volume=0"));
    EXPECT_FALSE(program->player().IsPlaying);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(exit.ended, 0);
    EXPECT_EQ(ConfigPath, folder.file("/Data/config.ini"));
    EXPECT_FALSE(QFile::exists(ConfigPath)) << "a start writes no setting";
    for (const ButtonControl& button : program->player().cmdControls)
        EXPECT_TRUE(button.Caption().isEmpty());

    const Player& player = program->player();  // nothing opened yet
    EXPECT_EQ(player.lblFilename.Caption(), "[No File]");
    EXPECT_EQ(player.lblHours.Caption() + ":" + player.lblMinutes.Caption() + ":" + player.lblSeconds.Caption(), "00:00:00");
    EXPECT_EQ(player.lblTiming.Caption(), "(00:00:00)");
    EXPECT_EQ(program->frmMain().scrollTiming->value(), 0);
    EXPECT_EQ(program->frmMain().scrollVolume->value(), 0);
    EXPECT_FALSE(player.tmrTiming.Enabled());
    EXPECT_FALSE(engine->calls().join(",").contains("play"));
}

TEST_F(ProgramTest, TheStoredArrangementComesBackAroundTheMainWindow)
{
    set("Position", "Top", "6000");  // 400 px
    set("Position", "Left", "4500"); // 300 px
    set("Player", "Screen", "True");
    set("Player", "Playlist", "True");
    set("Player", "Info", "True");
    set("Player", "Volume", "37");
    auto program = start();
    EXPECT_EQ(program->frmMain().pos(), QPoint(300, 400));
    EXPECT_TRUE(program->frmVideo().isVisible());
    EXPECT_EQ(program->frmVideo().pos(), QPoint(300, 400 - 239));
    EXPECT_EQ(program->frmTitle().pos(), QPoint(300, 400 - 239 - 28));
    EXPECT_TRUE(program->frmPlaylist().isVisible());
    EXPECT_EQ(program->frmPlaylist().pos(), QPoint(300 + 425, 400 + 71 - 338));
    EXPECT_EQ(program->frmTitle().cmdPlaylist->PictureNormal().image().pixel(8, 8), ProgramFolderFixture::kListClose.rgb());
    EXPECT_TRUE(program->frmInfo().isVisible());
    EXPECT_EQ(program->frmInfo().pos(), QPoint(300 - 233, 400 + 71 - 169));
    EXPECT_EQ(program->player().scrollVolume.Value(), 37);
    EXPECT_EQ(engine->settings().volume(), 37);
    EXPECT_FALSE(program->frmPlaylist().chkRepeat->isChecked());
}

TEST_F(ProgramTest, ASettingThatDoesNotConvertStopsTheStartWithErrorButKeepsWhatWasPlaced)
{
    set("Position", "Top", "1500");
    set("Player", "Playlist", "True");
    set("Player", "Volume", "abc");
    auto program = start();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Error!\r\nType mismatch");
    EXPECT_EQ(messages.shown[0].icon, MessageIcon::Critical);
    EXPECT_FALSE(engine->calls().join(",").contains("volume=")) << "the engine volume is not set";
    EXPECT_EQ(program->frmMain().pos(), QPoint(0, 100));
    EXPECT_TRUE(program->frmPlaylist().isVisible());
    EXPECT_EQ(program->frmTitle().pos(), QPoint(0, 72));
    EXPECT_TRUE(program->frmMain().isVisible()) << "the main window shows all the same";

    messages.shown.clear();
    set("Player", "Volume", "37");
    set("Position", "Left", "1e30");
    auto again = start();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Error!\r\nOverflow");
}

TEST_F(ProgramTest, TheVolumeSurvivesARestart)
{
    {
        auto program = start();
        program->player().scrollVolume.setValue(37);
    }
    EXPECT_EQ(ReadINI(ConfigPath, "Player", "Volume", ""), "37");
    auto program = start();
    EXPECT_EQ(program->player().scrollVolume.Value(), 37);
    EXPECT_EQ(engine->settings().volume(), 37);
}

TEST_F(ProgramTest, DraggingTheMainWindowMovesItAndTheGroupFollowsOnRelease)
{
    set("Player", "Playlist", "True");
    auto program = start();
    MainWindow& main = program->frmMain();
    const QPoint grab(200, 66);  // a spot of the panel between the controls
    ASSERT_EQ(main.childAt(grab), nullptr);

    auto send = [&](QEvent::Type type, QPoint local, Qt::MouseButtons buttons) {
        QMouseEvent event(type, local, main.mapToGlobal(local), type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                          buttons, Qt::NoModifier);
        QApplication::sendEvent(&main, &event);
    };
    send(QEvent::MouseButtonPress, grab, Qt::LeftButton);
    send(QEvent::MouseMove, grab + QPoint(100, 200), Qt::LeftButton);
    EXPECT_EQ(main.pos(), QPoint(100, 200));
    EXPECT_EQ(program->frmPlaylist().pos(), QPoint(425, 71 - 338)) << "the others wait for the release";
    EXPECT_EQ(ReadINI(ConfigPath, "Position", "Top", "none"), "none");
    send(QEvent::MouseButtonRelease, grab, Qt::NoButton);
    EXPECT_EQ(program->frmTitle().pos(), QPoint(100, 172));
    EXPECT_EQ(program->frmVideo().pos(), QPoint(100, 200 - 239));
    EXPECT_EQ(program->frmPlaylist().pos(), QPoint(525, 271 - 338));
    EXPECT_EQ(ReadINI(ConfigPath, "Position", "Top", ""), "3000");
    EXPECT_EQ(ReadINI(ConfigPath, "Position", "Left", ""), "1500");
    EXPECT_FALSE(program->frmInfo().isVisible());
    EXPECT_EQ(program->frmInfo().pos(), QPoint(0, 0)) << "a hidden window is placed when it is shown";

    QFile::remove(ConfigPath);
    send(QEvent::MouseButtonPress, grab, Qt::RightButton);  // any button; no move at all
    send(QEvent::MouseButtonRelease, grab, Qt::NoButton);
    EXPECT_EQ(ReadINI(ConfigPath, "Position", "Top", ""), "3000");
}

TEST_F(ProgramTest, EveryStartRecordsTheInstallation)
{
    QDir().mkpath(folder.file("/shared"));  // the shared system folder exists; its two folders are made
    auto program = start();
    const QString info = folder.file("/shared/Quarrymoor Software/Zendrix/info.ini");
    EXPECT_EQ(ReadINI(info, "Info", "Path", ""), folder.path());
    EXPECT_EQ(ReadINI(info, "Info", "Major", ""), "2");
    EXPECT_EQ(ReadINI(info, "Info", "Minor", ""), "50");
    EXPECT_EQ(ReadINI(info, "Info", "Revision", ""), "52");
}

}  // namespace
