#pragma once

#include "EntryTags.h"

#include <QList>
#include <QStringList>

namespace zendrix {

// Jump to Entry's search: the entries whose title, artist or path hold every word of the typed text,
// without regard to case, in list order. Words are separated by blanks; a text of no words matches every
// entry. Typing on from the last text only narrows the last result, so each keystroke costs a pass over
// the matches so far rather than over the whole list.
class EntryFilter
{
public:
    // `entries` is the list to search, taken as it is now (a later change of the list needs a new filter);
    // `tags` gives titles and artists where known.
    EntryFilter(QStringList entries, TagLookup tags = {});

    // The indices of the entries that match `text`.
    const QList<int>& match(const QString& text);

private:
    bool matches(int index, const QStringList& words) const;

    QStringList m_entries;
    TagLookup m_tags;
    QStringList m_lastWords;
    QList<int> m_matches;
    bool m_matched = false;
};

} // namespace zendrix
