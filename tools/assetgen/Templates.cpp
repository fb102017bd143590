#include "Templates.h"

#include "Lettering.h"
#include "layouts/Layouts.h"

#include <QBuffer>
#include <QFontMetrics>
#include <QPainter>

namespace zendrix::assetgen {

namespace {

using Kind = TemplateControl::Kind;

const QColor kTemplatePaper(0xf0, 0xf0, 0xf0);

TemplateControl button(const layouts::Button& layout)
{
    return {Kind::Button, layout.name, layout.accessibleName, layout.rect};
}

// A label is named by what it shows. One sized to its text is measured in its own font, as the window
// sizes it.
TemplateControl label(const layouts::Label& layout)
{
    QRect rect = layout.rect;
    if (rect.size().isEmpty()) {
        QFont font(layout.font.family);
        font.setPointSizeF(layout.font.points);
        font.setBold(layout.font.bold);
        const QFontMetrics metrics(font);
        rect.setSize(QSize(metrics.horizontalAdvance(layout.caption), metrics.height()));
    }
    // A label with a background of its own covers the picture like a box.
    return {layout.background.isValid() ? Kind::Box : Kind::Label, layout.name, layout.caption.trimmed(),
            rect};
}

TemplateControl bar(const layouts::ScrollBar& layout)
{
    return {Kind::Bar, layout.name, layout.accessibleName, layout.rect};
}

TemplateControl box(const QString& name, const QString& shown, const QRect& rect)
{
    return {Kind::Box, name, shown, rect};
}

QColor kindColour(Kind kind)
{
    switch (kind) {
    case Kind::Button:
        return QColor(0xc6, 0x28, 0x28);
    case Kind::Label:
        return QColor(0x15, 0x65, 0xc0);
    case Kind::Bar:
        return QColor(0x2e, 0x7d, 0x32);
    case Kind::Image:
        return QColor(0x6a, 0x1b, 0x9a);
    case Kind::Box:
        return QColor(0xe6, 0x51, 0x00);
    case Kind::Line:
        return QColor(0x5d, 0x40, 0x37);
    }
    return Qt::black;
}

struct Lettering
{
    QFont font;
    int flags;
};

// The largest lettering up to 11 pixels (times the scale), and never below 4, in which the text fits the
// space: on one line, or broken between words, or, for a long word in a small button, anywhere.
Lettering fittingLettering(const QString& text, const QRect& space, int scale)
{
    for (const int wrap : {int(Qt::TextWordWrap), int(Qt::TextWrapAnywhere)}) {
        const int flags = Qt::AlignCenter | wrap;
        for (int size = 11 * scale; size >= 4 * scale; --size) {
            const QFont font = letteringFont(size);
            const QRect needed = QFontMetrics(font).boundingRect(space, flags, text);
            if (needed.width() <= space.width() && needed.height() <= space.height())
                return {font, flags};
        }
    }
    return {letteringFont(4 * scale), Qt::AlignCenter | Qt::TextWordWrap};
}

} // namespace

std::vector<WindowTemplate> windowTemplates()
{
    std::vector<WindowTemplate> windows;

    const layouts::MainWindow& main = layouts::frmMain();
    WindowTemplate mainWindow{QStringLiteral("main"),
                              main.window.name,
                              QStringLiteral("zendrix.zsk"),
                              main.window.client,
                              false,
                              {}};
    for (const layouts::Button& control : main.cmdControls)
        mainWindow.controls.push_back(button(control));
    mainWindow.controls.push_back(button(main.cmdBrowse));
    for (const layouts::Label* control : {&main.lblFilename, &main.lblHours, &main.lblSep1, &main.lblMinutes,
                                          &main.lblSep2, &main.lblSeconds, &main.lblTiming})
        mainWindow.controls.push_back(label(*control));
    mainWindow.controls.push_back(bar(main.scrollTiming));
    mainWindow.controls.push_back(bar(main.scrollVolume));
    for (const layouts::Image* image : {&main.Image2, &main.Image1})
        mainWindow.controls.push_back({Kind::Image, image->name, QStringLiteral("Speaker"), image->rect});
    const QLine line = main.Line1;
    mainWindow.controls.push_back({Kind::Line,
                                   QStringLiteral("Line1"),
                                   {},
                                   QRect(QPoint(line.x1(), line.y1()), QPoint(line.x2(), line.y2() - 1))});
    windows.push_back(mainWindow);

    const layouts::TitleStrip& title = layouts::frmTitle();
    WindowTemplate titleWindow{QStringLiteral("title"),
                               title.window.name,
                               QStringLiteral("title.zsk"),
                               title.window.client,
                               false,
                               {}};
    titleWindow.controls.push_back(
        {Kind::Image, title.imgIcon.name, QStringLiteral("Icon"), title.imgIcon.rect});
    for (const layouts::Button* control :
         {&title.cmdAbout, &title.cmdHelp, &title.cmdInfo, &title.cmdSettings, &title.cmdScreen,
          &title.cmdExit, &title.cmdPlaylist})
        titleWindow.controls.push_back(button(*control));
    windows.push_back(titleWindow);

    const layouts::PlaylistWindow& playlist = layouts::frmPlaylist();
    WindowTemplate playlistWindow{QStringLiteral("playlist"),
                                  playlist.window.name,
                                  QStringLiteral("zendrix.zsk"),
                                  playlist.window.client,
                                  true,
                                  {}};
    playlistWindow.controls.push_back(
        box(playlist.txtName.name, playlist.txtName.accessibleName, playlist.txtName.rect));
    playlistWindow.controls.push_back(
        box(playlist.lstPlaylist.name, playlist.lstPlaylist.accessibleName, playlist.lstPlaylist.rect));
    playlistWindow.controls.push_back(
        box(playlist.chkRepeat.name, playlist.chkRepeat.caption, playlist.chkRepeat.rect));
    playlistWindow.controls.push_back(label(playlist.lblFilename));
    for (const layouts::Button* control :
         {&playlist.cmdRemove, &playlist.cmdAdd, &playlist.cmdSave, &playlist.cmdBrowse})
        playlistWindow.controls.push_back(button(*control));
    windows.push_back(playlistWindow);

    const layouts::SettingsWindow& settings = layouts::frmSettings();
    WindowTemplate settingsWindow{QStringLiteral("settings"),
                                  settings.window.name,
                                  QStringLiteral("zendrix.zsk"),
                                  settings.window.client,
                                  true,
                                  {}};
    settingsWindow.controls.push_back(label(settings.lblSettings));
    settingsWindow.controls.push_back(button(settings.cmdExit));
    settingsWindow.controls.push_back(label(settings.lblSkin));
    settingsWindow.controls.push_back(
        box(settings.lstSkin.name, settings.lstSkin.accessibleName, settings.lstSkin.rect));
    settingsWindow.controls.push_back(button(settings.cmdOk));
    settingsWindow.controls.push_back(button(settings.cmdCancel));
    windows.push_back(settingsWindow);

    const layouts::InfoWindow& info = layouts::frmInfo();
    WindowTemplate infoWindow{QStringLiteral("info"),
                              info.window.name,
                              QStringLiteral("zendrix.zsk"),
                              info.window.client,
                              true,
                              {}};
    for (const layouts::Label* control :
         {&info.lblInfo, &info.lblTitle, &info.lbl1, &info.lblAuthor, &info.lbl2, &info.lblAlbum, &info.lbl3,
          &info.lblGenre, &info.lbl4, &info.lblSize})
        infoWindow.controls.push_back(label(*control));
    windows.push_back(infoWindow);
    return windows;
}

QImage templatePicture(const WindowTemplate& window, int scale)
{
    QImage image(window.size * scale, QImage::Format_RGB32);
    image.fill(kTemplatePaper);
    QPainter painter(&image);
    for (int x = 10; x < window.size.width(); x += 10)
        painter.fillRect(QRect(x * scale, 0, 1, image.height()), QColor(0xdc, 0xdc, 0xdc));
    for (int y = 10; y < window.size.height(); y += 10)
        painter.fillRect(QRect(0, y * scale, image.width(), 1), QColor(0xdc, 0xdc, 0xdc));

    for (const TemplateControl& control : window.controls) {
        const QRect rect(control.rect.topLeft() * scale, control.rect.size() * scale);
        const QColor colour = kindColour(control.kind);
        if (control.kind == Kind::Line) {
            painter.fillRect(rect, colour);
            continue;
        }
        QColor wash = colour;
        wash.setAlpha(36);
        painter.fillRect(rect, wash);
        // The outline's outer edge is the control's own first and last pixels.
        painter.fillRect(QRect(rect.left(), rect.top(), rect.width(), scale), colour);
        painter.fillRect(QRect(rect.left(), rect.bottom() - scale + 1, rect.width(), scale), colour);
        painter.fillRect(QRect(rect.left(), rect.top(), scale, rect.height()), colour);
        painter.fillRect(QRect(rect.right() - scale + 1, rect.top(), scale, rect.height()), colour);
        if (control.shown.isEmpty())
            continue;
        // The name stays inside the outline, cut off where the control is too small for it.
        const QRect inside = rect.adjusted(scale, scale, -scale, -scale);
        painter.save();
        painter.setClipRect(inside);
        const Lettering lettering = fittingLettering(control.shown, inside, scale);
        painter.setFont(lettering.font);
        painter.setPen(colour.darker(140));
        painter.drawText(inside, lettering.flags | Qt::TextDontClip, control.shown);
        painter.restore();
    }
    painter.end();
    return image;
}

std::vector<Asset> templateAssets()
{
    std::vector<Asset> assets;
    for (const WindowTemplate& window : windowTemplates()) {
        for (int scale : {1, 2}) {
            QByteArray bytes;
            QBuffer buffer(&bytes);
            buffer.open(QIODevice::WriteOnly);
            templatePicture(window, scale).save(&buffer, "PNG");
            assets.push_back(
                {window.file + (scale == 1 ? QStringLiteral(".png") : QStringLiteral("@2x.png")), bytes});
        }
    }
    return assets;
}

} // namespace zendrix::assetgen
