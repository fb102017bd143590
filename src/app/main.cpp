// Zendrix: starts the player, or hands the command line to the one that runs.
#include "core/CommandLine.h"
#include "core/HandOver.h"
#include "core/VlcEngine.h"
#include "platform/Fonts.h"
#include "platform/HandOverListener.h"
#include "platform/ProgramFolder.h"
#include "platform/SingleInstance.h"
#include "windows/MainWindow.h"
#include "windows/MprisService.h"
#include "windows/PlayerOptions.h"
#include "windows/Program.h"
#include "windows/QtHost.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDir>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <functional>
#include <malloc.h>
#include <utility>

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

int print(std::FILE* stream, const QString& text, int status)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
    return status;
}

} // namespace

int main(int argc, char* argv[])
{
    using namespace zendrix;
    using namespace std::chrono_literals;

    // Qt never sees the command line: its own options ("-style", "-display") would take file names.
    QStringList given;
    for (int i = 1; i < argc; ++i)
        given.append(QString::fromLocal8Bit(argv[i]));
    const CommandLine commandLine = parseCommandLine(given);
    switch (commandLine.action) {
    case CommandLine::Action::Help:
        return print(stdout, helpText(), 0);
    case CommandLine::Action::Version:
        return print(stdout, versionText(), 0);
    case CommandLine::Action::Unknown:
        return print(stderr, usageText(commandLine.unknownOption), 2);
    case CommandLine::Action::Run:
        break;
    }
    // A deleted working folder has no name; relative arguments are then not found.
    QString workingFolder = QDir::currentPath();
    if (!QDir::isAbsolutePath(workingFolder))
        workingFolder = QStringLiteral("/");
    const std::optional<QByteArray> message =
        encodeHandOver({workingFolder, commandLine.arguments, launchActivationToken()});
    if (!message)
        return print(stderr, QStringLiteral("zendrix: too many arguments\n"), 2);

    // One instance per installation and user: a later start hands its arguments to the running one and
    // ends here, before it shows or writes anything. It waits while the running one is still starting.
    SingleInstance::Start start = SingleInstance::claimOrHandOver(programFolder(), *message, 10s);
    if (!start.instance)
        return start.handedOver
                   ? 0
                   : print(stderr, QStringLiteral("zendrix: the running player does not answer\n"), 1);

    // libvlc opens each item on threads of its own, and glibc gives every new thread an arena of its own
    // that keeps what was freed in it: over a long playlist the player's resident memory crept up by
    // some 100 MB before it levelled off. Two arenas keep it flat (scripts/soak.sh measures it).
    mallopt(M_ARENA_MAX, 2);

    // The window group is placed window by window at absolute positions, which Wayland does not allow a
    // client: run through XWayland there.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb");

    std::jthread fontConfiguration = readFontConfigurationAhead();
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    fontConfiguration.join();
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
    // controls and the notifications come then too: connecting to the session bus takes a few round
    // trips. Without a session bus the player runs without them.
    MprisService mpris(program);
    afterFirstPaint(program.frmMain(), [vlc, &mpris, &program] {
        vlc->start();
        if (const QString bus = sessionBusAddress(); !bus.isEmpty()) {
            const QDBusConnection connection = QDBusConnection::connectToBus(bus, QStringLiteral("zendrix"));
            mpris.publish(connection);
            program.options().notifications().setBus(connection);
        }
    });
    program.openArguments(commandLine.arguments, workingFolder);
    // Starts that came meanwhile have waited in the socket's queue; they are taken from here on.
    HandOverListener handOvers(std::move(start.instance), kMaxHandOverBytes,
                               [&program](const QByteArray& handOver) { program.takeHandOver(handOver); });
    return QApplication::exec();
}
