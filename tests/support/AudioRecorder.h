#pragma once

// What a listener would have heard from the real engine, item by item: the engine's audio comes here
// instead of the sound card (core/AudioListener.h), and the recorder keeps the card's timing, so an
// item's end is heard in full before libvlc says it has ended. Made for media whose first and last
// samples are loud marks over a quiet tone (MediaFixtures::wav with Marks::Ends).
#include "core/AudioListener.h"

#include <mutex>
#include <vector>

namespace zendrix::testing {

class AudioRecorder final : public AudioListener
{
public:
    // bufferMs: how far ahead of what is heard the card takes samples; 0 takes them as libvlc hands
    // them over (a second or more ahead), as a sound server does. A small buffer, as an ALSA device has,
    // leaves libvlc less of an item's end in hand when it is stopped.
    explicit AudioRecorder(int bufferMs = 0) : m_bufferMs(bufferMs) {}

    // One item's audio, in microseconds on libvlc's clock.
    struct Stream
    {
        qint64 firstHeardUs = -1;  // when its first sample was heard
        qint64 heardEndUs = -1;    // when the last sample heard ended
        qint64 firstMarkUs = -1;   // when its first loud sample was heard
        qint64 lastMarkEndUs = -1; // when its last loud sample that was handed over would have ended
        // When it was over for the card: its last sample heard, or libvlc's drain, whichever came
        // later. Winding fast, libvlc hands over no sound at all, and the drain alone tells when the
        // item has been wound to its end.
        qint64 overUs = -1;
        // How much of the end of an item of that length, played at the normal speed from its first
        // sample (a mark), was never heard.
        double cutMs(double lengthSeconds) const;
        // How much of the last mark that was handed over was never heard: 0 when it was heard in full.
        double lastMarkCutMs() const;
    };
    // The silence from when `before` was over to the start of `after`.
    static double gapMs(const Stream& before, const Stream& after);

    std::vector<Stream> streams() const;

    void started(unsigned rate) override;
    void play(const qint16* samples, unsigned count, qint64 ptsUs) override;
    void flush(qint64 nowUs) override;
    void drain() override;
    void stopped() override {}

private:
    struct Heard
    {
        qint64 fromUs, toUs;
    };
    struct Recording
    {
        unsigned rate = 44100;
        int peak = 0;
        std::vector<Heard> heard; // in the order handed over; a flush cuts them short
        qint64 firstMarkUs = -1;
        qint64 lastMarkEndUs = -1;
        qint64 drainedUs = -1;
    };
    static Stream summary(const Recording& recording);

    const int m_bufferMs;
    mutable std::mutex m_mutex;
    std::vector<Recording> m_recordings;
};

} // namespace zendrix::testing
