#include "core/modINI.h"
#include "support/FakeHost.h"
#include "support/FakeMediaEngine.h"
#include "support/FakeSkinTargets.h"
#include "support/ProgramFolderFixture.h"
#include "windows/AboutWindow.h"
#include "windows/InfoWindow.h"
#include "windows/MainWindow.h"
#include "windows/PlaylistWindow.h"
#include "windows/Program.h"
#include "windows/SettingsWindow.h"
#include "windows/TitleStrip.h"

#include <QApplication>
#include <QFile>
#include <QPointer>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

using namespace zendrix;
using namespace zendrix::testing;

namespace {

const QColor kBack(10, 20, 30);  // the fixture's default skin
const QColor kNightBack(200, 30, 30);
const QColor kNightTitle(30, 200, 30);

QColor centre(const Picture& picture)
{
    const QImage& image = picture.image();
    return image.isNull() ? QColor() : image.pixelColor(image.width() / 2, image.height() / 2);
}

// Runs `action` on the modal window once a modal call has shown it. Should the action leave the window
// open, it is closed a little later, so that a failing test cannot hang in the modal loop.
void whileModal(const std::function<void(QWidget*)>& action)
{
    QTimer::singleShot(0, [action] { action(QApplication::activeModalWidget()); });
    QTimer::singleShot(3000, [] {
        if (QWidget* modal = QApplication::activeModalWidget())
            modal->close();
    });
}

class ProgramWindowsTest : public ::testing::Test
{
protected:
    ProgramFolderFixture folder;
    QTemporaryDir shared;  // stands for the system's shared folder
    FakeMessageBoxes messages;
    FakeFileDialogs dialogs;
    FakeProgramExit exit;
    FakeShell shell;
    std::unique_ptr<Program> program;

    void SetUp() override
    {
        folder.writeSkin("Night", kNightBack, kNightTitle);
        folder.writeText("/Data/Skins/skins.lst", "Zendrix\r\nNight\r\n");
    }
    Program& start(const QString& installInfo = {})
    {
        const auto engine = [](VideoSurface&) { return std::make_unique<FakeMediaEngine>(); };
        program = std::make_unique<Program>(Program::Services{messages, dialogs, exit, shell}, engine);
        program->installInfoPath = installInfo.isEmpty() ? shared.filePath("Zendrix/info.ini") : installInfo;
        program->Form_Load();
        return *program;
    }
    QString storedSkin() const { return ReadINI(ConfigPath, "Skin", "Skin", "<missing>"); }
};

TEST_F(ProgramWindowsTest, StartUpDressesEveryWindowAndLeavesTheSettingsWindowHidden)
{
    Program& p = start();
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(p.frmMain().isVisible());
    EXPECT_TRUE(closeTo(centre(p.frmMain().picture()), kBack));
    for (const Picture* back : {&p.frmPlaylist().imgBack->picture(), &p.frmSettings().imgBack->picture(),
                                &p.frmInfo().imgBack->picture()})
        EXPECT_TRUE(closeTo(centre(*back), kBack));
    EXPECT_FALSE(p.frmTitle().picture().isNull());
    EXPECT_FALSE(p.frmSettings().isVisible());
}

TEST_F(ProgramWindowsTest, AnInstallFolderThatCannotBeMadeDoesNotStopTheStart)
{
    QFile blocker(shared.filePath("Quarrymoor Software"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    Program& p = start(shared.filePath("Quarrymoor Software/Zendrix/info.ini"));
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(exit.ended, 0);
    EXPECT_TRUE(p.frmMain().isVisible());
    EXPECT_TRUE(closeTo(centre(p.frmMain().picture()), kBack));
}

TEST_F(ProgramWindowsTest, WithoutTheSkinListEveryStartEndsOnTheSkinFailure)
{
    const QString list = folder.file("/Data/Skins/skins.lst");
    QFile::remove(list);
    WriteINI(ConfigPath, "Skin", "Skin", "Night");
    Program& p = start();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Critical error while loading settings!\r\nFile not found: '" + list +
                                          "'\r\nCalibrating skin settings. Please restart the player");
    EXPECT_EQ(messages.shown[0].icon, MessageIcon::Critical);
    EXPECT_EQ(storedSkin(), "Zendrix");
    EXPECT_EQ(exit.ended, 1);
    EXPECT_FALSE(p.frmMain().isVisible());
}

TEST_F(ProgramWindowsTest, TheSettingsWindowIsMadeAgainAtEachOpeningAndAMissingListOnlyReports)
{
    Program& p = start();
    SettingsWindow* const madeAtStart = &p.frmSettings();
    QPointer<SettingsWindow> first = madeAtStart;
    QWidget* modal = nullptr;
    whileModal([&](QWidget* window) {
        modal = window;
        messages.answers = {MessageAnswer::Yes};
        first->cmdCancel_Click();
    });
    p.showSettings();
    EXPECT_EQ(modal, madeAtStart);  // the first opening shows the window the start made
    EXPECT_TRUE(first.isNull());    // closing destroyed it

    // Chosen and applied: every window takes the new skin.
    whileModal([&](QWidget* window) {
        auto* settings = qobject_cast<SettingsWindow*>(window);
        ASSERT_NE(settings, nullptr);
        settings->lstSkin->setCurrentRow(1);
        messages.answers = {MessageAnswer::Yes};
        settings->cmdOk_Click();
    });
    p.showSettings();
    EXPECT_EQ(storedSkin(), "Night");
    EXPECT_TRUE(closeTo(centre(p.frmMain().picture()), kNightBack));
    EXPECT_TRUE(closeTo(centre(p.frmInfo().imgBack->picture()), kNightBack));
    EXPECT_TRUE(closeTo(centre(p.frmTitle().picture()), kNightTitle));
    EXPECT_EQ(messages.texts().last(), "Changes saved successfully");

    // The list has gone since: the opening reports it and the program goes on.
    QFile::remove(folder.file("/Data/Skins/skins.lst"));
    messages.shown.clear();
    p.showSettings();
    EXPECT_EQ(messages.texts(),
              QStringList{"Error!\r\nFile not found: '" + folder.file("/Data/Skins/skins.lst") + "'"});
    EXPECT_EQ(exit.ended, 0);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(ProgramWindowsTest, TheAboutWindowIsModalAndLooksUpSystemInformationThroughTheProgram)
{
    Program& p = start();
    p.sysInfoSources.searchPath = [] { return QString(); };
    p.sysInfoSources.folder = shared.filePath("SysInfo");
    QString caption;
    whileModal([&](QWidget* window) {
        auto* about = qobject_cast<AboutWindow*>(window);
        ASSERT_NE(about, nullptr);
        caption = about->windowTitle();
        about->cmdSysInfo_Click();
        about->cmdOK_Click();
    });
    p.showAbout();
    EXPECT_EQ(caption, "About Zendrix");
    EXPECT_EQ(messages.texts(), QStringList{"System Information Is Unavailable At This Time"});
    EXPECT_TRUE(shell.started.isEmpty());
}

}  // namespace
