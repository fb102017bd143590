#include "core/Failure.h"
#include "core/modINI.h"
#include "support/FakeHost.h"
#include "support/FakeSkinTargets.h"
#include "support/ProgramFolderFixture.h"
#include "windows/SettingsWindow.h"

#include <QFile>
#include <gtest/gtest.h>
#include <memory>

using namespace zendrix;
using namespace zendrix::testing;

namespace {

const QString kOkQuestion = "Are you sure you want to start the changes you made?";
const QString kCancelQuestion = "If you made changes, they won't be saved.\r\n"
                                "Are you sure you want to quit from the settings window?";
const QString kCloseQuestion = "If you made changes, they won't be saved if you close the window.\r\n"
                               "Are you sure you want to close the settings window?";

class SettingsWindowTest : public ::testing::Test
{
protected:
    ProgramFolderFixture folder;
    FakeSkinTargets targets;
    FakeMessageBoxes messages;
    FakeProgramExit exit;

    void SetUp() override
    {
        folder.writeSkin("Night", QColor(200, 30, 30), QColor(30, 200, 30));
        listSkins("Zendrix\r\nNight\r\n");
    }
    void listSkins(const QByteArray& bytes) { folder.writeText("/Data/Skins/skins.lst", bytes); }
    std::unique_ptr<SettingsWindow> open()
    {
        return std::make_unique<SettingsWindow>(targets, messages, exit);
    }
    // Picks an entry and answers Yes to OK.
    void choose(SettingsWindow& window, int row)
    {
        window.lstSkin->setCurrentRow(row);
        messages.answers = {MessageAnswer::Yes};
        window.cmdOk_Click();
    }
    QByteArray config() const
    {
        QFile file(ConfigPath);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<none>");
    }
    QString storedSkin() const { return ReadINI(ConfigPath, "Skin", "Skin", "<missing>"); }
};

TEST_F(SettingsWindowTest, PreselectsTheLastExactMatchOrElseTheFirstEntry)
{
    const struct
    {
        const char* configured;  // nullptr: no "Skin" key
        QByteArray list;
        int row;
    } cases[] = {
        {"Night", "Zendrix\r\nNight\r\n", 1},
        {nullptr, "Night\r\nZendrix\r\n", 1},           // the default skin
        {"Gone", "Zendrix\r\nNight\r\n", 0},            // not listed
        {"Night", "Night\r\nZendrix\r\nNight\r\n", 2},  // listed twice: the later line
        {"Night", "Zendrix\r\nnight\r\nNIGHT\r\n", 0},  // letter case counts
    };
    for (const auto& c : cases) {
        QFile::remove(ConfigPath);
        if (c.configured)
            WriteINI(ConfigPath, "Skin", "Skin", c.configured);
        listSkins(c.list);
        EXPECT_EQ(open()->lstSkin->currentRow(), c.row) << c.list.toStdString();
    }
    EXPECT_TRUE(targets.pictures.empty());  // selecting does nothing of its own
}

TEST_F(SettingsWindowTest, AnEmptyListCannotMakeTheWindowAndSaysWhichFile)
{
    listSkins("");
    try {
        open();
        FAIL() << "an empty list made a window";
    } catch (const Failure& failure) {
        const QString list = folder.file("/Data/Skins/skins.lst");
        EXPECT_EQ(failure.description(), "No skin is listed in '" + list + "'");
    }
}

TEST_F(SettingsWindowTest, OkStoresTheChoiceReskinsEveryWindowAndTheNextOpeningPreselectsIt)
{
    WriteINI(ConfigPath, "Skin", "Skin", "Gone");
    auto window = open();
    int closed = 0;
    QObject::connect(window.get(), &SettingsWindow::closed, [&] { ++closed; });
    choose(*window, window->lstSkin->currentRow());  // not listed: the first entry is stored
    EXPECT_EQ(storedSkin(), "Zendrix");
    EXPECT_EQ(closed, 1);

    window = open();
    targets.pictures.clear();
    messages.shown.clear();
    choose(*window, 1);
    EXPECT_EQ(storedSkin(), "Night");
    EXPECT_EQ(targets.targets(), (QStringList{"main", "playlist", "settings", "info", "title"}));
    EXPECT_TRUE(closeTo(targets.pictures.at(2).centre, QColor(200, 30, 30)));
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[0].text, kOkQuestion);
    EXPECT_EQ(messages.shown[0].icon, MessageIcon::Question);
    EXPECT_EQ(messages.shown[1].text, "Changes saved successfully");
    EXPECT_EQ(messages.shown[1].icon, MessageIcon::Information);
    EXPECT_TRUE(window->isClosed());
    EXPECT_EQ(exit.ended, 0);
    EXPECT_EQ(open()->lstSkin->currentRow(), 1);
}

TEST_F(SettingsWindowTest, NoToAnyQuestionLeavesEverythingAsItWasAndYesToCloseSavesNothing)
{
    WriteINI(ConfigPath, "Skin", "Skin", "Zendrix");
    const QByteArray before = config();
    const auto window = open();
    window->lstSkin->setCurrentRow(1);
    window->cmdOk_Click();
    window->cmdCancel_Click();
    window->cmdExit_Click();
    EXPECT_EQ(messages.texts(), (QStringList{kOkQuestion, kCancelQuestion, kCloseQuestion}));
    for (const ShownMessage& shown : messages.shown)
        EXPECT_EQ(shown.buttons, MessageButtons::YesNo);
    EXPECT_EQ(window->lstSkin->currentRow(), 1);
    EXPECT_FALSE(window->isClosed());

    for (auto click : {&SettingsWindow::cmdCancel_Click, &SettingsWindow::cmdExit_Click}) {
        const auto other = open();
        other->lstSkin->setCurrentRow(1);
        messages.answers = {MessageAnswer::Yes};
        ((*other).*click)();
        EXPECT_TRUE(other->isClosed());
    }
    EXPECT_EQ(config(), before);
    EXPECT_TRUE(targets.pictures.empty());
}

TEST_F(SettingsWindowTest, AnEmptyEntryOkdTakesTheSkinFailurePath)
{
    listSkins("Zendrix\r\n\r\nNight\r\n");
    const auto window = open();
    choose(*window, 1);
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[1].text, "Critical error while loading settings!\r\nFile not found: '" +
                                          folder.file("/Data/Skins//zendrix.zsk") +
                                          "'\r\nCalibrating skin settings. Please restart the player");
    EXPECT_EQ(messages.shown[1].icon, MessageIcon::Critical);
    EXPECT_EQ(storedSkin(), "Zendrix");
    EXPECT_EQ(exit.ended, 1);
    EXPECT_FALSE(window->isClosed());  // the program ends instead
}

TEST_F(SettingsWindowTest, ASettingThatCannotBeSavedIsReportedNotAppliedAsASuccess)
{
    // A configuration folder the program cannot write to: the store drops the write without a word.
    folder.writeText("/blocker", "a file where a folder should be");
    ConfigPath = folder.file("/blocker/config.ini");
    const auto window = open();
    choose(*window, 1);
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[1].text, "Error!\r\nThe setting could not be saved to '" + ConfigPath + "'");
    EXPECT_EQ(messages.shown[1].icon, MessageIcon::Critical);
    EXPECT_TRUE(targets.pictures.empty());
    EXPECT_FALSE(window->isClosed());
}

}  // namespace
