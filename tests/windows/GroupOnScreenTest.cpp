// The window group stays where it can be seen and reached: whatever shows a window or ends a drag, every
// shown window ends whole on a screen, the group moved as one, and a move is stored as a drag stores it.
#include "core/modINI.h"
#include "support/ProgramStart.h"
#include "support/QtPrinters.h"
#include "windows/InfoWindow.h"
#include "windows/MainWindow.h"
#include "windows/PlaylistWindow.h"
#include "windows/TitleStrip.h"
#include "windows/VideoWindow.h"

#include <gtest/gtest.h>

using namespace zendrix;
using namespace zendrix::testing;

namespace {

class GroupOnScreenTest : public ::testing::Test, protected ProgramRig
{
protected:
    QString position()
    {
        return ReadINI(ConfigPath, "Position", "Top", "none") + "," +
               ReadINI(ConfigPath, "Position", "Left", "none");
    }

    // Every shown window of the group lies whole on the first screen, and stands at its place around
    // the main window.
    void expectWholeAndArranged(const char* when)
    {
        SCOPED_TRACE(when);
        const QRect screen = screens.first();
        const QPoint main = program->frmMain().pos();
        const bool video = program->frmVideo().isVisible();
        const QList<std::pair<QWidget*, QPoint>> windows{
            {&program->frmMain(), main},
            {&program->frmTitle(), main - QPoint(0, 28 + (video ? 239 : 0))},
            {&program->frmVideo(), main - QPoint(0, 239)},
            {&program->frmInfo(), main + QPoint(-233, 71 - 169)},
            {&program->frmPlaylist(), main + QPoint(425, 71 - 338)},
        };
        for (const auto& [window, place] : windows) {
            if (!window->isVisible())
                continue;
            EXPECT_EQ(window->pos(), place) << window->objectName().toStdString();
            EXPECT_TRUE(screen.contains(window->geometry())) << window->objectName().toStdString();
        }
    }
};

TEST_F(GroupOnScreenTest, FromTheFirstStartsCornerInformationAndVideoBringTheGroupWholeOntoTheScreen)
{
    start();
    TitleStrip& title = program->frmTitle();
    ASSERT_EQ(title.pos(), QPoint(0, 0));
    ASSERT_FALSE(QFile::exists(ConfigPath));

    title.cmdInfo_Click();
    expectWholeAndArranged("information shown");
    EXPECT_EQ(program->frmInfo().pos(), QPoint(0, 0)) << "the least move: just off the corner";
    EXPECT_EQ(position(), "1470,3495") << "stored as a drag stores it";
    EXPECT_EQ(ReadINI(ConfigPath, "Player", "Info", "none"), "True");

    title.cmdScreen_Click();
    expectWholeAndArranged("video shown too");
    EXPECT_EQ(title.pos(), QPoint(233, 0));
    EXPECT_EQ(position(), "4005,3495");

    // Hiding moves nothing: the group keeps the place it was given, and nothing more is written.
    QFile::remove(ConfigPath);
    title.cmdScreen_Click();
    title.cmdInfo_Click();
    expectWholeAndArranged("both hidden");
    EXPECT_EQ(program->frmMain().pos(), QPoint(233, 267));
    EXPECT_EQ(position(), "none,none");

    // The playlist, shown while the group stands at the screen's right edge, brings it back left.
    program->frmMain().move(1280 - 425, 600);
    program->mainWindowMoved();
    title.cmdPlaylist_Click();
    expectWholeAndArranged("playlist shown at the right edge");
    EXPECT_EQ(program->frmMain().pos(), QPoint(1280 - 425 - 233, 600));
}

TEST_F(GroupOnScreenTest,
       AStartWithTheStoredWindowsPartlyOffMovesThemOnAndWhileTheVideoFillsTheScreenNothingMoves)
{
    folder.writeText("/Data/config.ini",
                     "[Position]\r\nTop=600\r\nLeft=0\r\n[Player]\r\nScreen=True\r\nPlaylist=True\r\n");
    start();
    expectWholeAndArranged("the start");
    EXPECT_EQ(program->frmMain().pos(), QPoint(0, 267));
    EXPECT_EQ(position(), "4005,0");

    // A full-screen video is out of the arrangement: showing the information window then leaves the
    // group where it is, and the next placement after it brings the group on.
    program->frmVideo().setFullScreen(true);
    program->frmTitle().cmdInfo_Click();
    EXPECT_EQ(program->frmMain().pos(), QPoint(0, 267));
    program->frmVideo().setFullScreen(false);
    program->mainWindowMoved();
    expectWholeAndArranged("after full screen");
    EXPECT_EQ(program->frmMain().pos(), QPoint(233, 267));
}

} // namespace
