#include "LevelMeter.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace zendrix::testing {

namespace {

constexpr double kSilence = -200;
constexpr double kFullScale = 32768.0;

// A full-scale sine has a mean square of 1/2: it reads 0 dB.
double decibels(double meanSquare)
{
    return meanSquare > 0 ? 10 * std::log10(2 * meanSquare) : kSilence;
}

} // namespace

int LevelMeter::items() const
{
    const std::lock_guard lock(m_mutex);
    return m_items;
}

unsigned LevelMeter::rate() const
{
    const std::lock_guard lock(m_mutex);
    return m_rate;
}

qsizetype LevelMeter::samples() const
{
    const std::lock_guard lock(m_mutex);
    return qsizetype(m_samples.size());
}

double LevelMeter::levelDb(qsizetype from, qsizetype to) const
{
    const std::lock_guard lock(m_mutex);
    to = std::min(to, qsizetype(m_samples.size()));
    if (from < 0 || to <= from)
        return kSilence;
    double sum = 0;
    for (qsizetype i = from; i < to; ++i) {
        const double sample = m_samples[std::size_t(i)] / kFullScale;
        sum += sample * sample;
    }
    return decibels(sum / double(to - from));
}

double LevelMeter::toneDb(qsizetype from, qsizetype to, double hertz) const
{
    // Goertzel's filter: the power of the one frequency, as a mean square of its sine.
    const std::lock_guard lock(m_mutex);
    to = std::min(to, qsizetype(m_samples.size()));
    if (from < 0 || to <= from)
        return kSilence;
    const double omega = 2 * std::numbers::pi * hertz / m_rate;
    const double coefficient = 2 * std::cos(omega);
    double previous = 0, beforePrevious = 0;
    for (qsizetype i = from; i < to; ++i) {
        const double current =
            m_samples[std::size_t(i)] / kFullScale + coefficient * previous - beforePrevious;
        beforePrevious = previous;
        previous = current;
    }
    const double power =
        previous * previous + beforePrevious * beforePrevious - coefficient * previous * beforePrevious;
    const double n = double(to - from);
    // A sine of amplitude A gives a power of (A n / 2)^2, and a mean square of A^2 / 2.
    return decibels(2 * power / (n * n));
}

void LevelMeter::started(unsigned rate)
{
    const std::lock_guard lock(m_mutex);
    ++m_items;
    m_rate = rate > 0 ? rate : 44100;
    if (!m_joined)
        m_samples.clear();
}

void LevelMeter::play(const qint16* samples, unsigned count, qint64)
{
    const std::lock_guard lock(m_mutex);
    m_samples.insert(m_samples.end(), samples, samples + count);
}

} // namespace zendrix::testing
