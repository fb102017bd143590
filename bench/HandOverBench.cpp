// A second start of the real binary, run from a fresh program folder on the X screen this benchmark runs
// on (run it through tests/e2e/with-xvfb.sh):
// - SecondStartToItemStarted: from its exec to the running player having started the item it was
//   handed. The clock stops when the running player opens the file, as the system reports it (inotify):
//   the item has reached the engine. Each round hands over a file of its own.
// - SecondStartToExit: from its exec to its end, the running player's receipt for the message taken.
// - ClaimAndRelease: the single-instance claim itself, in process: what every start pays before anything
//   else.
#include "FreshProgramFolder.h"
#include "platform/SingleInstance.h"
#include "support/MediaFixtures.h"
#include "support/OpenedFiles.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <benchmark/benchmark.h>
#include <optional>

namespace {

void SecondStartToItemStarted(benchmark::State& state)
{
    QTemporaryDir folder;
    QTemporaryDir media;
    copyProgramFolder(folder.path());
    // Long enough that no item ends within a round.
    const QString tone = zendrix::MediaFixtures::wav(30.0);
    if (tone.isEmpty()) {
        state.SkipWithError("no media");
        return;
    }
    zendrix::testing::OpenedFiles opened(media.path());
    int round = 0;
    // Hands the next file over; the seconds until the running player opened it, or nothing.
    auto handOver = [&](int patienceMs) -> std::optional<double> {
        const QString name = QStringLiteral("item%1.wav").arg(round++);
        QFile::copy(tone, media.filePath(name));
        QElapsedTimer clock;
        clock.start();
        QProcess second;
        second.start(folder.filePath("zendrix"), {media.filePath(name)});
        const bool started = opened.waitFor(name, patienceMs);
        const double seconds = static_cast<double>(clock.nsecsElapsed()) / 1e9;
        second.waitForFinished(5000);
        return started ? std::optional<double>(seconds) : std::nullopt;
    };
    QProcess player;
    player.start(folder.filePath("zendrix"), {});
    // The first hand-over waits for the player to start, and libvlc with it: it is not measured.
    if (!handOver(20000))
        state.SkipWithError("the running player did not start the first item");
    for (auto _ : state) {
        const std::optional<double> seconds = handOver(5000);
        if (!seconds) {
            state.SkipWithError("the running player did not start the item");
            break;
        }
        state.SetIterationTime(*seconds);
    }
    player.kill();
    player.waitForFinished();
}
BENCHMARK(SecondStartToItemStarted)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(20);

void SecondStartToExit(benchmark::State& state)
{
    QTemporaryDir folder;
    copyProgramFolder(folder.path());
    QProcess player;
    player.start(folder.filePath("zendrix"), {});
    // A first hand-over waits for the player's event loop: it is not measured.
    QProcess first;
    first.start(folder.filePath("zendrix"), {});
    if (!first.waitForFinished(20000) || first.exitCode() != 0)
        state.SkipWithError("the running player did not take the first hand-over");
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        QProcess second;
        second.start(folder.filePath("zendrix"), {});
        if (!second.waitForFinished(10000) || second.exitCode() != 0) {
            state.SkipWithError("the running player did not take the hand-over");
            break;
        }
        state.SetIterationTime(static_cast<double>(clock.nsecsElapsed()) / 1e9);
    }
    player.kill();
    player.waitForFinished();
}
BENCHMARK(SecondStartToExit)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(20);

void ClaimAndRelease(benchmark::State& state)
{
    QTemporaryDir folder;
    for (auto _ : state)
        benchmark::DoNotOptimize(zendrix::SingleInstance::claim(folder.path()));
}
BENCHMARK(ClaimAndRelease)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
