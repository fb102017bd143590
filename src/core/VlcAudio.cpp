// The equalizer, ReplayGain and the output device on libvlc: VlcPlayer's sound, on its worker thread.
#include "VlcAudio.h"
#include "VlcPlayer.h"

#include <algorithm>
#include <cmath>
#include <vlc/vlc.h>

namespace zendrix {

namespace {

// libvlc's equalizer takes its input at a quarter of its level: its preamp of 12 dB leaves the sound
// as it was, and its presets count from there.
constexpr double kUnityPreamp = 12;

double clampedLevel(double level, double low, double high)
{
    return std::isfinite(level) ? std::clamp(level, low, high) : 0.0;
}

// What libvlc calls the output's default device: the default the engine returns to by itself.
bool isDefaultDevice(const QString& id)
{
    return id.compare(QLatin1String("default"), Qt::CaseInsensitive) == 0;
}

} // namespace

QStringList vlcEqualizerPresets()
{
    QStringList names;
    for (unsigned i = 0; i < libvlc_audio_equalizer_get_preset_count(); ++i)
        names << QString::fromUtf8(libvlc_audio_equalizer_get_preset_name(i));
    return names;
}

EngineAudio::Equalizer vlcEqualizerPreset(int index)
{
    EngineAudio::Equalizer levels;
    if (index < 0 || unsigned(index) >= libvlc_audio_equalizer_get_preset_count())
        return levels;
    libvlc_equalizer_t* preset = libvlc_audio_equalizer_new_from_preset(unsigned(index));
    if (!preset)
        return levels;
    levels.preamp = double(libvlc_audio_equalizer_get_preamp(preset)) - kUnityPreamp;
    for (int band = 0; band < EngineAudio::kBands; ++band)
        levels.bands[std::size_t(band)] =
            double(libvlc_audio_equalizer_get_amp_at_index(preset, unsigned(band)));
    libvlc_audio_equalizer_release(preset);
    // libvlc stores some zeros as -0.0, which would show as "-0.0 dB".
    levels.preamp += 0.0;
    for (double& level : levels.bands)
        level += 0.0;
    return levels;
}

std::array<double, EngineAudio::kBands> vlcBandFrequencies()
{
    std::array<double, EngineAudio::kBands> frequencies{};
    for (int band = 0; band < EngineAudio::kBands; ++band)
        frequencies[std::size_t(band)] = double(libvlc_audio_equalizer_get_band_frequency(unsigned(band)));
    return frequencies;
}

EngineAudio::Equalizer clampedEqualizer(const EngineAudio::Equalizer& equalizer)
{
    EngineAudio::Equalizer clamped;
    clamped.preamp = clampedLevel(equalizer.preamp, EngineAudio::kMinPreamp, EngineAudio::kMaxPreamp);
    for (std::size_t band = 0; band < clamped.bands.size(); ++band)
        clamped.bands[band] =
            clampedLevel(equalizer.bands[band], EngineAudio::kMinGain, EngineAudio::kMaxGain);
    return clamped;
}

QStringList replayGainArgs(EngineAudio::ReplayGain mode)
{
    switch (mode) {
    case EngineAudio::ReplayGain::Off:
        break;
    case EngineAudio::ReplayGain::Track:
    case EngineAudio::ReplayGain::Album:
        // libvlc would play items without tags 7 dB quieter; peak protection is its default.
        return {mode == EngineAudio::ReplayGain::Track ? QStringLiteral("--audio-replay-gain-mode=track")
                                                       : QStringLiteral("--audio-replay-gain-mode=album"),
                QStringLiteral("--audio-replay-gain-default=0"),
                QStringLiteral("--audio-replay-gain-peak-protection")};
    }
    return {};
}

QStringList VlcPlayer::libvlcArgs() const
{
    return m_baseArgs + replayGainArgs(m_replayGain);
}

void VlcPlayer::remakeIfWanted()
{
    // libvlc reads the ReplayGain mode when it makes its audio output, which it keeps from item to item;
    // the only way back to the default device is a new output too. Making libvlc afresh costs a few
    // milliseconds here, its plugins being loaded already.
    const bool toDefault = m_outputChosen && m_device.isEmpty();
    if (!m_player || (libvlcArgs() == m_startedArgs && !toDefault))
        return;
    releaseLibvlc();
    if (!makeLibvlc()) {
        releaseLibvlc();
        report(VlcEvent::Type::Failed, 0, QStringLiteral("The media library could not be started again"));
    }
}

void VlcPlayer::setEqualizer(const std::optional<EngineAudio::Equalizer>& equalizer)
{
    post([this, equalizer] {
        m_equalizer = equalizer;
        applyEqualizer();
    });
}

void VlcPlayer::applyEqualizer()
{
    if (!m_player)
        return;
    if (!m_equalizer) {
        libvlc_media_player_set_equalizer(m_player, nullptr);
        return;
    }
    libvlc_equalizer_t* equalizer = libvlc_audio_equalizer_new();
    if (!equalizer)
        return;
    libvlc_audio_equalizer_set_preamp(equalizer, float(m_equalizer->preamp + kUnityPreamp));
    for (int band = 0; band < EngineAudio::kBands; ++band)
        libvlc_audio_equalizer_set_amp_at_index(equalizer, float(m_equalizer->bands[std::size_t(band)]),
                                                unsigned(band));
    // libvlc copies the levels: what plays changes at once, and later items start with them.
    libvlc_media_player_set_equalizer(m_player, equalizer);
    libvlc_audio_equalizer_release(equalizer);
}

void VlcPlayer::setReplayGain(EngineAudio::ReplayGain mode)
{
    post([this, mode] { m_replayGain = mode; });
}

void VlcPlayer::setOutputDevice(const QString& id)
{
    post([this, id] {
        m_device = isDefaultDevice(id) ? QString() : id;
        m_deviceApplied = false;
        applyOutputDevice();
    });
}

void VlcPlayer::applyOutputDevice()
{
    if (!m_player || m_deviceApplied)
        return;
    if (m_device.isEmpty()) {
        // Back to the default: the output libvlc makes next (remakeIfWanted) takes it. Until then the
        // default device goes on if the output named one.
        m_deviceApplied = !m_outputChosen;
        return;
    }
    const QList<EngineAudio::OutputDevice> devices = listDevices();
    const bool listed =
        std::any_of(devices.cbegin(), devices.cend(),
                    [this](const EngineAudio::OutputDevice& device) { return device.id == m_device; });
    // A device that is not there would leave the item without sound: it is tried again at the next item.
    if (!listed)
        return;
    libvlc_audio_output_device_set(m_player, nullptr, m_device.toUtf8().constData());
    m_deviceApplied = true;
    m_outputChosen = true;
}

QList<EngineAudio::OutputDevice> VlcPlayer::listDevices() const
{
    QList<EngineAudio::OutputDevice> devices;
    if (!m_player)
        return devices;
    libvlc_audio_output_device_t* list = libvlc_audio_output_device_enum(m_player);
    for (const libvlc_audio_output_device_t* device = list; device; device = device->p_next) {
        const QString id = QString::fromUtf8(device->psz_device);
        if (id.isEmpty() || isDefaultDevice(id))
            continue;
        const QString description = QString::fromUtf8(device->psz_description);
        devices.append({id, description.isEmpty() ? id : description});
    }
    libvlc_audio_output_device_list_release(list);
    return devices;
}

void VlcPlayer::listOutputDevices()
{
    post([this] {
        VlcEvent event;
        event.type = VlcEvent::Type::Devices;
        event.epoch = m_epoch.load();
        event.devices = listDevices();
        report(std::move(event));
    });
}

} // namespace zendrix
