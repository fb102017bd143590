#pragma once

#include <QList>
#include <algorithm>

namespace zendrix {

// Keeping remembered playlist indices (the queue, a shuffle round) on the same entries while the list
// changes under them.

// After entries first..last were removed: indices of those entries go, later ones move up.
inline void indicesAfterRemoval(QList<int>& indices, int first, int last)
{
    const int removed = last - first + 1;
    indices.removeIf([&](int index) { return index >= first && index <= last; });
    for (int& index : indices) {
        if (index > last)
            index -= removed;
    }
}

// After ListControl::rearrange(order): each index follows its entry; entries left out go.
inline void indicesAfterRearrangement(QList<int>& indices, const QList<int>& order)
{
    if (indices.isEmpty())
        return;
    const int oldCount = order.isEmpty() ? 0 : *std::max_element(order.begin(), order.end()) + 1;
    QList<int> newIndex(std::max(oldCount, 0), -1);
    for (int i = 0; i < order.size(); ++i)
        newIndex[order[i]] = i;
    for (int& index : indices)
        index = index >= 0 && index < newIndex.size() ? newIndex[index] : -1;
    indices.removeAll(-1);
}

} // namespace zendrix
