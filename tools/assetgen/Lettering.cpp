#include "Lettering.h"

#include <QFontDatabase>
#include <QStringList>

namespace zendrix::assetgen {

namespace {

QString fontFamily()
{
    static const QString family = [] {
        const int id = QFontDatabase::addApplicationFont(
            QStringLiteral("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"));
        QFontDatabase::addApplicationFont(
            QStringLiteral("/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"));
        const QStringList families = QFontDatabase::applicationFontFamilies(id);
        return families.isEmpty() ? QStringLiteral("sans-serif") : families.front();
    }();
    return family;
}

} // namespace

QFont letteringFont(int pixelSize, bool bold)
{
    QFont font(fontFamily());
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

} // namespace zendrix::assetgen
