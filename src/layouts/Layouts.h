#pragma once

#include "platform/PropertyBag.h"

#include <QColor>
#include <QFont>
#include <QLine>
#include <QRect>
#include <QSize>
#include <QString>
#include <vector>

// The design-time layout of every window: sizes, control places, texts, fonts, colours, icons, the timer
// and the engine's first settings. Windows are built from these tables; code changes some values at run
// time (skins, icon swaps, label texts), and what is here is the state before any of that.
//
// Places are pixels inside the window's client area (15 twips to a pixel). Pictures are named by
// resource path (":/layouts/play.ico") and loaded by the window that shows them.
namespace zendrix::layouts {

struct FontChoice
{
    QString family;
    double points = 8.25;
    bool bold = false;
    // For a family that is only used where it is installed: what stands in for it elsewhere.
    QString fallbackFamily = {};
    double fallbackPoints = 0;
    bool fallbackBold = false;
};

struct Label
{
    QString name;
    QRect rect;          // an empty size means "sized to its text" at rect's top-left
    QString caption;
    FontChoice font;
    Qt::Alignment alignment = Qt::AlignLeft;
    QColor color = Qt::black;
    QColor background = {};  // invalid: transparent over the window's picture
};

// Accessible names are what a screen reader calls a control or a window: its function, never shown.

struct Button
{
    QString name;
    QRect rect;
    PropertyBag properties;  // the control's stored layout, keys in lower case as stored
    QString accessibleName;
};

struct ScrollBar
{
    QString name;
    QRect rect;
    int max = 0;
    QString accessibleName;
};

struct Image
{
    QString name;
    QRect rect;
    QString picture;  // resource path; empty for a skin picture set at run time
};

struct ListBox
{
    QString name;
    QRect rect;
    FontChoice font;
    QString accessibleName;
};

struct TextBox
{
    QString name;
    QRect rect;
    FontChoice font;
    QString accessibleName;
};

struct CheckBox
{
    QString name;
    QRect rect;
    QString caption;
    FontChoice font;
    QColor foreground;
    QColor background;
};

struct Window
{
    QString name;
    QSize client;
    QString caption;   // seen only where the desktop shows window captions
    QString icon;      // resource path of the window icon; empty for none
    QString picture;   // design background picture (resource path), empty for none
    QString accessibleName;
};

// --- Main window `frmMain` ---
struct MainWindow
{
    Window window;
    std::vector<Button> cmdControls;  // index 0 to 5
    Button cmdBrowse;
    Label lblFilename, lblHours, lblSep1, lblMinutes, lblSep2, lblSeconds, lblTiming;
    ScrollBar scrollTiming, scrollVolume;
    Image Image2, Image1;
    QLine Line1;
    QColor lineColor;
    int timerInterval = 1000;
};
const MainWindow& frmMain();

// --- Title strip `frmTitle` ---
struct TitleStrip
{
    Window window;
    Image imgIcon;
    Button cmdAbout, cmdHelp, cmdInfo, cmdSettings, cmdScreen, cmdExit, cmdPlaylist;
};
const TitleStrip& frmTitle();

// --- Video window `frmVideo` and the engine's first settings ---
struct EngineSettings
{
    QString URL;
    double rate = 1.0;
    int balance = 0;
    double currentPosition = 0;
    int playCount = 1;
    bool autoStart = false;
    bool invokeURLs = true;
    int volume = 50;
    bool mute = false;
    QString uiMode = QStringLiteral("none");
    bool stretchToFit = false;
    bool windowlessVideo = false;
    bool enabled = true;
    bool enableContextMenu = false;
    bool fullScreen = false;
    bool enableErrorDialogs = false;
};
struct VideoWindow
{
    Window window;
    QRect wmp;
    EngineSettings engine;
};
const VideoWindow& frmVideo();

// --- DVD menu host `frmPopup` ---
struct MenuItem
{
    QString name;
    QString caption;  // "-" is a separator
};
struct PopupHost
{
    Window window;
    QString menuName;
    QString menuCaption;
    std::vector<MenuItem> items;
};
const PopupHost& frmPopup();

// --- Playlist window `frmPlaylist` ---
struct PlaylistWindow
{
    Window window;
    Image imgBack;
    TextBox txtName;
    ListBox lstPlaylist;
    CheckBox chkRepeat;
    Label lblFilename;
    Button cmdRemove, cmdAdd, cmdSave, cmdBrowse;
};
const PlaylistWindow& frmPlaylist();

// --- Settings window `frmSettings` ---
struct SettingsWindow
{
    Window window;
    Image imgBack;
    Label lblSettings, lblSkin;
    Button cmdExit, cmdOk, cmdCancel;
    ListBox lstSkin;
};
const SettingsWindow& frmSettings();

// --- Equalizer window `frmEqualizer` ---
struct EqualizerWindow
{
    Window window;
    Image imgBack;
    Label lblEqualizer, lblPreset;
    Button cmdExit, cmdReset;
    CheckBox chkEnabled;
    ListBox cboPreset;
    QRect sliders;        // the preamp's column, a gap, then a column for each band
    int gap = 0;          // between the preamp and the bands
    FontChoice levelFont; // the levels above the sliders and the frequencies below them
    QColor levelColor;
};
const EqualizerWindow& frmEqualizer();

// --- Media information window `frmInfo` ---
struct InfoWindow
{
    Window window;
    Image imgBack;
    Label lblInfo, lblTitle, lbl1, lblAuthor, lbl2, lblAlbum, lbl3, lblGenre, lbl4, lblSize;
};
const InfoWindow& frmInfo();

// --- About window `frmAbout` ---
struct AboutWindow
{
    QString picIcon;
    QString description;
    QString disclaimer;
};
const AboutWindow& frmAbout();

// The stored layout every button of the player starts from: look 14, system colours, MS Sans Serif.
PropertyBag standardButton(const QString& icon, const QString& caption = {});

}  // namespace zendrix::layouts
