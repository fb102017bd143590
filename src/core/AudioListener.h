#pragma once

#include <QtGlobal>

namespace zendrix {

// Decoded audio handed to a listener of the engine's instead of the sound card, so that a test or a
// benchmark hears exactly what a user would hear and when. The player itself never sets one.
//
// Called on libvlc's threads, one call at a time. Times are microseconds on libvlc's own clock
// (libvlcClockUs()). The listener stands in for the sound card, so it owes libvlc the card's timing:
// drain() returns only once everything handed over has been heard.
class AudioListener
{
public:
    virtual ~AudioListener() = default;

    // An item's audio begins: 16-bit mono samples at `rate` follow.
    virtual void started(unsigned rate) = 0;
    // Samples to be heard from `ptsUs` on.
    virtual void play(const qint16* samples, unsigned count, qint64 ptsUs) = 0;
    // Playback stops now, at `nowUs`: what has not been heard by then never will be.
    virtual void flush(qint64 nowUs) = 0;
    // The item's audio has all been handed over; returns once it has been heard.
    virtual void drain() = 0;
    // The item's audio is over.
    virtual void stopped() = 0;
};

// Now, on libvlc's clock, in microseconds.
qint64 libvlcClockUs();

} // namespace zendrix
