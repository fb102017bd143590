// The libvlc engine on files the tests make: loading, tags, seeking, volume and the transport.
#include "core/VlcEngine.h"
#include "EngineTestSupport.h"
#include "core/Failure.h"
#include "support/MediaFixtures.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <gtest/gtest.h>

using namespace zendrix;
using namespace zendrix::test;

namespace {

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
    QStringList changes, endings;
    QObject::connect(&engine, &MediaEngine::MediaChange, [&](const QString& url) { changes << url; });
    QObject::connect(&engine, &MediaEngine::EndOfStream, [&](const QString& url) { endings << url; });
    for (const QString& file :
         {MediaFixtures::encoded("mp3", 3, kTags), MediaFixtures::encoded("ogg", 3, kTags),
          MediaFixtures::encoded("wma", 3, kTags), MediaFixtures::wav(2)}) {
        REQUIRE_FIXTURE(file);
        SCOPED_TRACE(file.toStdString());
        changes.clear();
        engine.setURL(file);
        EngineMedia& media = engine.currentMedia();
        const QString baseName = QFileInfo(file).completeBaseName();
        EXPECT_EQ(media.name(), baseName) << "the file's name without its extension at once, before any tag";
        EXPECT_EQ(engine.playState(), MediaEngine::Ready);
        ASSERT_TRUE(waitFor([&] { return media.duration() > 0; }));
        EXPECT_NEAR(media.duration(), file.endsWith(".wav") ? 2.0 : 3.0, 0.2);
        EXPECT_EQ(media.durationString(), file.endsWith(".wav") ? "00:02" : "00:03");
        if (file.endsWith(".wav")) {
            runEventsFor(200);
            EXPECT_EQ(media.getItemInfo("Title"), baseName) << "libvlc's stand-in title is no title";
            EXPECT_EQ(media.getItemInfo("Author"), QString());
            EXPECT_TRUE(changes.isEmpty());
        } else {
            ASSERT_TRUE(waitFor([&] { return media.getItemInfo("Title") == kTags.title; }));
            EXPECT_TRUE(!changes.isEmpty() && changes.count(file) == changes.size())
                << changes.join(' ').toStdString();
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
    runEventsFor(200);
    EXPECT_EQ(endings, QStringList{engine.URL()}) << "told once, for the item that played";

    const QString missing = QStringLiteral("/nonexistent/folder/gone.mp3");
    engine.setURL(missing);
    EXPECT_EQ(engine.currentMedia().name(), "gone");
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

TEST(VlcEngine, TagsOfAnItemThatComeAfterTheNextWasLoadedNeverNameTheNext)
{
    REQUIRE_FFMPEG();
    const QString tagged = MediaFixtures::encoded("mp3", 3, kTags);
    const QString untagged = MediaFixtures::wav(3);
    REQUIRE_FIXTURE(tagged);
    REQUIRE_FIXTURE(untagged);
    VlcEngine engine(kDummyOutputs);
    QStringList changes;
    QObject::connect(&engine, &MediaEngine::MediaChange, [&](const QString& url) { changes << url; });
    // libvlc reads the first item's tags while the UI thread does not run, so their report waits until
    // the next item is loaded. On a busy machine it may not have read them yet: then try again, waiting
    // longer, until the race has really been run.
    for (int wait = 300; engine.droppedTagReports() == 0 && wait <= 9600; wait *= 2) {
        engine.setURL(tagged);
        QThread::msleep(wait);
        engine.setURL(untagged);
        ASSERT_TRUE(waitFor([&] { return engine.currentMedia().duration() > 0; }));
        runEventsFor(300);
    }
    ASSERT_GT(engine.droppedTagReports(), 0) << "the first item's tags came too late every time";
    EXPECT_EQ(engine.currentMedia().name(), QFileInfo(untagged).completeBaseName());
    EXPECT_TRUE(changes.isEmpty()) << changes.join(' ').toStdString();
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

// How fast winding runs is bench_winding's to measure. Here: each wind moves the item the way it says,
// and afterwards playback at the normal speed never gains more of the item than the time that passes,
// which no load on the machine can make fail.
TEST(VlcEngine, FastForwardRunsOnFastReverseReallyMovesBackAndStopReturnsToTheStart)
{
    const QString file = MediaFixtures::wav(60);
    REQUIRE_FIXTURE(file);
    VlcEngine engine(kDummyOutputs);
    EngineControls& controls = engine.controls();
    startPlaying(engine, file);
    ASSERT_TRUE(positionPasses(engine, 0.5));
    const double from = controls.currentPosition();
    controls.fastForward();
    EXPECT_EQ(engine.playState(), MediaEngine::ScanForward);
    // How much faster it runs is bench_winding's to measure: a test waits for the event, never a time.
    ASSERT_TRUE(positionPasses(engine, from + 4.0, 30000)) << controls.currentPosition();
    controls.play();
    EXPECT_EQ(engine.playState(), MediaEngine::Playing);

    controls.setCurrentPosition(30);
    ASSERT_TRUE(positionPasses(engine, 30.2));
    controls.fastReverse();
    EXPECT_EQ(engine.playState(), MediaEngine::ScanReverse);
    const double back = controls.currentPosition();
    // The rewind steps back half a second at a time, so it is seen within a step of where it is waited for.
    ASSERT_TRUE(waitFor([&] { return controls.currentPosition() < back - 3.0; }, 20000));
    controls.play();
    const double reached = controls.currentPosition();
    EXPECT_GT(reached, back - 3.6);
    EXPECT_EQ(engine.playState(), MediaEngine::Playing);
    // libvlc itself now plays from the rewound place, at the normal speed.
    ASSERT_TRUE(positionPasses(engine, reached + 0.3));
    EXPECT_LT(controls.currentPosition(), back);
    QElapsedTimer clock;
    clock.start();
    const double resumed = controls.currentPosition();
    ASSERT_TRUE(positionPasses(engine, resumed + 1.5));
    EXPECT_GT(clock.elapsed(), 1000) << "1.5 s of the item passed in less than a second";
    controls.stop();
    EXPECT_EQ(engine.playState(), MediaEngine::Stopped);
    EXPECT_EQ(controls.currentPosition(), 0.0);
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
