#include "windows/AboutWindow.h"
#include "support/FakeHost.h"
#include "support/Files.h"

#include <QDir>
#include <QFile>
#include <QLabel>
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
    QString searchPath;
    // Nothing of the live system: a PATH and a fixed folder of the test's own.
    SysInfoSources sources{
        [this] { return searchPath; }, {"hardinfo", "kinfocenter"}, dir.filePath("SysInfo")};

    QString install(const QString& folder, const QString& name, bool executable = true)
    {
        const QString file = writeFile(dir.filePath(folder + "/" + name));
        QFile::setPermissions(file, executable ? QFile::ReadOwner | QFile::ExeOwner : QFile::ReadOwner);
        return file;
    }
    void expectUnavailable()
    {
        ASSERT_EQ(messages.texts(), QStringList{"System Information Is Unavailable At This Time"});
        EXPECT_EQ(messages.shown[0].icon, MessageIcon::None);
        EXPECT_EQ(messages.shown[0].buttons, MessageButtons::Ok);
    }
};

TEST_F(AboutWindowTest, SystemInfoStartsTheFirstWellKnownProgramOnThePathThenTheFixedFolderElseIsUnavailable)
{
    EXPECT_EQ(AboutWindow(shell, messages, sources).lblVersion->text(), "Version 2.50.52");
    const QString kde = install("bin1", "kinfocenter");
    const QString hardinfo = install("bin2", "hardinfo");
    install("bin0", "hardinfo", false);
    install("relative", "hardinfo");
    const QString fallback = install("SysInfo", "sysinfo");
    // Relative and empty entries would depend on the folder the player was started from.
    const QString before = QDir::currentPath();
    QDir::setCurrent(dir.path());
    searchPath =
        "relative::.:" + dir.filePath("bin0") + ":" + dir.filePath("bin1") + ":" + dir.filePath("bin2");
    StartSysInfo(sources, shell, messages); // the list's order, not the PATH's
    QFile::remove(hardinfo);
    StartSysInfo(sources, shell, messages);
    searchPath.clear();
    StartSysInfo(sources, shell, messages);
    QDir::setCurrent(before);
    EXPECT_EQ(shell.started, (QStringList{hardinfo, kde, fallback}));
    EXPECT_TRUE(messages.shown.empty());

    shell.startResult = false; // found, but it does not start
    StartSysInfo(sources, shell, messages);
    EXPECT_EQ(shell.started.size(), 4);
    expectUnavailable();
    messages.shown.clear();
    QFile::remove(fallback);
    StartSysInfo(sources, shell, messages);
    EXPECT_EQ(shell.started.size(), 4);
    expectUnavailable();
}

} // namespace
