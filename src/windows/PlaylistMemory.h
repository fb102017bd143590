#pragma once

#include "core/Player.h"
#include "core/RememberedPlaylist.h"

#include <QObject>
#include <QTimer>
#include <memory>

namespace zendrix {

class PlaylistWindow;
class SwitchSetting;

// "Remember Playlist" at work: while the setting is on, every change of the list, its name, its file
// label, the current entry or the place in that item is handed to the writer at once (the place also
// every few seconds while it plays), and at the start the list is restored as the last run left it, its
// current entry loaded and paused at its place, nothing playing. Turned off, the remembered files go
// and the next start begins with an empty list.
class PlaylistMemory : public QObject
{
    Q_OBJECT
public:
    PlaylistMemory(ListControl& list, Player& player, PlaylistWindow& window, SwitchSetting& remember,
                   QString folder);

    // At start, with the setting on: the remembered list replaces the (empty) list.
    void restore();
    // Waits for the writes asked for so far.
    void flush();
    static constexpr int kPositionSaveMs = 5000;

private:
    void saveList();
    void saveState();
    void playerChanged(Player::Change change);

    ListControl& m_list;
    Player& m_player;
    PlaylistWindow& m_window;
    SwitchSetting& m_remember;
    RememberedPlaylist m_writer;
    QTimer m_positionTimer;
    bool m_restoring = false;
};

} // namespace zendrix
