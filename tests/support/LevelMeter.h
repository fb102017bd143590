#pragma once

// What the real engine would play, sample by sample, for measuring levels: the engine's audio comes
// here instead of the sound card (core/AudioListener.h), an item at a time. Unlike the sound card it
// never waits: libvlc paces what it hands over by itself.
#include "core/AudioListener.h"

#include <mutex>
#include <vector>

namespace zendrix::testing {

class LevelMeter final : public AudioListener
{
public:
    // Separate: each start of the audio output begins a new item, its samples alone kept. Joined: the
    // samples of every start are kept in one run, as a listener heard them (libvlc starts its output
    // afresh when the item's audio track is switched).
    enum class Items { Separate, Joined };
    explicit LevelMeter(Items items = Items::Separate) : m_joined(items == Items::Joined) {}

    // Items whose audio has begun, and the rate and the samples of the latest so far.
    int items() const;
    unsigned rate() const;
    qsizetype samples() const;

    // The level of the latest item's samples [from, to) in dB of a full-scale sine: of all of the sound,
    // or of the part at `hertz` alone. -200 for silence or an empty range.
    double levelDb(qsizetype from, qsizetype to) const;
    double toneDb(qsizetype from, qsizetype to, double hertz) const;

    void started(unsigned rate) override;
    void play(const qint16* samples, unsigned count, qint64 ptsUs) override;
    void flush(qint64) override {}
    void drain() override {}
    void stopped() override {}

private:
    const bool m_joined;
    mutable std::mutex m_mutex;
    int m_items = 0;
    unsigned m_rate = 44100;
    std::vector<qint16> m_samples;
};

} // namespace zendrix::testing
