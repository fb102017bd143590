#include "core/Failure.h"
#include "core/modINI.h"
#include "support/FakeHost.h"
#include "support/FakeSkinTargets.h"
#include "support/ProgramFolderFixture.h"
#include "windows/SettingsWindow.h"

#include <QApplication>
#include <QFile>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>

using namespace zendrix;
using namespace zendrix::testing;

namespace {

const QColor kNightBack(200, 30, 30);
const QColor kNightTitle(30, 200, 30);

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
        folder.writeSkin("Night", kNightBack, kNightTitle);
        listSkins("Zendrix\r\nNight\r\n");
    }
    void listSkins(const QByteArray& bytes) { folder.writeText("/Data/Skins/skins.lst", bytes); }
    std::unique_ptr<SettingsWindow> open() { return std::make_unique<SettingsWindow>(targets, messages, exit); }
    static QStringList entries(const SettingsWindow& window)
    {
        QStringList names;
        for (int i = 0; i < window.lstSkin->count(); ++i)
            names.append(window.lstSkin->item(i)->text());
        return names;
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
        const auto window = open();
        EXPECT_EQ(window->lstSkin->currentRow(), c.row) << c.list.toStdString();
    }
    EXPECT_TRUE(targets.pictures.empty());  // selecting does nothing of its own
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(SettingsWindowTest, ShowsEveryLineInFileOrderAnEmptyOneToo)
{
    listSkins("Zendrix\r\n\r\nNight");
    const auto window = open();
    EXPECT_EQ(entries(*window), (QStringList{"Zendrix", "", "Night"}));
}

TEST_F(SettingsWindowTest, AMissingOrEmptyListCannotMakeTheWindowAndSaysWhichFile)
{
    const QString list = folder.file("/Data/Skins/skins.lst");
    listSkins("");
    try {
        open();
        FAIL() << "an empty list made a window";
    } catch (const Failure& failure) {
        EXPECT_TRUE(failure.description().contains(list)) << failure.description().toStdString();
    }
    QFile::remove(list);
    try {
        open();
        FAIL() << "a missing list made a window";
    } catch (const Failure& failure) {
        EXPECT_EQ(failure.description(), "File not found: '" + list + "'");
    }
}

