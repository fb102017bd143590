// From exec to the window group drawn: the real binary, started from a fresh program folder on the X
// screen this benchmark runs on (run it through tests/e2e/with-xvfb.sh). The clock stops when the main
// window's panel shows below the title strip in the screen's top-left corner, where a first start puts
// them.
#include "FreshProgramFolder.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QPixmap>
#include <QProcess>
#include <QScreen>
#include <QTemporaryDir>
#include <QThread>
#include <benchmark/benchmark.h>

namespace {

// A pixel of the main window's bottom frame (the window stands 28 pixels down, below the title strip):
// black until the window is drawn.
bool panelShown(QScreen* screen)
{
    const QImage pixel = screen->grabWindow(0, 212, 28 + 68, 1, 1).toImage();
    return !pixel.isNull() && qGray(pixel.pixel(0, 0)) > 40;
}

void StartToFirstWindow(benchmark::State& state)
{
    QScreen* screen = QGuiApplication::primaryScreen();
    QTemporaryDir folder;
    copyProgramFolder(folder.path());
    for (auto _ : state) {
        QProcess player;
        QElapsedTimer clock;
        clock.start();
        player.start(folder.filePath("zendrix"), {});
        while (!panelShown(screen) && clock.elapsed() < 10000)
            QThread::usleep(500);
        state.SetIterationTime(static_cast<double>(clock.nsecsElapsed()) / 1e9);
        player.kill();
        player.waitForFinished();
        QThread::msleep(200);  // let the screen clear
        if (panelShown(screen))
            state.SkipWithError("the screen did not clear between runs");
    }
}
BENCHMARK(StartToFirstWindow)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(10);

}  // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
