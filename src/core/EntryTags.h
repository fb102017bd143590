#pragma once

#include <QString>
#include <QtGlobal>
#include <functional>

namespace zendrix {

// What a playlist entry's file says of itself, as its tags and the media library read them. An empty
// text is a tag the file does not have; a negative length one that could not be learnt.
struct EntryTags
{
    QString title;
    QString artist;
    qint64 lengthMs = -1;

    bool hasLength() const { return lengthMs >= 0; }
    bool operator==(const EntryTags&) const = default;
};

// The tags known for an entry (a path or an address as the list holds it); nullptr while none are.
using TagLookup = std::function<const EntryTags*(const QString& entry)>;

// The file on this machine an entry names: the entry itself, or the path of a file: URI; "" for an
// address ("http://...", "dvd://...") and for an empty entry.
QString entryLocalPath(const QString& entry);
bool isLocalEntry(const QString& entry);
// The last part of an entry's path ("/music/01 Intro.mp3" gives "01 Intro.mp3"); an address as it is.
QString entryFileName(const QString& entry);
// How an entry is shown with its titles: "Artist - Title", the title alone without an artist, the file
// name without a title.
QString entryDisplayName(const QString& entry, const EntryTags* tags);
// The list in a line, for its tooltip: "12 entries, total 0:41:10", and where some lengths are not
// known "12 entries, total 0:35:02 +2 unknown".
QString listSummary(const QStringList& entries, const TagLookup& tags);
// A length as a clock shows it: "3:25", "1:02:03"; seconds are rounded to the nearest.
QString lengthText(qint64 ms);

} // namespace zendrix
