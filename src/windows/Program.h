#pragma once

#include "AboutWindow.h"
#include "core/Host.h"
#include "core/InstallInfo.h"
#include "core/ListControl.h"
#include "core/MediaEngine.h"
#include "core/PlayOrder.h"
#include "core/RepeatSetting.h"
#include "core/Skin.h"
#include "core/SwitchSetting.h"
#include "core/TagCache.h"
#include "core/VideoSurface.h"

#include <QList>
#include <QRect>
#include <QByteArray>
#include <QStringList>
#include <functional>
#include <future>
#include <memory>

namespace zendrix {

class DvdMenu;
class EqualizerWindow;
class Form;
class InfoWindow;
class MainWindow;
class Player;
class PlayerRemote;
class PlayerMenu;
class PlayerOptions;
class PlaylistMemory;
class PlaylistWindow;
class SettingsWindow;
class TitleStrip;
class VideoWindow;

// The running player: its window group, the one media engine on the video window, the one playlist, and
// the desktop services every window reaches. The main window, the video window and the engine exist from
// the start; every other window is made the first time something touches it and then lives until the
// end, but for the settings and About windows, which are made again at every opening.
class Program : public SkinTargets
{
public:
    struct Services
    {
        MessageBoxes& messages;
        FileDialogs& dialogs;
        ProgramExit& exit;
        Shell& shell;
        // The Open URL dialog; unset, the program shows its own.
        AddressDialogs* addresses = nullptr;
    };
    using EngineFactory = std::function<std::unique_ptr<MediaEngine>(VideoSurface&)>;

    Program(Services services, const EngineFactory& makeEngine);
    ~Program() override;

    // The main window's load handling: records the installation, sets the configuration path, loads the
    // skin, places and shows the window group as the settings last left it (kept on the screens, as
    // keepGroupOnScreen keeps it) and sets the volume. A failure after the installation record shows
    // "Error!" and skips the rest; the main window is shown all the same. A skin failure ends the
    // program instead. (The single-instance test comes first, in main(), before the program is made.)
    void Form_Load();

    MainWindow& frmMain() { return *m_main; }
    Player& player() { return *m_player; }
    // The player as the media keys and the desktop's media controls steer it.
    PlayerRemote& remote() { return *m_remote; }
    VideoWindow& frmVideo() { return *m_video; }
    MediaEngine& wmp() { return *m_engine; }
    DvdMenu& frmPopup() { return *m_popup; }
    ListControl& lstPlaylist() { return m_list; }
    PlayOrder& playOrder() { return m_order; }
    TitleStrip& frmTitle();
    PlaylistWindow& frmPlaylist();
    InfoWindow& frmInfo();
    SettingsWindow& frmSettings();
    // The equalizer window, made at its first opening over the skin's background; it lives on hidden.
    EqualizerWindow& frmEqualizer();
    // The player's menu: the main window's and, but for a DVD, the video's.
    PlayerMenu& playerMenu() { return *m_menu; }
    // The options of the player's menu: Resume Where Left Off, Always on Top, Notifications.
    PlayerOptions& options() { return *m_options; }
    // The windows of the group that exist now: main, video, title strip, playlist, information and the
    // equalizer.
    QList<QWidget*> groupWindows() const;
    void showPlayerMenu(const QPoint& globalPosition);
    // Shows the equalizer window, not modal, and brings it to the front.
    void showEqualizer();

    // Acts on the files, folders, playlists and addresses the program is given from `workingFolder`: on
    // its command line, from a second start (takeHandOver), dropped on a window, or from a desktop
    // client. Relative paths are taken from `workingFolder`; what each argument gives is in
    // core/ArgumentResolution.h.
    // - Play: what the arguments give is appended to the playlist window's list as Add does, and the
    //   first of it starts as a playlist entry (selected, so the end-of-item advance walks on through
    //   the rest). A .zdx given alone instead opens as the playlist window's Open does, and its first
    //   entry starts.
    // - Append: appended only, nothing starts and nothing is selected; a lone .zdx is appended too.
    // Arguments that give nothing (missing files, unsupported addresses, unreadable playlists, folders
    // without media) are named in one message box after the rest has been done; so is a list too full
    // for all of it. Nothing of the window group moves; nothing is written to the settings.
    enum class ArgumentUse { Play, Append };
    void openArguments(const QStringList& arguments, const QString& workingFolder,
                       ArgumentUse use = ArgumentUse::Play);

    // A message from a second start (core/HandOver.h): the window group comes to the front, with the
    // token of the launch that started the second start, and the arguments are acted on as
    // openArguments(Play) does. A message that does not decode is ignored.
    void takeHandOver(const QByteArray& message);
    // Brings the shown windows of the group to the front, restoring them when minimised, and makes the
    // main window active, or a window that waits for an answer (a message box, the settings), which
    // comes in front of them. With a launch's `activationToken` the activation goes through
    // activateForLaunch, so that a desktop that keeps programs from taking the focus lets it happen.
    void raiseGroup(const QString& activationToken = {});
    // Makes a window active for a launch's token (platform/StartupNotification.h); without a token as
    // QWidget::activateWindow does. Tests record what it is asked.
    std::function<void(QWidget&, const QString&)> activateForLaunch = activateWidgetForLaunch;
    static void activateWidgetForLaunch(QWidget& window, const QString& activationToken);

