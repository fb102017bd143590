// How the engine reads a URL, shows a length and finds a size: no libvlc involved.
#include "EngineTestSupport.h"
#include "core/VlcMediaSource.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QUrl>
#include <cmath>
#include <gtest/gtest.h>

using namespace zendrix;

namespace {

bool touch(const QString& path, int bytes = 0)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(QByteArray(bytes, 'x')) == bytes;
}

class EngineMediaSource : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(root.isValid());
        // A disc folder whose name needs encoding, as disc folders copied by users do.
        ASSERT_TRUE(QDir(root.path()).mkpath(QStringLiteral("My Disc #1/VIDEO_TS")));
        videoTs = root.filePath(QStringLiteral("My Disc #1/VIDEO_TS"));
        ASSERT_TRUE(touch(videoTs + QStringLiteral("/VIDEO_TS.IFO"), 100));
        ASSERT_TRUE(touch(videoTs + QStringLiteral("/VTS_01_1.VOB"), 1000));
        ASSERT_TRUE(touch(root.filePath(QStringLiteral("song.OGG")), 10));
    }

    QTemporaryDir root;
    QString videoTs;
};

TEST_F(EngineMediaSource, EveryWayOfNamingADiscOpensItsVideoTsFolder)
{
    const QString expectedLocation =
        QStringLiteral("dvd://") + QString::fromUtf8(QUrl::fromLocalFile(videoTs).toEncoded()).mid(7);
    const QString ways[] = {videoTs + QStringLiteral("/VIDEO_TS.IFO"), videoTs,
                            root.filePath(QStringLiteral("My Disc #1")),
                            QString::fromUtf8(QUrl::fromLocalFile(videoTs + "/VIDEO_TS.IFO").toEncoded())};
    for (const QString& url : ways) {
        SCOPED_TRACE(url.toStdString());
        const MediaSource source = resolveMediaSource(url);
        EXPECT_EQ(source.kind, MediaSource::Kind::Dvd);
        EXPECT_EQ(source.localPath, videoTs);
        EXPECT_EQ(source.location, expectedLocation);
        EXPECT_TRUE(source.location.contains(QStringLiteral("My%20Disc%20%231")));
        EXPECT_EQ(source.fileName, QStringLiteral("My Disc #1"));
    }
    EXPECT_EQ(mediaSizeInBytes(resolveMediaSource(videoTs)), 1100);
}

TEST_F(EngineMediaSource, FilesAreLocalPathsAndOggGoesToTheSeekableReader)
{
    const MediaSource ogg = resolveMediaSource(root.filePath(QStringLiteral("song.OGG")));
    EXPECT_EQ(ogg.kind, MediaSource::Kind::File);
    EXPECT_EQ(ogg.fileName, QStringLiteral("song.OGG"));
    EXPECT_EQ(ogg.options, QStringList{QStringLiteral(":demux=avformat,any")});
    EXPECT_TRUE(ogg.location.startsWith(QStringLiteral("file:///")));
    EXPECT_EQ(mediaSizeInBytes(ogg), 10);

    // A file that does not exist is still a file (it may appear before play); it has no size.
    const MediaSource missing = resolveMediaSource(QStringLiteral("/no/such/track.mp3"));
    EXPECT_EQ(missing.kind, MediaSource::Kind::File);
    EXPECT_TRUE(missing.options.isEmpty());
    EXPECT_EQ(missing.fileName, QStringLiteral("track.mp3"));
    EXPECT_EQ(mediaSizeInBytes(missing), std::nullopt);

    // An .IFO name alone does not make a disc: only a file that is there.
    EXPECT_EQ(resolveMediaSource(QStringLiteral("/no/such/VIDEO_TS.IFO")).kind, MediaSource::Kind::File);

    const MediaSource relative = resolveMediaSource(QStringLiteral("some/where/a b.wav"));
    EXPECT_EQ(relative.localPath, QDir::current().absoluteFilePath(QStringLiteral("some/where/a b.wav")));
}

TEST(EngineMediaSourceUrls, EmptyIsNothingAndOtherSchemesPassThrough)
{
    EXPECT_EQ(resolveMediaSource(QString()).kind, MediaSource::Kind::None);
    const MediaSource stream = resolveMediaSource(QStringLiteral("http://radio.example/live.mp3"));
    EXPECT_EQ(stream.kind, MediaSource::Kind::Stream);
    EXPECT_EQ(stream.location, QStringLiteral("http://radio.example/live.mp3"));
    EXPECT_EQ(stream.fileName, QStringLiteral("live.mp3"));
    EXPECT_EQ(mediaSizeInBytes(stream), std::nullopt);
    EXPECT_EQ(resolveMediaSource(QStringLiteral("dvd:///dev/sr0")).kind, MediaSource::Kind::Dvd);
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
