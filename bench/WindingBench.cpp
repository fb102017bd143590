// Winding on the real engine: how many seconds of the item pass per second of wall time while it fast
// forwards (the engine asks libvlc for five times the speed) and while it rewinds (half a second back
// every 100 ms). Reported as the counter item_s_per_s.
#include "core/VlcEngine.h"
#include "support/MediaFixtures.h"
#include "support/WaitFor.h"

#include <QElapsedTimer>
#include <benchmark/benchmark.h>
#include <cmath>

using namespace zendrix;

namespace {

const QStringList kDummyOutputs{QStringLiteral("--aout=dummy"), QStringLiteral("--vout=dummy")};

void wind(benchmark::State& state, bool forward)
{
    const QString file = MediaFixtures::wav(60);
    if (file.isEmpty()) {
        state.SkipWithError("no media");
        return;
    }
    double itemSeconds = 0;
    double wallSeconds = 0;
    for (auto _ : state) {
        VlcEngine engine(kDummyOutputs);
        EngineControls& controls = engine.controls();
        engine.setURL(file);
        if (!forward)
            controls.setCurrentPosition(40);
        controls.play();
        if (!test::waitFor([&] { return engine.playState() == MediaEngine::Playing; }, 10000)) {
            state.SkipWithError("the item did not start");
            return;
        }
        const double from = controls.currentPosition();
        QElapsedTimer clock;
        clock.start();
        forward ? controls.fastForward() : controls.fastReverse();
        const bool moved = test::waitFor(
            [&] { return forward ? controls.currentPosition() > from + 8 : controls.currentPosition() < from - 8; },
            30000);
        wallSeconds += double(clock.nsecsElapsed()) / 1e9;
        itemSeconds += std::abs(controls.currentPosition() - from);
        if (!moved) {
            state.SkipWithError("winding did not move the item");
            return;
        }
    }
    state.counters["item_s_per_s"] = itemSeconds / wallSeconds;
}

void FastForward(benchmark::State& state) { wind(state, true); }
void FastReverse(benchmark::State& state) { wind(state, false); }

} // namespace

BENCHMARK(FastForward)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(FastReverse)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
