#include "Layouts.h"

#include "platform/Picture.h"

namespace zendrix::layouts {

namespace {

const QString kTahoma = QStringLiteral("Tahoma");
const QColor kWhite(255, 255, 255);

QString asset(const char* name)
{
    return QStringLiteral(":/layouts/") + QLatin1String(name);
}

Picture designPicture(const QString& path)
{
    auto picture = Picture::load(path);
    return picture ? *picture : Picture();
}

Button button(const char* name, QRect rect, const char* icon, const char* accessibleName, const QString& caption = {})
{
    return Button{QLatin1String(name), rect, standardButton(asset(icon), caption), QLatin1String(accessibleName)};
}

Label label(const char* name, QRect rect, const char* caption, FontChoice font, Qt::Alignment alignment, QColor color)
{
    return Label{QLatin1String(name), rect, QLatin1String(caption), std::move(font), alignment, color};
}

}  // namespace

PropertyBag standardButton(const QString& icon, const QString& caption)
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSizeF(8.25);

    PropertyBag bag;
    bag.write(QStringLiteral("btype"), 14);
    bag.write(QStringLiteral("tx"), caption);
    bag.write(QStringLiteral("enab"), true);
    bag.write(QStringLiteral("font"), font);
    bag.write(QStringLiteral("coltype"), 1);
    bag.write(QStringLiteral("focusr"), true);
    bag.write(QStringLiteral("bcol"), 0xE3DFE0);
    bag.write(QStringLiteral("bcolo"), 0xE3DFE0);
    bag.write(QStringLiteral("fcol"), 0x000000);
    bag.write(QStringLiteral("fcolo"), 0x000000);
    bag.write(QStringLiteral("mcol"), 0xC0C0C0);
    bag.write(QStringLiteral("mptr"), 1);
    if (!icon.isEmpty())
        bag.write(QStringLiteral("picn"), QVariant::fromValue(designPicture(icon)));
    bag.write(QStringLiteral("umcol"), true);
    bag.write(QStringLiteral("soft"), false);
    bag.write(QStringLiteral("picpos"), 0);
    bag.write(QStringLiteral("ngrey"), false);
    bag.write(QStringLiteral("fx"), 0);
    bag.write(QStringLiteral("hand"), false);
    bag.write(QStringLiteral("check"), false);
    return bag;
}

const MainWindow& frmMain()
{
    static const MainWindow layout = [] {
        MainWindow l;
        l.window = {QStringLiteral("frmMain"), QSize(425, 71), QStringLiteral("Zendrix"), asset("zendrix.ico"), {},
                    QStringLiteral("Zendrix")};
        l.cmdControls = {
            button("cmdControls(0)", QRect(50, 7, 36, 20), "play.ico", "Play"),      // 757, 105, 540, 300 twips
            button("cmdControls(1)", QRect(93, 7, 20, 20), "next.ico", "Next"),
            button("cmdControls(2)", QRect(24, 7, 20, 20), "previous.ico", "Previous"),
            button("cmdControls(3)", QRect(50, 28, 36, 20), "stop.ico", "Stop"),     // 757, 420, 540, 300 twips
            button("cmdControls(4)", QRect(93, 28, 20, 20), "forward.ico", "Fast Forward"),
            button("cmdControls(5)", QRect(24, 28, 20, 20), "rewind.ico", "Rewind"),
        };
        l.cmdBrowse = button("cmdBrowse", QRect(136, 30, 65, 17), "eject.ico", "Open");
        // The digit font is not shipped: where it is not installed the clock shows in bold Tahoma of a size
        // that fits the same boxes.
        const FontChoice digits{QStringLiteral("Pocket Calculator"), 20.25, false, kTahoma, 15.75, true};
        const FontChoice separator{kTahoma, 14.25, true};
        l.lblFilename = label("lblFilename", QRect(136, 8, 281, 15), "[No File]", {kTahoma, 8.25, true},
                              Qt::AlignHCenter, kWhite);  // 2033, 120, 4215, 225 twips
        l.lblHours = label("lblHours", QRect(232, 27, 24, 27), "00", digits, Qt::AlignHCenter, kWhite);
        l.lblSep1 = label("lblSep1", QRect(256, 27, 7, 23), ":", separator, Qt::AlignHCenter, kWhite);
        l.lblMinutes = label("lblMinutes", QRect(264, 27, 24, 27), "00", digits, Qt::AlignHCenter, kWhite);
        l.lblSep2 = label("lblSep2", QRect(288, 27, 7, 23), ":", separator, Qt::AlignHCenter, kWhite);
        l.lblSeconds = label("lblSeconds", QRect(296, 27, 24, 27), "00", digits, Qt::AlignHCenter, kWhite);
        l.lblTiming = label("lblTiming", QRect(360, 31, 57, 15), "(00:00:00)", {kTahoma, 8.25, false},
                            Qt::AlignRight, kWhite);
        l.scrollTiming = {QStringLiteral("scrollTiming"), QRect(136, 52, 280, 9), 100, QStringLiteral("Position")};
        l.scrollVolume = {QStringLiteral("scrollVolume"), QRect(24, 52, 89, 9), 100, QStringLiteral("Volume")};
        l.Image2 = {QStringLiteral("Image2"), QRect(8, 48, 16, 15), asset("speaker-left.gif")};
        l.Image1 = {QStringLiteral("Image1"), QRect(112, 48, 16, 15), asset("speaker-right.gif")};
        l.Line1 = QLine(132, 7, 132, 64);
        l.lineColor = QColor(200, 200, 200);  // the desktop's system colour 0
        l.timerInterval = 1000;
        return l;
    }();
    return layout;
}

