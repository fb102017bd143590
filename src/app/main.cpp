// Zendrix: starts the player. The program takes no command line.
#include "core/VlcEngine.h"
#include "platform/Fonts.h"
#include "platform/ProgramFolder.h"
#include "platform/SingleInstance.h"
#include "windows/MainWindow.h"
#include "windows/MprisService.h"
#include "windows/Program.h"
#include "windows/QtHost.h"

#include <QApplication>
#include <QDBusConnection>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <utility>
#include <malloc.h>

namespace {

// Calls `then` once `window` has been painted and its picture handed to the screen, or after a second
// at the latest.
void afterFirstPaint(QWidget& window, std::function<void()> then)
{
    struct Watch : QObject
    {
        std::function<void()> then;
        void fire()
        {
            if (then)
                std::exchange(then, nullptr)();
            deleteLater();
        }
        bool eventFilter(QObject*, QEvent* event) override
        {
            // The picture goes to the screen right after the paint: come back to it after that.
            if (event->type() == QEvent::Paint)
                QTimer::singleShot(0, this, &Watch::fire);
            return false;
        }
    };
    auto* watch = new Watch;
    watch->setParent(&window);
    watch->then = std::move(then);
    window.installEventFilter(watch);
    QTimer::singleShot(1000, watch, &Watch::fire);
}

}  // namespace

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

    std::jthread fontConfiguration = readFontConfigurationAhead();
    QApplication app(argc, argv);
    fontConfiguration.join();
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
    VlcEngine* vlc = nullptr;
    Program program({messages, dialogs, exit, shell}, [&vlc](VideoSurface& surface) {
        auto engine = std::make_unique<VlcEngine>(QStringList{}, nullptr, VlcEngine::Start::OnRequest);
        engine->setVideoSurface(&surface);
        vlc = engine.get();
        return engine;
    });
    program.Form_Load();
    // libvlc starts once the main window is on screen, so that its start-up does not hold the first
    // picture back; a click that comes sooner waits for it on the engine's thread. The desktop's media
    // controls come then too: connecting to the session bus takes a few round trips. Without a session
    // bus the player runs without them.
    MprisService mpris(program);
    afterFirstPaint(program.frmMain(), [vlc, &mpris] {
        vlc->start();
        if (const QString bus = sessionBusAddress(); !bus.isEmpty())
            mpris.publish(QDBusConnection::connectToBus(bus, QStringLiteral("zendrix")));
    });
    return QApplication::exec();
}
