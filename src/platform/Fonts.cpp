#include "Fonts.h"

#include <QFile>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QHash>
#include <QRawFont>
#include <QtEndian>
#include <algorithm>
#include <cmath>
#include <fontconfig/fontconfig.h>

namespace zendrix {

std::jthread readFontConfigurationAhead()
{
    return std::jthread([] { FcInit(); });
}

int loadBundledFonts()
{
    static const int registered = [] {
        int count = 0;
        for (const char* name : {"ms_sans_serif.ttf", "tahoma.ttf", "tahomabd.ttf"}) {
            const QString path = QStringLiteral("/usr/share/wine/fonts/") + QLatin1String(name);
            if (QFile::exists(path) && QFontDatabase::addApplicationFont(path) >= 0)
                ++count;
        }
        return count;
    }();
    return registered;
}

int pointsToPixels(double points)
{
    return static_cast<int>(std::lround(points * 96.0 / 72.0));
}

QFont screenFont(const QFont& font)
{
    loadBundledFonts();
    QFont result = font;
    if (font.pointSizeF() > 0)
        result.setPixelSize(std::max(1, pointsToPixels(font.pointSizeF())));
    result.setStyleStrategy(QFont::StyleStrategy(QFont::NoAntialias | QFont::PreferBitmap));
    result.setHintingPreference(QFont::PreferFullHinting);
    return result;
}

LineMetrics lineMetrics(const QFont& font)
{
    // Labels ask for the same few fonts again and again: each font file is read once.
    static QHash<QString, LineMetrics> known;
    const QString key = font.key();
    if (const auto found = known.constFind(key); found != known.constEnd())
        return *found;

    const QFontMetrics metrics(font);
    LineMetrics line{metrics.ascent(), metrics.descent()};
    const QRawFont raw = QRawFont::fromFont(font);
    const QByteArray os2 = raw.fontTable("OS/2");
    constexpr qsizetype kWinAscent = 74;  // then usWinDescent, both unsigned 16-bit, big-endian
    if (raw.isValid() && raw.unitsPerEm() > 0 && os2.size() >= kWinAscent + 4) {
        const auto scaled = [&](qsizetype offset) {
            const quint16 units = qFromBigEndian<quint16>(os2.constData() + offset);
            return static_cast<int>(std::lround(raw.pixelSize() * units / raw.unitsPerEm()));
        };
        line.ascent = std::max(line.ascent, scaled(kWinAscent));
        line.descent = std::max(line.descent, scaled(kWinAscent + 2));
    }
    known.insert(key, line);
    return line;
}

QFont makeFont(const QString& family, double points, bool bold, bool italic, bool underline)
{
    QFont font(family);
    font.setPointSizeF(points);
    font.setBold(bold);
    font.setItalic(italic);
    font.setUnderline(underline);
    return screenFont(font);
}

} // namespace zendrix
