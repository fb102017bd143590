// The libvlc engine's tracks and pictures on films the test makes: the audio track heard changes with
// the choice, subtitle tracks, a subtitle file beside the film and one loaded later show their text in
// the picture, the choices last for the item only, and a snapshot is a whole PNG of the picture's size.
#include "EngineTestSupport.h"
#include "core/VlcEngine.h"
#include "support/LevelMeter.h"
#include "support/MediaFixtures.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zendrix;
using namespace zendrix::test;
using zendrix::testing::LevelMeter;

namespace {

#define REQUIRE_FIXTURE(path) ASSERT_FALSE((path).isEmpty()) << MediaFixtures::lastError().toStdString()

// A video window without a native window: it keeps the latest picture it was handed.
class FrameSurface final : public VideoSurface
{
public:
    std::uintptr_t nativeWindow() override { return 0; }
    void presentFrame(const QImage& frame) override
    {
        ++frames;
        latest = frame;
    }
    void setFullScreen(bool) override {}

    QImage latest;
    int frames = 0;
};

// Where a picture differs from one without subtitles: the columns of the first and the last pixel that
// differ clearly, or an empty span when none does.
struct Span
{
    int left = -1, right = -1;
    int width() const { return left < 0 ? 0 : right - left + 1; }
};

Span textSpan(const QImage& frame, const QImage& plain)
{
    Span span;
    if (frame.size() != plain.size())
        return span;
    for (int y = frame.height() / 2; y < frame.height(); ++y) {
        for (int x = 0; x < frame.width(); ++x) {
            const QRgb a = frame.pixel(x, y), b = plain.pixel(x, y);
            if (std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
                    std::abs(qBlue(a) - qBlue(b)) <
                90)
                continue;
            span.left = span.left < 0 ? x : std::min(span.left, x);
            span.right = std::max(span.right, x);
        }
    }
    return span;
}

class VlcEngineVideo : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (const QString missing = MediaFixtures::missingTools({"ffmpeg"}); !missing.isEmpty())
            GTEST_SKIP() << missing.toStdString();
        engine.setVideoSurface(&surface);
        engine.listenWith(&meter);
    }

    EngineVideo& video() { return engine.video(); }

    void start(const QString& file)
    {
        engine.setURL(file);
        engine.controls().play();
        ASSERT_TRUE(waitFor([&] { return video().hasVideo() && surface.frames > 2; }, 15000))
            << file.toStdString();
    }
    // A picture handed over after the ones that came so far: what the engine shows now.
    QImage nextFrame()
    {
        const int seen = surface.frames;
        EXPECT_TRUE(waitFor([&] { return surface.frames > seen + 2; }, 10000));
        return surface.latest;
    }
    // Waits until the pictures show text that spans `shown(width)`.
    template <typename Shown>::testing::AssertionResult showsText(const QImage& plain, Shown shown)
    {
        Span span;
        if (waitFor([&] { return shown((span = textSpan(nextFrame(), plain)).width()); }, 10000))
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "the text spans " << span.width() << " pixels";
    }

    LevelMeter meter{LevelMeter::Items::Joined}; // outlives the engine
    FrameSurface surface;
    VlcEngine engine{{QStringLiteral("--aout=dummy")}};
};

TEST_F(VlcEngineVideo, TheAudioTrackChosenIsHeardWithinASecondAndTheNextItemStartsWithItsOwn)
{
    const QString film = MediaFixtures::filmWithTracks(12);
    REQUIRE_FIXTURE(film);
    start(film);
    ASSERT_TRUE(waitFor([&] { return video().audioTracks().size() == 2; }, 10000));
    const QList<EngineVideo::Track> tracks = video().audioTracks();
    EXPECT_TRUE(tracks[0].name.contains("English")) << tracks[0].name.toStdString();
    EXPECT_TRUE(tracks[1].name.contains("French")) << tracks[1].name.toStdString();
    EXPECT_EQ(video().audioTrack(), tracks[0].id);
    EXPECT_EQ(video().videoSize(), QSize(320, 240));
    const qsizetype second = meter.rate();
    ASSERT_TRUE(waitFor([&] { return meter.samples() > second * 3 / 2; }, 10000));
    const qsizetype heard = meter.samples();
    EXPECT_GT(meter.toneDb(heard - second, heard, 440), meter.toneDb(heard - second, heard, 880) + 20);

    video().setAudioTrack(tracks[1].id);
    EXPECT_EQ(video().audioTrack(), tracks[1].id) << "the choice reads back at once";
    // From a second of sound after the choice on, only the second track's tone is heard.
    const qsizetype from = meter.samples() + second;
    ASSERT_TRUE(waitFor([&] { return meter.samples() >= from + second; }, 10000));
    EXPECT_GT(meter.toneDb(from, from + second, 880), meter.toneDb(from, from + second, 440) + 20);
    EXPECT_TRUE(waitFor([&] { return video().audioTrack() == tracks[1].id; }));

    engine.setURL(film);
    EXPECT_TRUE(video().audioTracks().isEmpty()) << "nothing is known of a new item before it plays";
    engine.controls().play();
    ASSERT_TRUE(waitFor(
        [&] { return video().audioTracks().size() == 2 && video().audioTrack() != EngineVideo::kNone; },
        10000));
    EXPECT_EQ(video().audioTrack(), tracks[0].id) << "the choice was for the item that played";
}

