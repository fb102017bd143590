// The libvlc engine's sound, measured in what it plays: the equalizer lifts the band it is told to and
// leaves the rest, ReplayGain plays a tagged item at its gain from the next item on, the speed keeps the
// pitch and holds through pause, winding and new items, and an internet radio tells what it plays and
// fails like a file once it is gone.
#include "EngineTestSupport.h"
#include "core/VlcEngine.h"
#include "support/IcyServer.h"
#include "support/LevelMeter.h"
#include "support/MediaFixtures.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace zendrix;
using namespace zendrix::test;
using zendrix::testing::IcyServer;
using zendrix::testing::LevelMeter;

namespace {


#define REQUIRE_FFMPEG()                                                                                     \
    if (const QString missing = MediaFixtures::missingTools({"ffmpeg"}); !missing.isEmpty())                 \
    GTEST_SKIP() << missing.toStdString()
#define REQUIRE_FIXTURE(path) ASSERT_FALSE((path).isEmpty()) << MediaFixtures::lastError().toStdString()

class VlcEngineSound : public ::testing::Test
{
protected:
    LevelMeter meter; // outlives the engine
    VlcEngine engine{kDummyOutputs};

    VlcEngineSound() { engine.listenWith(&meter); }

    qsizetype seconds(double s) const { return qsizetype(s * meter.rate()); }
    // Starts `file` as a new item and waits until its audio has begun.
    void start(const QString& file)
    {
        const int before = meter.items();
        engine.setURL(file);
        engine.controls().play();
        ASSERT_TRUE(waitFor([&] { return meter.items() > before; }, 10000)) << file.toStdString();
    }
    // Waits until `length` seconds of audio have come after sample `from`, the first `skip` of which
    // are passed over; the samples measured.
    std::pair<qsizetype, qsizetype> window(qsizetype from, double skip, double length)
    {
        const qsizetype begin = from + seconds(skip);
        const qsizetype end = begin + seconds(length);
        EXPECT_TRUE(waitFor([&] { return meter.samples() >= end; }, 15000)) << meter.samples();
        return {begin, end};
    }
    // The level of what the latest item plays over a second, after its first half second.
    double level()
    {
        const auto [begin, end] = window(0, 0.5, 1.0);
        return meter.levelDb(begin, end);
    }
};

TEST_F(VlcEngineSound, TheEqualizerLiftsTheBandAt60HzBy12dBAtOnceLeaves1kHzAndHoldsForTheNextItem)
{
    const QString chord = MediaFixtures::chord(12, {60, 1000});
    REQUIRE_FIXTURE(chord);
    start(chord);
    const auto [offBegin, offEnd] = window(0, 0.5, 1.0);
    const double off60 = meter.toneDb(offBegin, offEnd, 60);
    const double off1k = meter.toneDb(offBegin, offEnd, 1000);
    EXPECT_NEAR(off60, -24, 1);
    EXPECT_NEAR(off1k, -24, 1);

    const std::array<double, EngineAudio::kBands> bands = engine.audio().bandFrequencies();
    ASSERT_NEAR(bands[1], 60, 5) << "the second band is the one around 60 Hz";
    EngineAudio::Equalizer lifted;
    lifted.bands[1] = 12;
    const qsizetype changed = meter.samples();
    engine.audio().setEqualizer(lifted);
    const auto [onBegin, onEnd] = window(changed, 0.5, 1.0);
    EXPECT_NEAR(meter.toneDb(onBegin, onEnd, 60) - off60, 12, 1.5) << "what plays changes at once";
    EXPECT_NEAR(meter.toneDb(onBegin, onEnd, 1000) - off1k, 0, 1);

    start(chord);
    const auto [nextBegin, nextEnd] = window(0, 0.5, 1.0);
    EXPECT_NEAR(meter.toneDb(nextBegin, nextEnd, 60) - off60, 12, 1.5) << "and every later item";

    engine.audio().setEqualizer(std::nullopt);
    start(chord);
    const auto [plainBegin, plainEnd] = window(0, 0.5, 1.0);
    EXPECT_NEAR(meter.toneDb(plainBegin, plainEnd, 60), off60, 0.5);
}

TEST_F(VlcEngineSound, WithTrackReplayGainATaggedItemPlays6dBLowerFromTheNextItemAndOffPlaysBothAlike)
{
    REQUIRE_FFMPEG();
    const QString plain = MediaFixtures::encoded("mp3", 6, {"Plain"});
    const QString tagged = MediaFixtures::encoded("mp3", 6, {.title = "Tagged", .trackGain = "-6.00 dB"});
    REQUIRE_FIXTURE(plain);
    REQUIRE_FIXTURE(tagged);
    start(plain);
    const double plainOff = level();
    start(tagged);
    const double taggedOff = level();
    EXPECT_NEAR(taggedOff, plainOff, 0.5) << "off: the tag changes nothing";

    engine.audio().setReplayGain(EngineAudio::ReplayGain::Track);
    EXPECT_EQ(engine.audio().replayGain(), EngineAudio::ReplayGain::Track);
    start(tagged);
    EXPECT_NEAR(level(), taggedOff - 6, 1);
    start(plain);
    EXPECT_NEAR(level(), plainOff, 0.5) << "an item without a tag plays as it is";

    engine.audio().setReplayGain(EngineAudio::ReplayGain::Off);
    start(tagged);
    EXPECT_NEAR(level(), taggedOff, 0.5);
}

// How much faster than the sound the engine's position moves: the position's own steps against the
// samples heard meanwhile, so no wall time is measured.
double measuredRate(VlcEngine& engine, LevelMeter& meter)
{
    EngineControls& controls = engine.controls();
    const double startPosition = controls.currentPosition();
    EXPECT_TRUE(waitFor([&] { return controls.currentPosition() > startPosition; }, 10000));
    const double fromPosition = controls.currentPosition();
    const qsizetype fromSamples = meter.samples();
    EXPECT_TRUE(waitFor([&] { return controls.currentPosition() > fromPosition + 3; }, 20000));
    const double media = controls.currentPosition() - fromPosition;
    const double heard = double(meter.samples() - fromSamples) / meter.rate();
    return heard > 0 ? media / heard : 0;
}

TEST_F(VlcEngineSound, TwiceTheSpeedKeepsThePitchAndHoldsThroughPauseWindingAndTheNextItem)
{
    const QString tone = MediaFixtures::wav(60, 440);
    REQUIRE_FIXTURE(tone);
    engine.controls().setRate(2.0);
    start(tone);
    EXPECT_NEAR(measuredRate(engine, meter), 2.0, 0.4);
    const auto [begin, end] = window(meter.samples(), 0, 0.5);
    EXPECT_GT(meter.toneDb(begin, end, 440), meter.toneDb(begin, end, 880) + 20) << "440 Hz stays 440 Hz";

    engine.controls().pause();
    engine.controls().play();
    EXPECT_NEAR(measuredRate(engine, meter), 2.0, 0.4) << "after a pause";
    engine.controls().fastForward();
    engine.controls().play();
    EXPECT_NEAR(measuredRate(engine, meter), 2.0, 0.4) << "after winding";
    engine.controls().setRate(5);
    EXPECT_EQ(engine.controls().rate(), EngineControls::kMaxRate);
    start(tone);
    EXPECT_NEAR(measuredRate(engine, meter), 2.0, 0.4) << "a new item";
}

TEST(VlcEngineStream, ARadioIsNamedByStationAndWhatItPlaysNowHasNoLengthAndFailsOnceItIsGone)
{
    REQUIRE_FFMPEG();
    const QString frames = MediaFixtures::mp3Stream(60);
    REQUIRE_FIXTURE(frames);
    QFile file(frames);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    IcyServer radio(file.readAll(), 16000, QStringLiteral("Test Radio"),
                    {{0, QStringLiteral("The Band - First Song")},
                     {3, QStringLiteral("Other\x1b Artist - Second Song")}});
    ASSERT_FALSE(radio.url().isEmpty());

    VlcEngine engine(kDummyOutputs);
    QStringList errors, endings;
    QObject::connect(&engine, &MediaEngine::MediaError, [&](const QString& url) { errors << url; });
    QObject::connect(&engine, &MediaEngine::EndOfStream, [&](const QString& url) { endings << url; });
    engine.setURL(radio.url());
    engine.controls().play();
    // The engine is asked as the player's clock asks it, once a tick.
    const auto named = [&engine](const QString& name) {
        return waitFor(
            [&] {
                engine.currentMedia().refreshNowPlaying();
                return engine.currentMedia().name() == name;
            },
            20000);
    };
    EXPECT_TRUE(named("Test Radio - The Band - First Song")) << engine.currentMedia().name().toStdString();
    EXPECT_TRUE(named("Test Radio - Other Artist - Second Song"))
        << engine.currentMedia().name().toStdString();
    EXPECT_EQ(engine.currentMedia().duration(), 0);
    EXPECT_EQ(engine.playState(), MediaEngine::Playing);

    // A connection that drops is taken up again, and the station plays on.
    const int connections = radio.connections();
    radio.dropListeners();
    EXPECT_TRUE(waitFor([&] { return radio.connections() > connections; }, 15000)) << radio.connections();
    // Well past what the player held when the connection dropped.
    const double position = engine.controls().currentPosition();
    EXPECT_TRUE(waitFor(
        [&] { return engine.controls().currentPosition() > position + 5 || !errors.isEmpty(); }, 20000));
    EXPECT_TRUE(errors.isEmpty());

    radio.goOffAir();
    ASSERT_TRUE(waitFor([&] { return !errors.isEmpty(); }, 30000)) << "a radio gone is an item that failed";
    EXPECT_EQ(errors, QStringList{radio.url()});
    EXPECT_TRUE(endings.isEmpty());
    EXPECT_EQ(engine.playState(), MediaEngine::Stopped);
}

} // namespace
