#pragma once

#include <QList>
#include <cstdint>
#include <random>

namespace zendrix {

// Shuffle Play's rounds: every entry of the list plays once per round, in a random order. A round begins
// with the entry that plays when it starts (or the one the advance leaves), the others in a random order
// after it; with repeat on, each new round takes an order other than the round before. Entries added
// during a round join it at random places; removed entries leave it. Indices are those of the list;
// the caller keeps them on their entries (afterRemoval, afterRearrangement, afterInsertion).
class ShuffleRounds
{
public:
    explicit ShuffleRounds(std::uint32_t seed = std::random_device{}());

    // An entry of a list of `count` has started: it is played in this round, which begins with it when
    // none runs.
    void started(int index, int count);
    // The entry to play after `current`: the round's next; at the end of a round a new round when
    // `repeat` is on, else -1 (the round is over, and the next start begins another).
    int takeNext(int current, int count, bool repeat);
    bool hasNext(int count, bool repeat) const;
    // The entry played before the current one in this round, which the round then plays again after
    // it; -1 when the current one was the round's first.
    int takePrevious();
    bool hasPrevious() const { return m_played.size() >= 2; }

    void clear();
    void afterInsertion(int first, int last);
    void afterRemoval(int first, int last);
    void afterRearrangement(const QList<int>& order);

    // The round in progress: the entries played so far (the current one last) and those still to come.
    const QList<int>& played() const { return m_played; }
    const QList<int>& pending() const { return m_pending; }

private:
    void beginRound(int first, int count);

    QList<int> m_played;
    QList<int> m_pending;
    QList<int> m_roundOrder; // the whole order of the running round, to make the next one differ
    bool m_running = false;
    std::mt19937 m_random;
};

} // namespace zendrix
