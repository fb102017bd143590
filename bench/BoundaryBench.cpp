// Where one playlist entry ends and the next begins: the whole program on the real engine, its audio
// heard through a recorder that stands in for the sound card (tests/support/AudioRecorder.h). Each run
// plays a two-entry list whose first entry is a marked tone, and reports how much of that entry's end
// was never heard (cut_ms) and the silence before the next entry (gap_ms, also the run's time). The
// times are the samples' own, as libvlc hands them to the card.
//
//   ItemEnd/ms:<length>/card:<buffer>  played through at the normal speed
//   AfterFastForward/card:<buffer>     fast forward a second into a 20-second entry
//   AfterSeekToEnd/card:<buffer>       the seek bar moved to its end a second into a 20-second entry
//
// card: how far ahead the card takes samples, in ms; 0 as libvlc hands them over (a sound server),
// 200 a small buffer (an ALSA device).
#include "core/Player.h"
#include "core/VlcEngine.h"
#include "support/AudioRecorder.h"
#include "support/MediaFixtures.h"
#include "support/ProgramFolderFixture.h"
#include "support/ProgramStart.h"
#include "support/WaitFor.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <functional>

using namespace zendrix;
using namespace zendrix::testing;

namespace {

struct Rig : ScriptedServices
{
    ProgramFolderFixture folder;
    AudioRecorder recorder; // outlives the program and its engine
    std::unique_ptr<Program> program;

    explicit Rig(int cardBufferMs) : recorder(cardBufferMs)
    {
        program = startProgram(
            [this](VideoSurface&) {
                auto engine = std::make_unique<VlcEngine>(QStringList{QStringLiteral("--vout=dummy")});
                engine->listenWith(&recorder);
                return engine;
            },
            folder.file("/info.ini"));
    }
    bool heard(std::size_t streams, double seconds)
    {
        return test::waitFor(
            [&] {
                const auto heard = recorder.streams();
                return heard.size() >= streams && heard[streams - 1].firstHeardUs >= 0;
            },
            int(seconds * 1000));
    }
};

// Plays [first, a second of tone], doing `meanwhile` once the first is heard, and reports the boundary.
void measure(benchmark::State& state, double firstSeconds, int cardBufferMs,
             const std::function<void(Rig&)>& meanwhile = {})
{
    const QString first = MediaFixtures::wav(firstSeconds, 440, MediaFixtures::Marks::Ends);
    const QString second = MediaFixtures::wav(1.0, 660, MediaFixtures::Marks::Ends);
    if (first.isEmpty() || second.isEmpty()) {
        state.SkipWithError(MediaFixtures::lastError().toStdString().c_str());
        return;
    }
    double cut = 0, gap = 0;
    for (auto _ : state) {
        Rig rig(cardBufferMs);
        rig.program->lstPlaylist().addItems({first, second});
        rig.program->lstPlaylist().setListIndex(0);
        if (!rig.heard(1, 5)) {
            state.SkipWithError("the first entry was never heard");
            break;
        }
        const bool normalSpeed = !meanwhile;
        if (meanwhile)
            meanwhile(rig);
        if (!rig.heard(2, firstSeconds + 10)) {
            state.SkipWithError("the second entry was never heard");
            break;
        }
        const auto streams = rig.recorder.streams();
        // Winding or a seek leaves the length from the first mark meaningless: then the last mark, the
        // item's end, tells.
        cut = normalSpeed ? streams[0].cutMs(firstSeconds) : streams[0].lastMarkCutMs();
        gap = AudioRecorder::gapMs(streams[0], streams[1]);
        state.SetIterationTime(gap / 1000.0);
    }
    state.counters["cut_ms"] = cut;
    state.counters["gap_ms"] = gap;
}

double worst(const std::vector<double>& values)
{
    return *std::max_element(values.begin(), values.end());
}

void ItemEnd(benchmark::State& state)
{
    measure(state, double(state.range(0)) / 1000.0, int(state.range(1)));
}
BENCHMARK(ItemEnd)
    ->ArgsProduct({{3300, 3700, 4500}, {0, 200}})
    ->ArgNames({"ms", "card"})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(4)
    ->ComputeStatistics("max", worst)
    ->DisplayAggregatesOnly();

void AfterFastForward(benchmark::State& state)
{
    measure(state, 20, int(state.range(0)), [](Rig& rig) {
        test::runEventsFor(1000);
        rig.program->player().cmdControls_Click(Player::FastForward);
    });
}
BENCHMARK(AfterFastForward)
    ->Arg(0)
    ->Arg(200)
    ->ArgName("card")
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

void AfterSeekToEnd(benchmark::State& state)
{
    measure(state, 20, int(state.range(0)), [](Rig& rig) {
        Player& player = rig.program->player();
        test::waitFor([&] { return player.scrollTiming.Max() == 20; });
        test::runEventsFor(200);
        player.scrollTiming.setValue(player.scrollTiming.Max());
    });
}
BENCHMARK(AfterSeekToEnd)
    ->Arg(0)
    ->Arg(200)
    ->ArgName("card")
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

} // namespace
