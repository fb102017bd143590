// The sound settings in config.ini, the equalizer window's logic over a scripted engine, what the Open
// URL dialog takes, and what a stream's text becomes before it is shown.
#include "core/SoundSettings.h"
#include "core/Equalizer.h"
#include "core/OpenAddress.h"
#include "core/StreamTitle.h"
#include "core/modINI.h"
#include "support/FakeMediaEngine.h"
#include "support/Files.h"
#include "support/ProgramFolderFixture.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace zendrix;
using namespace zendrix::testing;

namespace {

QString section(const QString& name)
{
    return QString::fromLocal8Bit(readFile(ConfigPath))
        .section(QStringLiteral("[%1]").arg(name), 1)
        .section('[', 0, 0);
}

TEST(SoundSettings, MissingOrDamagedValuesReadAsTheDefaultsAndLevelsAreHeldToTheirRanges)
{
    ProgramFolderFixture folder;
    EXPECT_EQ(readEqualizerSetting(), EqualizerSetting{});
    EXPECT_EQ(readReplayGain(), EngineAudio::ReplayGain::Off);
    EXPECT_EQ(readOutputDevice(), "");

    WriteINI(ConfigPath, "Equalizer", "Enabled", "true"); // only "True" is true
    WriteINI(ConfigPath, "Equalizer", "Preamp", "loud");
    WriteINI(ConfigPath, "Equalizer", "Band0", "99");
    WriteINI(ConfigPath, "Equalizer", "Band1", "-3.5");
    WriteINI(ConfigPath, "Equalizer", "Band9", "nan");
    WriteINI(ConfigPath, "Audio", "ReplayGain", "Loudest");
    const EqualizerSetting damaged = readEqualizerSetting();
    EXPECT_FALSE(damaged.enabled);
    EXPECT_EQ(damaged.levels.preamp, 0);
    EXPECT_EQ(damaged.levels.bands[0], 20);
    EXPECT_EQ(damaged.levels.bands[1], -3.5);
    EXPECT_EQ(damaged.levels.bands[9], 0);
    EXPECT_EQ(readReplayGain(), EngineAudio::ReplayGain::Off);

    WriteINI(ConfigPath, "Audio", "ReplayGain", "album");
    EXPECT_EQ(readReplayGain(), EngineAudio::ReplayGain::Album);
}

TEST(SoundSettings, TheEqualizerIsWrittenInOneGoAndReadsBackAsItWasWithTheOtherSettingsUntouched)
{
    ProgramFolderFixture folder;
    WriteINI(ConfigPath, "Player", "Volume", "37");
    EqualizerSetting setting;
    setting.enabled = true;
    setting.preset = "Rock";
    setting.levels.preamp = -7;
    setting.levels.bands = {8, 4.8, -5.6, -8, -3.2, 4, 8.8, 11.2, 11.2, -0.04};
    writeEqualizerSetting(setting);
    EqualizerSetting expected = setting;
    expected.levels.bands[9] = 0; // stored to a tenth
    EXPECT_EQ(readEqualizerSetting(), expected);
    EXPECT_TRUE(section("Equalizer").contains("Band9=0.0\r\n")) << "never -0.0";
    EXPECT_EQ(ReadINI(ConfigPath, "Player", "Volume", ""), "37");
}

TEST(SoundSettings, AStartGivesTheEngineOnlyWhatDiffersFromItsOwnDefaults)
{
    ProgramFolderFixture folder;
    FakeMediaEngine engine;
    applySoundSettings(engine.audio());
    EXPECT_TRUE(engine.calls().isEmpty());

    WriteINI(ConfigPath, "Equalizer", "Band2", "6");
    applySoundSettings(engine.audio());
    EXPECT_TRUE(engine.calls().isEmpty()) << "levels without Enabled play nothing";

    WriteINI(ConfigPath, "Equalizer", "Enabled", "True");
    WriteINI(ConfigPath, "Audio", "ReplayGain", "Track");
    WriteINI(ConfigPath, "Audio", "OutputDevice", "hw:1");
    applySoundSettings(engine.audio());
    EXPECT_EQ(engine.calls(),
              QStringList({"equalizer=0 0 0 6 0 0 0 0 0 0 0", "replayGain=Track", "outputDevice=hw:1"}));
    EXPECT_EQ(engine.audio().outputDevice(), "") << "a device the engine does not list is the default";
}

class EqualizerTest : public ::testing::Test
{
protected:
    ProgramFolderFixture folder;
    FakeMediaEngine engine;
};

TEST_F(EqualizerTest, APresetSetsEveryLevelAndMovingOneByHandMakesThemTheUsersOwn)
{
    Equalizer equalizer(engine.audio());
    int shown = 0;
    equalizer.changed = [&] { ++shown; };
    EXPECT_EQ(equalizer.presets(), QStringList({"Flat", "Bass"}));
    EXPECT_EQ(equalizer.presetIndex(), -1);

    equalizer.choosePreset(1);
    EXPECT_EQ(equalizer.presetIndex(), 1);
    EXPECT_EQ(equalizer.setting().levels.bands[0], 12);
    EXPECT_TRUE(engine.calls().isEmpty()) << "off: the engine hears nothing of it";
    EXPECT_EQ(ReadINI(ConfigPath, "Equalizer", "Preset", ""), "Bass");
    EXPECT_EQ(ReadINI(ConfigPath, "Equalizer", "Band0", ""), "12.0");

    equalizer.setEnabled(true);
    EXPECT_EQ(engine.calls(), QStringList{"equalizer=-6 12 6 0 0 0 0 0 0 0 0"});
    equalizer.setBand(5, 3);
    EXPECT_EQ(engine.calls().last(), "equalizer=-6 12 6 0 0 0 3 0 0 0 0");
    EXPECT_EQ(equalizer.presetIndex(), -1);
    EXPECT_EQ(ReadINI(ConfigPath, "Equalizer", "Preset", "none"), "");
    equalizer.setBand(EngineAudio::kBands, 3);
    equalizer.setPreamp(50);
    EXPECT_EQ(equalizer.setting().levels.preamp, EngineAudio::kMaxPreamp);

    equalizer.reset();
    EXPECT_EQ(engine.calls().last(), "equalizer=0 0 0 0 0 0 0 0 0 0 0");
    EXPECT_TRUE(equalizer.setting().enabled) << "Reset leaves the equalizer on";
    equalizer.setEnabled(false);
    EXPECT_EQ(engine.calls().last(), "equalizer=off");
    EXPECT_EQ(shown, 6);
    EXPECT_EQ(Equalizer(engine.audio()).setting(), equalizer.setting()) << "all of it stored";
}

TEST(OpenAddress, OnlyWellFormedAddressesOfTheSchemesTheCommandLineTakesAreTaken)
{
    const struct
    {
        const char* text;
        const char* taken; // "" when refused
        const char* problemHas;
    } cases[] = {
        {"  http://radio.example:8000/stream  ", "http://radio.example:8000/stream", ""},
        {"HTTPS://radio.example/live.aac", "HTTPS://radio.example/live.aac", ""},
        {"rtsp://cam.example/feed", "rtsp://cam.example/feed", ""},
        {"mms://wm.example/show", "mms://wm.example/show", ""},
        {"file:///home/me/song%20one.mp3", "file:///home/me/song%20one.mp3", ""},
        {"dvd:///media/disc", "dvd:///media/disc", ""},
        {"", "", "Type or paste"},
        {"radio.example/stream", "", "begins with file://, http://"},
        {"/home/me/song.mp3", "", "begins with"},
        {"ftp://files.example/song.mp3", "", "does not open ftp:"},
        {"javascript:alert(1)", "", "does not open javascript:"},
        {"http://", "", "names no server"},
        {"file://", "", "names a file"},
        {"http://radio.example/a\nb", "", "control characters"},
        {"http://exa mple.com/", "", "not a valid address"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const AddressCheck check = checkOpenAddress(QString::fromUtf8(c.text));
        EXPECT_EQ(check.address, QString::fromUtf8(c.taken));
        EXPECT_EQ(check.problem.isEmpty(), *c.taken != '\0');
        EXPECT_TRUE(check.problem.contains(QString::fromUtf8(c.problemHas))) << check.problem.toStdString();
    }
    EXPECT_TRUE(checkOpenAddress("http://a.example/" + QString(kMaxAddressLength, 'x')).address.isEmpty());
}

TEST(StreamTitle, WhatAStationSaysLosesItsControlCharactersAndIsCutAtAWholeCharacter)
{
    EXPECT_EQ(streamTitle("Test Radio", "The Band - First Song"), "Test Radio - The Band - First Song");
    EXPECT_EQ(streamTitle("", "The Band - First Song"), "The Band - First Song");
    EXPECT_EQ(streamTitle("Test Radio", ""), "Test Radio");
    EXPECT_EQ(streamTitle("Jingle", "Jingle"), "Jingle");
    EXPECT_EQ(streamTitle("\x01\x7f", " \t"), "");
    EXPECT_EQ(sanitizedStreamText(QString::fromUtf8("  Bad\x1b[2J \r\n Title\u202e\u0085 ")), "Bad[2J Title");

    const QString emoji = QString::fromUtf8("\U0001F3B5");
    const QString longText = QString(kMaxStreamText - 1, 'a') + emoji + "tail";
    const QString cut = sanitizedStreamText(longText);
    EXPECT_EQ(cut, QString(kMaxStreamText - 1, 'a')) << "the pair does not fit: neither half is kept";
    EXPECT_EQ(sanitizedStreamText(QString(kMaxStreamText - 2, 'a') + emoji + "tail").right(2), emoji);
    EXPECT_EQ(sanitizedStreamText(QString(1, QChar(0xD800)) + "x"), "x") << "a lone half goes";
    EXPECT_LE(streamTitle(QString(500, 's'), QString(500, 'n')).size(), 2 * kMaxStreamText + 3);
}

} // namespace
