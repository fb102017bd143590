#pragma once

#include "core/Host.h"
#include "core/MediaEngine.h"

#include <QAction>
#include <QMenu>
#include <QObject>

class QActionGroup;

namespace zendrix {

// The player's Video menu, over the engine's picture and tracks (EngineVideo):
//   Audio Track > the item's audio tracks (also in the Audio menu; greyed with fewer than two)
//   Subtitles   > Off, the item's subtitle tracks, Load Subtitle File...
//   Aspect Ratio > Default, 16:9, 4:3, 16:10, 2.35:1, 1:1
//   Take Snapshot (Ctrl+Alt+S, from every window of the group)
// The choice in use is checked. The menu and the snapshot are greyed while nothing with a picture plays;
// everything chosen holds for the item playing only, and nothing is stored. A snapshot goes to the
// user's pictures folder; one that cannot be written is reported.
class VideoMenu : public QObject
{
    Q_OBJECT
public:
    // Fills `menu`; the Audio Track menu is `menu`'s and is added to `audioMenu` too.
    VideoMenu(QMenu& menu, QMenu& audioMenu, MediaEngine& engine, MessageBoxes& messages,
              FileDialogs& dialogs);

    QMenu* mnuAudioTrack = nullptr;
    QMenu* mnuSubtitles = nullptr;
    QMenu* mnuAspectRatio = nullptr;
    QAction* mnuSnapshot = nullptr;

    // The shapes of the Aspect Ratio menu, "" for the item's own first.
    static const QStringList& aspectRatios();

    void chooseAudioTrack(int id);
    void chooseSubtitles(int id);
    void loadSubtitleFile();
    void chooseAspectRatio(const QString& ratio);
    void takeSnapshot();

    // Greys what needs a picture or a choice, as the item playing now has them.
    void showState();

private:
    void fillAudioTracks();
    void fillSubtitles();
    void showAspectRatio();

    QMenu& m_menu;
    MediaEngine& m_engine;
    MessageBoxes& m_messages;
    FileDialogs& m_dialogs;
    QActionGroup* m_audioGroup = nullptr;
    QActionGroup* m_subtitleGroup = nullptr;
};

} // namespace zendrix
