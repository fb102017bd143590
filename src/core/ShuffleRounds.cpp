#include "ShuffleRounds.h"

#include "EntryIndices.h"

#include <algorithm>
#include <numeric>

namespace zendrix {

ShuffleRounds::ShuffleRounds(std::uint32_t seed) : m_random(seed) {}

void ShuffleRounds::beginRound(int first, int count)
{
    const QList<int> before = m_roundOrder;
    QList<int> order(count);
    std::iota(order.begin(), order.end(), 0);
    // A new round after one that ended: an order other than the last, which, from three entries on,
    // does not begin with the entry that has just played. A handful of draws is enough: each is
    // unlucky only with a small chance.
    for (int draw = 0; draw < 16; ++draw) {
        std::shuffle(order.begin(), order.end(), m_random);
        if (first >= 0) {
            std::iter_swap(order.begin(), std::find(order.begin(), order.end(), first));
            break;
        }
        const bool sameAsBefore = order == before && count >= 2;
        const bool repeatsLast = count >= 3 && !m_played.isEmpty() && order.front() == m_played.last();
        if (!sameAsBefore && !repeatsLast)
            break;
    }
    m_roundOrder = order;
    m_played.clear();
    m_pending = order;
    m_running = true;
}

void ShuffleRounds::started(int index, int count)
{
    if (index < 0 || index >= count)
        return;
    if (m_running && !m_played.isEmpty() && m_played.last() == index)
        return; // the round's own choice, taken already
    if (!m_running || m_pending.isEmpty())
        beginRound(index, count);
    m_pending.removeAll(index);
    m_played.removeAll(index);
    m_played.append(index);
}

int ShuffleRounds::takeNext(int current, int count, bool repeat)
{
    if (count <= 0)
        return -1;
    if (!m_running && current >= 0 && current < count)
        started(current, count);
    if (m_pending.isEmpty()) {
        if (!m_running || !repeat) {
            clear();
            return -1;
        }
        beginRound(-1, count);
    }
    const int next = m_pending.takeFirst();
    m_played.append(next);
    return next;
}

bool ShuffleRounds::hasNext(int count, bool repeat) const
{
    if (count <= 0)
        return false;
    return !m_running || !m_pending.isEmpty() || repeat;
}

int ShuffleRounds::takePrevious()
{
    if (m_played.size() < 2)
        return -1;
    m_pending.prepend(m_played.takeLast());
    return m_played.takeLast();
}

void ShuffleRounds::clear()
{
    m_played.clear();
    m_pending.clear();
    m_roundOrder.clear();
    m_running = false;
}

void ShuffleRounds::afterInsertion(int first, int last)
{
    for (int index = first; index <= last; ++index) {
        m_roundOrder.append(index);
        if (!m_running)
            continue;
        std::uniform_int_distribution<qsizetype> place(0, m_pending.size());
        m_pending.insert(place(m_random), index);
    }
}

void ShuffleRounds::afterRemoval(int first, int last)
{
    indicesAfterRemoval(m_played, first, last);
    indicesAfterRemoval(m_pending, first, last);
    indicesAfterRemoval(m_roundOrder, first, last);
}

void ShuffleRounds::afterRearrangement(const QList<int>& order)
{
    indicesAfterRearrangement(m_played, order);
    indicesAfterRearrangement(m_pending, order);
    indicesAfterRearrangement(m_roundOrder, order);
}

} // namespace zendrix
