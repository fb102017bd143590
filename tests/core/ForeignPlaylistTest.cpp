// The readers of other players' playlists, on bytes: each format with its line ends, byte order marks,
// metadata, relative and absolute entries, addresses and garbage (fuzz/ForeignPlaylistFuzzer.cpp
// replays damaged ones).
#include "core/ForeignPlaylist.h"
#include "support/Files.h"
#include "support/QtPrinters.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace zendrix;
using namespace zendrix::testing;

namespace {

const QString kFolder = QStringLiteral("/music/lists");

TEST(ForeignPlaylist, EachReaderGivesItsEntriesResolvedAgainstTheListsFolder)
{
    const struct
    {
        const char* what;
        ForeignFormat format;
        QByteArray bytes;
        QStringList entries;
        QStringList refused = {};
    } cases[] = {
        {"m3u, CR LF, extended",
         ForeignFormat::M3u,
         "#EXTM3U\r\n#EXTINF:123,Artist - Title\r\na.mp3\r\n\r\n../b.ogg\r\n/abs/c.wav\r\n",
         {"/music/lists/a.mp3", "/music/b.ogg", "/abs/c.wav"}},
        {"m3u, LF, lone CR, blanks around",
         ForeignFormat::M3u,
         "  a.mp3  \nsub/b.mp3\rc.mp3",
         {"/music/lists/a.mp3", "/music/lists/sub/b.mp3", "/music/lists/c.mp3"}},
        {"m3u with a UTF-8 BOM",
         ForeignFormat::M3u,
         "\xEF\xBB\xBF"
         "Caf\xC3\xA9.mp3\n",
         {"/music/lists/Café.mp3"}},
        {"m3u in Latin-1", ForeignFormat::M3u, "Caf\xE9.mp3\n", {"/music/lists/Café.mp3"}},
        {"m3u in UTF-16 with its BOM",
         ForeignFormat::M3u,
         QByteArray("\xFF\xFE"
                    "a\0.\0m\0p\0"
                    "3\0\n\0",
                    14),
         {"/music/lists/a.mp3"}},
        {"m3u addresses",
         ForeignFormat::M3u,
         "http://radio.example/stream?x=1\nfile:///srv/a%20b.mp3\nfile://elsewhere/x.mp3\nrtsp://cam/live\n",
         {"http://radio.example/stream?x=1", "/srv/a b.mp3", "rtsp://cam/live"}},
        {"m3u addresses the player does not open are handed back apart, as written",
         ForeignFormat::M3u,
         "udp://@:5004\nv4l2:///dev/video0\na.mp3\nALSA://hw:0\nscreen://\nsmb://server/share/x.mp3\n"
         "http:///no-host\nhttps://ok.example/s\n",
         {"/music/lists/a.mp3", "https://ok.example/s"},
         {"udp://@:5004", "v4l2:///dev/video0", "ALSA://hw:0", "screen://", "smb://server/share/x.mp3",
          "http:///no-host"}},
        {"pls and its refused address",
         ForeignFormat::Pls,
         "[playlist]\nFile1=udp://@239.0.0.1:1234\nFile2=b.mp3\n",
         {"/music/lists/b.mp3"},
         {"udp://@239.0.0.1:1234"}},
        {"xspf and its refused address",
         ForeignFormat::Xspf,
         "<playlist><trackList><track><location>v4l2:///dev/video0</location></track>"
         "<track><location>b.mp3</location></track></trackList></playlist>",
         {"/music/lists/b.mp3"},
         {"v4l2:///dev/video0"}},
        {"pls in the order of the numbers",
         ForeignFormat::Pls,
         "[playlist]\r\nNumberOfEntries=3\r\nFile2=b.mp3\r\nTitle2=B\r\nFile10=http://x.example/s\r\n"
         "file1 = /abs/a.mp3 \r\nLength1=-1\r\nFileX=nope\r\nFile=nope\r\nVersion=2\r\n",
         {"/abs/a.mp3", "/music/lists/b.mp3", "http://x.example/s"}},
        {"xspf locations are URI references",
         ForeignFormat::Xspf,
         "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
         "<playlist version=\"1\" xmlns=\"http://xspf.org/ns/0/\"><title>T</title><trackList>"
         "<track><title>A</title><location>a%20b.mp3</location><location>second.mp3</location></track>"
         "<track><location>file:///abs/c.ogg</location></track>"
         "<track><location> http://x.example/s.mp3 </location></track>"
         "<track><title>no location</title></track>"
         "<track><extension application=\"x\"><location>nested.mp3</location></extension></track>"
         "</trackList></playlist>",
         {"/music/lists/a b.mp3", "/abs/c.ogg", "http://x.example/s.mp3"}},
        {"xspf that breaks off keeps what came before",
         ForeignFormat::Xspf,
         "<playlist><trackList><track><location>/a.mp3</location></track><track><loc",
         {"/a.mp3"}},
        {"garbage", ForeignFormat::M3u, QByteArray("\x00\x01\xFF\xFEzz\n#\n\x00x", 11), {}},
        {"garbage", ForeignFormat::Pls, "File1\nFile1==\n=x\n[File2=y]\n", {"/music/lists/="}},
        {"garbage", ForeignFormat::Xspf, "not xml at all <<<>>>", {}},
    };
    for (const auto& c : cases) {
        const ForeignEntries list = foreignPlaylistEntries(c.bytes, c.format, kFolder);
        EXPECT_EQ(list.entries, c.entries) << c.what;
        EXPECT_EQ(list.refused, c.refused) << c.what;
    }
}

TEST(ForeignPlaylist, FilesAreReadByTheirExtensionAndOnlyWhenTheyAreRegularFilesOfABoundedSize)
{
    QTemporaryDir dir;
    auto write = [&dir](const char* name, const QByteArray& bytes) {
        return writeFile(dir.filePath(name), bytes);
    };
    // .m3u8 is UTF-8 even where the bytes would make Latin-1 sense of it.
    const auto entriesOf = [](const QString& path) {
        const std::optional<ForeignEntries> list = readForeignPlaylist(path);
        return list ? list->entries : QStringList{QStringLiteral("(unreadable)")};
    };
    EXPECT_EQ(entriesOf(write("list.M3U8", "x\xC3\xA9.mp3\n")), QStringList{dir.filePath("xé.mp3")});
    EXPECT_EQ(entriesOf(write("list.PLS", "File1=a.mp3\n")), QStringList{dir.filePath("a.mp3")});
    EXPECT_FALSE(readForeignPlaylist(write("list.txt", "a.mp3\n")));
    EXPECT_FALSE(readForeignPlaylist(dir.filePath("missing.m3u")));
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.m3u"));
    EXPECT_FALSE(readForeignPlaylist(dir.filePath("folder.m3u")));
    // A pipe named like a list is refused at once: no writer ever comes, and the reading does not wait.
    ASSERT_EQ(::mkfifo(QFile::encodeName(dir.filePath("pipe.m3u")).constData(), 0600), 0);
    EXPECT_FALSE(readForeignPlaylist(dir.filePath("pipe.m3u")));
    QFile huge(dir.filePath("huge.m3u"));
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly) && huge.resize(kMaxForeignPlaylistBytes + 1));
    EXPECT_FALSE(readForeignPlaylist(huge.fileName()));
}

} // namespace