const TitleStrip& frmTitle()
{
    static const TitleStrip layout = [] {
        TitleStrip l;
        l.window = {QStringLiteral("frmTitle"), QSize(425, 28), QStringLiteral("Zendrix"), asset("zendrix.ico"), {},
                    QStringLiteral("Title Strip")};
        l.imgIcon = {QStringLiteral("imgIcon"), QRect(0, 0, 33, 28), asset("zendrix.ico")};
        // One row at y 6; 17 x 16 buttons (255 x 240 twips), the playlist button 16 x 16 at 6010 twips.
        l.cmdAbout = button("cmdAbout", QRect(40, 6, 17, 16), "about.ico", "About");
        l.cmdHelp = button("cmdHelp", QRect(64, 6, 17, 16), "help.ico", "Help");
        l.cmdInfo = button("cmdInfo", QRect(88, 6, 17, 16), "info.ico", "Information");
        l.cmdSettings = button("cmdSettings", QRect(328, 6, 17, 16), "settings.ico", "Settings");
        l.cmdScreen = button("cmdScreen", QRect(352, 6, 17, 16), "screen.ico", "Video");
        l.cmdExit = button("cmdExit", QRect(376, 6, 17, 16), "exit.ico", "Exit");
        l.cmdPlaylist = button("cmdPlaylist", QRect(401, 6, 16, 16), "listopen.ico", "Playlist");
        return l;
    }();
    return layout;
}

const VideoWindow& frmVideo()
{
    static const VideoWindow layout = [] {
        VideoWindow l;
        l.window = {QStringLiteral("frmVideo"), QSize(425, 239), {}, asset("zendrix.ico"), {}, QStringLiteral("Video")};
        l.wmp = QRect(0, 0, 425, 240);  // stored extent 11245 x 6350 hundredths of a millimetre
        return l;
    }();
    return layout;
}

const PopupHost& frmPopup()
{
    static const PopupHost layout = [] {
        PopupHost l;
        l.window = {QStringLiteral("frmPopup"), QSize(0, 0), {}, asset("zendrix.ico"), {}, {}};
        l.menuName = QStringLiteral("mnuDVD");
        l.menuCaption = QStringLiteral("DVD");
        l.items = {
            {QStringLiteral("mnuDVDBack"), QStringLiteral("Back")},
            {QStringLiteral("mnuDVDResume"), QStringLiteral("Resume")},
            {QStringLiteral("mnuDVDLine"), QStringLiteral("-")},
            {QStringLiteral("mnuDVDTitle"), QStringLiteral("Title Menu")},
            {QStringLiteral("mnuDVDTop"), QStringLiteral("Top Menu")},
        };
        return l;
    }();
    return layout;
}

