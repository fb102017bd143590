// Opening and saving the longest playlist the player holds (32,767 entries of ordinary media paths):
// the file alone, and opening into the list as the window shows it. The target is under 100 ms each.
#include "core/PlaylistFile.h"
#include "windows/PlaylistView.h"

#include <QImage>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace zendrix;

namespace {

Playlist longestPlaylist()
{
    Playlist playlist{QStringLiteral("Everything"), {}};
    playlist.entries.reserve(kMaxPlaylistEntries);
    for (int i = 0; i < kMaxPlaylistEntries; ++i)
        playlist.entries.append(QStringLiteral("/home/listener/Music/Artist %1/Album %2/%3 - Track title é.mp3")
                                    .arg(i / 200)
                                    .arg(i / 12)
                                    .arg(i % 12 + 1, 2, 10, QLatin1Char('0')));
    return playlist;
}

void SavePlaylist32767(benchmark::State& state)
{
    QTemporaryDir dir;
    const Playlist playlist = longestPlaylist();
    const QString path = dir.filePath("everything.zdx");
    for (auto _ : state) {
        if (savePlaylistFile(path, playlist))
            state.SkipWithError("the playlist could not be saved");
    }
    state.SetBytesProcessed(state.iterations() * playlistFileBytes(playlist).size());
}
BENCHMARK(SavePlaylist32767)->Unit(benchmark::kMillisecond);

void ReadPlaylist32767(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("everything.zdx");
    if (savePlaylistFile(path, longestPlaylist()))
        state.SkipWithError("the playlist could not be saved");
    for (auto _ : state)
        benchmark::DoNotOptimize(readPlaylistFile(path));
}
BENCHMARK(ReadPlaylist32767)->Unit(benchmark::kMillisecond);

// What the Open button costs: the list cleared, the file read and every entry shown in the list view.
void OpenPlaylist32767IntoTheView(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("everything.zdx");
    if (savePlaylistFile(path, longestPlaylist()))
        state.SkipWithError("the playlist could not be saved");
    ListControl list;
    QWidget window;
    PlaylistView view(&window, list);
    view.setGeometry(8, 40, 217, 225);
    window.show();
    QImage canvas(view.viewport()->size(), QImage::Format_ARGB32);
    for (auto _ : state) {
        list.Clear();
        const PlaylistRead read = readPlaylistFile(path);
        list.addItems(read.playlist.entries);
        view.viewport()->render(&canvas);
    }
}
BENCHMARK(OpenPlaylist32767IntoTheView)->Unit(benchmark::kMillisecond);

// A playlist of garbage: every visible row is as long as a line may be. Drawing it must stay quick.
void PaintOverlongEntries(benchmark::State& state)
{
    ListControl list;
    list.addItems(QStringList(100, QString(kMaxPlaylistLineBytes, QLatin1Char('x'))));
    QWidget window;
    PlaylistView view(&window, list);
    view.setGeometry(8, 40, 217, 225);
    window.show();
    QImage canvas(view.viewport()->size(), QImage::Format_ARGB32);
    for (auto _ : state)
        view.viewport()->render(&canvas);
}
BENCHMARK(PaintOverlongEntries)->Unit(benchmark::kMillisecond);

}  // namespace
