#include "PlaylistOrder.h"

#include "NaturalOrder.h"

#include <QSet>
#include <algorithm>
#include <numeric>

namespace zendrix {

namespace {

QList<int> identity(qsizetype count)
{
    QList<int> order(count);
    std::iota(order.begin(), order.end(), 0);
    return order;
}

// What an entry sorts by: whether it has the key, then the key itself (natural order's key of a text, or
// a length), the path's text for the entries that lack the key.
struct SortItem
{
    bool hasKey = false;
    QString text;
    qint64 length = 0;
};

SortItem sortItem(const QString& entry, SortKey key, const TagLookup& tags)
{
    const EntryTags* tag = tags ? tags(entry) : nullptr;
    switch (key) {
    case SortKey::Title:
        if (tag && !tag->title.isEmpty())
            return {true, naturalKey(tag->title), 0};
        break;
    case SortKey::Length:
        if (tag && tag->hasLength())
            return {true, {}, tag->lengthMs};
        break;
    case SortKey::FileName:
        return {true, naturalKey(entryFileName(entry)), 0};
    case SortKey::Path:
        return {true, naturalKey(entry), 0};
    }
    return {false, naturalKey(entry), 0};
}

} // namespace

QList<int> sortedOrder(const QStringList& entries, SortKey key, const TagLookup& tags)
{
    std::vector<SortItem> items;
    items.reserve(entries.size());
    for (const QString& entry : entries)
        items.push_back(sortItem(entry, key, tags));
    QList<int> order = identity(entries.size());
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        const SortItem& x = items[a];
        const SortItem& y = items[b];
        if (x.hasKey != y.hasKey)
            return x.hasKey;
        if (x.hasKey && key == SortKey::Length)
            return x.length < y.length;
        return x.text < y.text;
    });
    return order;
}

QList<int> reversedOrder(qsizetype count)
{
    QList<int> order = identity(count);
    std::reverse(order.begin(), order.end());
    return order;
}

QList<int> shuffledOrder(qsizetype count, std::mt19937& random)
{
    QList<int> order = identity(count);
    std::shuffle(order.begin(), order.end(), random);
    return order;
}

QList<int> withoutDuplicates(const QStringList& entries)
{
    QList<int> kept;
    kept.reserve(entries.size());
    QSet<QString> seen;
    seen.reserve(entries.size());
    for (qsizetype i = 0; i < entries.size(); ++i) {
        if (seen.contains(entries[i]))
            continue;
        seen.insert(entries[i]);
        kept.append(static_cast<int>(i));
    }
    return kept;
}

QList<int> withoutMissing(const QStringList& entries, int keep,
                          const std::function<bool(const QString& path)>& exists)
{
    QList<int> kept;
    kept.reserve(entries.size());
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const QString& entry = entries[i];
        const bool missing = entry.isEmpty() || (isLocalEntry(entry) && !exists(entryLocalPath(entry)));
        if (i == keep || !missing)
            kept.append(static_cast<int>(i));
    }
    return kept;
}

QStringList missingPaths(const QStringList& entries, const std::function<bool(const QString& path)>& exists)
{
    QStringList missing;
    QSet<QString> asked;
    for (const QString& entry : entries) {
        if (!isLocalEntry(entry) || asked.contains(entry))
            continue;
        asked.insert(entry);
        if (!exists(entryLocalPath(entry)))
            missing.append(entry);
    }
    return missing;
}

} // namespace zendrix
