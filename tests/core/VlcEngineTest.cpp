// The libvlc engine on files the tests make: loading, tags, seeking, volume and the transport.
#include "core/VlcEngine.h"
#include "EngineTestSupport.h"
#include "core/Failure.h"
#include "support/MediaFixtures.h"

#include <QFileInfo>
#include <gtest/gtest.h>

using namespace zendrix;
using namespace zendrix::test;

namespace {

const QStringList kDummyOutputs{QStringLiteral("--aout=dummy"), QStringLiteral("--vout=dummy")};

const MediaFixtures::Tags kTags{QStringLiteral("Night Train"), QStringLiteral("The Testers"),
                                QStringLiteral("Fixtures Vol. 1"), QStringLiteral("Jazz")};

#define REQUIRE_TOOLS(...)                                                                                   \
    if (const QString missing = MediaFixtures::missingTools({__VA_ARGS__}); !missing.isEmpty())              \
    GTEST_SKIP() << missing.toStdString()

#define REQUIRE_FIXTURE(path) ASSERT_FALSE((path).isEmpty()) << MediaFixtures::lastError().toStdString()

// Starts `file` and waits until libvlc plays it.
void startPlaying(VlcEngine& engine, const QString& file)
{
    engine.setURL(file);
    engine.controls().play();
    ASSERT_TRUE(waitFor([&] { return engine.playState() == MediaEngine::Playing; }))
        << "state " << engine.playState();
}

// Waits until the position, as libvlc reports it, has moved past `seconds`.
bool positionPasses(VlcEngine& engine, double seconds, int timeoutMs = 4000)
{
    return waitFor([&] { return engine.controls().currentPosition() > seconds; }, timeoutMs);
}

TEST(VlcEngine, CallsThatNeedAnItemFailWhileNothingIsLoaded)
{
    VlcEngine engine(kDummyOutputs);
    EXPECT_EQ(engine.URL(), QString());
    EXPECT_EQ(engine.playState(), MediaEngine::Undefined);
    EXPECT_THROW(engine.controls().play(), EngineError);
    EXPECT_THROW(engine.controls().pause(), EngineError);
    EXPECT_THROW(engine.controls().stop(), EngineError);
    EXPECT_THROW(engine.controls().setCurrentPosition(3), EngineError);
    EXPECT_THROW(engine.currentMedia().getItemInfo(QStringLiteral("Title")), EngineError);
    EXPECT_FALSE(engine.dvd().isAvailable(QStringLiteral("dvd")));
    EXPECT_THROW(engine.dvd().topMenu(), EngineError);
}

TEST(VlcEngine, LoadingNamesTheFileAtOnceAndDoesNotStart)
{
    REQUIRE_TOOLS("ffmpeg");
    const QString file = MediaFixtures::mp3Tagged(30, kTags);
    REQUIRE_FIXTURE(file);
    VlcEngine engine(kDummyOutputs);
    engine.setURL(file);
    EXPECT_EQ(engine.URL(), file);
    EXPECT_EQ(engine.currentMedia().name(), QFileInfo(file).fileName());
    EXPECT_EQ(engine.currentMedia().duration(), 0.0);
    EXPECT_EQ(engine.playState(), MediaEngine::Ready);

    ASSERT_TRUE(waitFor([&] { return engine.currentMedia().duration() > 0; }));
    EXPECT_NEAR(engine.currentMedia().duration(), 30.0, 0.2);
    EXPECT_EQ(engine.currentMedia().durationString(), QStringLiteral("00:30"));
    EXPECT_TRUE(waitFor([&] { return engine.currentMedia().name() == kTags.title; }));
    runEventsFor(500);
    EXPECT_EQ(engine.playState(), MediaEngine::Ready);
    EXPECT_EQ(engine.controls().currentPosition(), 0.0);

    engine.setURL(QString());
    EXPECT_EQ(engine.playState(), MediaEngine::Undefined);
    EXPECT_THROW(engine.controls().play(), EngineError);
}

TEST(VlcEngine, ReportsTagsAndSizeOfEachFormat)
{
    REQUIRE_TOOLS("ffmpeg");
    struct Case
    {
        QString file;
        bool tagged;
    };
    const Case cases[] = {{MediaFixtures::mp3Tagged(3, kTags), true},
                          {MediaFixtures::oggTagged(3, kTags), true},
                          {MediaFixtures::encoded(QStringLiteral("wma"), 3, kTags), true},
                          {MediaFixtures::wav(2), false}};
    VlcEngine engine(kDummyOutputs);
    for (const Case& c : cases) {
        REQUIRE_FIXTURE(c.file);
        SCOPED_TRACE(c.file.toStdString());
        engine.setURL(c.file);
        EngineMedia& media = engine.currentMedia();
        ASSERT_TRUE(waitFor([&] { return media.duration() > 0; }));
        if (c.tagged) {
            ASSERT_TRUE(waitFor([&] { return media.getItemInfo(QStringLiteral("Title")) == kTags.title; }));
            EXPECT_EQ(media.getItemInfo(QStringLiteral("Author")), kTags.artist);
            EXPECT_EQ(media.getItemInfo(QStringLiteral("Album")), kTags.album);
            EXPECT_EQ(media.getItemInfo(QStringLiteral("WM/Genre")), kTags.genre);
        } else {
            EXPECT_EQ(media.getItemInfo(QStringLiteral("Title")), QFileInfo(c.file).fileName());
            EXPECT_EQ(media.getItemInfo(QStringLiteral("Author")), QString());
        }
        EXPECT_EQ(media.getItemInfo(QStringLiteral("Size")), QString::number(QFileInfo(c.file).size()));
        EXPECT_THROW(media.getItemInfo(QStringLiteral("Bitrate")), EngineError);
    }
}

TEST(VlcEngine, AMissingFileLoadsButFailsToPlay)
{
    VlcEngine engine(kDummyOutputs);
    const QString missing = QStringLiteral("/nonexistent/folder/gone.mp3");
    EXPECT_NO_THROW(engine.setURL(missing));
    EXPECT_EQ(engine.currentMedia().name(), QStringLiteral("gone.mp3"));
    try {
        engine.controls().play();
        FAIL() << "play() of a missing file succeeded";
    } catch (const EngineError& error) {
        EXPECT_TRUE(error.description().contains(missing)) << error.description().toStdString();
    }
    EXPECT_THROW(engine.currentMedia().getItemInfo(QStringLiteral("Size")), EngineError);
}

struct SeekCase
{
    const char* label;
    QString (*make)();
    std::vector<double> targets;
};

void PrintTo(const SeekCase& c, std::ostream* out)
{
    *out << c.label;
}

class VlcEngineSeek : public ::testing::TestWithParam<SeekCase>
{
};

// The position libvlc reports once playback runs on from a seek is where the audio really is: the tests
// wait for it to move past the target, and fail when it landed elsewhere.
TEST_P(VlcEngineSeek, LandsWithinASecondOfTheTarget)
{
    REQUIRE_TOOLS("ffmpeg");
    const QString file = GetParam().make();
    REQUIRE_FIXTURE(file);
    VlcEngine engine(kDummyOutputs);
    startPlaying(engine, file);
    for (double target : GetParam().targets) {
        SCOPED_TRACE(target);
        engine.controls().setCurrentPosition(target);
        EXPECT_EQ(engine.controls().currentPosition(), target);
        ASSERT_TRUE(positionPasses(engine, target + 0.4))
            << "stuck at " << engine.controls().currentPosition();
        EXPECT_LT(engine.controls().currentPosition(), target + 1.5);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Formats, VlcEngineSeek,
    ::testing::Values(SeekCase{"Mp3", [] { return MediaFixtures::mp3Tagged(60, kTags); }, {3, 45, 20}},
                      SeekCase{"OggTone", [] { return MediaFixtures::oggTagged(60, kTags); }, {3, 45, 20}},
                      SeekCase{"OggFourMinutes",
                               [] {
                                   return MediaFixtures::encoded(QStringLiteral("ogg"), 240, kTags,
                                                                 MediaFixtures::Content::Music);
                               },
                               {90, 200, 30}}),
    [](const ::testing::TestParamInfo<SeekCase>& param) { return std::string(param.param.label); });

TEST(VlcEngine, APositionSetWhileStoppedIsWherePlayStarts)
{
    REQUIRE_TOOLS("ffmpeg");
    const QString file = MediaFixtures::mp3Tagged(60, kTags);
    REQUIRE_FIXTURE(file);
    VlcEngine engine(kDummyOutputs);
    engine.setURL(file);
    engine.controls().setCurrentPosition(12);
    EXPECT_EQ(engine.controls().currentPosition(), 12.0);
    engine.controls().play();
    ASSERT_TRUE(positionPasses(engine, 12.3));
    EXPECT_LT(engine.controls().currentPosition(), 14.0);
}

TEST(VlcEngine, PauseHoldsAndStopResetsThePositionAtOnce)
{
    const QString file = MediaFixtures::wav(20);
    REQUIRE_FIXTURE(file);
    VlcEngine engine(kDummyOutputs);
    startPlaying(engine, file);
    ASSERT_TRUE(positionPasses(engine, 1.0));

    engine.controls().pause();
    EXPECT_EQ(engine.playState(), MediaEngine::Paused);
    runEventsFor(300);
    const double held = engine.controls().currentPosition();
    runEventsFor(800);
    EXPECT_NEAR(engine.controls().currentPosition(), held, 0.05);
    EXPECT_EQ(engine.playState(), MediaEngine::Paused);

    engine.controls().play();
    EXPECT_EQ(engine.playState(), MediaEngine::Playing);
    ASSERT_TRUE(positionPasses(engine, held + 0.5));

    engine.controls().stop();
    EXPECT_EQ(engine.playState(), MediaEngine::Stopped);
    EXPECT_EQ(engine.controls().currentPosition(), 0.0);
    runEventsFor(300);
    EXPECT_EQ(engine.playState(), MediaEngine::Stopped);
    EXPECT_EQ(engine.controls().currentPosition(), 0.0);

    engine.controls().play();
    ASSERT_TRUE(waitFor([&] { return engine.playState() == MediaEngine::Playing; }));
    ASSERT_TRUE(positionPasses(engine, 0.3));
    EXPECT_LT(engine.controls().currentPosition(), 2.0);
}

TEST(VlcEngine, TheEndOfAnItemStopsIt)
{
    const QString file = MediaFixtures::wav(1.5);
    REQUIRE_FIXTURE(file);
    VlcEngine engine(kDummyOutputs);
    startPlaying(engine, file);
    ASSERT_TRUE(waitFor([&] { return engine.playState() == MediaEngine::Stopped; }, 6000));
    EXPECT_EQ(engine.controls().currentPosition(), 0.0);
    engine.controls().play();
    EXPECT_TRUE(waitFor([&] { return engine.playState() == MediaEngine::Playing; }));
}

TEST(VlcEngine, FastForwardRunsFasterUntilPlay)
{
    const QString file = MediaFixtures::wav(60);
    REQUIRE_FIXTURE(file);
    VlcEngine engine(kDummyOutputs);
    startPlaying(engine, file);
    ASSERT_TRUE(positionPasses(engine, 0.5));

    const double from = engine.controls().currentPosition();
    engine.controls().fastForward();
    EXPECT_EQ(engine.playState(), MediaEngine::ScanForward);
    runEventsFor(1500);
    EXPECT_GT(engine.controls().currentPosition() - from, 4.0); // 1.5 s at five times the speed
    EXPECT_EQ(engine.playState(), MediaEngine::ScanForward);

    engine.controls().play();
    EXPECT_EQ(engine.playState(), MediaEngine::Playing);
    runEventsFor(300);
    const double normal = engine.controls().currentPosition();
    runEventsFor(1500);
    EXPECT_LT(engine.controls().currentPosition() - normal, 2.5);
}

TEST(VlcEngine, FastReverseReallyMovesBackwardsAndPlayGoesOnFromThere)
{
    const QString file = MediaFixtures::wav(60);
    REQUIRE_FIXTURE(file);
    VlcEngine engine(kDummyOutputs);
    startPlaying(engine, file);
    engine.controls().setCurrentPosition(30);
    ASSERT_TRUE(positionPasses(engine, 30.2));

    engine.controls().fastReverse();
    EXPECT_EQ(engine.playState(), MediaEngine::ScanReverse);
    const double from = engine.controls().currentPosition();
    runEventsFor(1000);
    const double reached = engine.controls().currentPosition();
    EXPECT_LT(reached, from - 3.0);
    EXPECT_GT(reached, from - 7.0);

    engine.controls().play();
    EXPECT_EQ(engine.playState(), MediaEngine::Playing);
    // libvlc itself now plays from the rewound place: its own reports continue from there.
    ASSERT_TRUE(positionPasses(engine, reached + 0.3));
    EXPECT_LT(engine.controls().currentPosition(), reached + 2.0);
}

TEST(VlcEngine, FastReverseStopsAtTheStart)
{
    const QString file = MediaFixtures::wav(20);
    REQUIRE_FIXTURE(file);
    VlcEngine engine(kDummyOutputs);
    startPlaying(engine, file);
    engine.controls().setCurrentPosition(1.2);
    engine.controls().fastReverse();
    ASSERT_TRUE(waitFor([&] { return engine.playState() == MediaEngine::Paused; }, 2000));
    EXPECT_EQ(engine.controls().currentPosition(), 0.0);
}

TEST(VlcEngine, VolumeIsClampedAndKeptAcrossItems)
{
    // ALSA's null device plays in real time and keeps a volume that can be read back, unlike the
    // dummy output.
    const QString first = MediaFixtures::wav(20, 440);
    const QString second = MediaFixtures::wav(20, 660);
    REQUIRE_FIXTURE(first);
    REQUIRE_FIXTURE(second);
    VlcEngine engine({QStringLiteral("--aout=alsa"), QStringLiteral("--alsa-audio-device=null"),
                      QStringLiteral("--vout=dummy")});
    EXPECT_EQ(engine.settings().volume(), 50);
    engine.settings().setVolume(150);
    EXPECT_EQ(engine.settings().volume(), 100);
    engine.settings().setVolume(-4);
    EXPECT_EQ(engine.settings().volume(), 0);

    engine.settings().setVolume(37);
    startPlaying(engine, first);
    ASSERT_TRUE(waitFor([&] { return engine.outputVolume() == 37; })) << engine.outputVolume();

    engine.settings().setVolume(21);
    ASSERT_TRUE(waitFor([&] { return engine.outputVolume() == 21; })) << engine.outputVolume();
    startPlaying(engine, second);
    runEventsFor(500);
    EXPECT_EQ(engine.outputVolume(), 21);
    EXPECT_EQ(engine.settings().volume(), 21);
}

TEST(VlcEngine, PlaysMidi)
{
    const QString file = MediaFixtures::midi(6);
    REQUIRE_FIXTURE(file);
    VlcEngine engine(kDummyOutputs);
    startPlaying(engine, file);
    ASSERT_TRUE(waitFor([&] { return engine.currentMedia().duration() > 0; }));
    EXPECT_NEAR(engine.currentMedia().duration(), 3.0, 0.5);
}

} // namespace
