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
const MediaFixtures::Tags kTags{"Night Train", "The Testers", "Fixtures Vol. 1", "Jazz"};

#define REQUIRE_FFMPEG()                                                                                     \
    if (const QString missing = MediaFixtures::missingTools({"ffmpeg"}); !missing.isEmpty())                 \
    GTEST_SKIP() << missing.toStdString()
#define REQUIRE_FIXTURE(path) ASSERT_FALSE((path).isEmpty()) << MediaFixtures::lastError().toStdString()

void startPlaying(VlcEngine& engine, const QString& file)
{
    engine.setURL(file);
    engine.controls().play();
    ASSERT_TRUE(waitFor([&] { return engine.playState() == MediaEngine::Playing; })) << engine.playState();
}

// Waits until the position, as libvlc reports it, has moved past `seconds`.
bool positionPasses(VlcEngine& engine, double seconds, int timeoutMs = 4000)
{
    return waitFor([&] { return engine.controls().currentPosition() > seconds; }, timeoutMs);
}

TEST(VlcEngine, LoadingLearnsLengthTagsAndSizeOfEachFormatWithoutStartingAndAMissingFileFailsToPlay)
{
    REQUIRE_FFMPEG();
    VlcEngine engine(kDummyOutputs);
    for (const QString& file :
         {MediaFixtures::encoded("mp3", 3, kTags), MediaFixtures::encoded("ogg", 3, kTags),
          MediaFixtures::encoded("wma", 3, kTags), MediaFixtures::wav(2)}) {
        REQUIRE_FIXTURE(file);
        SCOPED_TRACE(file.toStdString());
        engine.setURL(file);
        EngineMedia& media = engine.currentMedia();
        EXPECT_EQ(media.name(), QFileInfo(file).fileName()) << "the file's name at once, before any tag";
        EXPECT_EQ(engine.playState(), MediaEngine::Ready);
        ASSERT_TRUE(waitFor([&] { return media.duration() > 0; }));
        EXPECT_NEAR(media.duration(), file.endsWith(".wav") ? 2.0 : 3.0, 0.2);
        EXPECT_EQ(media.durationString(), file.endsWith(".wav") ? "00:02" : "00:03");
        if (file.endsWith(".wav")) {
            EXPECT_EQ(media.getItemInfo("Title"), QFileInfo(file).fileName());
            EXPECT_EQ(media.getItemInfo("Author"), QString());
        } else {
            ASSERT_TRUE(waitFor([&] { return media.getItemInfo("Title") == kTags.title; }));
            EXPECT_EQ(media.name(), kTags.title);
            EXPECT_EQ(media.getItemInfo("Author"), kTags.artist);
            EXPECT_EQ(media.getItemInfo("Album"), kTags.album);
            EXPECT_EQ(media.getItemInfo("WM/Genre"), kTags.genre);
        }
        EXPECT_EQ(media.getItemInfo("Size"), QString::number(QFileInfo(file).size()));
        EXPECT_THROW(media.getItemInfo("Bitrate"), EngineError);
    }
    EXPECT_EQ(engine.playState(), MediaEngine::Ready) << "loading does not start";
    EXPECT_EQ(engine.controls().currentPosition(), 0.0);
    engine.controls().play(); // the last of them stops by itself at its end

    ASSERT_TRUE(waitFor([&] { return engine.playState() == MediaEngine::Stopped; }, 8000));
    EXPECT_EQ(engine.controls().currentPosition(), 0.0);

    const QString missing = QStringLiteral("/nonexistent/folder/gone.mp3");
    engine.setURL(missing);
    EXPECT_EQ(engine.currentMedia().name(), "gone.mp3");
    try {
        engine.controls().play();
        ADD_FAILURE() << "play() of a missing file succeeded";
    } catch (const EngineError& error) {
        EXPECT_TRUE(error.description().contains(missing)) << error.description().toStdString();
    }
    EXPECT_THROW(engine.currentMedia().getItemInfo("Size"), EngineError);
    engine.setURL(QString());
    EXPECT_EQ(engine.playState(), MediaEngine::Undefined);
    EXPECT_THROW(engine.controls().play(), EngineError);
}

