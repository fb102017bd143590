#include "modINI.h"

#include "platform/AtomicFile.h"

#include <QFile>
#include <optional>
#include <vector>

namespace zendrix {

namespace {

constexpr qsizetype kMaxValueLength = 254;
const QByteArray kLineEnd = QByteArrayLiteral("\r\n");

// One line of the file: its text without the line end, and where the line end stops.
struct Line
{
    QByteArrayView text;
    qsizetype end = 0;  // offset just past the line end (or the end of the file)
};

// Splits at CR LF, a lone CR or a lone LF.
std::vector<Line> splitLines(const QByteArray& bytes)
{
    std::vector<Line> lines;
    const qsizetype size = bytes.size();
    qsizetype start = 0;
    while (start < size) {
        qsizetype pos = start;
        while (pos < size && bytes[pos] != '\r' && bytes[pos] != '\n')
            ++pos;
        qsizetype end = pos;
        if (end < size) {
            end += (bytes[end] == '\r' && end + 1 < size && bytes[end + 1] == '\n') ? 2 : 1;
        }
        lines.push_back({QByteArrayView(bytes.constData() + start, pos - start), end});
        start = end;
    }
    return lines;
}

QByteArrayView trimmed(QByteArrayView text)
{
    auto blank = [](char c) { return c == ' ' || c == '\t'; };
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && blank(text[begin]))
        ++begin;
    while (end > begin && blank(text[end - 1]))
        --end;
    return text.sliced(begin, end - begin);
}

bool sameName(QByteArrayView stored, const QString& wanted)
{
    return QString::fromLocal8Bit(stored).compare(wanted, Qt::CaseInsensitive) == 0;
}

// A section header's name, or nothing when the line is not a header. A header missing its ']' names
// everything after the '['.
std::optional<QByteArrayView> sectionName(QByteArrayView line)
{
    const QByteArrayView text = trimmed(line);
    if (text.isEmpty() || text[0] != '[')
        return std::nullopt;
    QByteArrayView name = text.sliced(1);
    const qsizetype close = name.indexOf(']');
    if (close >= 0)
        name = name.first(close);
    return trimmed(name);
}

struct KeyLine
{
    QByteArrayView key;
    QByteArrayView value;
};

std::optional<KeyLine> keyLine(QByteArrayView line)
{
    const qsizetype equals = line.indexOf('=');
    if (equals < 0)
        return std::nullopt;
    return KeyLine{trimmed(line.first(equals)), trimmed(line.sliced(equals + 1))};
}

// Where a key lives in the file, as line indices; -1 for what was not found.
struct Place
{
    int section = -1;      // the section's header line
    int lastInSection = -1;  // the last non-blank line of that section
    int key = -1;          // the key's line
};

Place locate(const std::vector<Line>& lines, const QString& section, const QString& key)
{
    Place place;
    for (int i = 0; i < static_cast<int>(lines.size()); ++i) {
        const QByteArrayView text = lines[static_cast<std::size_t>(i)].text;
        if (const auto name = sectionName(text)) {
            if (place.section >= 0)
                break;  // only the first section of that name counts
            if (sameName(*name, section))
                place.section = place.lastInSection = i;
            continue;
        }
        if (place.section < 0)
            continue;
        if (!trimmed(text).isEmpty())
            place.lastInSection = i;
        const auto entry = keyLine(text);
        if (entry && sameName(entry->key, key)) {
            place.key = i;
            break;
        }
    }
    return place;
}

}  // namespace

std::optional<QString> iniValue(const QByteArray& bytes, const QString& section, const QString& key)
{
    const std::vector<Line> lines = splitLines(bytes);
    const Place place = locate(lines, section, key);
    if (place.key < 0)
        return std::nullopt;
    return QString::fromLocal8Bit(keyLine(lines[static_cast<std::size_t>(place.key)].text)->value);
}

QString ReadINI(const QString& file, const QString& section, const QString& key, const QString& defaultValue)
{
    QString value = defaultValue;
    QFile in(file);
    if (in.open(QIODevice::ReadOnly))
        value = iniValue(in.readAll(), section, key).value_or(defaultValue);
    return value.left(kMaxValueLength);
}

QByteArray withINIValue(const QByteArray& bytes, const QString& section, const QString& key, const QString& value)
{
    QString oneLine = value;
    oneLine.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    const QByteArray entry = key.toLocal8Bit() + '=' + oneLine.toLocal8Bit();

    const std::vector<Line> lines = splitLines(bytes);
    const Place place = locate(lines, section, key);
    auto lineStart = [&](int i) { return i == 0 ? qsizetype(0) : lines[static_cast<std::size_t>(i - 1)].end; };

    QByteArray out;
    out.reserve(bytes.size() + entry.size() + section.size() + 8);
    if (place.key >= 0) {
        const Line& line = lines[static_cast<std::size_t>(place.key)];
        const qsizetype start = lineStart(place.key);
        out.append(bytes.constData(), start);
        out.append(entry);
        out.append(bytes.constData() + start + line.text.size(), bytes.size() - start - line.text.size());
    } else if (place.section >= 0) {
        const Line& last = lines[static_cast<std::size_t>(place.lastInSection)];
        const qsizetype textEnd = lineStart(place.lastInSection) + last.text.size();
        out.append(bytes.constData(), last.end);
        if (last.end == textEnd)  // the section's last line ends the file without a line end
            out.append(kLineEnd);
        out.append(entry).append(kLineEnd);
        out.append(bytes.constData() + last.end, bytes.size() - last.end);
    } else {
        out = bytes;
        if (!out.isEmpty() && !out.endsWith('\n') && !out.endsWith('\r'))
            out.append(kLineEnd);
        out.append('[').append(section.toLocal8Bit()).append(']').append(kLineEnd);
        out.append(entry).append(kLineEnd);
    }
    return out;
}

void WriteINI(const QString& file, const QString& section, const QString& key, const QString& value)
{
    QByteArray bytes;
    QFile in(file);
    if (in.exists()) {
        if (!in.open(QIODevice::ReadOnly))
            return;  // never replace a file we could not read
        bytes = in.readAll();
        in.close();
    }
    (void)writeFileAtomically(file, withINIValue(bytes, section, key, value));  // a failed write is silent by design
}

}  // namespace zendrix
