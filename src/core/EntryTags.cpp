#include "EntryTags.h"

#include "Addresses.h"

#include <QUrl>
#include <algorithm>

namespace zendrix {

QString entryLocalPath(const QString& entry)
{
    if (entry.isEmpty())
        return {};
    if (!isAddress(entry))
        return entry;
    if (!entry.startsWith(QLatin1String("file:"), Qt::CaseInsensitive))
        return {};
    return localPathOf(QUrl(entry), QStringLiteral("/")).value_or(QString());
}

bool isLocalEntry(const QString& entry)
{
    return !entryLocalPath(entry).isEmpty();
}

QString entryFileName(const QString& entry)
{
    const QString path = entryLocalPath(entry);
    if (path.isEmpty())
        return entry;
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? path : path.mid(slash + 1);
}

QString entryDisplayName(const QString& entry, const EntryTags* tags)
{
    if (!tags || tags->title.isEmpty())
        return entryFileName(entry);
    if (tags->artist.isEmpty())
        return tags->title;
    return tags->artist + QStringLiteral(" - ") + tags->title;
}

QString lengthText(qint64 ms)
{
    const qint64 seconds = (std::max<qint64>(ms, 0) + 500) / 1000;
    const qint64 hours = seconds / 3600;
    const qint64 minutes = seconds / 60 % 60;
    const QString secondsText = QStringLiteral("%1").arg(seconds % 60, 2, 10, QLatin1Char('0'));
    if (hours > 0)
        return QStringLiteral("%1:%2:%3").arg(hours).arg(minutes, 2, 10, QLatin1Char('0')).arg(secondsText);
    return QStringLiteral("%1:%2").arg(minutes).arg(secondsText);
}

QString listSummary(const QStringList& entries, const TagLookup& tags)
{
    qint64 totalMs = 0;
    qsizetype unknown = 0;
    for (const QString& entry : entries) {
        const EntryTags* known = tags ? tags(entry) : nullptr;
        if (known && known->hasLength())
            totalMs += known->lengthMs;
        else
            ++unknown;
    }
    const qint64 seconds = (totalMs + 500) / 1000;
    QString text = QStringLiteral("%1 %2, total %3:%4:%5")
                       .arg(entries.size())
                       .arg(entries.size() == 1 ? QStringLiteral("entry") : QStringLiteral("entries"))
                       .arg(seconds / 3600)
                       .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
                       .arg(seconds % 60, 2, 10, QLatin1Char('0'));
    if (unknown > 0)
        text += QStringLiteral(" +%1 unknown").arg(unknown);
    return text;
}

} // namespace zendrix
