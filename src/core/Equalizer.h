#pragma once

#include "SoundSettings.h"

#include <functional>

namespace zendrix {

// The equalizer window's logic: the setting of [Equalizer] as the window shows it, the engine it goes
// to, and the engine's presets. Every change reaches the engine at once and is stored at once, but for
// a slider being dragged, which is stored when the drag ends (Store::Later while it lasts, then
// store()), so that a drag does not rewrite the file at every step.
class Equalizer
{
public:
    // Reads the setting; the engine already plays with it (applySoundSettings at start-up).
    explicit Equalizer(EngineAudio& audio);

    const EqualizerSetting& setting() const { return m_setting; }
    QStringList presets() const { return m_presets; }
    // The index of the preset the levels come from, -1 for levels of the user's own.
    int presetIndex() const { return m_presets.indexOf(m_setting.preset); }

    enum class Store { Now, Later };
    void setEnabled(bool enabled);
    // The preset's levels; an index out of range changes nothing.
    void choosePreset(int index);
    // Moving a level by hand makes the levels the user's own. Levels beyond the ranges are taken as
    // their ends. `band` out of range changes nothing.
    void setPreamp(double level, Store store = Store::Now);
    void setBand(int band, double level, Store store = Store::Now);
    // Every level back to 0; whether the equalizer is on stays as it is.
    void reset();
    // Stores what a drag left unstored; nothing when all is stored.
    void store();

    // The setting has changed, whatever changed it.
    std::function<void()> changed;

private:
    void update(const EqualizerSetting& setting, Store store);

    EngineAudio& m_audio;
    QStringList m_presets;
    EqualizerSetting m_setting;
    bool m_unstored = false;
};

} // namespace zendrix
