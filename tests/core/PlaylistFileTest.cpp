// Playlist files as bytes: the line rules, read whole and a few bytes at a time, the bytes written, and
// the limits that keep huge files harmless (fuzz/PlaylistFuzzer.cpp replays damaged ones).
#include "core/PlaylistFile.h"
#include "support/QtPrinters.h"
#include "support/Trickle.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace zendrix;

namespace {

using zendrix::test::Trickle;

PlaylistRead readBytes(const QByteArray& bytes, qint64 step = 1 << 20)
{
    Trickle device(bytes, step);
    return readPlaylist(device);
}

TEST(PlaylistFormat, ReadsLinesByTheFileRulesInPiecesOfAnySizeAndWritesCrLf)
{
    const std::tuple<QByteArray, QString, QStringList> cases[] = {
        {"", "", {}}, // no first line at all: no name, no entries
        {"Mix\r\n", "Mix", {}},
        {"\r\n/a\r\n", "", {"/a"}},
        {"Mix\r/a\r/b", "Mix", {"/a", "/b"}},               // lone CRs, and no end on the last line
        {"Mix\r\n/a\n/b\r\n\r\n", "Mix", {"/a", "/b", ""}}, // lone LFs; an empty line is an entry
        {"Mix\n/a\n/b\n", "Mix", {"/a", "/b"}},             // as an editor on Linux writes it
        {"Mix\r\r\n\n/a", "Mix", {"", "", "/a"}},           // the LF after a CR LF ends an empty line
        {"Mix\r\n/a\r\n/a\r\n", "Mix", {"/a", "/a"}},
        {"Caf\xc3\xa9\r\n/\xe2\x99\xab.ogg", "Café", {"/♫.ogg"}},
    };
    for (const auto& [bytes, name, entries] : cases)
        for (const qint64 step : {1, 2, 3, 1 << 20}) {
            const PlaylistRead read = readBytes(bytes, step);
            EXPECT_EQ(read.playlist.name, name) << bytes.toStdString() << " in pieces of " << step;
            EXPECT_EQ(read.playlist.entries, entries) << bytes.toStdString() << " in pieces of " << step;
        }
    // A CR or LF inside a line would shift every later entry: it is written as a blank.
    EXPECT_EQ(playlistFileBytes({"", {"/a\rb", "", "/\xe2\x99\xab\nc"}}),
              "\r\n/a b\r\n\r\n/\xe2\x99\xab c\r\n");
}

TEST(PlaylistFormat, HugeFilesStayWithinTheLimitsAndOnlyRegularFilesAreRead)
{
    QByteArray full = "Many\r\n";
    for (int i = 0; i < kMaxPlaylistEntries; ++i)
        full += QByteArray::number(i) + "\r\n";
    EXPECT_FALSE(readBytes(full, 1).entriesLeftOut); // the last LF, alone in its piece, is no further entry
    const PlaylistRead over = readBytes(full + "x");
    EXPECT_TRUE(over.entriesLeftOut);
    ASSERT_EQ(over.playlist.entries.size(), kMaxPlaylistEntries);
    EXPECT_EQ(over.playlist.entries.last(), QString::number(kMaxPlaylistEntries - 1));

    // An overlong line is cut, without the half of a character that the cut splits; the next line is whole.
    const QByteArray longLine =
        QByteArray(kMaxPlaylistLineBytes - 1, 'a') + "\xc3\xa9" + QByteArray(1'000'000, 'b');
    const PlaylistRead cut = readBytes(longLine + "\r\n/next.mp3", 4096);
    EXPECT_TRUE(cut.linesCut);
    EXPECT_EQ(cut.playlist.name, QString(kMaxPlaylistLineBytes - 1, 'a'));
    EXPECT_EQ(cut.playlist.entries, QStringList{"/next.mp3"});

    // Only regular files are read: a device or a pipe would never end, or block before its first byte.
    QTemporaryDir dir;
    EXPECT_EQ(readPlaylistFile(dir.filePath("gone")).failure,
              "File not found: '" + dir.filePath("gone") + "'");
    EXPECT_FALSE(readPlaylistFile(dir.path()).ok());
    EXPECT_FALSE(readPlaylistFile("/dev/zero").ok());
    ASSERT_EQ(::mkfifo(QFile::encodeName(dir.filePath("pipe")).constData(), 0600), 0);
    EXPECT_FALSE(readPlaylistFile(dir.filePath("pipe")).ok());
}

} // namespace
