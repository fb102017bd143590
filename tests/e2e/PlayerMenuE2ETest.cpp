// The real player's menu as a user reaches it under X: a right click on the main window's panel and
// Shift+F10 open it, its items are chosen by their mnemonics, and Open URL plays an internet radio of
// the test's own, whose title the desktop's media controls then read.
#include "ProgramRun.h"

#include "support/IcyServer.h"
#include "support/MediaFixtures.h"
#include "support/PrivateBus.h"
#include "support/WaitFor.h"

#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>

using namespace zendrix;
using namespace zendrix::testing;

namespace {

// The visible windows named `name`.
QStringList windows(const QString& name)
{
    return xdotool({"search", "--onlyvisible", "--name", "^" + name + "$"}).split('\n', Qt::SkipEmptyParts);
}

struct Place
{
    QString window;
    int x = 0, y = 0;
};

// The main window: the one of the player's windows that is 425 by 71.
Place mainWindow()
{
    for (const QString& window : windows("Zendrix")) {
        const QStringList shell = xdotool({"getwindowgeometry", "--shell", window}).split('\n');
        QMap<QString, int> values;
        for (const QString& line : shell)
            values.insert(line.section('=', 0, 0), line.section('=', 1).toInt());
        if (values.value("WIDTH") == 425 && values.value("HEIGHT") == 71)
            return {window, values.value("X"), values.value("Y")};
    }
    return {};
}

TEST(PlayerMenuE2E, TheMenuOpensByRightClickAndShiftF10ItsMnemonicsChooseAndOpenUrlPlaysARadio)
{
    if (const QString missing =
            MediaFixtures::missingTools({"xdotool", "playerctl", "dbus-daemon", "ffmpeg"});
        !missing.isEmpty())
        GTEST_SKIP() << missing.toStdString();
    const QString frames = MediaFixtures::mp3Stream(60);
    ASSERT_FALSE(frames.isEmpty()) << MediaFixtures::lastError().toStdString();
    QFile file(frames);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    IcyServer radio(file.readAll(), 16000, QStringLiteral("Test Radio"),
                    {{0, QStringLiteral("The Band - First Song")}});
    PrivateBus bus;
    ASSERT_FALSE(bus.address().isEmpty()) << bus.error().toStdString();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), bus.address());
    ProgramFolderCopy folder;
    auto player = folder.start({}, {}, environment);

    Place main;
    ASSERT_TRUE(test::waitFor([&] { return !(main = mainWindow()).window.isEmpty(); }, 15000));
    // A right click on the panel between the controls, then Audio and Equalizer by their letters.
    xdotool({"mousemove", QString::number(main.x + 200), QString::number(main.y + 66), "click", "3"});
    test::runEventsFor(300);
    xdotool({"key", "a"});
    xdotool({"key", "e"});
    ASSERT_TRUE(test::waitFor([&] { return !windows("Equalizer").isEmpty(); }, 10000)) << "Audio > Equalizer";
    // No window manager runs here to give the new window the keyboard.
    xdotool({"windowfocus", "--sync", windows("Equalizer").value(0)});
    xdotool({"key", "Escape"});
    EXPECT_TRUE(test::waitFor([&] { return windows("Equalizer").isEmpty(); }, 10000));

    // Shift+F10 on the main window, then Open URL by its letter.
    xdotool({"windowfocus", "--sync", main.window});
    xdotool({"key", "shift+F10"});
    test::runEventsFor(300);
    xdotool({"key", "u"});
    ASSERT_TRUE(test::waitFor([&] { return !windows("Open URL").isEmpty(); }, 10000)) << "Open URL";
    xdotool({"key", "ctrl+a"});
    xdotool({"type", "--delay", "5", radio.url()});
    xdotool({"key", "Return"});
    EXPECT_TRUE(test::waitFor([&] { return radio.connections() > 0; }, 15000))
        << "the player asks the station";

    const auto playerctl = [&environment](const QStringList& arguments) {
        QProcess process;
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral("playerctl"),
                      QStringList{QStringLiteral("--player=zendrix")} + arguments);
        if (!process.waitForFinished(10000) || process.exitCode() != 0)
            return QString();
        return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
    };
    QString title;
    EXPECT_TRUE(test::waitFor(
        [&] {
            return (title = playerctl({"metadata", "xesam:title"})) == "Test Radio - The Band - First Song";
        },
        20000))
        << title.toStdString();
    EXPECT_EQ(playerctl({"status"}), "Playing");
    EXPECT_TRUE(isRunning(*player));
    player->kill();
    player->waitForFinished();
}

} // namespace