TEST_F(SettingsWindowTest, OkStoresTheChoiceReskinsEveryWindowAndCloses)
{
    const auto window = open();
    int closed = 0;
    QObject::connect(window.get(), &SettingsWindow::closed, [&] { ++closed; });
    window->lstSkin->setCurrentRow(1);
    messages.answers = {MessageAnswer::Yes};
    window->cmdOk_Click();

    EXPECT_EQ(storedSkin(), "Night");
    ASSERT_EQ(targets.targets(), (QStringList{"main", "playlist", "settings", "info", "title"}));
    EXPECT_TRUE(closeTo(targets.pictures[2].centre, kNightBack));
    EXPECT_TRUE(closeTo(targets.pictures[4].centre, kNightTitle));
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[0].text, kOkQuestion);
    EXPECT_EQ(messages.shown[0].icon, MessageIcon::Question);
    EXPECT_EQ(messages.shown[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(messages.shown[1].text, "Changes saved successfully");
    EXPECT_EQ(messages.shown[1].icon, MessageIcon::Information);
    EXPECT_EQ(messages.shown[1].buttons, MessageButtons::Ok);
    EXPECT_TRUE(window->isClosed());
    EXPECT_EQ(closed, 1);
    EXPECT_EQ(exit.ended, 0);

    // The next opening is a new window that reads the setting again.
    EXPECT_EQ(open()->lstSkin->currentRow(), 1);
}

TEST_F(SettingsWindowTest, OkWithAnUnlistedSkinStoresTheFirstEntry)
{
    WriteINI(ConfigPath, "Skin", "Skin", "Gone");
    listSkins("Night\r\nZendrix\r\n");
    const auto window = open();
    messages.answers = {MessageAnswer::Yes};
    window->cmdOk_Click();
    EXPECT_EQ(storedSkin(), "Night");
    EXPECT_TRUE(window->isClosed());
}

TEST_F(SettingsWindowTest, NoToAnyQuestionLeavesEverythingAsItWas)
{
    WriteINI(ConfigPath, "Skin", "Skin", "Zendrix");
    const QByteArray before = config();
    const auto window = open();
    int closed = 0;
    QObject::connect(window.get(), &SettingsWindow::closed, [&] { ++closed; });
    window->lstSkin->setCurrentRow(1);

    window->cmdOk_Click();
    window->cmdCancel_Click();
    window->cmdExit_Click();

    EXPECT_EQ(messages.texts(), (QStringList{kOkQuestion, kCancelQuestion, kCloseQuestion}));
    for (const ShownMessage& shown : messages.shown) {
        EXPECT_EQ(shown.icon, MessageIcon::Question);
        EXPECT_EQ(shown.buttons, MessageButtons::YesNo);
    }
    EXPECT_EQ(config(), before);
    EXPECT_TRUE(targets.pictures.empty());
    EXPECT_EQ(window->lstSkin->currentRow(), 1);
    EXPECT_FALSE(window->isClosed());
    EXPECT_EQ(closed, 0);
}

TEST_F(SettingsWindowTest, YesToCancelOrCloseLeavesWithoutSaving)
{
    WriteINI(ConfigPath, "Skin", "Skin", "Zendrix");
    const QByteArray before = config();
    for (auto click : {&SettingsWindow::cmdCancel_Click, &SettingsWindow::cmdExit_Click}) {
        const auto window = open();
        window->lstSkin->setCurrentRow(1);
        messages.answers = {MessageAnswer::Yes};
        ((*window).*click)();
        EXPECT_TRUE(window->isClosed());
    }
    EXPECT_EQ(config(), before);
    EXPECT_TRUE(targets.pictures.empty());
    EXPECT_EQ(open()->lstSkin->currentRow(), 0);
}

TEST_F(SettingsWindowTest, AnEmptyEntryOkdTakesTheSkinFailurePath)
{
    listSkins("Zendrix\r\n\r\nNight\r\n");
    const auto window = open();
    window->lstSkin->setCurrentRow(1);
    messages.answers = {MessageAnswer::Yes};
    window->cmdOk_Click();

    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_TRUE(messages.shown[1].text.startsWith("Critical error while loading settings!\r\n"));
    EXPECT_TRUE(messages.shown[1].text.endsWith("\r\nCalibrating skin settings. Please restart the player"));
    EXPECT_EQ(messages.shown[1].icon, MessageIcon::Critical);
    EXPECT_EQ(storedSkin(), "Zendrix");
    EXPECT_EQ(exit.ended, 1);
    EXPECT_TRUE(targets.pictures.empty());
    EXPECT_FALSE(window->isClosed());  // the program ends instead
}

TEST_F(SettingsWindowTest, ASettingThatCannotBeSavedIsReportedNotAppliedAsASuccess)
{
    // A configuration folder the program cannot write to: the store drops the write without a word.
    folder.writeText("/blocker", "a file where a folder should be");
    ConfigPath = folder.file("/blocker/config.ini");
    const auto window = open();
    window->lstSkin->setCurrentRow(1);
    messages.answers = {MessageAnswer::Yes};
    window->cmdOk_Click();

    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[1].text, "Error!\r\nThe setting could not be saved to '" + ConfigPath + "'");
    EXPECT_EQ(messages.shown[1].icon, MessageIcon::Critical);
    EXPECT_TRUE(targets.pictures.empty());
    EXPECT_EQ(exit.ended, 0);
    EXPECT_FALSE(window->isClosed());
}

TEST_F(SettingsWindowTest, ExecBlocksTheProgramUntilTheWindowCloses)
{
    const auto window = open();
    QWidget* modal = nullptr;
    QTimer::singleShot(0, window.get(), [&] {
        modal = QApplication::activeModalWidget();
        messages.answers = {MessageAnswer::Yes};
        window->cmdExit_Click();
    });
    window->exec();
    EXPECT_EQ(modal, window.get());
    EXPECT_TRUE(window->isClosed());
    EXPECT_FALSE(window->isVisible());
    window->exec();  // a closed window does not open again
    EXPECT_FALSE(window->isVisible());
}

}  // namespace
