#include "layouts/Layouts.h"
#include "support/FakeHost.h"
#include "windows/AboutWindow.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

using namespace zendrix;
using namespace zendrix::testing;

namespace {

const QString kUnavailable = "System Information Is Unavailable At This Time";

class AboutWindowTest : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    FakeShell shell;
    FakeMessageBoxes messages;
    SysInfoSources sources;

    void SetUp() override
    {
        // Nothing of the live system: an empty PATH and a fixed folder of the test's own.
        sources.searchPath = [this] { return searchPath; };
        sources.folder = dir.filePath("SysInfo");
    }
    QString install(const QString& folder, const QString& name, bool executable = true)
    {
        QDir(dir.path()).mkpath(folder);
        const QString path = dir.filePath(folder + "/" + name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.close();
        file.setPermissions(executable ? QFile::ReadOwner | QFile::ExeOwner : QFile::ReadOwner);
        return path;
    }
    void expectUnavailable()
    {
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].text, kUnavailable);
        EXPECT_EQ(messages.shown[0].icon, MessageIcon::None);
        EXPECT_EQ(messages.shown[0].buttons, MessageButtons::Ok);
    }

    QString searchPath;
};

TEST_F(AboutWindowTest, AWellKnownProgramOnThePathComesFirstInTheListsOrder)
{
    sources.programs = {"hardinfo", "kinfocenter"};
    const QString kde = install("bin1", "kinfocenter");
    const QString hardinfo = install("bin2", "hardinfo");
    install("SysInfo", "sysinfo");
    searchPath = dir.filePath("bin1") + ":" + dir.filePath("bin2");

    StartSysInfo(sources, shell, messages);
    EXPECT_EQ(shell.started, QStringList{hardinfo});
    EXPECT_TRUE(messages.shown.empty());

    QFile::remove(hardinfo);
    StartSysInfo(sources, shell, messages);
    EXPECT_EQ(shell.started, (QStringList{hardinfo, kde}));
}

TEST_F(AboutWindowTest, WithNothingOnThePathTheFixedFolderIsTried)
{
    const QString fallback = install("SysInfo", "sysinfo");
    StartSysInfo(sources, shell, messages);
    EXPECT_EQ(shell.started, QStringList{fallback});
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(AboutWindowTest, NothingFoundStartsNothingAndSaysItIsUnavailable)
{
    install("SysInfo", "other");
    install("bin", "hardinfo", false);
    searchPath = dir.filePath("bin");
    StartSysInfo(sources, shell, messages);
    EXPECT_TRUE(shell.started.isEmpty());
    expectUnavailable();
}

TEST_F(AboutWindowTest, AProgramThatDoesNotStartSaysItIsUnavailable)
{
    install("SysInfo", "sysinfo");
    shell.startResult = false;
    StartSysInfo(sources, shell, messages);
    EXPECT_EQ(shell.started.size(), 1);
    expectUnavailable();
}

TEST_F(AboutWindowTest, TheWindowShowsItsTextsAndItsButtonsAct)
{
    AboutWindow about(shell, messages, sources);
    EXPECT_EQ(about.windowTitle(), "About Zendrix");
    EXPECT_EQ(about.lblTitle->text(), "Zendrix");
    EXPECT_EQ(about.lblVersion->text(), "Version 2.50.52");
    EXPECT_EQ(about.lblDescription->text(), "Multimedia Player");
    EXPECT_EQ(about.lblDisclaimer->text(), layouts::frmAbout().disclaimer);
    EXPECT_FALSE(about.lblDisclaimer->text().isEmpty());
    EXPECT_EQ(about.cmdOK->text(), "Ok");
    EXPECT_EQ(about.cmdSysInfo->text(), "&System Information...");
    EXPECT_FALSE(about.windowFlags() & Qt::FramelessWindowHint);

    // System information first, then Ok closes the modal window.
    QWidget* modal = nullptr;
    QTimer::singleShot(0, &about, [&] {
        modal = QApplication::activeModalWidget();
        about.cmdSysInfo->click();
        about.cmdOK->click();
    });
    EXPECT_EQ(about.exec(), QDialog::Accepted);
    EXPECT_EQ(modal, &about);
    EXPECT_FALSE(about.isVisible());
    expectUnavailable();
}

}  // namespace
