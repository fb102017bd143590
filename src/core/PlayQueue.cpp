#include "PlayQueue.h"

#include "EntryIndices.h"

namespace zendrix {

void PlayQueue::enqueue(int index)
{
    if (index < 0 || m_entries.contains(index))
        return;
    m_entries.append(index);
    Q_EMIT changed();
}

void PlayQueue::remove(int index)
{
    if (m_entries.removeAll(index) > 0)
        Q_EMIT changed();
}

std::optional<int> PlayQueue::takeFirst()
{
    if (m_entries.isEmpty())
        return std::nullopt;
    const int first = m_entries.takeFirst();
    Q_EMIT changed();
    return first;
}

int PlayQueue::place(int index) const
{
    return static_cast<int>(m_entries.indexOf(index)) + 1;
}

void PlayQueue::clear()
{
    if (m_entries.isEmpty())
        return;
    m_entries.clear();
    Q_EMIT changed();
}

void PlayQueue::afterRemoval(int first, int last)
{
    if (m_entries.isEmpty())
        return;
    indicesAfterRemoval(m_entries, first, last);
    Q_EMIT changed();
}

void PlayQueue::afterRearrangement(const QList<int>& order)
{
    if (m_entries.isEmpty())
        return;
    indicesAfterRearrangement(m_entries, order);
    Q_EMIT changed();
}

} // namespace zendrix
