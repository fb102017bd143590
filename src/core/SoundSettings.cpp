#include "SoundSettings.h"

#include "modINI.h"
#include "platform/AtomicFile.h"

#include <QFile>
#include <algorithm>
#include <cmath>
#include <utility>

namespace zendrix {

namespace {

const QString kEqualizer = QStringLiteral("Equalizer");
const QString kAudio = QStringLiteral("Audio");

QString bandKey(int band)
{
    return QStringLiteral("Band%1").arg(band);
}

double readLevel(const QString& key, double low, double high)
{
    bool ok = false;
    const double level = ReadINI(ConfigPath, kEqualizer, key, QStringLiteral("0")).toDouble(&ok);
    return ok && std::isfinite(level) ? std::clamp(level, low, high) : 0.0;
}

QString levelText(double level)
{
    // One decimal is as fine as the sliders go; "-0.0" would read the same but look odd.
    const QString text = QString::number(level, 'f', 1);
    return text == QLatin1String("-0.0") ? QStringLiteral("0.0") : text;
}

const std::pair<EngineAudio::ReplayGain, QString> kModes[] = {
    {EngineAudio::ReplayGain::Off, QStringLiteral("Off")},
    {EngineAudio::ReplayGain::Track, QStringLiteral("Track")},
    {EngineAudio::ReplayGain::Album, QStringLiteral("Album")},
};

} // namespace

EqualizerSetting readEqualizerSetting()
{
    EqualizerSetting setting;
    setting.enabled = ReadINI(ConfigPath, kEqualizer, QStringLiteral("Enabled"), QStringLiteral("False")) ==
                      QStringLiteral("True");
    setting.preset = ReadINI(ConfigPath, kEqualizer, QStringLiteral("Preset"), QString());
    setting.levels.preamp =
        readLevel(QStringLiteral("Preamp"), EngineAudio::kMinPreamp, EngineAudio::kMaxPreamp);
    for (int band = 0; band < EngineAudio::kBands; ++band)
        setting.levels.bands[std::size_t(band)] =
            readLevel(bandKey(band), EngineAudio::kMinGain, EngineAudio::kMaxGain);
    return setting;
}

void writeEqualizerSetting(const EqualizerSetting& setting)
{
    // Twelve values written one by one would replace the file twelve times.
    QFile file(ConfigPath);
    QByteArray contents;
    if (file.exists()) {
        if (!file.open(QIODevice::ReadOnly))
            return; // never replace a file that could not be read
        contents = file.readAll();
        file.close();
    }
    contents = withINIValue(contents, kEqualizer, QStringLiteral("Enabled"),
                            setting.enabled ? QStringLiteral("True") : QStringLiteral("False"));
    contents = withINIValue(contents, kEqualizer, QStringLiteral("Preset"), setting.preset);
    contents = withINIValue(contents, kEqualizer, QStringLiteral("Preamp"), levelText(setting.levels.preamp));
    for (int band = 0; band < EngineAudio::kBands; ++band)
        contents = withINIValue(contents, kEqualizer, bandKey(band),
                                levelText(setting.levels.bands[std::size_t(band)]));
    // As every setting: a write that fails leaves the file as it was, without a word.
    (void)writeFileAtomically(ConfigPath, contents);
}

EngineAudio::ReplayGain readReplayGain()
{
    const QString text = ReadINI(ConfigPath, kAudio, QStringLiteral("ReplayGain"), QStringLiteral("Off"));
    for (const auto& [mode, name] : kModes) {
        if (text.compare(name, Qt::CaseInsensitive) == 0)
            return mode;
    }
    return EngineAudio::ReplayGain::Off;
}

void writeReplayGain(EngineAudio::ReplayGain mode)
{
    for (const auto& [each, name] : kModes) {
        if (each == mode)
            WriteINI(ConfigPath, kAudio, QStringLiteral("ReplayGain"), name);
    }
}

QString readOutputDevice()
{
    return ReadINI(ConfigPath, kAudio, QStringLiteral("OutputDevice"), QString());
}

void writeOutputDevice(const QString& id)
{
    WriteINI(ConfigPath, kAudio, QStringLiteral("OutputDevice"), id);
}

void applySoundSettings(EngineAudio& audio)
{
    const EqualizerSetting equalizer = readEqualizerSetting();
    if (equalizer.enabled)
        audio.setEqualizer(equalizer.levels);
    if (const EngineAudio::ReplayGain mode = readReplayGain(); mode != EngineAudio::ReplayGain::Off)
        audio.setReplayGain(mode);
    if (const QString device = readOutputDevice(); !device.isEmpty())
        audio.setOutputDevice(device);
}

} // namespace zendrix
