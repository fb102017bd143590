// ReadINI and WriteINI on a 200-key configuration file: both go to the file every time, so this is the
// cost of any setting read or written anywhere in the program.
#include "core/modINI.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace zendrix;

namespace {

QString makeFile(const QTemporaryDir& dir)
{
    const QString path = dir.filePath("config.ini");
    for (int section = 0; section < 10; ++section)
        for (int key = 0; key < 20; ++key)
            WriteINI(path, QString("Section%1").arg(section), QString("Key%1").arg(key), QString::number(key * 37));
    return path;
}

void ReadINI200Keys(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = makeFile(dir);
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadINI(path, "Section9", "Key19", "0"));
}
BENCHMARK(ReadINI200Keys);

void WriteINI200Keys(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = makeFile(dir);
    int i = 0;
    for (auto _ : state)
        WriteINI(path, "Section5", "Key10", QString::number(++i));
}
BENCHMARK(WriteINI200Keys);

}  // namespace

BENCHMARK_MAIN();
