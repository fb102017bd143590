#pragma once

#include "MediaEngine.h"

namespace zendrix {

// libvlc's equalizer as the engine shows it: its presets by name and level, and its bands' centre
// frequencies. Plain lookups in libvlc's tables, callable from any thread before libvlc has started.
// Levels are what a listener hears, 0 dB leaving the sound as it was (libvlc counts its preamp from
// -12 dB; the conversion stays in here).
QStringList vlcEqualizerPresets();
EngineAudio::Equalizer vlcEqualizerPreset(int index); // a flat equalizer for an index out of range
std::array<double, EngineAudio::kBands> vlcBandFrequencies();

// The equalizer's levels taken into the ranges the engine has; a level that is not a number is 0.
EngineAudio::Equalizer clampedEqualizer(const EngineAudio::Equalizer& equalizer);

// The libvlc arguments that make ReplayGain work in `mode`: tagged items at their gain with their peak
// kept below full scale, items without tags as they are.
QStringList replayGainArgs(EngineAudio::ReplayGain mode);

} // namespace zendrix
