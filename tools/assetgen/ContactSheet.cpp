#include "AssetSet.h"

#include "Lettering.h"
#include "Skins.h"

#include <QBuffer>
#include <QImageReader>
#include <QLinearGradient>
#include <QPainter>

namespace zendrix::assetgen {

namespace {

constexpr int kSheetWidth = 1010;
constexpr int kMargin = 16;
const QColor kPaper(0xf3, 0xf4, 0xf6);
const QColor kInk(0x22, 0x26, 0x2c);

// The sheet's own lettering; the pictures it shows carry none of it.
QFont sheetFont(int pixelSize, bool bold = false)
{
    return letteringFont(pixelSize, bold);
}

class Pictures
{
public:
    explicit Pictures(const std::vector<Asset>& assets) : m_assets(assets) {}

    // The image at `index` inside the file (icons may hold several).
    QImage get(const QString& path, int index = 0) const
    {
        for (const Asset& asset : m_assets) {
            if (asset.path != path)
                continue;
            QByteArray bytes = asset.bytes;
            QBuffer buffer(&bytes);
            buffer.open(QIODevice::ReadOnly);
            QImageReader reader(&buffer);
            if (index > 0 && !reader.jumpToImage(index))
                return {};
            return reader.read().convertToFormat(QImage::Format_ARGB32);
        }
        return {};
    }
    QImage icon(const char* name) const
    {
        const QString design = QStringLiteral("src/layouts/assets/%1.ico").arg(QLatin1String(name));
        const QImage image = get(design);
        return image.isNull() ? get(QStringLiteral("data/Data/Buttons/%1.ico").arg(QLatin1String(name)))
                              : image;
    }

private:
    const std::vector<Asset>& m_assets;
};

void drawCheckerboard(QPainter& painter, const QRect& area, int cell)
{
    painter.save();
    painter.setClipRect(area);
    for (int y = area.top(); y <= area.bottom(); y += cell) {
        for (int x = area.left(); x <= area.right(); x += cell) {
            const bool dark = ((x - area.left()) / cell + (y - area.top()) / cell) % 2;
            painter.fillRect(QRect(x, y, cell, cell),
                             dark ? QColor(0xd6, 0xd9, 0xde) : QColor(0xff, 0xff, 0xff));
        }
    }
    painter.restore();
}

// Something like the buttons' light grey-to-white face, enough to judge an icon on it.
void drawButton(QPainter& painter, const QRect& rect, const QImage& icon, const QString& caption = {})
{
    QLinearGradient face(0, rect.top(), 0, rect.bottom());
    face.setColorAt(0.0, QColor(0xff, 0xff, 0xff));
    face.setColorAt(1.0, QColor(0xd9, 0xd7, 0xd8));
    painter.fillRect(rect, face);
    painter.setPen(QColor(0x80, 0x80, 0x80));
    painter.drawRect(rect.adjusted(0, 0, -1, -1));
    QFont font = sheetFont(11);
    const int textWidth = caption.isEmpty() ? 0 : QFontMetrics(font).horizontalAdvance(caption) + 3;
    const int left = rect.left() + (rect.width() - icon.width() - textWidth) / 2;
    painter.drawImage(QPoint(left, rect.top() + (rect.height() - icon.height()) / 2), icon);
    if (!caption.isEmpty()) {
        painter.setFont(font);
        painter.setPen(Qt::black);
        painter.drawText(QRect(left + icon.width() + 3, rect.top(), textWidth, rect.height()),
                         Qt::AlignVCenter, caption);
    }
}

void drawScrollBar(QPainter& painter, const QRect& rect)
{
    painter.fillRect(rect, QColor(0xe6, 0xe6, 0xe6));
    painter.setPen(QColor(0x8a, 0x8a, 0x8a));
    painter.drawRect(rect.adjusted(0, 0, -1, -1));
    const int knob = rect.height();
    painter.fillRect(QRect(rect.left(), rect.top(), knob, knob), QColor(0xc8, 0xc8, 0xc8));
    painter.fillRect(QRect(rect.right() - knob + 1, rect.top(), knob, knob), QColor(0xc8, 0xc8, 0xc8));
    painter.fillRect(QRect(rect.left() + knob, rect.top() + 1, knob, knob - 2), QColor(0xf8, 0xf8, 0xf8));
}

void drawLabel(QPainter& painter, const QRect& rect, const QString& text, const QColor& colour, int pixelSize,
               bool bold, Qt::Alignment alignment)
{
    painter.setFont(sheetFont(pixelSize, bold));
    painter.setPen(colour);
    painter.drawText(rect, alignment | Qt::AlignTop, text);
}

// The title strip above the main window, with their controls where the layouts put them.
QImage mockWindowGroup(const Pictures& pictures, const QString& skin)
{
    QImage image(425, 28 + 71, QImage::Format_ARGB32);
    QPainter painter(&image);
    painter.drawImage(0, 0, pictures.get(QStringLiteral("data/Data/Skins/%1/title.zsk").arg(skin)));
    painter.drawImage(4, 2, pictures.get(QStringLiteral("src/layouts/assets/zendrix.ico"), 2));
    const std::pair<int, const char*> titleButtons[] = {{40, "about"},     {64, "help"},    {88, "info"},
                                                        {328, "settings"}, {352, "screen"}, {376, "exit"}};
    for (const auto& [left, name] : titleButtons)
        drawButton(painter, QRect(left, 6, 17, 16), pictures.icon(name));
    drawButton(painter, QRect(401, 6, 16, 16), pictures.icon("listopen"));

    painter.translate(0, 28);
    painter.drawImage(0, 0, pictures.get(QStringLiteral("data/Data/Skins/%1/zendrix.zsk").arg(skin)));
    drawButton(painter, QRect(50, 7, 36, 20), pictures.icon("play"));
    drawButton(painter, QRect(93, 7, 20, 20), pictures.icon("next"));
    drawButton(painter, QRect(24, 7, 20, 20), pictures.icon("previous"));
    drawButton(painter, QRect(50, 28, 36, 20), pictures.icon("stop"));
    drawButton(painter, QRect(93, 28, 20, 20), pictures.icon("forward"));
    drawButton(painter, QRect(24, 28, 20, 20), pictures.icon("rewind"));
    drawButton(painter, QRect(136, 30, 65, 17), pictures.icon("eject"));
    drawLabel(painter, QRect(136, 8, 281, 15), QStringLiteral("[No File]"), Qt::white, 11, true,
              Qt::AlignHCenter);
    drawLabel(painter, QRect(232, 27, 88, 27), QStringLiteral("00:00:00"), Qt::white, 20, false,
              Qt::AlignHCenter);
    drawLabel(painter, QRect(360, 31, 57, 15), QStringLiteral("(00:00:00)"), Qt::white, 10, false,
              Qt::AlignRight);
    drawScrollBar(painter, QRect(136, 52, 280, 9));
    drawScrollBar(painter, QRect(24, 52, 89, 9));
    painter.drawImage(8, 48, pictures.get(QStringLiteral("src/layouts/assets/speaker-left.gif")));
    painter.drawImage(112, 48, pictures.get(QStringLiteral("src/layouts/assets/speaker-right.gif")));
    painter.setPen(QColor(0xc8, 0xc8, 0xc8));
    painter.drawLine(132, 7, 132, 64);
    painter.end();
    return image;
}

QImage stretchedPanel(const Pictures& pictures, const QString& skin, int height)
{
    const QImage panel = pictures.get(QStringLiteral("data/Data/Skins/%1/zendrix.zsk").arg(skin));
    return panel.scaled(233, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
        .convertToFormat(QImage::Format_ARGB32);
}

QImage mockPlaylist(const Pictures& pictures, const QString& skin)
{
    QImage image = stretchedPanel(pictures, skin, 338);
    QPainter painter(&image);
    painter.fillRect(QRect(8, 13, 217, 19), Qt::white);
    painter.fillRect(QRect(8, 40, 217, 225), Qt::white);
    drawLabel(painter, QRect(11, 42, 210, 15), QStringLiteral("/home/music/track01.ogg"), Qt::black, 11,
              false, Qt::AlignLeft);
    drawLabel(painter, QRect(24, 272, 60, 13), QStringLiteral("Repeat"), Qt::white, 11, false, Qt::AlignLeft);
    painter.fillRect(QRect(9, 273, 11, 11), Qt::white);
    painter.fillRect(QRect(8, 303, 217, 15), QColor(0xe3, 0xdf, 0xe0));
    drawLabel(painter, QRect(8, 303, 217, 15), QStringLiteral("[No File]"), Qt::black, 11, false,
              Qt::AlignLeft);
    drawButton(painter, QRect(8, 320, 41, 17), pictures.icon("remove"));
    drawButton(painter, QRect(56, 320, 41, 17), pictures.icon("add"));
    drawButton(painter, QRect(136, 320, 41, 17), pictures.icon("save"));
    drawButton(painter, QRect(184, 320, 41, 17), pictures.icon("eject"));
    painter.end();
    return image;
}

QImage mockSettings(const Pictures& pictures, const QString& skin)
{
    QImage image = stretchedPanel(pictures, skin, 338);
    QPainter painter(&image);
    drawLabel(painter, QRect(66, 8, 101, 23), QStringLiteral("Settings"), Qt::black, 19, true,
              Qt::AlignHCenter);
    drawButton(painter, QRect(208, 11, 17, 16), pictures.icon("exit"));
    drawLabel(painter, QRect(8, 40, 49, 15), QStringLiteral("Skin:"), Qt::white, 11, false, Qt::AlignLeft);
    painter.fillRect(QRect(8, 64, 217, 30), Qt::white);
    painter.fillRect(QRect(9, 65, 215, 14), QColor(0x31, 0x6a, 0xc5));
    drawLabel(painter, QRect(11, 65, 200, 14), QStringLiteral("Zendrix"), Qt::white, 11, false,
              Qt::AlignLeft);
    drawLabel(painter, QRect(11, 79, 200, 14), QStringLiteral("Ember"), Qt::black, 11, false, Qt::AlignLeft);
    drawButton(painter, QRect(28, 312, 65, 16), pictures.icon("ok"), QStringLiteral("Ok"));
    drawButton(painter, QRect(140, 312, 65, 16), pictures.icon("exit"), QStringLiteral("Cancel"));
    painter.end();
    return image;
}

QImage mockInformation(const Pictures& pictures, const QString& skin)
{
    QImage image = stretchedPanel(pictures, skin, 169);
    QPainter painter(&image);
    drawLabel(painter, QRect(46, 0, 141, 17), QStringLiteral("File Information"), Qt::black, 13, true,
              Qt::AlignHCenter);
    drawLabel(painter, QRect(85, 24, 60, 15), QStringLiteral("N/A"), Qt::white, 11, true, Qt::AlignHCenter);
    const char* const captions[] = {"Artist: ", "Album: ", "Genre: ", "Size: "};
    for (int row = 0; row < 4; ++row) {
        drawLabel(painter, QRect(16, 48 + 24 * row, 43, 15), QLatin1String(captions[row]), Qt::white, 11,
                  false, Qt::AlignLeft);
        drawLabel(painter, QRect(59, 48 + 24 * row, 100, 15), QStringLiteral("N/A"), Qt::white, 11, false,
                  Qt::AlignLeft);
    }
    painter.end();
    return image;
}

QImage magnified(const QImage& image, int factor)
{
    return image.scaled(image.size() * factor, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

} // namespace

QByteArray contactSheet(const std::vector<Asset>& assets)
{
    const Pictures pictures(assets);
    QStringList iconNames;
    for (const Asset& asset : assets) {
        if (asset.path.endsWith(QLatin1String(".ico")) &&
            !asset.path.endsWith(QLatin1String("zendrix.ico"))) {
            const QString name = asset.path.section(QLatin1Char('/'), -1).chopped(4);
            if (!iconNames.contains(name))
                iconNames << name;
        }
    }
    const std::vector<SkinScheme> skins = skinSchemes();
    const int iconRows = int((iconNames.size() + 7) / 8);
    const int height =
        60 + 30 + iconRows * 96 + 30 + 150 + int(skins.size()) * (40 + 99 + 16 + 338) + kMargin;

    QImage sheet(kSheetWidth, height, QImage::Format_ARGB32);
    sheet.fill(kPaper);
    QPainter painter(&sheet);
    int y = kMargin;
    drawLabel(painter, QRect(kMargin, y, 900, 26), QStringLiteral("Zendrix: the player's pictures"), kInk, 20,
              true, Qt::AlignLeft);
    drawLabel(
        painter, QRect(kMargin, y + 26, 980, 16),
        QStringLiteral(
            "Drawn by tools/assetgen. Icons: on a button face, on the mask grey (192,192,192), and 4x."),
        kInk, 11, false, Qt::AlignLeft);
    y += 60;

    drawLabel(painter, QRect(kMargin, y, 400, 18), QStringLiteral("Button icons"), kInk, 14, true,
              Qt::AlignLeft);
    y += 26;
    for (int i = 0; i < iconNames.size(); ++i) {
        const QPoint cell(kMargin + (i % 8) * 122, y + (i / 8) * 96);
        const QImage icon = pictures.icon(iconNames[i].toLatin1().constData());
        drawLabel(painter, QRect(cell, QSize(118, 14)), iconNames[i], kInk, 11, false, Qt::AlignLeft);
        drawButton(painter, QRect(cell + QPoint(0, 20), QSize(36, 20)), icon);
        painter.fillRect(QRect(cell + QPoint(8, 48), QSize(20, 20)), QColor(192, 192, 192));
        painter.drawImage(cell + QPoint(10, 50), icon);
        drawCheckerboard(painter, QRect(cell + QPoint(44, 18), QSize(64, 64)), 8);
        painter.drawImage(cell + QPoint(44, 18), magnified(icon, 4));
    }
    y += iconRows * 96 + 10;

    drawLabel(painter, QRect(kMargin, y, 600, 18),
              QStringLiteral("Speakers (on the panel) and the program icon"), kInk, 14, true, Qt::AlignLeft);
    y += 26;
    const char* const speakers[] = {"speaker-left", "speaker-right"};
    for (int i = 0; i < 2; ++i) {
        const QImage speaker =
            pictures.get(QStringLiteral("src/layouts/assets/%1.gif").arg(QLatin1String(speakers[i])));
        const QRect back(kMargin + i * 110, y, 100, 100);
        painter.fillRect(back, Qt::black);
        painter.drawImage(back.topLeft() + QPoint(8, 6), speaker);
        painter.drawImage(back.topLeft() + QPoint(8, 30), magnified(speaker, 4));
    }
    int x = kMargin + 240;
    const int sizes[] = {48, 32, 24, 16};
    for (const QColor& background : {QColor(Qt::white), QColor(0x1e, 0x1e, 0x1e)}) {
        painter.fillRect(QRect(x, y, 150, 56), background);
        int ix = x + 6;
        for (int i = 0; i < 4; ++i) {
            const QImage icon = pictures.get(QStringLiteral("src/layouts/assets/zendrix.ico"), i);
            painter.drawImage(ix, y + 4 + (48 - sizes[i]) / 2, icon);
            ix += sizes[i] + 6;
        }
        x += 160;
    }
    painter.drawImage(x, y, magnified(pictures.get(QStringLiteral("src/layouts/assets/zendrix.ico"), 0), 2));
    painter.drawImage(x + 106, y,
                      magnified(pictures.get(QStringLiteral("src/layouts/assets/zendrix.ico"), 3), 6));
    y += 124;

    for (const SkinScheme& skin : skins) {
        drawLabel(painter, QRect(kMargin, y, 900, 18),
                  QStringLiteral(
                      "Skin \"%1\": the windows with their controls, the plain pictures, the panel stretched")
                      .arg(skin.name),
                  kInk, 13, true, Qt::AlignLeft);
        y += 24;
        painter.drawImage(kMargin, y, mockWindowGroup(pictures, skin.name));
        painter.drawImage(kMargin + 445, y,
                          pictures.get(QStringLiteral("data/Data/Skins/%1/title.zsk").arg(skin.name)));
        painter.drawImage(kMargin + 445, y + 28,
                          pictures.get(QStringLiteral("data/Data/Skins/%1/zendrix.zsk").arg(skin.name)));
        y += 99 + 16;
        painter.drawImage(kMargin, y, mockInformation(pictures, skin.name));
        painter.drawImage(kMargin + 253, y, mockPlaylist(pictures, skin.name));
        painter.drawImage(kMargin + 506, y, mockSettings(pictures, skin.name));
        painter.drawImage(
            kMargin + 759, y,
            magnified(pictures.get(QStringLiteral("data/Data/Skins/%1/zendrix.zsk").arg(skin.name))
                          .copy(0, 0, 58, 40),
                      4));
        y += 338 + 16;
    }
    painter.end();

    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    sheet.save(&buffer, "PNG");
    return bytes;
}

} // namespace zendrix::assetgen
