// Every write the program makes, against a disk that says no: a full disk, a folder mounted read-only
// and a folder standing where the file should be. The old file is always intact afterwards and no
// temporary file is left behind; the settings writes stay silent, while a playlist save says why it
// failed and never that it succeeded. The Data folder is a small disk of the test's own (root only).
#include "core/Player.h"
#include "core/modINI.h"
#include "support/FakeMediaEngine.h"
#include "support/Files.h"
#include "support/ProgramFolderFixture.h"
#include "support/ProgramStart.h"
#include "support/ScratchMount.h"
#include "windows/MainWindow.h"
#include "windows/PlaylistWindow.h"
#include "windows/Program.h"
#include "windows/TitleStrip.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace zendrix;
using namespace zendrix::testing;

namespace {

enum class Fault { FullDisk, ReadOnlyFolder, FolderInThePlace };
const char* const kFaultNames[] = {"FullDisk", "ReadOnlyFolder", "FolderInThePlace"};

// Writes until the disk refuses: afterwards not one more block fits.
void fillDisk(const QString& folder)
{
    const int fd = ::open(QFile::encodeName(folder + "/filler").constData(), O_WRONLY | O_CREAT, 0644);
    ASSERT_GE(fd, 0);
    const QByteArray block(4096, 'f');
    while (::write(fd, block.constData(), static_cast<std::size_t>(block.size())) > 0) {
    }
    while (::write(fd, block.constData(), 1) > 0) {
    }
    ::close(fd);
}

class FaultInjectionTest : public ::testing::TestWithParam<Fault>, protected ScriptedServices
{
protected:
    ProgramFolderFixture folder;
    ScratchMount data{folder.file("/Data"), 256};
    std::unique_ptr<Program> program;
    QString config = folder.file("/Data/config.ini");
    QString playlist = folder.file("/Data/evening.zdx");

    void SetUp() override
    {
        if (!data.isMounted())
            GTEST_SKIP() << "no right to mount a small disk";
        folder.layOutData(); // the mount hides what the fixture laid out

        program = startProgram([](VideoSurface&) { return std::make_unique<FakeMediaEngine>(); },
                               folder.file("/info.ini"));
        WriteINI(ConfigPath, "Player", "Volume", "40");
        WriteINI(ConfigPath, "Player", "RepeatPlaylist", "False");
        WriteINI(ConfigPath, "Position", "Top", "1500");
        PlaylistWindow& window = program->frmPlaylist();
        window.txtName->setText("Evening");
        program->lstPlaylist().addItems({"/a.mp3", "/b.mp3"});
        dialogs.answers.push_back(playlist);
        window.cmdSave_Click();
        ASSERT_EQ(messages.texts(), QStringList({"Playlist Saved Successfully!"}));
        messages.shown.clear();
        program->lstPlaylist().AddItem("/c.mp3");
    }

    void applyFault()
    {
        switch (GetParam()) {
        case Fault::FullDisk:
            fillDisk(folder.file("/Data"));
            break;
        case Fault::ReadOnlyFolder:
            ASSERT_TRUE(data.makeReadOnly());
            break;
        case Fault::FolderInThePlace:
            for (const QString& path : {config, playlist}) {
                ASSERT_TRUE(QFile::remove(path));
                ASSERT_TRUE(QDir().mkpath(path + "/kept"));
            }
            break;
        }
    }
    QStringList dataFolder() const
    {
        return QDir(folder.file("/Data")).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }
    QString stateOf(const QString& path) const
    {
        return QFileInfo(path).isDir()
                   ? QString("folder holding %1")
                         .arg(QDir(path).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).join(","))
                   : QString::fromLatin1(readFile(path));
    }
};

TEST_P(FaultInjectionTest, EverySettingsWriteFailsSilentlyAndLeavesTheOldFile)
{
    applyFault();
    const QString before = stateOf(config);
    const QStringList entries = dataFolder();

    program->player().scrollVolume.setValue(75); // the volume bar
    program->frmPlaylist().chkRepeat->click();   // the Repeat box
    program->frmMain().move(300, 200);
    program->mainWindowMoved();              // the end of a drag
    program->frmTitle().cmdPlaylist_Click(); // the three window toggles
    program->frmTitle().cmdScreen_Click();
    program->frmTitle().cmdInfo_Click();

    EXPECT_TRUE(messages.shown.empty()) << messages.texts().join(" | ").toStdString();
    EXPECT_EQ(stateOf(config), before);
    EXPECT_EQ(dataFolder(), entries) << "no temporary file is left behind";
    EXPECT_EQ(program->player().scrollVolume.Value(), 75);
    EXPECT_TRUE(program->frmPlaylist().isVisible());
}

TEST_P(FaultInjectionTest, APlaylistSaveReportsTheFailureAndLeavesTheOldFile)
{
    applyFault();
    const QString before = stateOf(playlist);
    const QStringList entries = dataFolder();
    const QString label = program->frmPlaylist().lblFilename.Caption();

    dialogs.answers.push_back(playlist);
    program->frmPlaylist().cmdSave_Click();

    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].text.startsWith("Error!\r\n")) << messages.shown[0].text.toStdString();
    if (GetParam() == Fault::FullDisk) {
        EXPECT_EQ(messages.shown[0].text, "Error!\r\nDisk full");
    }
    EXPECT_EQ(messages.shown[0].icon, MessageIcon::Critical);
    EXPECT_EQ(stateOf(playlist), before);
    EXPECT_EQ(dataFolder(), entries) << "no temporary file is left behind";
    EXPECT_EQ(program->frmPlaylist().lblFilename.Caption(), label);
}

INSTANTIATE_TEST_SUITE_P(Faults, FaultInjectionTest,
                         ::testing::Values(Fault::FullDisk, Fault::ReadOnlyFolder, Fault::FolderInThePlace),
                         [](const auto& fault) { return std::string(kFaultNames[int(fault.param)]); });

} // namespace
