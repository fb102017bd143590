#include "StreamTitle.h"

#include <algorithm>

namespace zendrix {

QString sanitizedStreamText(const QString& text)
{
    QString result;
    result.reserve(std::min(text.size(), kMaxStreamText));
    bool blank = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isSpace()) {
            blank = !result.isEmpty();
            continue;
        }
        // Control and format characters (among them the marks that turn text right to left) and
        // lone halves of a pair.
        const QChar::Category category = c.category();
        if (category == QChar::Other_Control || category == QChar::Other_Format ||
            (c.isSurrogate() &&
             !(c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())))
            continue;
        const qsizetype width = c.isHighSurrogate() ? 2 : 1;
        if (result.size() + (blank ? 1 : 0) + width > kMaxStreamText)
            break;
        if (blank)
            result.append(QLatin1Char(' '));
        blank = false;
        result.append(text.mid(i, width));
        i += width - 1;
    }
    return result;
}

QString streamTitle(const QString& station, const QString& nowPlaying)
{
    const QString name = sanitizedStreamText(station);
    const QString playing = sanitizedStreamText(nowPlaying);
    if (name.isEmpty() || playing == name)
        return playing;
    if (playing.isEmpty())
        return name;
    return name + QStringLiteral(" - ") + playing;
}

} // namespace zendrix
