// Playlist files as bytes: the line rules when reading (in whole and in pieces of any size), the bytes
// written, the limits that keep garbage and huge files harmless, and failures that leave files intact.
#include "windows/PlaylistFile.h"
#include "support/QtPrinters.h"
#include "support/ScratchMount.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace zendrix;

namespace {

// Hands out a few bytes per read, so that lines, and the CR and LF of one line end, fall on both sides
// of a chunk border.
class TrickleDevice : public QIODevice
{
public:
    TrickleDevice(QByteArray bytes, qint64 step) : m_bytes(std::move(bytes)), m_step(step)
    {
        open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    }
    bool isSequential() const override { return true; }
    int reads = 0;

protected:
    qint64 readData(char* data, qint64 maxSize) override
    {
        const qint64 count = std::min({maxSize, m_step, qint64(m_bytes.size()) - m_position});
        std::memcpy(data, m_bytes.constData() + m_position, static_cast<std::size_t>(count));
        m_position += count;
        ++reads;
        return count;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    QByteArray m_bytes;
    qint64 m_step;
    qint64 m_position = 0;
};

PlaylistRead readBytes(const QByteArray& bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return readPlaylist(buffer);
}

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

QByteArray lines(int count)
{
    QByteArray bytes = "Many\r\n";
    for (int i = 0; i < count; ++i)
        bytes += "/music/" + QByteArray::number(i) + ".mp3\r\n";
    return bytes;
}

struct ReadCase
{
    const char* what;
    QByteArray bytes;
    QString name;
    QStringList entries;
};

TEST(PlaylistFormat, ReadsLinesByTheFileRules)
{
    const std::vector<ReadCase> cases = {
        {"an empty file", "", "", {}},
        {"a saved empty list", "Mix\r\n", "Mix", {}},
        {"a name without a line end", "Mix", "Mix", {}},
        {"an empty name line", "\r\n/a.mp3\r\n", "", {"/a.mp3"}},
        {"a last line without an end", "Mix\r\n/a.mp3\r\n/b.mp3", "Mix", {"/a.mp3", "/b.mp3"}},
        {"lone CRs", "Mix\r/a.mp3\r/b.mp3\r", "Mix", {"/a.mp3", "/b.mp3"}},
        {"a lone LF stays in its line", "Mix\r\n/a\n/b\r\n", "Mix", {"/a\n/b"}},
        {"a Unix file is one long name", "Mix\n/a\n", "Mix\n/a\n", {}},
        {"empty lines are empty entries", "Mix\r\n\r\n/a\r\n\r\n", "Mix", {"", "/a", ""}},
        {"CR then CR LF", "Mix\r\r\n", "Mix", {""}},
        {"a LF after a line end starts the next line", "Mix\r\n\n/a", "Mix", {"\n/a"}},
        {"duplicates stay", "Mix\r\n/a\r\n/a\r\n", "Mix", {"/a", "/a"}},
        {"the locale's encoding", "Caf\xc3\xa9\r\n/m\xc3\xbasica/\xe2\x99\xab.ogg\r\n", "Café", {"/música/♫.ogg"}},
    };
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(c.what);
        const PlaylistRead whole = readBytes(c.bytes);
        ASSERT_TRUE(whole.ok());
        EXPECT_EQ(whole.playlist.name, c.name);
        EXPECT_EQ(whole.playlist.entries, c.entries);
        EXPECT_FALSE(whole.entriesLeftOut || whole.linesCut);
        for (const qint64 step : {1, 2, 3}) {
            TrickleDevice device(c.bytes, step);
            const PlaylistRead pieces = readPlaylist(device);
            ASSERT_GE(device.reads, c.bytes.size() / step);  // the pieces really arrived one by one
            EXPECT_EQ(pieces.playlist.name, c.name) << "read " << step << " bytes at a time";
            EXPECT_EQ(pieces.playlist.entries, c.entries) << "read " << step << " bytes at a time";
        }
    }
}

TEST(PlaylistFormat, WritesEveryLineWithCrLf)
{
    EXPECT_EQ(playlistFileBytes({"Mix", {}}), QByteArray("Mix\r\n"));
    EXPECT_EQ(playlistFileBytes({"", {"/a.mp3", "", "/a.mp3"}}), QByteArray("\r\n/a.mp3\r\n\r\n/a.mp3\r\n"));
    EXPECT_EQ(playlistFileBytes({"Café", {"/♫.ogg"}}), QByteArray("Caf\xc3\xa9\r\n/\xe2\x99\xab.ogg\r\n"));
    // A CR would end the line early and shift every later entry; a LF is read back as it was.
    EXPECT_EQ(playlistFileBytes({"Two\rlines", {"/odd\rname.mp3", "/a\nb"}}),
              QByteArray("Two lines\r\n/odd name.mp3\r\n/a\nb\r\n"));
}

TEST(PlaylistFormat, SaveThenOpenKeepsNameAndOrder)
{
    QTemporaryDir dir;
    const Playlist saved{"Sunday ♫", {"/z/last.mp3", "", "/a/first.ogg", "/z/last.mp3", "/with\nfeed.wav"}};
    const QString path = dir.filePath("typed name without extension");
    ASSERT_EQ(savePlaylistFile(path, saved), std::nullopt);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"typed name without extension"});

    const PlaylistRead read = readPlaylistFile(path);
    ASSERT_TRUE(read.ok()) << read.failure.toStdString();
    EXPECT_EQ(read.playlist.name, saved.name);
    EXPECT_EQ(read.playlist.entries, saved.entries);

    // Saving again replaces the file as a whole, never appends to it.
    ASSERT_EQ(savePlaylistFile(path, {"Short", {}}), std::nullopt);
    EXPECT_EQ(fileBytes(path), QByteArray("Short\r\n"));
}

