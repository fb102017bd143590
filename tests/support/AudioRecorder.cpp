#include "AudioRecorder.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <thread>

namespace zendrix::testing {

namespace {

// A sample at least half as loud as the loudest so far is a mark: the marks are full-scale clicks, the
// tone between them a hundredth of that.
constexpr int kQuietest = 256;

double msOf(qint64 us)
{
    return static_cast<double>(us) / 1000.0;
}

void sleepUntil(qint64 us)
{
    const qint64 waitUs = us - libvlcClockUs();
    if (waitUs > 0)
        std::this_thread::sleep_for(std::chrono::microseconds(waitUs));
}

} // namespace

double AudioRecorder::Stream::cutMs(double lengthSeconds) const
{
    const qint64 endUs = firstMarkUs + qint64(lengthSeconds * 1e6);
    return endUs > heardEndUs ? msOf(endUs - heardEndUs) : 0.0;
}

double AudioRecorder::Stream::lastMarkCutMs() const
{
    return lastMarkEndUs > heardEndUs ? msOf(lastMarkEndUs - heardEndUs) : 0.0;
}

double AudioRecorder::gapMs(const Stream& before, const Stream& after)
{
    return msOf(after.firstHeardUs - before.overUs);
}

std::vector<AudioRecorder::Stream> AudioRecorder::streams() const
{
    const std::lock_guard lock(m_mutex);
    std::vector<Stream> result;
    for (const Recording& recording : m_recordings)
        result.push_back(summary(recording));
    return result;
}

AudioRecorder::Stream AudioRecorder::summary(const Recording& recording)
{
    Stream stream;
    for (const Heard& heard : recording.heard) {
        if (heard.toUs <= heard.fromUs)
            continue; // cut away by a flush before it was heard
        if (stream.firstHeardUs < 0)
            stream.firstHeardUs = heard.fromUs;
        stream.heardEndUs = std::max(stream.heardEndUs, heard.toUs);
    }
    stream.overUs = std::max(stream.heardEndUs, recording.drainedUs);
    stream.firstMarkUs = recording.firstMarkUs;
    stream.lastMarkEndUs = recording.lastMarkEndUs;
    return stream;
}

void AudioRecorder::started(unsigned rate)
{
    const std::lock_guard lock(m_mutex);
    m_recordings.push_back({});
    m_recordings.back().rate = rate > 0 ? rate : 44100;
}

void AudioRecorder::play(const qint16* samples, unsigned count, qint64 ptsUs)
{
    qint64 endUs = 0;
    {
        const std::lock_guard lock(m_mutex);
        if (m_recordings.empty() || count == 0)
            return;
        Recording& recording = m_recordings.back();
        const auto timeOf = [&](unsigned index) {
            return ptsUs + qint64(index) * 1'000'000 / recording.rate;
        };
        for (unsigned i = 0; i < count; ++i) {
            const int level = std::abs(int(samples[i]));
            recording.peak = std::max(recording.peak, level);
            if (level >= kQuietest && level * 2 >= recording.peak) {
                if (recording.firstMarkUs < 0)
                    recording.firstMarkUs = timeOf(i);
                recording.lastMarkEndUs = timeOf(i + 1);
            }
        }
        endUs = timeOf(count);
        recording.heard.push_back({ptsUs, endUs});
    }
    // A card with a small buffer takes the next samples only once there is room for them.
    if (m_bufferMs > 0)
        sleepUntil(endUs - qint64(m_bufferMs) * 1000);
}

void AudioRecorder::flush(qint64 nowUs)
{
    const std::lock_guard lock(m_mutex);
    if (m_recordings.empty())
        return;
    for (Heard& heard : m_recordings.back().heard)
        heard.toUs = std::min(heard.toUs, nowUs);
}

void AudioRecorder::drain()
{
    qint64 endUs = 0;
    {
        const std::lock_guard lock(m_mutex);
        if (m_recordings.empty())
            return;
        for (const Heard& heard : m_recordings.back().heard)
            endUs = std::max(endUs, heard.toUs);
    }
    // A sound card returns from its drain once it has played everything it was given.
    sleepUntil(endUs);
    const std::lock_guard lock(m_mutex);
    m_recordings.back().drainedUs = libvlcClockUs();
}

} // namespace zendrix::testing