// The position libvlc reports once playback runs on from a seek is where the audio really is.
TEST(VlcEngine, SeeksLandWithinASecondOfTheTargetInMp3AndOgg)
{
    REQUIRE_FFMPEG();
    const std::pair<QString, std::vector<double>> cases[] = {
        {MediaFixtures::encoded("mp3", 60, kTags), {3, 45, 20}},
        {MediaFixtures::encoded("ogg", 60, kTags), {3, 45, 20}},
        {MediaFixtures::encoded("ogg", 240, kTags, MediaFixtures::Content::Music), {90, 200, 30}},
    };
    for (const auto& [file, targets] : cases) {
        REQUIRE_FIXTURE(file);
        VlcEngine engine(kDummyOutputs);
        startPlaying(engine, file);
        for (double target : targets) {
            SCOPED_TRACE(file.toStdString() + " at " + std::to_string(target));
            engine.controls().setCurrentPosition(target);
            EXPECT_EQ(engine.controls().currentPosition(), target);
            ASSERT_TRUE(positionPasses(engine, target + 0.4)) << engine.controls().currentPosition();
            EXPECT_LT(engine.controls().currentPosition(), target + 1.5);
        }
    }
}

TEST(VlcEngine, FastForwardRunsFasterFastReverseReallyMovesBackAndStopReturnsToTheStart)
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
    engine.controls().play();
    EXPECT_EQ(engine.playState(), MediaEngine::Playing);

    engine.controls().setCurrentPosition(30);
    ASSERT_TRUE(positionPasses(engine, 30.2));
    engine.controls().fastReverse();
    EXPECT_EQ(engine.playState(), MediaEngine::ScanReverse);
    const double back = engine.controls().currentPosition();
    runEventsFor(1000);
    const double reached = engine.controls().currentPosition();
    EXPECT_LT(reached, back - 3.0);
    EXPECT_GT(reached, back - 7.0);
    engine.controls().play();
    EXPECT_EQ(engine.playState(), MediaEngine::Playing);
    // libvlc itself now plays from the rewound place, at the normal speed.
    ASSERT_TRUE(positionPasses(engine, reached + 0.3));
    runEventsFor(1000);
    EXPECT_LT(engine.controls().currentPosition(), reached + 2.5);
    engine.controls().stop();
    EXPECT_EQ(engine.playState(), MediaEngine::Stopped);
    EXPECT_EQ(engine.controls().currentPosition(), 0.0);
}

TEST(VlcEngine, CommandsGivenBeforeLibvlcStartsRunInOrderOnceItHasAndTheVolumeIsKeptAcrossItems)
{
    // ALSA's null device keeps a volume that can be read back, unlike the dummy output.
    const QStringList alsaNull{"--aout=alsa", "--alsa-audio-device=null", "--vout=dummy"};
    const QString first = MediaFixtures::wav(20, 440);
    const QString second = MediaFixtures::wav(20, 660);
    REQUIRE_FIXTURE(first);
    REQUIRE_FIXTURE(second);
    {
        VlcEngine neverStarted(alsaNull, nullptr, VlcEngine::Start::OnRequest);
        neverStarted.setURL(first);
        neverStarted.controls().play();
    } // goes without libvlc, at once

    VlcEngine engine(alsaNull, nullptr, VlcEngine::Start::OnRequest);
    engine.settings().setVolume(37);
    engine.setURL(first);
    engine.controls().play();
    runEventsFor(300);
    EXPECT_NE(engine.playState(), MediaEngine::Playing) << "nothing plays before libvlc has started";
    engine.start();
    ASSERT_TRUE(waitFor([&] { return engine.playState() == MediaEngine::Playing; })) << engine.playState();
    ASSERT_TRUE(waitFor([&] { return engine.outputVolume() == 37; })) << engine.outputVolume();
    engine.settings().setVolume(21);
    startPlaying(engine, second);
    runEventsFor(500);
    EXPECT_EQ(engine.outputVolume(), 21);
    EXPECT_EQ(engine.settings().volume(), 21);
}

} // namespace
