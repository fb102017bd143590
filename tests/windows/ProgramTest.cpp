// The started program with a scripted engine and the desktop services faked: window placement, restored
// settings, a bad setting, the title strip, the video window's clicks, the DVD menu and the skin.
#include "windows/Program.h"
#include "core/Player.h"
#include "core/modINI.h"
#include "support/FakeSkinTargets.h"
#include "support/ProgramStart.h"
#include "support/QtPrinters.h"
#include "windows/DvdMenu.h"
#include "windows/InfoWindow.h"
#include "windows/MainWindow.h"
#include "windows/PlayerMenu.h"
#include "windows/PlaylistWindow.h"
#include "windows/SettingsWindow.h"
#include "windows/TitleStrip.h"
#include "windows/VideoWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>
#include <QWheelEvent>
#include <gtest/gtest.h>

using namespace zendrix;
using namespace zendrix::testing;

namespace {

const QColor kBack(10, 20, 30); // the fixture's default skin
const QColor kNight(200, 30, 30);

QColor centre(const Picture& picture)
{
    const QImage& image = picture.image();
    return image.isNull() ? QColor() : image.pixelColor(image.width() / 2, image.height() / 2);
}

class ProgramTest : public ::testing::Test, protected ProgramRig
{
protected:
    const QString installInfo = folder.file("/shared/Quarrymoor Software/Zendrix/info.ini");

