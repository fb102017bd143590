#include "EntryFilter.h"

#include <QRegularExpression>
#include <numeric>

namespace zendrix {

namespace {

QStringList wordsOf(const QString& text)
{
    return text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
}

// Whether every word of `before` is a part of a word of `after` at the same place: then whatever matches
// `after` matched `before`, and only the last matches need looking at.
bool narrows(const QStringList& before, const QStringList& after)
{
    if (after.size() < before.size())
        return false;
    for (qsizetype i = 0; i < before.size(); ++i) {
        if (!after[i].contains(before[i], Qt::CaseInsensitive))
            return false;
    }
    return true;
}

} // namespace

EntryFilter::EntryFilter(QStringList entries, TagLookup tags)
    : m_entries(std::move(entries)), m_tags(std::move(tags))
{}

bool EntryFilter::matches(int index, const QStringList& words) const
{
    const QString& entry = m_entries[index];
    const EntryTags* tags = m_tags ? m_tags(entry) : nullptr;
    for (const QString& word : words) {
        const bool found = entry.contains(word, Qt::CaseInsensitive) ||
                           (tags && (tags->title.contains(word, Qt::CaseInsensitive) ||
                                     tags->artist.contains(word, Qt::CaseInsensitive)));
        if (!found)
            return false;
    }
    return true;
}

const QList<int>& EntryFilter::match(const QString& text)
{
    const QStringList words = wordsOf(text);
    QList<int> candidates;
    if (m_matched && narrows(m_lastWords, words)) {
        candidates = std::move(m_matches);
    } else {
        candidates.resize(m_entries.size());
        std::iota(candidates.begin(), candidates.end(), 0);
    }
    m_matches.clear();
    for (const int index : std::as_const(candidates)) {
        if (matches(index, words))
            m_matches.append(index);
    }
    m_lastWords = words;
    m_matched = true;
    return m_matches;
}

} // namespace zendrix
