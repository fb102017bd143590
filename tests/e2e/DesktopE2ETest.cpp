// The real player as the desktop meets it: files on its command line, a second start handing over to
// the first, and the window manager's close.
#include "ProgramRun.h"

#include "platform/SingleInstance.h"
#include "support/MediaFixtures.h"
#include "support/OpenedFiles.h"
#include "support/WaitFor.h"

#include <QFile>
#include <QSize>
#include <QTemporaryDir>
#include <QThread>
#include <cstring>
#include <gtest/gtest.h>
#include <unistd.h>
#include <xcb/xcb.h>

using namespace zendrix::testing;

namespace {

class DesktopE2E : public ::testing::Test
{
protected:
    ProgramFolderCopy folder;
    QTemporaryDir media;
    std::unique_ptr<OpenedFiles> opened;

    void SetUp() override
    {
        const QString one = zendrix::MediaFixtures::wav(1.0, 440);
        const QString two = zendrix::MediaFixtures::wav(1.0, 660);
        ASSERT_FALSE(one.isEmpty() || two.isEmpty()) << zendrix::MediaFixtures::lastError().toStdString();
        ASSERT_TRUE(QFile::copy(one, media.filePath("one.wav")) &&
                    QFile::copy(two, media.filePath("two.wav")));
        opened = std::make_unique<OpenedFiles>(media.path());
    }
    void TearDown() override
    {
        for (const auto& process : running) {
            process->kill();
            process->waitForFinished();
        }
    }
    QProcess* keep(std::unique_ptr<QProcess> process)
    {
        running.push_back(std::move(process));
        return running.back().get();
    }
    // Waits until a start has taken the installation's claim.
    bool claimTaken()
    {
        return zendrix::test::waitFor([this] { return !zendrix::SingleInstance::claim(folder.path()); },
                                      10000);
    }

