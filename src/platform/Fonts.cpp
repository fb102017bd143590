#include "Fonts.h"

#include <QFile>
#include <QFontDatabase>
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
