// One tick of the position timer: the clock labels, the seek bar's step and the state, as it runs once a
// second while anything plays. Also the engine's end of an item, which starts the next playlist entry.
#include "support/PlayerRig.h"

#include <benchmark/benchmark.h>

using namespace zendrix;
using namespace zendrix::testing;

namespace {

using Rig = PlayerRig;

void TimerTick(benchmark::State& state)
{
    Rig rig;
    rig.engine.mediaDuration = 30000;
    rig.dialogs.answers.push_back("/media/long.ogg");
    rig.player.cmdBrowse_Click();
    for (auto _ : state) {
        rig.player.tmrTiming_Timer();
        if (rig.player.TickCount > 29000) {  // stay inside the item without timing the restart
            state.PauseTiming();
            rig.player.TickCount = 2;
            rig.player.ClockHours = rig.player.ClockMinutes = rig.player.ClockSeconds = 0;
            rig.player.scrollTiming.setValue(0);
            state.ResumeTiming();
        }
    }
}
BENCHMARK(TimerTick);

void EndOfItemThatAdvancesThePlaylist(benchmark::State& state)
{
    Rig rig;
    for (int i = 0; i < 32767; ++i)
        rig.list.AddItem(QStringLiteral("/media/item%1.mp3").arg(i));
    rig.engine.mediaDuration = 1;
    rig.list.Click = [&] { rig.player.playlist(rig.list.ListIndex()); };
    rig.list.setListIndex(0);
    for (auto _ : state) {
        rig.engine.endOfStream();
        if (rig.list.ListIndex() >= 32766) {
            state.PauseTiming();
            rig.list.setListIndex(0);
            state.ResumeTiming();
        }
    }
}
BENCHMARK(EndOfItemThatAdvancesThePlaylist);

}  // namespace
