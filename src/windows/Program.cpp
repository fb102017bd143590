#include "Program.h"

#include "AboutWindow.h"
#include "DvdMenu.h"
#include "EqualizerWindow.h"
#include "InfoWindow.h"
#include "MainWindow.h"
#include "MediaKeys.h"
#include "OpenUrlDialog.h"
#include "PlayerMenu.h"
#include "PlayerOptions.h"
#include "PlaylistMemory.h"
#include "PlaylistWindow.h"
#include "SettingsWindow.h"
#include "TitleStrip.h"
#include "VideoMenu.h"
#include "VideoWindow.h"
#include "core/ArgumentResolution.h"
#include "core/Conversions.h"
#include "core/Failure.h"
#include "core/HandOver.h"
#include "core/Player.h"
#include "core/PlayerRemote.h"
#include "core/RememberedPlaylist.h"
#include "core/SettingsFile.h"
#include "core/SoundSettings.h"
#include "core/modINI.h"
#include "platform/ProgramFolder.h"
#include "platform/StartupNotification.h"

#include <QApplication>
#include <QDir>
#include <QScreen>
#include <QWindow>

namespace zendrix {

namespace {
bool isTrue(const QString& key)
{
    return ReadINI(ConfigPath, QStringLiteral("Player"), key, QStringLiteral("False")) == QStringLiteral("True");
}
}  // namespace

Program::Program(Services services, const EngineFactory& makeEngine)
    : m_exitAfterWrites(services.exit), m_services(services)
{
    m_exitAfterWrites.before = [this] {
        if (m_options)
            m_options->resumePlayback().keepNow();
        if (m_memory)
            m_memory->flush();
    };
    m_video = std::make_unique<VideoWindow>();
    m_engine = makeEngine(*m_video);
    m_popup = std::make_unique<DvdMenu>(*m_engine);
    m_video->attach(
        *m_engine, *m_popup,
        [this](const QString& description) { reportFailure(m_services.messages, description); },
        [this](const QPoint& globalPosition) { showPlayerMenu(globalPosition); });
    m_player = std::make_unique<Player>(*m_engine, m_list, m_repeat, m_services.messages, m_services.dialogs);
    m_player->GetInfo = [this] { frmInfo().GetInfo(); };
    m_player->setPlayOrder(&m_order);
    m_remote = std::make_unique<PlayerRemote>(*m_player, *m_engine, m_list, m_repeat, &m_order);
    m_main = std::make_unique<MainWindow>(*m_player);
    m_main->dragEnded = [this] { mainWindowMoved(); };
    installMediaKeys(*m_main, *m_remote);
    if (m_services.addresses) {
        m_addresses = m_services.addresses;
    } else {
        m_ownAddresses = std::make_unique<QtAddressDialogs>();
        m_addresses = m_ownAddresses.get();
    }
    m_menu = std::make_unique<PlayerMenu>(*this);
    m_options = std::make_unique<PlayerOptions>(*this);
    m_player->setStartPlaces(&m_options->resumePlayback());
    m_menu->addOption(QStringLiteral("&Resume Where Left Off"), m_options->resume);
    m_menu->addOption(QStringLiteral("Always on &Top"), m_options->onTop);
    m_menu->addOption(QStringLiteral("&Notifications"), m_options->notify);
    // The menu's shortcuts work while it is closed, from any window of the group.
    m_main->addActions({m_menu->mnuOpenUrl, m_menu->mnuEqualizer, m_menu->video->mnuSnapshot});
    m_main->menuRequested = [this](const QPoint& globalPosition) { showPlayerMenu(globalPosition); };
    // Closing the main window from the desktop ends the program as Exit does: a hidden main window
    // would leave a process nobody can reach, holding the installation's claim.
    m_main->closeRequested = [this] { m_exitAfterWrites.endNow(); };
    m_video->closeRequested = [this] { frmTitle().cmdScreen_Click(); };
    dropOn(*m_main, ArgumentUse::Play);
    dropOn(*m_video, ArgumentUse::Play);
}

QList<QWidget*> Program::groupWindows() const
{
    QList<QWidget*> windows;
    for (QWidget* window : std::initializer_list<QWidget*>{
             m_main.get(), m_video.get(), m_title.get(), m_playlist.get(), m_info.get(), m_equalizer.get()}) {
        if (window)
            windows.append(window);
    }
    return windows;
}

void Program::keepOnTop(QWidget& window)
{
    if (m_options)
        m_options->alwaysOnTop().apply(window);
}

void Program::dropOn(Form& window, ArgumentUse use)
{
    window.setDropped(
        [this, use](const QStringList& arguments) { openArguments(arguments, QDir::currentPath(), use); });
}

Program::~Program() = default;

TitleStrip& Program::frmTitle()
{
    if (!m_title) {
        m_title = std::make_unique<TitleStrip>(*this);
        m_title->closeRequested = [this] { m_exitAfterWrites.endNow(); };
        keepOnTop(*m_title);
    }
    return *m_title;
}

PlaylistWindow& Program::frmPlaylist()
{
    if (!m_playlist) {
        m_playlist = std::make_unique<PlaylistWindow>(
            m_list, m_repeat, *m_player, m_services.messages, m_services.dialogs,
            PlaylistTools{m_order, m_tags, m_showTitles, m_remember, m_services.shell});
        // The desktop's close does what the title strip's toggle does: hide the window and say so in the
        // settings.
        m_playlist->closeRequested = [this] { frmTitle().cmdPlaylist_Click(); };
        dropOn(*m_playlist, ArgumentUse::Append);
        keepOnTop(*m_playlist);
    }
    return *m_playlist;
}

InfoWindow& Program::frmInfo()
{
    if (!m_info) {
        m_info = std::make_unique<InfoWindow>(*m_engine);
        m_info->closeRequested = [this] { frmTitle().cmdInfo_Click(); };
        keepOnTop(*m_info);
    }
    return *m_info;
}

SettingsWindow& Program::frmSettings()
{
    if (!m_settings) {
        m_settings = std::make_unique<SettingsWindow>(*this, m_services.messages, m_exitAfterWrites,
                                                      m_services.dialogs, m_services.shell);
        m_settings->imgBack->setPicture(m_settingsBack);
    }
    return *m_settings;
}

EqualizerWindow& Program::frmEqualizer()
{
    if (!m_equalizer) {
        m_equalizer = std::make_unique<EqualizerWindow>(m_engine->audio());
        m_equalizer->imgBack->setPicture(m_settingsBack);
        const QScreen* screen = m_main->screen() ? m_main->screen() : QGuiApplication::primaryScreen();
        if (screen)
            m_equalizer->move(screen->availableGeometry().center() - m_equalizer->rect().center());
        keepOnTop(*m_equalizer);
    }
    return *m_equalizer;
}

void Program::showEqualizer()
{
    EqualizerWindow& window = frmEqualizer();
    window.show();
    window.raise();
    window.activateWindow();
}

void Program::showPlayerMenu(const QPoint& globalPosition)
{
    m_menu->popup(globalPosition);
}

void Program::Form_Load()
{
    // Nothing in the player reads the record, and its flush to disk would hold up the first window (on a
    // spinning disk, for tens of milliseconds): it goes to disk beside the start.
    m_installRecord = std::async(std::launch::async, WriteInstallInfo, installInfoPath, programFolder());
    // The screens, the primary first, are asked for once: the group is placed and kept on them.
    const QList<QRect> screens = screenAreas ? screenAreas() : QList<QRect>();
    try {
        ConfigPath = prepareSettingsFile(programFolder());
        m_repeat.load();
        m_shuffle.load();
        m_showTitles.load();
        m_remember.load();
        m_options->load();
        m_options->alwaysOnTop().apply();
        applySoundSettings(m_engine->audio());
        if (!LoadSkin(*this, m_services.messages, m_exitAfterWrites))
            return;  // the program has been told to end
        MainWindow& main = frmMain();
        // With no stored position the group opens in the primary screen's top-left corner: the title
        // strip in the corner, the main window below it.
        const QPoint corner = screens.isEmpty() ? QPoint() : screens.first().topLeft();
        const auto position = [](const QString& key, int pixels) {
            const QString fallback = singleText(static_cast<float>(pixelsToTwips(pixels)));
            return toSingle(ReadINI(ConfigPath, QStringLiteral("Position"), key, fallback));
        };
        main.setTop(position(QStringLiteral("Top"), corner.y() + frmTitle().height()));
        main.setLeft(position(QStringLiteral("Left"), corner.x()));
        placeVideo();
        if (isTrue(QStringLiteral("Screen")))
            frmVideo().show();
        placeTitle();
        if (isTrue(QStringLiteral("Playlist"))) {
            frmPlaylist().show();
            placePlaylist();
            frmTitle().cmdPlaylist->setPictureNormal(LoadPicture(programPath(QStringLiteral("/Data/Buttons/listclose.ico"))));
        }
        if (isTrue(QStringLiteral("Info"))) {
            frmInfo().show();
            placeInfo();
        }
        (void)keepGroupOnScreen(screens);
        frmTitle().show();
        for (ButtonControl& button : m_player->cmdControls)
            button.setCaption(QString());
        m_player->scrollVolume.setValue(toInteger16(ReadINI(ConfigPath, QStringLiteral("Player"), QStringLiteral("Volume"), QStringLiteral("0"))));
        m_engine->settings().setVolume(m_player->scrollVolume.Value());
        m_player->IsPlaying = false;
        m_player->FromPlaylist = false;
        m_memory = std::make_unique<PlaylistMemory>(m_list, *m_player, frmPlaylist(), m_remember,
                                                    stateFolder(ConfigPath, programFolder()));
        m_memory->restore();
    } catch (const Failure& failure) {
        reportFailure(m_services.messages, failure.description());
        showTitleStripAfterFailure(screens);
    }
    m_main->show();
}

QList<QRect> Program::desktopScreenAreas()
{
    QList<QRect> areas;
    const QScreen* primary = QGuiApplication::primaryScreen();
    if (primary)
        areas.append(primary->availableGeometry());
    for (const QScreen* screen : QGuiApplication::screens()) {
        if (screen != primary)
            areas.append(screen->availableGeometry());
    }
    return areas;
}

void Program::showTitleStripAfterFailure(const QList<QRect>& screens)
{
    // Only a failed skin ends the start before the title strip exists, and that ends the program.
    if (!m_title)
        return;
    try {
        placeVideo();
        placeTitle();
        (void)keepGroupOnScreen(screens);
        m_title->show();
    } catch (const Failure&) {
        // A main window at a place no window can take leaves the strip where it is.
    }
}

void Program::openArguments(const QStringList& arguments, const QString& workingFolder, ArgumentUse use)
{
    const ResolvedArguments resolved = resolveArguments(
        arguments, workingFolder, use == ArgumentUse::Play ? LonePlaylist::Opens : LonePlaylist::Appends);
    if (!resolved.playlistFile.isEmpty()) {
        if (frmPlaylist().openPlaylist(resolved.playlistFile) && m_list.ListCount() > 0)
            startEntry(0);
    } else if (!resolved.entries.isEmpty()) {
        const int first = m_list.ListCount();
        const int added = m_list.addItems(resolved.entries);
        if (use == ArgumentUse::Play && added > 0)
            startEntry(first);
        if (added < resolved.entries.size())
            reportFailure(m_services.messages, kListFullText);
    }
    if (!resolved.skipped.isEmpty())
        reportFailure(m_services.messages, skippedArgumentsText(resolved.skipped));
}

void Program::startEntry(int index)
{
    m_list.setListIndex(index, ListControl::Notify::No);
    m_player->playlist(static_cast<std::int16_t>(index));
}

void Program::takeHandOver(const QByteArray& message)
{
    const std::optional<HandOver> handOver = decodeHandOver(message);
    if (!handOver)
        return;
    raiseGroup(handOver->activationToken);
    if (!handOver->arguments.isEmpty())
        openArguments(handOver->arguments, handOver->workingFolder);
}

void Program::raiseGroup(const QString& activationToken)
{
    for (QWidget* window : std::initializer_list<QWidget*>{m_video.get(), m_title.get(), m_playlist.get(),
                                                           m_info.get(), m_main.get()}) {
        if (!window || !window->isVisible())
            continue;
        if (window->isMinimized())
            window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
        window->raise();
    }
    QWidget* modal = QApplication::activeModalWidget();
    if (modal)
        modal->raise();
    // The launch's token goes with the one activation that counts: the window that ends up active.
    activateForLaunch(modal ? *modal : static_cast<QWidget&>(*m_main), activationToken);
}

void Program::activateWidgetForLaunch(QWidget& window, const QString& activationToken)
{
    QWindow* handle = window.windowHandle();
    if (activationToken.isEmpty() || !handle)
        window.activateWindow();
    else
        zendrix::activateForLaunch(*handle, activationToken);
}

void Program::placeVideo()
{
    m_video->place(videoPlace(m_main->formRect(), m_video->Height()));
}

void Program::placeTitle()
{
    TitleStrip& title = frmTitle();
    const Place place = titlePlace(m_main->formRect(), title.Height(), m_video->isVisible(), m_video->Height());
    title.setTop(place.Top);
    title.setLeft(place.Left);
}

void Program::placePlaylist()
{
    PlaylistWindow& playlist = frmPlaylist();
    playlist.place(playlistPlace(m_main->formRect(), playlist.Height()));
}

void Program::placeInfo()
{
    InfoWindow& info = frmInfo();
    info.place(infoPlace(m_main->formRect(), info.Width(), info.Height()));
}

void Program::placeGroup()
{
    placeVideo();
    placeTitle();
    if (m_playlist && m_playlist->isVisible())
        placePlaylist();
    if (m_info && m_info->isVisible())
        placeInfo();
}

bool Program::moveGroupOntoScreen(const QList<QRect>& screens)
{
    // A video window filling the screen is out of the arrangement, and the title strip's place counts
    // its height: the group waits for it to come back.
    if (m_video->isFullScreen())
        return false;
    const auto area = [](const QWidget& window) { return QRect(window.pos(), window.size()); };
    QList<QRect> others;
    for (const QWidget* window :
         std::initializer_list<const QWidget*>{m_video.get(), m_playlist.get(), m_info.get()}) {
        if (window && window->isVisible())
            others.append(area(*window));
    }
    const QPoint offset = groupOntoScreen(area(*m_main), area(frmTitle()), others, screens);
    if (offset.isNull())
        return false;
    m_main->move(m_main->pos() + offset);
    placeGroup();
    return true;
}

bool Program::keepGroupOnScreen(const QList<QRect>& screens)
{
    if (!moveGroupOntoScreen(screens))
        return false;
    storePosition();
    return true;
}

bool Program::keepGroupOnScreen()
{
    return keepGroupOnScreen(screenAreas ? screenAreas() : QList<QRect>());
}

void Program::storePosition()
{
    WriteINI(ConfigPath, QStringLiteral("Position"), QStringLiteral("Top"),
             singleText(static_cast<float>(m_main->Top())));
    WriteINI(ConfigPath, QStringLiteral("Position"), QStringLiteral("Left"),
             singleText(static_cast<float>(m_main->Left())));
}

void Program::mainWindowMoved()
{
    try {
        placeGroup();
        (void)moveGroupOntoScreen(screenAreas ? screenAreas() : QList<QRect>());
        storePosition();
    } catch (const Failure& failure) {
        reportFailure(m_services.messages, failure.description());
    }
}

void Program::showAbout()
{
    AboutWindow about(m_services.shell, m_services.messages, sysInfoSources);
    about.exec();
}

void Program::showSettings()
{
    // The first opening shows the window the skin loading made at start-up; after a close it is made
    // again, reading the skin list anew. A list gone missing since then is reported, and the window
    // stays closed: only the skin loading itself ends the program.
    try {
        frmSettings();
    } catch (const Failure& failure) {
        reportFailure(m_services.messages, failure.description());
        return;
    }
    const QScreen* screen = m_main->screen() ? m_main->screen() : QGuiApplication::primaryScreen();
    if (screen)
        m_settings->move(screen->availableGeometry().center() - m_settings->rect().center());
    m_settings->exec();
    // Every handler of the window has returned by now, so it can go.
    if (m_settings && m_settings->isClosed())
        m_settings.reset();
    // A new skin keeps the group above other windows as it was.
    m_options->alwaysOnTop().apply();
}

void Program::setMainPicture(const Picture& picture) { m_main->setPicture(picture); }
void Program::setPlaylistBack(const Picture& picture) { frmPlaylist().imgBack->setPicture(picture); }
void Program::setSettingsBack(const Picture& picture)
{
    m_settingsBack = picture;
    frmSettings().imgBack->setPicture(picture);
    if (m_equalizer)
        m_equalizer->imgBack->setPicture(picture);
}
void Program::setInfoBack(const Picture& picture) { frmInfo().imgBack->setPicture(picture); }
void Program::setTitlePicture(const Picture& picture) { frmTitle().setPicture(picture); }
qreal Program::devicePixelRatio() const { return m_main->devicePixelRatioF(); }

}  // namespace zendrix
