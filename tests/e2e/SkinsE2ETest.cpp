// The user's own skins on the real player: a skin dropped on the settings window is installed, chosen
// and applied, and the next start still wears it; Remove Skin takes one away; and a program folder that
// cannot be written, as an installed one, still installs into the user's folder.
#include "DesktopDriver.h"
#include "ProgramRun.h"

#include "support/ArchiveMaker.h"
#include "support/Files.h"
#include "support/HostilePictures.h"
#include "support/ScratchMount.h"
#include "support/WaitFor.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

using namespace zendrix;
using namespace zendrix::testing;

namespace {

constexpr std::uint32_t kReturn = 0xff0d;
constexpr std::uint32_t kEnd = 0xff57;
constexpr std::uint32_t kF10 = 0xffc7;
constexpr std::uint32_t kLetterR = 0x72;

const QColor kMoss(40, 160, 60);
const QColor kMossTitle(200, 60, 160);
const QSize kSettings(233, 338);

bool closeTo(const QColor& a, const QColor& b)
{
    return std::abs(a.red() - b.red()) <= 10 && std::abs(a.green() - b.green()) <= 10 &&
           std::abs(a.blue() - b.blue()) <= 10;
}

class SkinsE2E : public ::testing::Test
{
protected:
    QTemporaryDir home;
    QTemporaryDir downloads;
    DesktopDriver desktop;
    std::vector<std::unique_ptr<QProcess>> running;

    void SetUp() override { ASSERT_TRUE(desktop.isConnected()) << "no X screen"; }
    void TearDown() override
    {
        for (const auto& process : running) {
            process->kill();
            process->waitForFinished();
        }
    }
    QString userSkins() const { return home.filePath("data/Zendrix/Skins"); }
    QProcess* start(const QString& executable)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("XDG_DATA_HOME", home.filePath("data"));
        environment.insert("XDG_CONFIG_HOME", home.filePath("config"));
        running.push_back(startProgram(executable, {}, {}, environment));
        return running.back().get();
    }
    void stop(QProcess* player)
    {
        player->kill();
        player->waitForFinished();
    }
    // The colour in the middle of the main window's panel, clear of every control.
    bool mainWindowShows(QProcess* player, const QColor& colour)
    {
        const auto main = desktop.waitForWindow(player->processId(), kMainWindowSize);
        return main &&
               test::waitFor(
                   [&] { return closeTo(desktop.pixel(main->geometry.topLeft() + QPoint(215, 40)), colour); },
                   10000);
    }
    // Clicks the cog on the title strip; the settings window that opens.
    std::optional<DesktopDriver::Window> openSettings(QProcess* player)
    {
        const auto title = desktop.waitForWindow(player->processId(), kTitleStripSize);
        if (!title)
            return std::nullopt;
        desktop.click(title->geometry.topLeft() + QPoint(328 + 8, 6 + 8));
        return desktop.waitForWindow(player->processId(), kSettings);
    }
    // Gives the window that `act` brings up (a message box, a menu), one that is none of `known`, the
    // keyboard and presses `keysym` there; the window, which joins `known`.
    std::optional<DesktopDriver::Window> answer(QProcess* player, QList<DesktopDriver::Window>& known,
                                                const std::function<void()>& act,
                                                std::uint32_t keysym = kReturn)
    {
        act();
        const auto box = desktop.waitForNewWindow(player->processId(), known);
        if (!box)
            return std::nullopt;
        known.append(*box);
        desktop.moveTo(box->geometry.topLeft() + QPoint(4, 4));
        desktop.focus(*box);
        desktop.key(keysym);
        return box;
    }
    QString mossArchive()
    {
        const QString path = downloads.filePath("Moss.zip");
        EXPECT_TRUE(writeArchive(path, ArchiveFormat::Zip,
                                 {{"Moss/zendrix.zsk", encodedPicture("JPEG", kMainWindowSize, kMoss)},
                                  {"Moss/title.zsk", encodedPicture("JPEG", kTitleStripSize, kMossTitle)}}));
        return path;
    }
    // Drops the Moss skin on the settings window and confirms OK twice: the question, then the success.
    void installAndApplyMoss(QProcess* player)
    {
        const auto settings = openSettings(player);
        ASSERT_TRUE(settings) << "the settings window did not open";
        ASSERT_TRUE(
            desktop.dropFiles(*settings, settings->geometry.topLeft() + QPoint(116, 200), {mossArchive()}));
        ASSERT_TRUE(
            test::waitFor([&] { return QFileInfo(userSkins() + "/Moss/title.zsk").isFile(); }, 15000));
        const QPoint ok = settings->geometry.topLeft() + QPoint(28 + 32, 312 + 8);
        QList<DesktopDriver::Window> known = desktop.windows(player->processId());
        ASSERT_TRUE(answer(player, known, [&] { desktop.click(ok); })) << "no question after OK";
        ASSERT_TRUE(answer(player, known, [] {})) << "no success message";
        ASSERT_TRUE(desktop.waitUntilGone(player->processId(), settings->id));
    }
};

