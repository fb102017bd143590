#pragma once

namespace zendrix {

class MainWindow;
class PlayerRemote;

// The keyboard's media keys while a window of the player has the focus: play/pause, play, pause, stop,
// next and previous do what the desktop's media controls do (PlayerRemote). They act before the focused
// control sees the key, and not while a window that waits for an answer blocks the player's windows.
// Media keys that the desktop takes for itself reach the player through its media controls instead.
// The main window's transport buttons that do what a key does name it in their tooltips.
void installMediaKeys(MainWindow& mainWindow, PlayerRemote& remote);

} // namespace zendrix
