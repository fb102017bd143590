#include "ListControl.h"

#include "Failure.h"

#include <utility>

#include <numeric>

namespace zendrix {

const QString& ListControl::List(int index) const
{
    if (index < 0 || index >= m_items.size())
        throw Failure(QStringLiteral("Invalid property array index"));
    return m_items[index];
}

void ListControl::setListIndex(int index, Notify notify)
{
    if (index < -1 || index >= m_items.size())
        throw Failure(QStringLiteral("Invalid property value"));
    if (index == m_index)
        return;
    m_index = static_cast<std::int16_t>(index);
    Q_EMIT selectionChanged();
    if (notify == Notify::Yes && Click)
        Click();
}

void ListControl::AddItem(const QString& item)
{
    if (m_items.size() >= kMaxCount)
        throw Failure(QStringLiteral("Out of memory"));
    m_items.append(item);
    Q_EMIT inserted(static_cast<int>(m_items.size()) - 1, static_cast<int>(m_items.size()) - 1);
}

int ListControl::addItems(const QStringList& items)
{
    const int room = kMaxCount - static_cast<int>(m_items.size());
    const int count = std::min(room, static_cast<int>(items.size()));
    if (count <= 0)
        return 0;
    const int first = static_cast<int>(m_items.size());
    m_items.append(items.mid(0, count));
    Q_EMIT inserted(first, first + count - 1);
    return count;
}

void ListControl::RemoveItem(int index)
{
    if (index < 0 || index >= m_items.size())
        throw Failure(QStringLiteral("Invalid procedure call or argument"));
    // The list is whole again before anyone hears of the change: a listener that reads the selection
    // never finds it on an entry that has gone.
    m_items.removeAt(index);
    const bool wasSelected = std::exchange(m_index, std::int16_t(-1)) != -1;
    Q_EMIT removed(index, index);
    if (wasSelected)
        Q_EMIT selectionChanged();
}

void ListControl::Clear()
{
    m_items.clear();
    m_index = -1;
    Q_EMIT reset();
}

void ListControl::rearrange(const QList<int>& order)
{
    QList<bool> taken(m_items.size(), false);
    for (const int old : order) {
        if (old < 0 || old >= m_items.size() || taken[old])
            throw Failure(QStringLiteral("Invalid procedure call or argument"));
        taken[old] = true;
    }
    QStringList items;
    items.reserve(order.size());
    int selected = -1;
    for (qsizetype i = 0; i < order.size(); ++i) {
        items.append(m_items[order[i]]);
        if (order[i] == m_index)
            selected = static_cast<int>(i);
    }
    m_items = std::move(items);
    const bool selectionMoved = selected != m_index;
    m_index = static_cast<std::int16_t>(selected);
    Q_EMIT rearranged(order);
    if (selectionMoved)
        Q_EMIT selectionChanged();
}

void ListControl::moveItem(int from, int to)
{
    const int count = static_cast<int>(m_items.size());
    if (from < 0 || from >= count || to < 0 || to >= count)
        throw Failure(QStringLiteral("Invalid procedure call or argument"));
    if (from == to)
        return;
    QList<int> order(count);
    std::iota(order.begin(), order.end(), 0);
    order.move(from, to);
    rearrange(order);
}

}  // namespace zendrix
