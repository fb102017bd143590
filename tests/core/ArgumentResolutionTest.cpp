// What the player makes of its arguments: paths from the caller's folder, URIs, folders in natural
// order, playlists of every kind, and what is skipped and said.
#include "core/ArgumentResolution.h"
#include "support/Files.h"
#include "support/QtPrinters.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

using namespace zendrix;
using namespace zendrix::testing;

namespace {

using Reason = ResolvedArguments::Reason;

class ArgumentResolutionTest : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    QString root = dir.path();

    void SetUp() override
    {
        for (const char* file :
             {"home/a.mp3", "home/b c.ogg", "home/Album/Track 10.mp3", "home/Album/track 2.MP3",
              "home/Album/Track 1.wav", "home/Album/cover.jpg", "home/Album/.hidden.mp3",
              "home/Album/notes.mp3.txt", "home/Album/Deeper/x.mp3", "home/Empty/readme.txt",
              "home/Disc/VIDEO_TS/VIDEO_TS.IFO", "home/odd.bin", "home/:colon.mp3"})
            write(file, "x");
        write("home/lists/mix.m3u", "#EXTM3U\n../a.mp3\nudp://@:5004\nhttp://radio.example/live\n");
        write("home/lists/empty.pls", "[playlist]\nNumberOfEntries=0\n");
        write("home/lists/evening.zdx", "Evening\r\nrel.mp3\r\n/abs/x.mp3\r\n\r\nv4l2:///dev/video0\r\n");
    }
    void write(const QString& relative, const QByteArray& bytes)
    {
        ASSERT_FALSE(writeFile(root + "/" + relative, bytes).isEmpty());
    }
    QString home(const QString& relative = {}) const
    {
        return root + "/home" + (relative.isEmpty() ? "" : "/" + relative);
    }
};

TEST_F(ArgumentResolutionTest, PathsUrisFoldersAndPlaylistsGiveTheirEntriesInOrderAndTheRestIsNamed)
{
    const QString album = home("Album");
    const ResolvedArguments resolved = resolveArguments(
        {"a.mp3", "", "./lists/../b c.ogg", QUrl::fromLocalFile(home("b c.ogg")).toString(), "Album", "Disc",
         "lists/mix.m3u", "lists/evening.zdx", "odd.bin", ":colon.mp3", "https://radio.example/a.ogg",
         "rtsp://cam/live", "missing.mp3", "file:///nowhere/x.ogg", "sftp://host/x.mp3", "ftp://host/x.mp3",
         "Empty", "lists/empty.pls"},
        home());
    EXPECT_EQ(resolved.playlistFile, "");
    EXPECT_EQ(resolved.entries,
              QStringList({home("a.mp3"), home("b c.ogg"), home("b c.ogg"),
                           // natural order, case aside; no hidden files, no other types, no subfolders
                           album + "/Track 1.wav", album + "/track 2.MP3", album + "/Track 10.mp3",
                           home("Disc"), // a DVD is one entry
                           home("a.mp3"), "http://radio.example/live", home("lists/rel.mp3"),
                           "/abs/x.mp3",                        // the empty line is no entry
                           "v4l2:///dev/video0", // kept as the file holds it: it fails when played
                           home("odd.bin"), home(":colon.mp3"), // a name, not one of Qt's resources
                           "https://radio.example/a.ogg", "rtsp://cam/live"}));
    // An empty argument names nothing and is not reported; an address another player's list holds that
    // the player does not open is named with the rest.
    const QList<ResolvedArguments::Skipped> skipped = {{"udp://@:5004", Reason::NotSupported},
                                                       {"missing.mp3", Reason::NotFound},
                                                       {"/nowhere/x.ogg", Reason::NotFound},
                                                       {"sftp://host/x.mp3", Reason::NotSupported},
                                                       {"ftp://host/x.mp3", Reason::NotSupported},
                                                       {"Empty", Reason::NoMedia},
                                                       {"lists/empty.pls", Reason::NoMedia}};
    EXPECT_EQ(resolved.skipped, skipped);
    EXPECT_EQ(skippedArgumentsText(resolved.skipped),
              "Not supported: udp://@:5004\r\nNot found: missing.mp3\r\nNot found: /nowhere/x.ogg\r\nNot supported: sftp://host/x.mp3\r\n"
              "Not supported: ftp://host/x.mp3\r\nNo media files: Empty\r\nNo media files: lists/empty.pls");
    // A disc's address names no host: it goes to the engine as it stands, as a stream's does.
    EXPECT_EQ(resolveArguments({"dvd:///dev/sr0"}, home()).entries, QStringList({"dvd:///dev/sr0"}));
}

TEST_F(ArgumentResolutionTest, AZendrixPlaylistAloneIsOpenedWholeUnlessTheCallerOnlyAppends)
{
    const QString list = home("lists/evening.zdx");
    EXPECT_EQ(resolveArguments({"lists/evening.zdx"}, home()).playlistFile, list);
    EXPECT_TRUE(resolveArguments({"lists/evening.zdx"}, home()).entries.isEmpty());
    EXPECT_EQ(resolveArguments({QUrl::fromLocalFile(list).toString()}, "/").playlistFile, list);
    const ResolvedArguments appended = resolveArguments({list}, "/", LonePlaylist::Appends);
    EXPECT_EQ(appended.playlistFile, "");
    EXPECT_EQ(appended.entries, QStringList({home("lists/rel.mp3"), "/abs/x.mp3", "v4l2:///dev/video0"}));
    EXPECT_TRUE(resolveArguments({"", ""}, home()).skipped.isEmpty());
}

TEST_F(ArgumentResolutionTest, TheMessageNamesTheFirstTwentyAndCountsTheRest)
{
    QStringList missing;
    for (int i = 0; i < 25; ++i)
        missing << QString("gone%1.mp3").arg(i);
    const QString text = skippedArgumentsText(resolveArguments(missing, home()).skipped);
    EXPECT_EQ(text.count("\r\n"), 20);
    EXPECT_TRUE(text.startsWith("Not found: gone0.mp3\r\n"));
    EXPECT_TRUE(text.endsWith("Not found: gone19.mp3\r\n... and 5 more"));
}

} // namespace
