// How the engine reads a URL, shows a length and finds a size: no libvlc involved.
#include "EngineTestSupport.h"
#include "core/VlcMediaSource.h"
#include "support/Files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QUrl>
#include <cmath>
#include <gtest/gtest.h>

using namespace zendrix;
using namespace zendrix::testing;

namespace {

TEST(EngineMediaSource, DiscsFilesAndStreamsAreToldApart)
{
    QTemporaryDir root;
    // A disc folder whose name needs encoding, as disc folders copied by users do.
    const QString videoTs = root.filePath("My Disc #1/VIDEO_TS");
    ASSERT_TRUE(QDir().mkpath(videoTs));
    for (const auto& [name, bytes] : {std::pair{"/VIDEO_TS.IFO", 100}, {"/VTS_01_1.VOB", 1000}})
        ASSERT_FALSE(writeFile(videoTs + name, QByteArray(bytes, 'x')).isEmpty());
    const QString ifo = videoTs + "/VIDEO_TS.IFO";
    for (const QString& url : {ifo, videoTs, root.filePath("My Disc #1"),
                               QString::fromUtf8(QUrl::fromLocalFile(ifo).toEncoded())}) {
        const MediaSource source = resolveMediaSource(url);
        EXPECT_EQ(source.kind, MediaSource::Kind::Dvd) << url.toStdString();
        EXPECT_EQ(source.localPath, videoTs);
        EXPECT_EQ(source.location,
                  "dvd://" + QString::fromUtf8(QUrl::fromLocalFile(videoTs).toEncoded()).mid(7));
        EXPECT_TRUE(source.location.contains("My%20Disc%20%231"));
        EXPECT_EQ(source.fileName, "My Disc #1");
        EXPECT_EQ(source.name, "My Disc #1");
        EXPECT_EQ(source.options, QStringList{":no-dvdnav-menu"}); // the disc's first-play program runs
    }
    EXPECT_EQ(mediaSizeInBytes(resolveMediaSource(videoTs)), 1100);

    QFile::copy(ifo, root.filePath("song.OGG"));
    const MediaSource ogg = resolveMediaSource(root.filePath("song.OGG"));
    EXPECT_EQ(ogg.kind, MediaSource::Kind::File);
    EXPECT_EQ(ogg.options, QStringList{":demux=avformat,any"}); // Ogg goes to the reader that seeks well
    EXPECT_EQ(ogg.name, "song");
    EXPECT_EQ(mediaSizeInBytes(ogg), 100);
    // A file that is not there is still a file (it may appear before play), without a size; an .IFO name
    // alone makes no disc.
    const MediaSource missing = resolveMediaSource("/no/such/VIDEO_TS.IFO");
    EXPECT_EQ(missing.kind, MediaSource::Kind::File);
    EXPECT_EQ(missing.fileName, "VIDEO_TS.IFO");
    EXPECT_EQ(missing.name, "VIDEO_TS");
    EXPECT_EQ(resolveMediaSource("/music/a.b.mp3").name, "a.b");
    EXPECT_EQ(resolveMediaSource("/music/.mp3").name, ".mp3");
    EXPECT_EQ(mediaSizeInBytes(missing), std::nullopt);

    EXPECT_EQ(resolveMediaSource(QString()).kind, MediaSource::Kind::None);
    const MediaSource stream = resolveMediaSource("http://radio.example/live.mp3");
    EXPECT_EQ(stream.kind, MediaSource::Kind::Stream);
    EXPECT_EQ(stream.location, "http://radio.example/live.mp3");
    EXPECT_EQ(mediaSizeInBytes(stream), std::nullopt);

    // An address the player does not open gets no location at all, whoever hands it over.
    for (const char* refused : {"udp://@:5004", "v4l2:///dev/video0", "smb://server/a.mp3", "http:///x"}) {
        const MediaSource source = resolveMediaSource(QString::fromUtf8(refused));
        EXPECT_EQ(source.kind, MediaSource::Kind::Refused) << refused;
        EXPECT_TRUE(source.location.isEmpty()) << refused;
        EXPECT_EQ(source.name, QString::fromUtf8(refused));
    }
}

// libvlc names an item without a title after its location; that is no title of the item's own.
TEST(EngineMediaSource, TheNameLibvlcMakesUpForAnItemIsNoTitle)
{
    const std::tuple<const char*, const char*, bool> cases[] = {
        {"", "file:///m/song.mp3", true},
        {"song.mp3", "file:///m/song.mp3", true},
        {"My Song #1.ogg", "file:///m/My%20Song%20%231.ogg", true},
        {"dvd:///m/My%20Disc/VIDEO_TS", "dvd:///m/My%20Disc/VIDEO_TS", true},
        {"dvd:///m/My Disc/VIDEO_TS", "dvd:///m/My%20Disc/VIDEO_TS", true},
        {"Morning", "file:///m/song.mp3", false},
        {"song", "file:///m/song.mp3", false},
        {"HOLIDAY_2004", "dvd:///m/My%20Disc/VIDEO_TS", false},
    };
    for (const auto& [title, location, placeholder] : cases)
        EXPECT_EQ(isPlaceholderTitle(QString::fromUtf8(title), QString::fromUtf8(location)), placeholder)
            << title << " at " << location;
}

TEST(EngineDuration, ShowsMinutesAndSecondsAndHoursFromOneHourOn)
{
    const std::pair<double, const char*> cases[] = {
        {0, "00:00"},        {-3, "00:00"},     {std::nan(""), "00:00"}, {7.4, "00:07"},
        {59.5, "01:00"},     {60.5, "01:00"},   {205, "03:25"},          {3599.4, "59:59"},
        {3599.5, "1:00:00"}, {3725, "1:02:05"}, {36000, "10:00:00"}};
    for (const auto& [seconds, text] : cases)
        EXPECT_EQ(formatDuration(seconds), QString::fromLatin1(text)) << seconds;
}

} // namespace
