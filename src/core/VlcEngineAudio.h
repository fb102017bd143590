#pragma once

#include "MediaEngine.h"

namespace zendrix {

class VlcPlayer;

// The engine's sound settings on libvlc: the calls return at once and libvlc's thread carries them out
// (VlcPlayer). What is asked for is kept here, on the UI thread, so reading it back never waits: the
// ReplayGain mode, the device chosen, and the devices libvlc last listed.
class VlcEngineAudio final : public EngineAudio
{
public:
    explicit VlcEngineAudio(VlcPlayer& player) : m_player(player) {}

    QStringList equalizerPresets() const override;
    Equalizer equalizerPreset(int index) const override;
    std::array<double, kBands> bandFrequencies() const override;
    void setEqualizer(const std::optional<Equalizer>& equalizer) override;
    ReplayGain replayGain() const override { return m_replayGain; }
    void setReplayGain(ReplayGain mode) override;
    QList<OutputDevice> outputDevices() const override { return m_devices; }
    void refreshOutputDevices() override;
    QString outputDevice() const override;
    void setOutputDevice(const QString& id) override;

    // libvlc's list of devices has come; true when it differs from the one known before.
    bool takeDevices(const QList<OutputDevice>& devices);

private:
    VlcPlayer& m_player;
    ReplayGain m_replayGain = ReplayGain::Off;
    QString m_device;
    QList<OutputDevice> m_devices;
};

} // namespace zendrix
