// The real player under a window manager (openbox): a second start brings the running player's main
// window to the front and makes it active, and a launch's token travels with it to the window.
#include "ProgramRun.h"
#include "X11Desktop.h"

#include "platform/SingleInstance.h"
#include "support/WaitFor.h"

#include <QStandardPaths>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace zendrix::testing;
using zendrix::test::waitFor;

namespace {

class ActivationE2E : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(desktop.connected());
        ASSERT_FALSE(QStandardPaths::findExecutable("openbox").isEmpty())
            << "scripts/install-deps.sh installs it";
        windowManager.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        windowManager.start("openbox", {"--sm-disable"});
        ASSERT_TRUE(windowManager.waitForStarted(10000));
        ASSERT_TRUE(waitFor([this] { return desktop.windowManagerRuns(); }, 15000))
            << "openbox did not start";
    }
    void TearDown() override
    {
        for (QProcess* process : {player.get(), &windowManager}) {
            if (process && process->state() != QProcess::NotRunning) {
                process->kill();
                process->waitForFinished();
            }
        }
    }

    // A later start as a launcher makes it: with the launch's token, or with none at all.
    bool handOver(const QString& token)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove("DESKTOP_STARTUP_ID");
        environment.remove("XDG_ACTIVATION_TOKEN");
        if (!token.isEmpty())
            environment.insert("DESKTOP_STARTUP_ID", token);
        auto second = folder.start({}, {}, environment);
        return second->waitForFinished(30000) && second->exitStatus() == QProcess::NormalExit &&
               second->exitCode() == 0;
    }

    X11Desktop desktop;
    QProcess windowManager;
    ProgramFolderCopy folder;
    std::unique_ptr<QProcess> player;
};

TEST_F(ActivationE2E, ASecondStartMakesTheMainWindowActiveAndCarriesTheLaunchTokenToIt)
{
    player = folder.start();
    xcb_window_t main = XCB_WINDOW_NONE;
    ASSERT_TRUE(waitFor(
        [&] { return (main = desktop.clientOf(player->processId(), QSize(425, 71))) != XCB_WINDOW_NONE; },
        30000))
        << "the main window is not managed";
    const xcb_window_t own = desktop.ownWindow();

    // As earlier versions did, with no token; then with the token a launcher gives.
    for (const bool withToken : {false, true}) {
        SCOPED_TRACE(withToken ? "with a token" : "without a token");
        desktop.activate(own);
        ASSERT_TRUE(waitFor([&] { return desktop.activeWindow() == own; }, 10000))
            << "the test's window is not active";
        const QString token =
            withToken ? QStringLiteral("zendrix-e2e-%1_TIME%2").arg(::getpid()).arg(desktop.serverTime())
                      : QString();
        ASSERT_TRUE(handOver(token));
        EXPECT_TRUE(waitFor([&] { return desktop.activeWindow() == main; }, 15000));
        if (withToken) {
            EXPECT_EQ(desktop.textProperty(main, "_NET_STARTUP_ID"), token.toUtf8());
            // The launch's feedback is ended.
            EXPECT_TRUE(waitFor(
                [&] { return desktop.startupMessages().contains("remove: ID=" + token.toUtf8()); }, 10000))
                << desktop.startupMessages().join('|').toStdString();
        }
    }
}

} // namespace
