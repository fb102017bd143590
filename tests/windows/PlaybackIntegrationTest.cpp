// The player on the real libvlc engine (dummy outputs): a file opened through the dialog plays to its
// end by the clock, and a playlist advances and repeats.
#include "../core/EngineTestSupport.h"
#include "core/Player.h"
#include "core/VlcEngine.h"
#include "core/modINI.h"
#include "support/FakeHost.h"
#include "support/MediaFixtures.h"
#include "support/ProgramFolderFixture.h"
#include "windows/Program.h"

#include <gtest/gtest.h>

using namespace zendrix;
using namespace zendrix::testing;

namespace {

class PlaybackIntegrationTest : public ::testing::Test
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
        program = std::make_unique<Program>(Program::Services{messages, dialogs, exit, shell}, [](VideoSurface& surface) {
            auto engine = std::make_unique<VlcEngine>(QStringList{"--aout=dummy", "--vout=dummy"});
            engine->setVideoSurface(&surface);
            return engine;
        });
        program->installInfoPath = folder.file("/info.ini");
        program->Form_Load();
    }
    Player& player() { return program->player(); }
    QString clock() { return player().lblHours.Caption() + ":" + player().lblMinutes.Caption() + ":" + player().lblSeconds.Caption(); }
    QRgb playButtonColour() { return player().cmdControls[Player::Play].PictureNormal().image().pixel(8, 8); }
};

TEST_F(PlaybackIntegrationTest, ASevenSecondFilePlaysToItsEndByTheClock)
{
    const QString file = MediaFixtures::wav(7);
    ASSERT_FALSE(file.isEmpty()) << MediaFixtures::lastError().toStdString();
    dialogs.answers.push_back(file);
    player().cmdBrowse_Click();
    EXPECT_TRUE(player().IsPlaying);
    EXPECT_EQ(playButtonColour(), ProgramFolderFixture::kPause.rgb());
    ASSERT_TRUE(test::waitFor([&] { return program->wmp().playState() == MediaEngine::Playing; }, 5000));

    EXPECT_TRUE(test::waitFor([&] { return clock() == "00:00:07"; }, 9500));
    EXPECT_TRUE(test::waitFor([&] { return !player().IsPlaying; }, 1500));
    EXPECT_EQ(player().lblTiming.Caption(), "(00:07)");
    EXPECT_EQ(player().scrollTiming.Max(), 7);
    EXPECT_FALSE(player().tmrTiming.Enabled());
    EXPECT_EQ(playButtonColour(), ProgramFolderFixture::kPlay.rgb());
    EXPECT_TRUE(messages.shown.empty()) << messages.texts().join(" | ").toStdString();
}

TEST_F(PlaybackIntegrationTest, ATwoEntryListAdvancesAndWithRepeatStartsAgainAtTheFirst)
{
    const QString first = MediaFixtures::wav(2, 440);
    const QString second = MediaFixtures::wav(2, 660);
    ASSERT_FALSE(first.isEmpty() || second.isEmpty()) << MediaFixtures::lastError().toStdString();
    WriteINI(ConfigPath, "Player", "RepeatPlaylist", "True");
    ListControl& list = program->lstPlaylist();
    list.AddItem(first);
    list.AddItem(second);
    list.setListIndex(0);
    ASSERT_EQ(program->wmp().URL(), first);

    EXPECT_TRUE(test::waitFor([&] { return list.ListIndex() == 1; }, 4500));
    EXPECT_EQ(program->wmp().URL(), second);
    EXPECT_TRUE(player().IsPlaying);
    EXPECT_TRUE(test::waitFor([&] { return list.ListIndex() == 0; }, 4500));
    EXPECT_EQ(program->wmp().URL(), first);
    EXPECT_TRUE(player().IsPlaying);
    EXPECT_TRUE(test::waitFor([&] { return program->wmp().playState() == MediaEngine::Playing; }, 3000));
    EXPECT_TRUE(messages.shown.empty()) << messages.texts().join(" | ").toStdString();
}

}  // namespace