TEST(PlaylistFormat, ReadsNoMoreThanTheEntryLimit)
{
    const PlaylistRead full = readBytes(lines(kMaxPlaylistEntries));
    EXPECT_EQ(full.playlist.entries.size(), kMaxPlaylistEntries);
    EXPECT_FALSE(full.entriesLeftOut);

    QByteArray oneTooMany = lines(kMaxPlaylistEntries) + "/extra.mp3";
    const PlaylistRead over = readBytes(oneTooMany);
    EXPECT_TRUE(over.entriesLeftOut);
    ASSERT_EQ(over.playlist.entries.size(), kMaxPlaylistEntries);
    EXPECT_EQ(over.playlist.entries.last(), QString("/music/%1.mp3").arg(kMaxPlaylistEntries - 1));
    EXPECT_EQ(over.playlist.name, "Many");

    // The LF of the last entry's line end, arriving on its own, is no further entry; an empty line is.
    QByteArray exact = lines(kMaxPlaylistEntries);
    TrickleDevice trickle(exact, 1);
    EXPECT_FALSE(readPlaylist(trickle).entriesLeftOut);
    EXPECT_TRUE(readBytes(exact + "\r\n").entriesLeftOut);
}

TEST(PlaylistFormat, CutsOverlongLinesAndKeepsTheRest)
{
    const QByteArray million(1'000'000, 'x');
    const PlaylistRead read = readBytes(million + "\r\n/next.mp3\r\n" + million);
    EXPECT_TRUE(read.linesCut);
    EXPECT_EQ(read.playlist.name, QString(kMaxPlaylistLineBytes, 'x'));
    EXPECT_EQ(read.playlist.entries, QStringList({"/next.mp3", QString(kMaxPlaylistLineBytes, 'x')}));

    // A cut inside a character of several bytes leaves that character out instead of garbling it.
    const QByteArray straddling = QByteArray(kMaxPlaylistLineBytes - 1, 'a') + "\xc3\xa9" + "tail";
    TrickleDevice device("Mix\r\n" + straddling + "\r\n", 4096);
    const PlaylistRead cut = readPlaylist(device);
    ASSERT_EQ(cut.playlist.entries.size(), 1);
    EXPECT_EQ(cut.playlist.entries[0], QString(kMaxPlaylistLineBytes - 1, 'a'));
}

TEST(PlaylistFormat, GarbageAndHugeFilesStayBounded)
{
    QByteArray garbage(4 * 1024 * 1024, Qt::Uninitialized);
    QRandomGenerator random(20240601);
    random.fillRange(reinterpret_cast<quint32*>(garbage.data()), garbage.size() / 4);
    const PlaylistRead noise = readBytes(garbage);
    ASSERT_TRUE(noise.ok());
    EXPECT_LE(noise.playlist.entries.size(), kMaxPlaylistEntries);
    for (const QString& entry : noise.playlist.entries)
        ASSERT_LE(entry.size(), kMaxPlaylistLineBytes);

    // 100 MB of a Unix text file: a lone LF ends no line, so all of it is one name line.
    QTemporaryDir dir;
    const QString huge = dir.filePath("huge.zdx");
    {
        QFile file(huge);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        const QByteArray block = QByteArray("/some/long/path/to/a/song.mp3\n").repeated(32 * 1024);
        while (file.size() < 100 * 1024 * 1024)
            ASSERT_EQ(file.write(block), block.size());
    }
    const PlaylistRead read = readPlaylistFile(huge);
    ASSERT_TRUE(read.ok());
    EXPECT_TRUE(read.linesCut);
    EXPECT_EQ(read.playlist.name.size(), kMaxPlaylistLineBytes);
    EXPECT_TRUE(read.playlist.entries.isEmpty());
}

TEST(PlaylistFile, RefusesWhatIsNoPlaylistFile)
{
    QTemporaryDir dir;
    const QString missing = dir.filePath("gone.zdx");
    EXPECT_EQ(readPlaylistFile(missing).failure, QString("File not found: '%1'").arg(missing));
    EXPECT_EQ(readPlaylistFile(dir.path()).failure, QString("Not a playlist file: '%1'").arg(dir.path()));
    // Either of these would hang the window: one never ends, the other blocks before its first byte.
    EXPECT_FALSE(readPlaylistFile("/dev/zero").ok());
    const QString pipe = dir.filePath("pipe");
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    EXPECT_FALSE(readPlaylistFile(pipe).ok());
}

TEST(PlaylistFile, AFailedSaveSaysWhyAndKeepsTheOldFile)
{
    QTemporaryDir dir;
    const QString folder = dir.filePath("missing");
    EXPECT_EQ(savePlaylistFile(folder + "/list.zdx", {"Mix", {}}), QString("Path not found: '%1'").arg(folder));

    zendrix::testing::ScratchMount disk(dir.filePath("disk"), 16);
    if (!disk.isMounted())
        GTEST_SKIP() << "no right to mount a small disk";
    const QString path = dir.filePath("disk/list.zdx");
    ASSERT_EQ(savePlaylistFile(path, {"Old", {"/a.mp3"}}), std::nullopt);
    const QStringList many(2000, "/a/rather/long/path/to/some/song.mp3");
    EXPECT_EQ(savePlaylistFile(path, {"New", many}), QString("Disk full"));
    EXPECT_EQ(fileBytes(path), QByteArray("Old\r\n/a.mp3\r\n"));
}

}  // namespace
