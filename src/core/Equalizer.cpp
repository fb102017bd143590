#include "Equalizer.h"

#include <algorithm>
#include <cmath>

namespace zendrix {

namespace {

double clamped(double level, double low, double high)
{
    return std::isfinite(level) ? std::clamp(level, low, high) : 0.0;
}

} // namespace

Equalizer::Equalizer(EngineAudio& audio)
    : m_audio(audio), m_presets(audio.equalizerPresets()), m_setting(readEqualizerSetting())
{}

void Equalizer::update(const EqualizerSetting& setting, Store store)
{
    if (setting == m_setting) {
        if (store == Store::Now)
            this->store();
        return;
    }
    const bool heard =
        setting.enabled != m_setting.enabled || (setting.enabled && setting.levels != m_setting.levels);
    m_setting = setting;
    if (heard)
        m_audio.setEqualizer(setting.enabled ? std::optional(setting.levels) : std::nullopt);
    m_unstored = true;
    if (store == Store::Now)
        this->store();
    if (changed)
        changed();
}

void Equalizer::store()
{
    if (!m_unstored)
        return;
    m_unstored = false;
    writeEqualizerSetting(m_setting);
}

void Equalizer::setEnabled(bool enabled)
{
    EqualizerSetting setting = m_setting;
    setting.enabled = enabled;
    update(setting, Store::Now);
}

void Equalizer::choosePreset(int index)
{
    if (index < 0 || index >= m_presets.size())
        return;
    EqualizerSetting setting = m_setting;
    setting.preset = m_presets.at(index);
    setting.levels = m_audio.equalizerPreset(index);
    update(setting, Store::Now);
}

void Equalizer::setPreamp(double level, Store store)
{
    EqualizerSetting setting = m_setting;
    setting.levels.preamp = clamped(level, EngineAudio::kMinPreamp, EngineAudio::kMaxPreamp);
    if (setting.levels != m_setting.levels)
        setting.preset.clear();
    update(setting, store);
}

void Equalizer::setBand(int band, double level, Store store)
{
    if (band < 0 || band >= EngineAudio::kBands)
        return;
    EqualizerSetting setting = m_setting;
    setting.levels.bands[std::size_t(band)] = clamped(level, EngineAudio::kMinGain, EngineAudio::kMaxGain);
    if (setting.levels != m_setting.levels)
        setting.preset.clear();
    update(setting, store);
}

void Equalizer::reset()
{
    EqualizerSetting setting = m_setting;
    setting.levels = {};
    setting.preset.clear();
    update(setting, Store::Now);
}

} // namespace zendrix
