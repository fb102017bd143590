// A generated DVD on the real engine, steered the way a user does: a right click on the video opens the
// DVD menu, and its Top Menu, Resume and Title Menu change what plays.
#include "../core/EngineTestSupport.h"
#include "core/Player.h"
#include "core/VlcEngine.h"
#include "support/FakeHost.h"
#include "support/MediaFixtures.h"
#include "support/ProgramFolderFixture.h"
#include "windows/DvdMenu.h"
#include "windows/Program.h"
#include "windows/VideoWindow.h"

#include <QApplication>
#include <QMouseEvent>
#include <gtest/gtest.h>

using namespace zendrix;
using namespace zendrix::testing;
using zendrix::test::Shade;

namespace {

class DvdIntegrationTest : public ::testing::Test
{
protected:
    ProgramFolderFixture folder;
    FakeMessageBoxes messages;
    FakeFileDialogs dialogs;
    FakeProgramExit exit;
    FakeShell shell;
    std::unique_ptr<Program> program;

    void SetUp() override
    {
        if (const QString missing = MediaFixtures::missingTools({"ffmpeg", "spumux", "dvdauthor"}); !missing.isEmpty())
            GTEST_SKIP() << missing.toStdString();
        program = std::make_unique<Program>(Program::Services{messages, dialogs, exit, shell}, [](VideoSurface& surface) {
            auto engine = std::make_unique<VlcEngine>(QStringList{"--aout=dummy"});
            engine->setVideoSurface(&surface);
            return engine;
        });
        program->installInfoPath = folder.file("/info.ini");
        program->Form_Load();
        program->frmVideo().show();
    }

    VideoWindow& video() { return program->frmVideo(); }
    bool shows(Shade shade)
    {
        return test::waitFor([&] { return test::shadeOf(video().frame()) == shade; }, 10000);
    }
    void click(Qt::MouseButton button)
    {
        const QPointF at(200, 100);
        QMouseEvent press(QEvent::MouseButtonPress, at, video().mapToGlobal(at), button, button, Qt::NoModifier);
        QMouseEvent release(QEvent::MouseButtonRelease, at, video().mapToGlobal(at), button, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(&video(), &press);
        QApplication::sendEvent(&video(), &release);
    }
    void choose(const QString& caption)
    {
        QMenu& menu = program->frmPopup().mnuDVD;
        menu.hide();
        for (QAction* action : menu.actions()) {
            if (action->text() == caption)
                action->trigger();
        }
    }
    bool available(const char* item) { return program->wmp().dvd().isAvailable(QLatin1String(item)); }
};

TEST_F(DvdIntegrationTest, TheRightClickMenuSteersTheDisc)
{
    const QString disc = MediaFixtures::dvd();
    ASSERT_FALSE(disc.isEmpty()) << MediaFixtures::lastError().toStdString();
    dialogs.answers.push_back(disc + "/VIDEO_TS.IFO");
    program->player().cmdBrowse_Click();
    ASSERT_TRUE(shows(Shade::Yellow)) << "the disc opens at its title menu";

    click(Qt::LeftButton);  // a left click starts the highlighted button's title
    ASSERT_TRUE(shows(Shade::Green));
    EXPECT_FALSE(program->frmPopup().mnuDVD.isVisible());

    click(Qt::RightButton);
    EXPECT_TRUE(program->frmPopup().mnuDVD.isVisible());
    ASSERT_TRUE(test::waitFor([&] { return available("topMenu"); }));
    choose("Top Menu");
    ASSERT_TRUE(shows(Shade::Magenta));

    click(Qt::RightButton);
    ASSERT_TRUE(test::waitFor([&] { return available("resume"); }));
    choose("Resume");
    ASSERT_TRUE(shows(Shade::Green)) << "back in the title where it was left";

    click(Qt::RightButton);
    ASSERT_TRUE(test::waitFor([&] { return available("titleMenu"); }));
    choose("Title Menu");
    ASSERT_TRUE(shows(Shade::Yellow));
    EXPECT_TRUE(messages.shown.empty()) << messages.texts().join(" | ").toStdString();
}

}  // namespace
