#include "VlcEngineAudio.h"

#include "VlcAudio.h"
#include "VlcPlayer.h"

#include <algorithm>

namespace zendrix {

QStringList VlcEngineAudio::equalizerPresets() const
{
    return vlcEqualizerPresets();
}

EngineAudio::Equalizer VlcEngineAudio::equalizerPreset(int index) const
{
    return vlcEqualizerPreset(index);
}

std::array<double, EngineAudio::kBands> VlcEngineAudio::bandFrequencies() const
{
    return vlcBandFrequencies();
}

void VlcEngineAudio::setEqualizer(const std::optional<Equalizer>& equalizer)
{
    m_player.setEqualizer(equalizer ? std::optional(clampedEqualizer(*equalizer)) : std::nullopt);
}

void VlcEngineAudio::setReplayGain(ReplayGain mode)
{
    if (mode == m_replayGain)
        return;
    m_replayGain = mode;
    m_player.setReplayGain(mode);
}

void VlcEngineAudio::refreshOutputDevices()
{
    m_player.listOutputDevices();
}

QString VlcEngineAudio::outputDevice() const
{
    const bool listed = std::any_of(m_devices.cbegin(), m_devices.cend(),
                                    [this](const OutputDevice& device) { return device.id == m_device; });
    return listed ? m_device : QString();
}

void VlcEngineAudio::setOutputDevice(const QString& id)
{
    m_device = id;
    m_player.setOutputDevice(id);
}

bool VlcEngineAudio::takeDevices(const QList<OutputDevice>& devices)
{
    if (devices == m_devices)
        return false;
    m_devices = devices;
    return true;
}

} // namespace zendrix