    void set(const char* section, const char* key, const char* value)
    {
        WriteINI(ConfigPath, section, key, value);
    }
    QString setting(const char* section, const char* key)
    {
        return ReadINI(ConfigPath, section, key, "none");
    }
};

TEST_F(ProgramTest, AFreshInstallationOpensInTheCornerWithOnlyMainWindowAndTitleStripAndVolume0)
{
    ASSERT_TRUE(QDir().mkpath(folder.file("/shared")));
    screens = {QRect(0, 0, 1280, 1024), QRect(-1920, 0, 1920, 1080)}; // the primary screen's corner
    start(installInfo);
    EXPECT_EQ(program->frmTitle().pos(), QPoint(0, 0));
    EXPECT_EQ(program->frmMain().pos(), QPoint(0, 28));
    EXPECT_TRUE(program->frmMain().isVisible() && program->frmTitle().isVisible());
    EXPECT_FALSE(program->frmVideo().isVisible() || program->frmPlaylist().isVisible() ||
                 program->frmInfo().isVisible() || program->frmSettings().isVisible());
    EXPECT_EQ(player().scrollVolume.Value(), 0);
    EXPECT_TRUE(engine->calls().contains("volume=0"));
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_FALSE(QFile::exists(ConfigPath)) << "a start writes no setting";
    for (const Picture* back :
         {&program->frmMain().picture(), &program->frmPlaylist().imgBack->picture(),
          &program->frmSettings().imgBack->picture(), &program->frmInfo().imgBack->picture()})
        EXPECT_TRUE(closeTo(centre(*back), kBack));

    program.reset(); // the installation record is written beside the start, and complete by the end
    EXPECT_EQ(ReadINI(installInfo, "Info", "Revision", "none"), "52");
}

TEST_F(ProgramTest, ASettingThatDoesNotConvertStopsTheStartWithErrorButKeepsWhatWasPlaced)
{
    set("Position", "Top", "6000");
    set("Player", "Playlist", "True");
    set("Player", "Volume", "abc");
    start();
    EXPECT_EQ(messages.texts(), QStringList{"Error!\r\nType mismatch"});
    EXPECT_FALSE(engine->calls().join(",").contains("volume=")) << "the engine volume is not set";
    EXPECT_EQ(program->frmMain().pos(), QPoint(0, 400));
    EXPECT_TRUE(program->frmPlaylist().isVisible());
    EXPECT_EQ(program->frmPlaylist().pos(), QPoint(425, 400 + 71 - 338));
    EXPECT_EQ(program->frmTitle().pos(), QPoint(0, 372));
    EXPECT_TRUE(program->frmMain().isVisible()) << "the main window shows all the same";
}

TEST_F(ProgramTest, APositionOffEveryScreenOrDamagedStillShowsTheGroupOnAScreenAndStoresWhereItWent)
{
    screens = {QRect(0, 0, 1280, 1024), QRect(1280, 0, 1920, 1080)};
    set("Position", "Top", "7500"); // 500 px
    set("Position", "Left", "-999999");
    set("Player", "Info", "True");
    start();
    EXPECT_EQ(program->frmMain().pos(), QPoint(233, 500));
    EXPECT_EQ(program->frmTitle().pos(), QPoint(233, 472));
    EXPECT_EQ(program->frmInfo().pos(), QPoint(0, 500 + 71 - 169));
    EXPECT_EQ(setting("Position", "Top") + "," + setting("Position", "Left"), "7500,3495");

    set("Player", "Info", "False");
    set("Position", "Top", "abc");
    start();
    EXPECT_EQ(messages.texts(), QStringList{"Error!\r\nType mismatch"});
    EXPECT_TRUE(program->frmTitle().isVisible()) << "the window commands stay within reach";
    EXPECT_EQ(program->frmTitle().pos(), QPoint(0, 0));
    EXPECT_EQ(program->frmMain().pos(), QPoint(0, 28));
}

TEST_F(ProgramTest, TheVolumeSurvivesARestartAndAnInstallFolderThatCannotBeMadeDoesNotStopTheStart)
{
    ASSERT_TRUE(QDir().mkpath(folder.file("/shared")));
    folder.writeText("/shared/Quarrymoor Software", "a file where the folder should be");
    start(installInfo).player().scrollVolume.setValue(37);
    start(installInfo);
    EXPECT_EQ(player().scrollVolume.Value(), 37);
    EXPECT_EQ(engine->settings().volume(), 37);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(program->frmMain().isVisible());
}

TEST_F(ProgramTest, TheStoredArrangementComesBackAndAfterADragTheGroupFollowsOnRelease)
{
    set("Position", "Top", "6000");  // 400 px
    set("Position", "Left", "4500"); // 300 px
    for (const char* window : {"Screen", "Playlist", "Info"})
        set("Player", window, "True");
    start();
    MainWindow& main = program->frmMain();
    EXPECT_EQ(main.pos(), QPoint(300, 400));
    EXPECT_TRUE(program->frmVideo().isVisible() && program->frmPlaylist().isVisible() &&
                program->frmInfo().isVisible());
    EXPECT_EQ(program->frmVideo().pos(), QPoint(300, 400 - 239));
    EXPECT_EQ(program->frmTitle().pos(), QPoint(300, 400 - 239 - 28));
    EXPECT_EQ(program->frmPlaylist().pos(), QPoint(300 + 425, 400 + 71 - 338));
    EXPECT_EQ(program->frmInfo().pos(), QPoint(300 - 233, 400 + 71 - 169));

    const QPoint grab(200, 66); // a spot of the panel between the controls
    ASSERT_EQ(main.childAt(grab), nullptr);
    auto send = [&](QEvent::Type type, QPoint local, Qt::MouseButton button, Qt::MouseButtons buttons) {
        QMouseEvent event(type, local, main.mapToGlobal(local), button, buttons, Qt::NoModifier);
        QApplication::sendEvent(&main, &event);
    };
    QFile::remove(ConfigPath);
    send(QEvent::MouseButtonPress, grab, Qt::LeftButton, Qt::LeftButton);
    send(QEvent::MouseMove, grab + QPoint(-50, -100), Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(main.pos(), QPoint(250, 300));
    EXPECT_EQ(program->frmPlaylist().pos(), QPoint(725, 133)) << "the others wait for the release";
    EXPECT_EQ(setting("Position", "Top"), "none");
    send(QEvent::MouseButtonRelease, grab, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(program->frmTitle().pos(), QPoint(250, 300 - 239 - 28));
    EXPECT_EQ(program->frmPlaylist().pos(), QPoint(675, 300 + 71 - 338));
    EXPECT_EQ(program->frmInfo().pos(), QPoint(250 - 233, 300 + 71 - 169));
    EXPECT_EQ(setting("Position", "Top") + "," + setting("Position", "Left"), "4500,3750");

    // Dropped with the title strip above the screen and the information window past its left edge:
    // the group moves down and right, as one, until both are whole.
    send(QEvent::MouseButtonPress, grab, Qt::LeftButton, Qt::LeftButton);
    send(QEvent::MouseMove, grab + QPoint(-150, -200), Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(main.pos(), QPoint(100, 100));
    send(QEvent::MouseButtonRelease, grab, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(main.pos(), QPoint(233, 267));
    EXPECT_EQ(program->frmVideo().pos(), QPoint(233, 28));
    EXPECT_EQ(program->frmTitle().pos(), QPoint(233, 0));
    EXPECT_EQ(program->frmPlaylist().pos(), QPoint(658, 0));
    EXPECT_EQ(program->frmInfo().pos(), QPoint(0, 169));
    EXPECT_EQ(setting("Position", "Top") + "," + setting("Position", "Left"), "4005,3495");

    QFile::remove(ConfigPath);
    send(QEvent::MouseButtonPress, grab, Qt::MiddleButton, Qt::MiddleButton); // any button; no move at all
    send(QEvent::MouseButtonRelease, grab, Qt::MiddleButton, Qt::NoButton);
    EXPECT_EQ(setting("Position", "Top"), "4005");
}

TEST_F(ProgramTest, TheWheelTurnedUpMakesItLouderAndSeeksForwardAndDownTheOtherWay)
{
    start();
    auto turn = [](QWidget* bar, int notches) {
        QWheelEvent wheel(QPointF(5, 4), bar->mapToGlobal(QPointF(5, 4)), QPoint(), QPoint(0, 120 * notches),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(bar, &wheel);
    };
    player().scrollVolume.setValue(50);
    turn(program->frmMain().scrollVolume, 1);
    EXPECT_EQ(player().scrollVolume.Value(), 51);
    EXPECT_EQ(setting("Player", "Volume"), "51");
    turn(program->frmMain().scrollVolume, -1);
    turn(program->frmMain().scrollVolume, -1);
    EXPECT_EQ(player().scrollVolume.Value(), 49);

    player().scrollTiming.setValue(10); // the clock stands at 0: the bar's move is a seek
    engine->clearCalls();
    turn(program->frmMain().scrollTiming, 1);
    turn(program->frmMain().scrollTiming, -1);
    EXPECT_EQ(engine->calls(), QStringList({"currentPosition=11", "currentPosition=10"}));
}

// The desktop's close (Alt+F4, a taskbar's Close) on the playlist, information and video windows does what
// their toggles do; on the main window and the title strip it ends the program as Exit does.
TEST_F(ProgramTest, TheTitleStripTogglesAndTheDesktopsClosePlaceTheWindowsAndRememberThem)
{
    start();
    TitleStrip& title = program->frmTitle();
    auto playlistIcon = [&] { return title.cmdPlaylist->PictureNormal().image().pixel(8, 8); };
    auto close = [](QWidget& window) {
        QCloseEvent event;
        QApplication::sendEvent(&window, &event);
        return event.isAccepted();
    };
    title.cmdInfo_Click();
    title.cmdScreen_Click(); // the title strip moves up by the video window's height
    title.cmdPlaylist_Click();
    EXPECT_TRUE(program->frmPlaylist().isVisible() && program->frmInfo().isVisible() &&
                program->frmVideo().isVisible());
    // From the first start's corner, the group has moved down and right as one, the least way that
    // holds every window whole, and the new place is stored.
    const QPoint main = program->frmMain().pos();
    EXPECT_EQ(main, QPoint(233, 267));
    EXPECT_EQ(title.pos(), main - QPoint(0, 239 + 28));
    for (QWidget* window : std::initializer_list<QWidget*>{&program->frmMain(), &title, &program->frmVideo(),
                                                           &program->frmPlaylist(), &program->frmInfo()})
        EXPECT_TRUE(screens.first().contains(window->geometry())) << window->objectName().toStdString();
    EXPECT_EQ(setting("Position", "Top") + "," + setting("Position", "Left"), "4005,3495");
    EXPECT_EQ(playlistIcon(), ProgramFolderFixture::kListClose.rgb());
    EXPECT_EQ(setting("Player", "Playlist") + setting("Player", "Info") + setting("Player", "Screen"),
              "TrueTrueTrue");

    for (QWidget* window :
         std::initializer_list<QWidget*>{&program->frmPlaylist(), &program->frmInfo(), &program->frmVideo()})
        EXPECT_FALSE(close(*window));
    EXPECT_FALSE(program->frmPlaylist().isVisible() || program->frmInfo().isVisible() ||
                 program->frmVideo().isVisible());
    EXPECT_EQ(title.pos(), main - QPoint(0, 28));
    EXPECT_EQ(playlistIcon(), ProgramFolderFixture::kListOpen.rgb());
    EXPECT_EQ(setting("Player", "Playlist") + setting("Player", "Info") + setting("Player", "Screen"),
              "FalseFalseFalse");

    QFile::remove(folder.file("/Data/Buttons/listclose.ico"));
    title.cmdPlaylist_Click(); // a missing icon: the window still toggles, the picture stays
    EXPECT_TRUE(program->frmPlaylist().isVisible());
    EXPECT_EQ(playlistIcon(), ProgramFolderFixture::kListOpen.rgb());
    EXPECT_TRUE(messages.shown.empty());

    EXPECT_EQ(exit.ended, 0);
    EXPECT_FALSE(close(program->frmMain()));
    EXPECT_FALSE(close(title));
    EXPECT_EQ(exit.ended, 2);
    EXPECT_TRUE(program->frmMain().isVisible());
}

TEST_F(ProgramTest, ADoubleClickEntersFullScreenOnlyWhilePlayingLeavesItAlwaysAndSoDoesEscape)
{
    start();
    for (const auto state : {MediaEngine::Paused, MediaEngine::Playing, MediaEngine::Stopped}) {
        engine->state = state;
        engine->doubleClick();
    }
    EXPECT_EQ(engine->calls().filter("fullScreen"), QStringList({"fullScreen=true", "fullScreen=false"}));
    engine->failOn("playState", "The engine is busy");
    engine->doubleClick();
    EXPECT_EQ(messages.texts(), QStringList{"Error!\r\nThe engine is busy"});

    VideoWindow& video = program->frmVideo();
    video.show();
    video.setFullScreen(true); // as the engine does when it enters full screen
    engine->setFullScreen(true);
    program->frmTitle().cmdInfo_Click(); // a video filling the screen is out of the group: nothing moves
    EXPECT_EQ(program->frmMain().pos(), QPoint(0, 28));
    engine->clearCalls();
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(&video, &escape);
    EXPECT_EQ(engine->calls(), QStringList({"fullScreen=false"}));
}

TEST_F(ProgramTest, OnlyARightClickOnADvdOpensTheMenuWhoseCommandsAskFirstThenActAndIgnoreFailures)
{
    start();
    DvdMenu& menu = program->frmPopup();
    QMenu& playerMenu = program->playerMenu().mnuPlayer;
    engine->click(2); // a file, not a DVD: the player's own menu
    EXPECT_FALSE(menu.mnuDVD.isVisible());
    EXPECT_TRUE(playerMenu.isVisible());
    playerMenu.hide();
    engine->availableDvdItems = {"dvd"};
    engine->click(1);
    EXPECT_FALSE(menu.mnuDVD.isVisible() || playerMenu.isVisible());
    engine->click(2);
    EXPECT_FALSE(playerMenu.isVisible());
    EXPECT_TRUE(menu.mnuDVD.isVisible());
    menu.mnuDVD.hide();

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

TEST_F(ProgramTest, EveryOpeningOfTheSettingsWindowShowsTheCurrentSkinsBackground)
{
    folder.writeSkin("Night", kNight, QColor(30, 200, 30));
    folder.writeText("/Data/Skins/skins.lst", "Zendrix\r\nNight\r\n");
    start();
    QList<QColor> backgrounds;
    // Opens the window, notes the colour it shows between the list and the buttons, and leaves by `leave`.
    auto openAndLeave = [&](void (SettingsWindow::*leave)(), int row = 0) {
        QTimer::singleShot(0, [&, leave, row] {
            SettingsWindow& settings = program->frmSettings();
            backgrounds.append(settings.grab().toImage().pixelColor(116, 200));
            settings.lstSkin->setCurrentRow(row);
            messages.answers = {MessageAnswer::Yes};
            (settings.*leave)();
        });
        program->frmTitle().cmdSettings_Click();
    };
    openAndLeave(&SettingsWindow::cmdCancel_Click);
    openAndLeave(&SettingsWindow::cmdExit_Click);
    openAndLeave(&SettingsWindow::cmdOk_Click, 1); // the Night skin
    openAndLeave(&SettingsWindow::cmdCancel_Click);
    ASSERT_EQ(backgrounds.size(), 4);
    for (int opening = 0; opening < 3; ++opening)
        EXPECT_TRUE(closeTo(backgrounds[opening], kBack)) << "opening " << opening + 1;
    EXPECT_TRUE(closeTo(backgrounds[3], kNight));
}

TEST_F(ProgramTest, WithoutTheSkinListTheStartEndsOnTheSkinFailure)
{
    folder.writeSkin("Night", kNight, QColor(30, 200, 30));
    QFile::remove(folder.file("/Data/Skins/skins.lst"));
    set("Skin", "Skin", "Night");
    start();
    EXPECT_EQ(messages.texts(), QStringList{"Critical error while loading settings!\r\nFile not found: '" +
                                            folder.file("/Data/Skins/skins.lst") +
                                            "'\r\nCalibrating skin settings. Please restart the player"});
    EXPECT_EQ(setting("Skin", "Skin"), "Zendrix");
    EXPECT_EQ(exit.ended, 1);
    EXPECT_FALSE(program->frmMain().isVisible());
}

} // namespace
