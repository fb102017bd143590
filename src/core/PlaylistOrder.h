#pragma once

#include "EntryTags.h"

#include <QList>
#include <QStringList>
#include <functional>
#include <random>

namespace zendrix {

// New orders for the playlist, as lists of the old indices: result[i] is the old index of the entry that
// goes to place i. A result that leaves indices out removes those entries. The list itself is changed
// by ListControl::rearrange, which keeps the current entry current wherever it goes.

enum class SortKey { Title, FileName, Path, Length };

// A stable sort: entries that compare equal keep their order. Names, titles and paths compare in
// natural order ("2 x" before "10 x"), lengths by value. By title and by length, entries whose tags do
// not give the key come after all the others, in path order; for addresses the file name is the
// address.
[[nodiscard]] QList<int> sortedOrder(const QStringList& entries, SortKey key, const TagLookup& tags = {});

// The entries backwards.
[[nodiscard]] QList<int> reversedOrder(qsizetype count);

// A random order of all the entries.
[[nodiscard]] QList<int> shuffledOrder(qsizetype count, std::mt19937& random);

// The entries without later copies of the same path: the first of each stays where it is.
[[nodiscard]] QList<int> withoutDuplicates(const QStringList& entries);

// The entries without those that name a local file that does not exist (`exists` says) and without
// empty ones, which name nothing. Addresses are kept, and so is the entry at `keep` (the current one;
// -1 for none), whatever it names.
[[nodiscard]] QList<int> withoutMissing(const QStringList& entries, int keep,
                                        const std::function<bool(const QString& path)>& exists);

// The entries naming local files that `exists` denies, each once: what withoutMissing would remove
// besides empty entries, found where the disk may be asked (a background thread).
[[nodiscard]] QStringList missingPaths(const QStringList& entries,
                                       const std::function<bool(const QString& path)>& exists);

} // namespace zendrix