const PlaylistWindow& frmPlaylist()
{
    static const PlaylistWindow layout = [] {
        PlaylistWindow l;
        l.window = {QStringLiteral("frmPlaylist"), QSize(233, 338), QStringLiteral("Zendrix"), {}, {},
                    QStringLiteral("Playlist")};
        l.imgBack = {QStringLiteral("imgBack"), QRect(0, 0, 233, 338), {}};
        l.txtName = {QStringLiteral("txtName"), QRect(8, 13, 217, 19), {kTahoma, 8.25, false},
                     QStringLiteral("Playlist Name")};
        l.lstPlaylist = {QStringLiteral("lstPlaylist"), QRect(8, 40, 217, 225), {kTahoma, 8.25, false},
                         QStringLiteral("Entries")};
        l.chkRepeat = {QStringLiteral("chkRepeat"), QRect(8, 272, 73, 13), QStringLiteral("Repeat"),
                       {kTahoma, 8.25, false}, kWhite, QColor(0, 0, 0)};
        l.lblFilename = label("lblFilename", QRect(8, 303, 217, 15), "[No File]", {kTahoma, 8.25, false},
                              Qt::AlignLeft, QColor(0, 0, 0));
        l.lblFilename.background = QColor(240, 240, 240);  // an opaque label on the window's colour
        l.cmdRemove = button("cmdRemove", QRect(8, 320, 41, 17), "remove.ico", "Remove");
        l.cmdAdd = button("cmdAdd", QRect(56, 320, 41, 17), "add.ico", "Add");
        l.cmdSave = button("cmdSave", QRect(136, 320, 41, 17), "save.ico", "Save Playlist");
        l.cmdBrowse = button("cmdBrowse", QRect(184, 320, 41, 17), "eject.ico", "Open Playlist");
        return l;
    }();
    return layout;
}

const SettingsWindow& frmSettings()
{
    static const SettingsWindow layout = [] {
        SettingsWindow l;
        l.window = {QStringLiteral("frmSettings"), QSize(233, 338), QStringLiteral("Zendrix"), {}, {},
                    QStringLiteral("Settings")};
        l.imgBack = {QStringLiteral("imgBack"), QRect(0, 0, 233, 338), {}};
        l.lblSettings = label("lblSettings", QRect(76, 8, 81, 23), "Settings", {kTahoma, 14.25, true},
                              Qt::AlignHCenter, QColor(0, 0, 0));
        l.cmdExit = button("cmdExit", QRect(208, 11, 17, 16), "exit.ico", "Close");
        l.lblSkin = label("lblSkin", QRect(8, 40, 49, 15), "Skin:", {kTahoma, 8.25, false}, Qt::AlignLeft, kWhite);
        l.lstSkin = {QStringLiteral("lstSkin"), QRect(8, 64, 217, 30), {kTahoma, 8.25, false}, QStringLiteral("Skins")};
        QFont tahoma(kTahoma);
        tahoma.setPointSizeF(8.25);
        l.cmdOk = button("cmdOk", QRect(28, 312, 65, 16), "ok.ico", "OK", QStringLiteral("Ok"));
        l.cmdOk.properties.write(QStringLiteral("font"), tahoma);
        l.cmdOk.properties.write(QStringLiteral("fcolo"), 0xFF0000);
        l.cmdCancel = button("cmdCancel", QRect(140, 312, 65, 16), "exit.ico", "Cancel", QStringLiteral("Cancel"));
        l.cmdCancel.properties.write(QStringLiteral("font"), tahoma);
        l.cmdCancel.properties.write(QStringLiteral("fcolo"), 0xFF0000);
        return l;
    }();
    return layout;
}

