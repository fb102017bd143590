#pragma once

// The desktop services a whole program reaches, scripted, and a start of the program with them. For the
// tests of the windows library, which holds the program.
#include "support/FakeHost.h"
#include "support/FakeMediaEngine.h"
#include "windows/Program.h"

#include <memory>

namespace zendrix::testing {

struct ScriptedServices
{
    FakeMessageBoxes messages;
    FakeFileDialogs dialogs;
    FakeProgramExit exit;
    FakeShell shell;
    // The desktop's screens the program sees, the primary first.
    QList<QRect> screens{QRect(0, 0, 1280, 1024)};

    // Makes the program on the engine the factory makes, with its installation record at `installInfo`,
    // and runs its load handling.
    std::unique_ptr<Program> startProgram(const Program::EngineFactory& makeEngine, const QString& installInfo)
    {
        auto program = std::make_unique<Program>(Program::Services{messages, dialogs, exit, shell}, makeEngine);
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

} // namespace zendrix::testing