    std::vector<std::unique_ptr<QProcess>> running;
};

TEST_F(DesktopE2E, AStartWithTwoFilesPlaysThemInOrder)
{
    keep(folder.start({"one.wav", media.filePath("two.wav")}, media.path()));
    ASSERT_TRUE(opened->waitFor("two.wav", 30000)) << opened->names().join(' ').toStdString();
    EXPECT_EQ(opened->names(), QStringList({"one.wav", "two.wav"}));
}

// How long a second start takes is measured by bench_handover.
TEST_F(DesktopE2E, ASecondStartHandsItsFileToTheFirstAndEndsHavingWrittenNothing)
{
    QProcess* first = keep(folder.start());
    ASSERT_TRUE(claimTaken());
    const FolderState before = folderState(folder.path());
    auto second = folder.start({"two.wav"}, media.path());
    ASSERT_TRUE(second->waitForFinished(30000));
    EXPECT_EQ(second->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second->exitCode(), 0);
    EXPECT_TRUE(opened->waitFor("two.wav", 10000)) << "the first player plays what the second was given";
    EXPECT_TRUE(isRunning(*first));
    EXPECT_EQ(folderState(folder.path()), before);
}

TEST_F(DesktopE2E, FiveThousandFilesHandedOverWhileTheFirstStillStartsAllArriveInOrder)
{
    // As a file manager's "Open With" starts the player on a large selection: one start, every file.
    QStringList names;
    for (int i = 0; i < 5000; ++i) {
        names.append(QStringLiteral("item%1.wav").arg(i, 4, 10, QLatin1Char('0')));
        ASSERT_EQ(::link(media.filePath("one.wav").toLocal8Bit().constData(),
                         media.filePath(names.last()).toLocal8Bit().constData()),
                  0);
    }
    keep(folder.start());
    // Taken at the very start of the first, well before its window shows and it listens.
    ASSERT_TRUE(claimTaken());
    auto second = folder.start(names, media.path());
    ASSERT_TRUE(second->waitForFinished(60000));
    EXPECT_EQ(second->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second->exitCode(), 0) << "the running player took the message whole";
    // The first starts, and the end of each item moves on to the next.
    ASSERT_TRUE(opened->waitFor(names[2], 60000)) << opened->names().join(' ').toStdString();
    EXPECT_EQ(opened->names().mid(0, 3), names.mid(0, 3));
}

// Asks the window of `size` that process `pid` shows to close, as a window manager does: the
// WM_DELETE_WINDOW message of the window's WM_PROTOCOLS. (No window manager runs on the test's screen.)
bool closeLikeAWindowManager(qint64 pid, QSize size)
{
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection)) {
        xcb_disconnect(connection);
        return false;
    }
    auto atom = [connection](const char* name) {
        xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
            connection, xcb_intern_atom(connection, 0, static_cast<uint16_t>(std::strlen(name)), name),
            nullptr);
        const xcb_atom_t result = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
        free(reply);
        return result;
    };
    const xcb_atom_t protocols = atom("WM_PROTOCOLS");
    const xcb_atom_t deleteWindow = atom("WM_DELETE_WINDOW");
    const xcb_atom_t wmPid = atom("_NET_WM_PID");
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    xcb_query_tree_reply_t* tree =
        xcb_query_tree_reply(connection, xcb_query_tree(connection, root), nullptr);
    bool sent = false;
    const xcb_window_t* children = tree ? xcb_query_tree_children(tree) : nullptr;
    for (int i = 0; tree && i < xcb_query_tree_children_length(tree) && !sent; ++i) {
        const xcb_window_t window = children[i];
        xcb_get_geometry_reply_t* geometry =
            xcb_get_geometry_reply(connection, xcb_get_geometry(connection, window), nullptr);
        xcb_get_window_attributes_reply_t* attributes = xcb_get_window_attributes_reply(
            connection, xcb_get_window_attributes(connection, window), nullptr);
        xcb_get_property_reply_t* owner = xcb_get_property_reply(
            connection, xcb_get_property(connection, 0, window, wmPid, XCB_ATOM_CARDINAL, 0, 1), nullptr);
        const bool match = geometry && attributes && owner &&
                           attributes->map_state == XCB_MAP_STATE_VIEWABLE &&
                           geometry->width == size.width() && geometry->height == size.height() &&
                           xcb_get_property_value_length(owner) == 4 &&
                           *static_cast<const uint32_t*>(xcb_get_property_value(owner)) == pid;
        if (match) {
            xcb_client_message_event_t event{};
            event.response_type = XCB_CLIENT_MESSAGE;
            event.format = 32;
            event.window = window;
            event.type = protocols;
            event.data.data32[0] = deleteWindow;
            event.data.data32[1] = XCB_CURRENT_TIME;
            xcb_send_event(connection, 0, window, XCB_EVENT_MASK_NO_EVENT,
                           reinterpret_cast<const char*>(&event));
            // A round trip: the server has delivered the message before the connection ends with it.
            free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
            sent = true;
        }
        free(geometry);
        free(attributes);
        free(owner);
    }
    free(tree);
    xcb_disconnect(connection);
    return sent;
}

TEST_F(DesktopE2E, TheWindowManagersCloseOnTheMainWindowEndsTheProcessAndTheNextStartRuns)
{
    QProcess* player = keep(folder.start());
    ASSERT_TRUE(zendrix::test::waitFor(
        [&] { return closeLikeAWindowManager(player->processId(), QSize(425, 71)); }, 15000))
        << "the main window did not show";
    ASSERT_TRUE(player->waitForFinished(10000)) << "the player outlived its window";
    EXPECT_EQ(player->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(player->exitCode(), 0);

    QProcess* next = keep(folder.start());
    ASSERT_TRUE(claimTaken());
    QThread::msleep(500);
    EXPECT_TRUE(isRunning(*next)) << "the next start runs normally";
}

} // namespace