const EqualizerWindow& frmEqualizer()
{
    static const EqualizerWindow layout = [] {
        EqualizerWindow l;
        l.window = {QStringLiteral("frmEqualizer"), QSize(400, 236), QStringLiteral("Equalizer"), {}, {},
                    QStringLiteral("Equalizer")};
        l.imgBack = {QStringLiteral("imgBack"), QRect(0, 0, 400, 236), {}};
        // Over the band of light at the top of the skin's picture, as the settings window's title.
        l.lblEqualizer = label("lblEqualizer", QRect(140, 3, 120, 20), "Equalizer", {kTahoma, 12, true},
                               Qt::AlignHCenter, QColor(0, 0, 0));
        l.cmdExit = button("cmdExit", QRect(375, 11, 17, 16), "exit.ico", "Close");
        l.chkEnabled = {QStringLiteral("chkEnabled"),
                        QRect(8, 43, 73, 15),
                        QStringLiteral("&Enabled"),
                        {kTahoma, 8.25, false},
                        kWhite,
                        QColor(0, 0, 0)};
        l.lblPreset = label("lblPreset", QRect(104, 44, 40, 15), "Preset:", {kTahoma, 8.25, false},
                            Qt::AlignLeft, kWhite);
        l.cboPreset = {QStringLiteral("cboPreset"),
                       QRect(146, 40, 150, 21),
                       {kTahoma, 8.25, false},
                       QStringLiteral("Preset")};
        QFont tahoma(kTahoma);
        tahoma.setPointSizeF(8.25);
        l.cmdReset = Button{QStringLiteral("cmdReset"), QRect(327, 42, 65, 16),
                            standardButton(QString(), QStringLiteral("&Reset")), QStringLiteral("Reset")};
        l.cmdReset.properties.write(QStringLiteral("font"), tahoma);
        l.sliders = QRect(8, 72, 384, 156);
        l.gap = 14;
        l.levelFont = {kTahoma, 7, false};
        l.levelColor = kWhite;
        return l;
    }();
    return layout;
}

const InfoWindow& frmInfo()
{
    static const InfoWindow layout = [] {
        InfoWindow l;
        l.window = {QStringLiteral("frmInfo"), QSize(233, 169), QStringLiteral("Zendrix"), {}, {},
                    QStringLiteral("File Information")};
        l.imgBack = {QStringLiteral("imgBack"), QRect(0, 0, 233, 169), {}};
        const FontChoice plain{kTahoma, 8.25, false};
        const FontChoice bold{kTahoma, 8.25, true};
        // Labels sized to their text: only the top-left corner is given.
        l.lblInfo = label("lblInfo", QRect(66, 0, 0, 0), "File Information", {kTahoma, 9.75, true},
                          Qt::AlignHCenter, QColor(0, 0, 0));
        l.lblTitle = label("lblTitle", QRect(105, 24, 0, 0), "N/A", bold, Qt::AlignHCenter, kWhite);
        l.lbl1 = label("lbl1", QRect(16, 48, 0, 0), "Artist: ", plain, Qt::AlignLeft, kWhite);
        l.lblAuthor = label("lblAuthor", QRect(59, 48, 0, 0), "N/A", plain, Qt::AlignLeft, kWhite);
        l.lbl2 = label("lbl2", QRect(16, 72, 0, 0), "Album: ", plain, Qt::AlignLeft, kWhite);
        l.lblAlbum = label("lblAlbum", QRect(59, 72, 0, 0), "N/A", plain, Qt::AlignLeft, kWhite);
        l.lbl3 = label("lbl3", QRect(16, 96, 0, 0), "Genre: ", plain, Qt::AlignLeft, kWhite);
        l.lblGenre = label("lblGenre", QRect(59, 96, 0, 0), "N/A", plain, Qt::AlignLeft, kWhite);
        l.lbl4 = label("lbl4", QRect(16, 120, 0, 0), "Size: ", plain, Qt::AlignLeft, kWhite);
        l.lblSize = label("lblSize", QRect(59, 120, 0, 0), "N/A", plain, Qt::AlignLeft, kWhite);
        return l;
    }();
    return layout;
}

const AboutWindow& frmAbout()
{
    static const AboutWindow layout = [] {
        AboutWindow l;
        l.picIcon = asset("zendrix.ico");
        l.description = QStringLiteral("Multimedia Player");
        l.disclaimer = QStringLiteral(
            "Zendrix is free software, provided as is, without warranty of any kind. Media formats and "
            "discs play through libvlc; their names and marks belong to their owners.");
        return l;
    }();
    return layout;
}

}  // namespace zendrix::layouts