TEST_F(VlcEngineVideo, AChosenSubtitleTrackShowsItsTextAndOffHidesIt)
{
    const QString film = MediaFixtures::filmWithTracks(12);
    REQUIRE_FIXTURE(film);
    start(film);
    ASSERT_TRUE(waitFor([&] { return video().subtitleTracks().size() == 2; }, 10000));
    const QList<EngineVideo::Track> subtitles = video().subtitleTracks();
    EXPECT_EQ(video().subtitleTrack(), EngineVideo::kNone);
    EXPECT_TRUE(subtitles[0].name.contains("English")) << subtitles[0].name.toStdString();
    const QImage plain = nextFrame();
    ASSERT_FALSE(plain.isNull());
    EXPECT_EQ(textSpan(plain, plain).width(), 0);

    // The two texts tell the tracks apart by their widths: a short word, a long line.
    video().setSubtitleTrack(subtitles[0].id);
    EXPECT_TRUE(showsText(plain, [](int width) { return width > 10 && width < 80; }));
    video().setSubtitleTrack(subtitles[1].id);
    EXPECT_TRUE(showsText(plain, [](int width) { return width > 150; }));
    EXPECT_TRUE(waitFor([&] { return video().subtitleTrack() == subtitles[1].id; }));
    video().setSubtitleTrack(EngineVideo::kNone);
    EXPECT_TRUE(showsText(plain, [](int width) { return width == 0; }));
    EXPECT_EQ(video().subtitleTrack(), EngineVideo::kNone);
}

TEST_F(VlcEngineVideo, ASubtitleFileBesideTheFilmShowsByItselfAndOneLoadedLaterShowsAtOnce)
{
    const QString episode = MediaFixtures::filmWithSubtitleBeside(12);
    const QString loaded = MediaFixtures::subtitleFile(12);
    REQUIRE_FIXTURE(episode);
    REQUIRE_FIXTURE(loaded);
    const QString film = MediaFixtures::filmWithTracks(12);
    REQUIRE_FIXTURE(film);

    // The films show the same picture; the one without subtitles chosen gives the plain frame.
    start(film);
    const QImage plain = nextFrame();
    start(episode);
    EXPECT_TRUE(showsText(plain, [](int width) { return width > 100; }));
    ASSERT_TRUE(waitFor([&] { return video().subtitleTracks().size() == 1; }));
    EXPECT_EQ(video().subtitleTrack(), video().subtitleTracks()[0].id);

    start(film);
    EXPECT_TRUE(showsText(plain, [](int width) { return width == 0; }));
    video().addSubtitleFile(loaded);
    EXPECT_TRUE(showsText(plain, [](int width) { return width > 30 && width < 150; }));
    ASSERT_TRUE(waitFor([&] { return video().subtitleTracks().size() == 3; }));
    EXPECT_EQ(video().subtitleTrack(), video().subtitleTracks().last().id) << "the loaded track is chosen";
}

TEST_F(VlcEngineVideo, ASnapshotIsAWholePngOfThePicturesSizeUnderANameOfItsOwnAndFailsWithoutAPicture)
{
    const QString film = MediaFixtures::filmWithTracks(12);
    REQUIRE_FIXTURE(film);
    QTemporaryDir pictures;
    QStringList taken, failed;
    QObject::connect(&engine, &MediaEngine::SnapshotTaken, [&](const QString& path) { taken << path; });
    QObject::connect(&engine, &MediaEngine::SnapshotFailed, [&](const QString& why) { failed << why; });
    start(film);
    video().takeSnapshot(pictures.path(), "Zendrix Film 00-00-02");
    video().takeSnapshot(pictures.path(), "Zendrix Film 00-00-02");
    ASSERT_TRUE(waitFor([&] { return taken.size() + failed.size() == 2; }, 10000));
    ASSERT_EQ(failed.size(), 0) << failed.value(0).toStdString();
    EXPECT_EQ(taken[0], pictures.filePath("Zendrix Film 00-00-02.png"));
    EXPECT_EQ(taken[1], pictures.filePath("Zendrix Film 00-00-02 (2).png"));
    EXPECT_EQ(QDir(pictures.path()).entryList(QDir::Files | QDir::Hidden).size(), 2)
        << "nothing else is left";
    const QImage picture(taken[0], "PNG");
    EXPECT_EQ(picture.size(), QSize(320, 240));
    EXPECT_EQ(picture.size(), video().videoSize());

    // Sound alone has no picture to take.
    const QString tone = MediaFixtures::wav(5);
    engine.setURL(tone);
    engine.controls().play();
    runEventsFor(500);
    EXPECT_FALSE(video().hasVideo());
    video().takeSnapshot(pictures.path(), "Zendrix Tone 00-00-00");
    ASSERT_TRUE(waitFor([&] { return failed.size() == 1; }, 10000));
    EXPECT_TRUE(failed[0].contains("no picture")) << failed[0].toStdString();
    EXPECT_EQ(QDir(pictures.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);
}

} // namespace
