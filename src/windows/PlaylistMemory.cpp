#include "PlaylistMemory.h"

#include "PlaylistWindow.h"
#include "core/SwitchSetting.h"

namespace zendrix {

PlaylistMemory::PlaylistMemory(ListControl& list, Player& player, PlaylistWindow& window,
                               SwitchSetting& remember, QString folder)
    : m_list(list), m_player(player), m_window(window), m_remember(remember), m_writer(std::move(folder))
{
    const auto listChanged = [this] { saveList(); };
    connect(&m_list, &ListControl::inserted, this, listChanged);
    connect(&m_list, &ListControl::removed, this, listChanged);
    connect(&m_list, &ListControl::reset, this, listChanged);
    connect(&m_list, &ListControl::rearranged, this, listChanged);
    connect(&m_list, &ListControl::selectionChanged, this, &PlaylistMemory::saveState);
    connect(m_window.txtName, &QLineEdit::textChanged, this, listChanged);
    connect(&m_window, &PlaylistWindow::fileLabelChanged, this, &PlaylistMemory::saveState);
    connect(&m_player, &Player::changed, this, &PlaylistMemory::playerChanged);
    // While an item plays, its place is kept every few seconds, so that even an end nobody saw coming
    // (a crash, a power cut) loses little of it. The timer runs only while something plays.
    m_positionTimer.setInterval(kPositionSaveMs);
    connect(&m_positionTimer, &QTimer::timeout, this, &PlaylistMemory::saveState);
    connect(&m_remember, &SwitchSetting::changed, this, [this](bool on) {
        if (on) {
            saveList();
            saveState();
            playerChanged(m_player.IsPlaying ? Player::Change::Playing : Player::Change::Stopped);
        } else {
            m_positionTimer.stop();
            m_writer.forget();
        }
    });
}

void PlaylistMemory::restore()
{
    if (!m_remember.isOn())
        return;
    const std::optional<RememberedState> state = readRememberedPlaylist(m_writer.folder());
    if (!state)
        return;
    m_restoring = true;
    m_list.Clear();
    m_window.txtName->setText(state->playlist.name);
    m_list.addItems(state->playlist.entries);
    m_window.lblFilename.setCaption(state->fileLabel);
    m_restoring = false;
    if (state->current >= 0 && state->current < m_list.ListCount())
        m_player.restoreEntry(static_cast<std::int16_t>(state->current), state->position);
}

void PlaylistMemory::flush()
{
    m_writer.flush();
}

void PlaylistMemory::saveList()
{
    if (!m_remember.isOn() || m_restoring)
        return;
    m_writer.saveList({m_window.txtName->text(), m_list.items()});
    saveState();
}

void PlaylistMemory::saveState()
{
    if (!m_remember.isOn() || m_restoring)
        return;
    const int current = m_list.ListIndex();
    const QString entry = current >= 0 ? m_list.List(current) : QString();
    // The place belongs to the current entry only while that entry is the item loaded.
    const double position = current >= 0 && m_player.FromPlaylist ? m_player.itemPosition() : 0.0;
    m_writer.saveState(m_window.lblFilename.Caption(), current, entry, position);
}

void PlaylistMemory::playerChanged(Player::Change change)
{
    if (!m_remember.isOn())
        return;
    switch (change) {
    case Player::Change::Playing:
    case Player::Change::Item: // an item is told before it starts; one that cannot start tells Stopped
        m_positionTimer.start();
        saveState();
        break;
    case Player::Change::Paused:
    case Player::Change::Stopped:
        m_positionTimer.stop();
        saveState();
        break;
    case Player::Change::Seeked:
        saveState();
        break;
    case Player::Change::Info:
    case Player::Change::Volume:
    case Player::Change::Rate:
        break;
    }
}

} // namespace zendrix