    // The arrangement of the group around the main window.
    void placeVideo();
    void placeTitle();
    void placePlaylist();
    void placeInfo();
    // After the group was placed (a window of it shown or hidden, the start): when a shown window would
    // stand partly off every screen, the whole group moves as one onto the screen nearest the main
    // window (groupOntoScreen in core/Arrangement.h) and the main window's new place is stored as a
    // drag stores it. Whether the group moved. While the video fills the screen the group stays.
    bool keepGroupOnScreen();
    // After a drag of the main window: the others jump to their places, the group is kept on the
    // screens and the position is saved.
    void mainWindowMoved();
    // The About and settings windows, modal: these return when the window has closed. The settings
    // window is destroyed then; a skin list that cannot be read at a later opening shows "Error!".
    void showAbout();
    void showSettings();

    MessageBoxes& messages() { return m_services.messages; }
    FileDialogs& dialogs() { return m_services.dialogs; }
    // Ending the program: what plays keeps its place (Resume Where Left Off) and the remembered
    // playlist's last write reaches the disk, then the services' own end.
    ProgramExit& exit() { return m_exitAfterWrites; }
    Shell& shell() { return m_services.shell; }
    AddressDialogs& addresses() { return *m_addresses; }

    // Where Form_Load records the installation; tests point it elsewhere.
    QString installInfoPath = kInstallInfoPath;
    // Where the About window looks for a system information program; tests feed their own.
    SysInfoSources sysInfoSources;
    // The areas of the desktop's screens, in pixels, the primary screen's first: the window group is
    // kept on them. Tests feed their own.
    std::function<QList<QRect>()> screenAreas = desktopScreenAreas;
    static QList<QRect> desktopScreenAreas();

    // SkinTargets
    void setMainPicture(const Picture& picture) override;
    void setPlaylistBack(const Picture& picture) override;
    void setSettingsBack(const Picture& picture) override;
    void setInfoBack(const Picture& picture) override;
    void setTitlePicture(const Picture& picture) override;
    qreal devicePixelRatio() const override;

private:
    // Places every window of the group around the main window: the video window and the title strip,
    // and the playlist and information windows while they are shown.
    void placeGroup();
    // keepGroupOnScreen on the given screens, and without storing the place.
    bool moveGroupOntoScreen(const QList<QRect>& screens);
    bool keepGroupOnScreen(const QList<QRect>& screens);
    // The main window's place as "Top" and "Left" of "Position", in twips.
    void storePosition();
    // After a failed start: the title strip still takes its place by the main window, so that the window
    // commands, Exit among them, can be reached.
    void showTitleStripAfterFailure(const QList<QRect>& screens);
    // Selects the entry and plays it as a playlist entry.
    void startEntry(int index);
    void dropOn(Form& window, ArgumentUse use);
    // A window of the group made just now takes Always on Top as it stands.
    void keepOnTop(QWidget& window);

    // Ending the program keeps the place of what plays and waits for the remembered playlist's last
    // write, which is on its way; every end goes through here rather than through m_services.exit.
    class ExitAfterWrites : public ProgramExit
    {
    public:
        explicit ExitAfterWrites(ProgramExit& exit) : m_exit(exit) {}
        void endNow() override
        {
            if (before)
                before();
            m_exit.endNow();
        }
        std::function<void()> before;

    private:
        ProgramExit& m_exit;
    };
    ExitAfterWrites m_exitAfterWrites;
    Services m_services;
    // Declared in the order they must be made; they end in reverse, the engine before its window.
    std::unique_ptr<VideoWindow> m_video;
    std::unique_ptr<MediaEngine> m_engine;
    std::unique_ptr<DvdMenu> m_popup;
    ListControl m_list;
    RepeatSetting m_repeat;
    SwitchSetting m_shuffle{QStringLiteral("Player"), QStringLiteral("ShufflePlay")};
    SwitchSetting m_showTitles{QStringLiteral("Playlist"), QStringLiteral("ShowTitles")};
    SwitchSetting m_remember{QStringLiteral("Playlist"), QStringLiteral("RememberPlaylist")};
    PlayOrder m_order{m_list, m_repeat, m_shuffle};
    TagCache m_tags;
    std::unique_ptr<Player> m_player;
    std::unique_ptr<PlayerRemote> m_remote;
    std::unique_ptr<MainWindow> m_main;
    std::unique_ptr<PlayerMenu> m_menu;
    std::unique_ptr<PlayerOptions> m_options;
    std::unique_ptr<AddressDialogs> m_ownAddresses;
    AddressDialogs* m_addresses = nullptr;
    std::unique_ptr<TitleStrip> m_title;
    std::unique_ptr<PlaylistWindow> m_playlist;
    std::unique_ptr<InfoWindow> m_info;
    std::unique_ptr<SettingsWindow> m_settings;
    std::unique_ptr<EqualizerWindow> m_equalizer;
    std::unique_ptr<PlaylistMemory> m_memory;
    // The skin's background for the settings and equalizer windows, which are made at their openings.
    Picture m_settingsBack;
    // The installation record, written on a thread of its own; the program waits for it when it ends.
    std::future<void> m_installRecord;
};

}  // namespace zendrix
