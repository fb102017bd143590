#pragma once

// The main window's playback logic on its own: a player over a scripted engine, a playlist and scripted
// dialogs and message boxes, in a program folder of its own.
#include "core/Player.h"
#include "support/FakeHost.h"
#include "support/FakeMediaEngine.h"
#include "support/ProgramFolderFixture.h"

namespace zendrix::testing {

struct PlayerRig
{
    ProgramFolderFixture folder;
    FakeMediaEngine engine;
    ListControl list;
    RepeatSetting repeat;
    FakeMessageBoxes messages;
    FakeFileDialogs dialogs;
    Player player{engine, list, repeat, messages, dialogs};

    // Opens a file as the Open button does, the engine giving its length as `duration` seconds.
    void open(const QString& path, double duration)
    {
        engine.mediaDuration = duration;
        dialogs.answers.push_back(path);
        player.cmdBrowse_Click();
    }
    void ticks(int count)
    {
        for (int i = 0; i < count; ++i)
            player.tmrTiming_Timer();
    }
    // An item of `seconds` played through: its ticks, then the engine's end.
    void playThrough(int seconds)
    {
        ticks(seconds);
        engine.endOfStream();
    }
};

} // namespace zendrix::testing
