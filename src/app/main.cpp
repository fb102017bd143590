// Zendrix: starts the player. The program takes no command line.
#include "core/VlcEngine.h"
#include "platform/Fonts.h"
#include "platform/ProgramFolder.h"
#include "platform/SingleInstance.h"
#include "windows/Program.h"
#include "windows/QtHost.h"

#include <QApplication>
#include <malloc.h>

int main(int argc, char* argv[])
{
    using namespace zendrix;

    // libvlc opens each item on threads of its own, and glibc gives every new thread an arena of its own
    // that keeps what was freed in it: over a long playlist the player's resident memory crept up by
    // some 100 MB before it levelled off. Two arenas keep it flat (scripts/soak.sh measures it).
    mallopt(M_ARENA_MAX, 2);

    // The window group is placed window by window at absolute positions, which Wayland does not allow a
    // client: run through XWayland there.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb");

    QApplication app(argc, argv);
    // One instance per installation: a second start ends here, before it shows or writes anything.
    const auto instance = SingleInstance::claim(programFolder());
    if (!instance)
        return 0;

    QApplication::setApplicationName(QStringLiteral("Zendrix"));
    QApplication::setQuitOnLastWindowClosed(false);
    loadBundledFonts();

    QtMessageBoxes messages;
    QtFileDialogs dialogs;
    QtProgramExit exit;
    QtShell shell;
    Program program({messages, dialogs, exit, shell}, [](VideoSurface& surface) {
        auto engine = std::make_unique<VlcEngine>();
        engine->setVideoSurface(&surface);
        return engine;
    });
    program.Form_Load();
    return QApplication::exec();
}
