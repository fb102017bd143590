// Playlist files. Any bytes read as a playlist give the same list whether the file arrives whole or a
// few bytes at a time, and the list the line rules give; any list saved and opened again comes back as
// it was. The input's first byte picks the size of the pieces; the rest is both a file to read and,
// cut at its NUL bytes, a name and entries to save.
#include "Fuzz.h"
#include "support/Trickle.h"
#include "core/PlaylistFile.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <algorithm>

using namespace zendrix;
using namespace zendrix::fuzz;

namespace {

using zendrix::test::Trickle;

void checkLine(const QString& read, const QByteArray& line)
{
    if (line.size() <= kMaxPlaylistLineBytes) {
        check(read == QString::fromLocal8Bit(line), "a line reads as its own text");
    } else {
        check(QString::fromLocal8Bit(line).startsWith(read) && read.size() <= kMaxPlaylistLineBytes,
              "a long line reads as the start of its text");
    }
}

QTemporaryDir* folder = nullptr;

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    silenceQtMessages();
    folder = new QTemporaryDir(QStringLiteral("/dev/shm/zendrix-fuzz-playlist-XXXXXX"));
    if (!folder->isValid())
        folder = new QTemporaryDir();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput input(data, size);
    const qint64 step = 1 + input.byte() % 8;
    const QByteArray bytes = input.rest();

    // Reading.
    QBuffer whole;
    whole.setData(bytes);
    whole.open(QIODevice::ReadOnly);
    const PlaylistRead read = readPlaylist(whole);
    Trickle pieces(bytes, step);
    const PlaylistRead readInPieces = readPlaylist(pieces);
    check(read.ok() && readInPieces.ok(), "a buffer always reads");
    check(read.playlist.name == readInPieces.playlist.name &&
              read.playlist.entries == readInPieces.playlist.entries &&
              read.linesCut == readInPieces.linesCut,
          "reading in pieces gives what reading whole gives");

    const QList<QByteArray> lines = linesOf(bytes);
    check(read.playlist.entries.size() == std::max<qsizetype>(lines.size() - 1, 0),
          "every line after the first is one entry");
    if (!lines.isEmpty())
        checkLine(read.playlist.name, lines.first());
    for (qsizetype i = 1; i < lines.size(); ++i)
        checkLine(read.playlist.entries[i - 1], lines[i]);

    // Saving and opening again, in memory and through a file.
    const QList<QByteArray> fields = bytes.split('\0');
    Playlist saved;
    saved.name = QString::fromUtf8(fields.first());
    for (qsizetype i = 1; i < fields.size(); ++i)
        saved.entries.append(QString::fromUtf8(fields[i]));
    Playlist expected = saved;
    const auto oneLine = [](QString& text) {
        text.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    };
    oneLine(expected.name);
    for (QString& entry : expected.entries)
        oneLine(entry);

    QBuffer file;
    file.setData(playlistFileBytes(saved));
    file.open(QIODevice::ReadOnly);
    const PlaylistRead reopened = readPlaylist(file);
    check(reopened.ok() && !reopened.entriesLeftOut, "a saved list reads");
    // A line longer than the reader takes (only a name typed that long can be) comes back cut.
    const auto fits = [](const QString& text) { return text.toLocal8Bit().size() <= kMaxPlaylistLineBytes; };
    const bool allFit =
        fits(expected.name) && std::all_of(expected.entries.begin(), expected.entries.end(), fits);
    check(reopened.linesCut == !allFit, "only lines past the limit are cut");
    check(reopened.playlist.entries.size() == expected.entries.size(), "every saved entry comes back");
    check(fits(expected.name) ? reopened.playlist.name == expected.name
                              : expected.name.startsWith(reopened.playlist.name),
          "a saved name comes back");
    for (qsizetype i = 0; i < expected.entries.size(); ++i) {
        const QString& entry = expected.entries[i];
        check(fits(entry) ? reopened.playlist.entries[i] == entry
                          : entry.startsWith(reopened.playlist.entries[i]),
              "saved entries come back in order");
    }

    // A save costs a temporary file and a rename, so one input in eight takes this road.
    if (size % 8 != 0)
        return 0;
    const QString path = folder->filePath(QStringLiteral("list.zdx"));
    check(!savePlaylistFile(path, saved).has_value(), "a save to a good folder succeeds");
    const PlaylistRead fromDisk = readPlaylistFile(path);
    check(fromDisk.ok() && fromDisk.playlist.name == reopened.playlist.name &&
              fromDisk.playlist.entries == reopened.playlist.entries,
          "a saved file opens as the list that was saved");
    return 0;
}
