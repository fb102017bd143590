#include "layouts/Layouts.h"
#include "support/FakeHost.h"
#include "windows/AboutWindow.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zendrix;
using namespace zendrix::testing;

namespace {

class AboutWindowTest : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    FakeShell shell;
    FakeMessageBoxes messages;
    SysInfoSources sources;
    QString searchPath;

    void SetUp() override
    {
        // Nothing of the live system: a PATH and a fixed folder of the test's own.
        sources.searchPath = [this] { return searchPath; };
        sources.programs = {"hardinfo", "kinfocenter"};
        sources.folder = dir.filePath("SysInfo");
    }
    QString install(const QString& folder, const QString& name, bool executable = true)
    {
        QDir(dir.path()).mkpath(folder);
        QFile file(dir.filePath(folder + "/" + name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.setPermissions(executable ? QFile::ReadOwner | QFile::ExeOwner : QFile::ReadOwner);
        return file.fileName();
    }
    bool unavailableShown() const
    {
        return messages.shown.size() == 1 &&
               messages.shown[0].text == "System Information Is Unavailable At This Time" &&
               messages.shown[0].icon == MessageIcon::None && messages.shown[0].buttons == MessageButtons::Ok;
    }
};

TEST_F(AboutWindowTest, TheFirstWellKnownProgramOnThePathThenTheFixedFolder)
{
    const QString kde = install("bin1", "kinfocenter");
    const QString hardinfo = install("bin2", "hardinfo");
    const QString fallback = install("SysInfo", "sysinfo");
    searchPath = dir.filePath("bin1") + ":" + dir.filePath("bin2");

    StartSysInfo(sources, shell, messages);  // the list's order, not the PATH's
    QFile::remove(hardinfo);
    StartSysInfo(sources, shell, messages);
    searchPath.clear();
    StartSysInfo(sources, shell, messages);
    EXPECT_EQ(shell.started, (QStringList{hardinfo, kde, fallback}));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(AboutWindowTest, NothingRunnableFoundStartsNothingAndSaysItIsUnavailable)
{
    install("SysInfo", "other");
    install("bin", "hardinfo", false);
    install("relative", "kinfocenter");
    // Relative and empty entries would depend on the folder the player was started from.
    const QString before = QDir::currentPath();
    QDir::setCurrent(dir.path());
    searchPath = dir.filePath("bin") + ":relative::.";
    StartSysInfo(sources, shell, messages);
    QDir::setCurrent(before);
    EXPECT_TRUE(shell.started.isEmpty());
    EXPECT_TRUE(unavailableShown());
}

TEST_F(AboutWindowTest, AProgramThatDoesNotStartSaysItIsUnavailable)
{
    install("SysInfo", "sysinfo");
    shell.startResult = false;
    StartSysInfo(sources, shell, messages);
    EXPECT_EQ(shell.started.size(), 1);
    EXPECT_TRUE(unavailableShown());
}

TEST_F(AboutWindowTest, TheWindowShowsItsTexts)
{
    AboutWindow about(shell, messages, sources);
    EXPECT_EQ(about.windowTitle(), "About Zendrix");
    EXPECT_EQ(about.lblTitle->text(), "Zendrix");
    EXPECT_EQ(about.lblVersion->text(), "Version 2.50.52");
    EXPECT_EQ(about.lblDescription->text(), "Multimedia Player");
    EXPECT_EQ(about.lblDisclaimer->text(), layouts::frmAbout().disclaimer);
    EXPECT_EQ(about.cmdOK->text(), "Ok");
    EXPECT_EQ(about.cmdSysInfo->text(), "&System Information...");
    EXPECT_FALSE(about.windowFlags() & Qt::FramelessWindowHint);
}

}  // namespace
