#pragma once

#include "MediaEngine.h"

#include <QString>

namespace zendrix {

// The sound settings of the configuration file, each written the moment it changes:
//   [Equalizer]  Enabled ("True"/"False"), Preset (the engine's preset last chosen, "" for levels of the
//                user's own), Preamp and Band0 to Band9 (dB, "-3.5")
//   [Audio]      ReplayGain ("Off", "Track", "Album"), OutputDevice (the engine's id, "" for the default)
// A value that is missing or damaged reads as its default: no equalizer, levels 0, ReplayGain off, the
// default device; levels beyond the engine's ranges read as their ends.
struct EqualizerSetting
{
    bool enabled = false;
    QString preset;
    EngineAudio::Equalizer levels;
    bool operator==(const EqualizerSetting&) const = default;
};

EqualizerSetting readEqualizerSetting();
// All of [Equalizer] in one write of the file.
void writeEqualizerSetting(const EqualizerSetting& setting);

EngineAudio::ReplayGain readReplayGain();
void writeReplayGain(EngineAudio::ReplayGain mode);

QString readOutputDevice();
void writeOutputDevice(const QString& id);

// At start-up: the engine takes the stored equalizer, ReplayGain mode and device. A device that is not
// there falls back to the default without a word.
void applySoundSettings(EngineAudio& audio);

} // namespace zendrix