TEST_F(SkinsE2E, ASkinDroppedOnTheSettingsWindowIsInstalledChosenAppliedAndWornAgainAfterARestart)
{
    ProgramFolderCopy folder;
    QProcess* player = start(folder.executable());
    installAndApplyMoss(player);
    EXPECT_TRUE(mainWindowShows(player, kMoss));
    EXPECT_TRUE(readFile(folder.config()).contains("Skin=Moss"));
    stop(player);

    QProcess* again = start(folder.executable());
    EXPECT_TRUE(mainWindowShows(again, kMoss)) << "the next start wears the user's skin";
}

TEST_F(SkinsE2E, RemoveSkinInTheListsMenuTakesTheUsersSkinAway)
{
    for (const char* file : {"zendrix.zsk", "title.zsk"})
        writeFile(userSkins() + "/Rust/" + file, encodedPicture("JPEG", QSize(64, 16), Qt::red));
    ProgramFolderCopy folder;
    QProcess* player = start(folder.executable());
    const auto settings = openSettings(player);
    ASSERT_TRUE(settings);
    // The list's first row takes the focus; End selects the last entry, the user's skin after the three
    // shipped ones; Shift+F10 opens the menu and R is Remove Skin, whose question is answered Yes.
    desktop.focus(*settings);
    desktop.click(settings->geometry.topLeft() + QPoint(8 + 40, 64 + 6));
    desktop.key(kEnd);
    QList<DesktopDriver::Window> known = desktop.windows(player->processId());
    ASSERT_TRUE(answer(
        player, known, [&] { desktop.key(kF10, true); }, kLetterR))
        << "no menu";
    ASSERT_TRUE(answer(player, known, [] {})) << "no question";
    // The skin goes out of sight in one step, then the hidden folder it went to is deleted.
    EXPECT_TRUE(test::waitFor(
        [&] {
            return QDir(userSkins())
                .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot)
                .isEmpty();
        },
        15000));
}

TEST_F(SkinsE2E, AProgramFolderThatCannotBeWrittenStillInstallsIntoTheUsersFolder)
{
    const QString programFolder = home.filePath("installed");
    ScratchMount disk(programFolder, 512 * 1024);
    if (!disk.isMounted())
        GTEST_SKIP() << "mounting a read-only program folder needs root";
    copyProgramFolder(programFolder);
    ASSERT_TRUE(disk.makeReadOnly());
    QProcess* player = start(programFolder + "/zendrix");
    installAndApplyMoss(player);
    EXPECT_TRUE(mainWindowShows(player, kMoss));
    EXPECT_TRUE(readFile(home.filePath("config/Zendrix/config.ini")).contains("Skin=Moss"));
    EXPECT_FALSE(QFileInfo::exists(programFolder + "/Data/Skins/Moss"));
}

} // namespace
