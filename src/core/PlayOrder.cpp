#include "PlayOrder.h"

namespace zendrix {

PlayOrder::PlayOrder(ListControl& list, RepeatSetting& repeat, SwitchSetting& shuffle, std::uint32_t seed)
    : m_list(list), m_repeat(repeat), m_shuffle(shuffle), m_rounds(seed)
{
    connect(&m_list, &ListControl::inserted, this,
            [this](int first, int last) { m_rounds.afterInsertion(first, last); });
    connect(&m_list, &ListControl::removed, this, [this](int first, int last) {
        m_queue.afterRemoval(first, last);
        m_rounds.afterRemoval(first, last);
    });
    connect(&m_list, &ListControl::rearranged, this, [this](const QList<int>& order) {
        m_queue.afterRearrangement(order);
        m_rounds.afterRearrangement(order);
    });
    connect(&m_list, &ListControl::reset, this, [this] {
        m_queue.clear();
        m_rounds.clear();
    });
    // Turned on, Shuffle Play begins a round of its own; turned off, the list's order rules again.
    connect(&m_shuffle, &SwitchSetting::changed, this, [this] { m_rounds.clear(); });
}

std::optional<int> PlayOrder::takeNext(int current, bool fromPlaylist)
{
    const int count = m_list.ListCount();
    while (const std::optional<int> queued = m_queue.takeFirst()) {
        if (*queued < count)
            return queued;
    }
    if (shuffles() && fromPlaylist)
        return m_rounds.takeNext(current, count, m_repeat.isOn());
    return std::nullopt;
}

std::optional<bool> PlayOrder::hasNext(bool fromPlaylist) const
{
    if (!m_queue.isEmpty())
        return true;
    if (shuffles() && fromPlaylist)
        return m_rounds.hasNext(m_list.ListCount(), m_repeat.isOn());
    return std::nullopt;
}

std::optional<int> PlayOrder::takePrevious(bool fromPlaylist)
{
    if (!shuffles() || !fromPlaylist)
        return std::nullopt;
    return m_rounds.takePrevious();
}

std::optional<bool> PlayOrder::hasPrevious(bool fromPlaylist) const
{
    if (!shuffles() || !fromPlaylist)
        return std::nullopt;
    return m_rounds.hasPrevious();
}

void PlayOrder::started(int index)
{
    m_queue.remove(index);
    if (shuffles())
        m_rounds.started(index, m_list.ListCount());
}

} // namespace zendrix
