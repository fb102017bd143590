#include "ForeignPlaylist.h"

#include "Addresses.h"
#include "platform/RegularFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QUrl>
#include <QXmlStreamReader>
#include <algorithm>
#include <utility>
#include <vector>

namespace zendrix {

namespace {

QString decodeText(QByteArrayView bytes, bool utf8)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(bytes.sliced(3));
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        QStringDecoder decoder(bytes.startsWith("\xFF\xFE") ? QStringConverter::Utf16LE
                                                            : QStringConverter::Utf16BE);
        return decoder.decode(bytes.sliced(2));
    }
    if (utf8)
        return QString::fromUtf8(bytes);
    QStringDecoder decoder(QStringConverter::Utf8);
    QString text = decoder.decode(bytes);
    return decoder.hasError() ? QString::fromLatin1(bytes) : text;
}

QStringList linesOf(const QString& text)
{
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\n|\r"));
    return text.split(lineEnd);
}

// Whether the list has room for more: it stops being read once it has given its fill of entries.
bool hasRoom(const ForeignEntries& list)
{
    return list.entries.size() < kMaxForeignEntries;
}

void append(ForeignEntries& list, const std::optional<QString>& entry)
{
    if (!entry)
        return;
    if (isAddress(*entry) && !isPlayableAddress(*entry)) {
        if (list.refused.size() < kMaxForeignEntries)
            list.refused.append(*entry);
    } else if (hasRoom(list)) {
        list.entries.append(*entry);
    }
}

ForeignEntries m3uEntries(const QString& text, const QString& folder)
{
    ForeignEntries entries;
    for (const QString& line : linesOf(text)) {
        const QString entry = line.trimmed();
        if (!entry.isEmpty() && !entry.startsWith(QLatin1Char('#')))
            append(entries, resolvePlaylistLine(entry, folder));
    }
    return entries;
}

ForeignEntries plsEntries(const QString& text, const QString& folder)
{
    std::vector<std::pair<qulonglong, QString>> files;
    for (const QString& line : linesOf(text)) {
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals < 0)
            continue;
        const QString key = line.first(equals).trimmed();
        if (!key.startsWith(QLatin1String("file"), Qt::CaseInsensitive) || key.size() > 4 + 9)
            continue;
        bool number = false;
        const qulonglong n = key.sliced(4).toULongLong(&number);
        if (number && key.size() > 4 && key[4].isDigit())
            files.emplace_back(n, line.sliced(equals + 1).trimmed());
    }
    std::stable_sort(files.begin(), files.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    ForeignEntries entries;
    for (const auto& file : files)
        append(entries, resolvePlaylistLine(file.second, folder));
    return entries;
}

// A location is a URI reference: relative ones are resolved against the list's own place.
std::optional<QString> resolveLocation(const QString& location, const QString& folder)
{
    const QString text = location.trimmed();
    if (text.isEmpty() || text.contains(QChar(0)) || text.contains(QLatin1Char('\n')) ||
        text.contains(QLatin1Char('\r')))
        return std::nullopt;
    const QUrl url(text);
    if (!url.isValid())
        return std::nullopt;
    const QUrl resolved =
        url.isRelative() ? QUrl::fromLocalFile(folder + QLatin1Char('/')).resolved(url) : url;
    if (resolved.isLocalFile())
        return localPathOf(resolved, folder);
    // Only what names a place ("scheme://...") can be played; "mailto:" and the like cannot.
    return isAddress(text) ? std::optional<QString>(text) : std::nullopt;
}

ForeignEntries xspfEntries(QByteArrayView bytes, const QString& folder)
{
    static const QStringList kTrack = {QStringLiteral("playlist"), QStringLiteral("trackList"),
                                       QStringLiteral("track")};
    ForeignEntries entries;
    QXmlStreamReader xml(bytes.toByteArray());
    // The element names from the document's root down to where the reader stands.
    QStringList path;
    bool trackHasLocation = false;
    while (!xml.atEnd() && hasRoom(entries)) {
        switch (xml.readNext()) {
        case QXmlStreamReader::StartElement:
            path.append(xml.name().toString());
            if (path == kTrack)
                trackHasLocation = false;
            if (path.size() == 4 && path[3] == QLatin1String("location") && path.first(3) == kTrack) {
                const QString location = xml.readElementText(QXmlStreamReader::SkipChildElements);
                path.removeLast(); // readElementText has read the end of the element
                if (!trackHasLocation && !xml.hasError())
                    append(entries, resolveLocation(location, folder));
                trackHasLocation = true;
            }
            break;
        case QXmlStreamReader::EndElement:
            if (!path.isEmpty())
                path.removeLast();
            break;
        default:
            break;
        }
    }
    return entries;
}

} // namespace

QStringList foreignPlaylistSuffixes()
{
    return {QStringLiteral("m3u"), QStringLiteral("m3u8"), QStringLiteral("pls"), QStringLiteral("xspf")};
}

std::optional<ForeignFormat> foreignFormatOf(const QString& fileName)
{
    static const ForeignFormat formats[] = {ForeignFormat::M3u, ForeignFormat::M3u, ForeignFormat::Pls,
                                            ForeignFormat::Xspf};
    const qsizetype index = foreignPlaylistSuffixes().indexOf(QFileInfo(fileName).suffix().toLower());
    if (index < 0)
        return std::nullopt;
    return formats[index];
}

ForeignEntries foreignPlaylistEntries(QByteArrayView bytes, ForeignFormat format, const QString& folder,
                                   bool utf8)
{
    switch (format) {
    case ForeignFormat::M3u:
        return m3uEntries(decodeText(bytes, utf8), folder);
    case ForeignFormat::Pls:
        return plsEntries(decodeText(bytes, utf8), folder);
    case ForeignFormat::Xspf:
        return xspfEntries(bytes, folder);
    }
    return {};
}

std::optional<ForeignEntries> readForeignPlaylist(const QString& path)
{
    const std::optional<ForeignFormat> format = foreignFormatOf(path);
    if (!format)
        return std::nullopt;
    QFile file;
    if (!openRegularFile(path, file).opened() || file.size() > kMaxForeignPlaylistBytes)
        return std::nullopt;
    const QFileInfo info(path);
    const QByteArray bytes = file.read(kMaxForeignPlaylistBytes + 1);
    if (bytes.size() > kMaxForeignPlaylistBytes)
        return std::nullopt;
    const bool utf8 = info.suffix().compare(QLatin1String("m3u8"), Qt::CaseInsensitive) == 0;
    return foreignPlaylistEntries(bytes, *format, info.absolutePath(), utf8);
}

} // namespace zendrix
