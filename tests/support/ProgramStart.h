#pragma once

// The desktop services a whole program reaches, scripted, and a start of the program with them. For the
// tests of the windows library, which holds the program.
#include "core/Player.h"
#include "support/FakeHost.h"
#include "support/FakeMediaEngine.h"
#include "support/ProgramFolderFixture.h"
#include "windows/Program.h"

#include <memory>

namespace zendrix::testing {

struct ScriptedServices
{
    FakeMessageBoxes messages;
    FakeFileDialogs dialogs;
    FakeProgramExit exit;
    FakeShell shell;
    FakeAddressDialogs addresses;
    // The desktop's screens the program sees, the primary first.
    QList<QRect> screens{QRect(0, 0, 1280, 1024)};

    // Makes the program on the engine the factory makes, with its installation record at `installInfo`,
    // and runs its load handling.
    std::unique_ptr<Program> startProgram(const Program::EngineFactory& makeEngine,
                                          const QString& installInfo)
    {
        auto program = std::make_unique<Program>(
            Program::Services{messages, dialogs, exit, shell, &addresses}, makeEngine);
        program->installInfoPath = installInfo;
        program->screenAreas = [this] { return screens; };
        program->Form_Load();
        return program;
    }

    // The same on a scripted engine, which `engine` is pointed at.
    std::unique_ptr<Program> startProgram(FakeMediaEngine*& engine, const QString& installInfo)
    {
        return startProgram(
            [&engine](VideoSurface&) {
                auto made = std::make_unique<FakeMediaEngine>();
                engine = made.get();
                return made;
            },
            installInfo);
    }
};

// A whole program on a scripted engine, in a program folder of its own.
struct ProgramRig : ScriptedServices
{
    ProgramFolderFixture folder;
    FakeMediaEngine* engine = nullptr;
    std::unique_ptr<Program> program;

    // Starts the program, after ending the one that ran; its installation record goes to `installInfo`,
    // or into the program folder.
    Program& start(const QString& installInfo = {})
    {
        program.reset();
        program = startProgram(engine, installInfo.isEmpty() ? folder.file("/info.ini") : installInfo);
        return *program;
    }
    Player& player() { return program->player(); }
    // Opens a file as the Open button does, the engine giving its length as `duration` seconds.
    void open(const QString& path, double duration = 100)
    {
        engine->mediaDuration = duration;
        dialogs.answers.push_back(path);
        player().cmdBrowse_Click();
    }
    void ticks(int count)
    {
        for (int i = 0; i < count; ++i)
            player().tmrTiming_Timer();
    }
};

} // namespace zendrix::testing
