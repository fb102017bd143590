#pragma once

#include <QString>

namespace zendrix {

// Where the settings live. A program folder that was installed (the package and `cmake --install` lay the
// marker kInstalledMarker in it) or that the user cannot write keeps each user's settings in the user's
// own configuration folder: "$XDG_CONFIG_HOME/Zendrix/config.ini", or "~/.config/Zendrix/config.ini" when
// that variable is unset or not an absolute path. So `sudo zendrix` never writes settings into the
// installation, where they would seed every new user's. Any other program folder (the build tree, a copy
// unpacked in a home folder) keeps them in "<program folder>/Data/config.ini", as it always has. The
// file's format and its immediate, atomic writes are the same in both places.

// The marker of an installed program folder, under the program folder.
inline const QString kInstalledMarker = QStringLiteral("/Data/installed");

// The settings file of the program in `programFolder`. Decided at the first call for a folder and then
// kept for the run, so every reader and writer names the same file even if the folder's rights change
// meanwhile. Writes nothing.
QString settingsFilePath(const QString& programFolder);

// Start-up's step: settingsFilePath(), made ready for writing. For the per-user file, its folder is made
// when missing, and the first time the file is used it starts as a copy of the installation's
// Data/config.ini, if there is one: the settings an installation ships (a volume that is heard), or those
// made before the switch. Failures are silent,
// like every settings write: the settings then simply do not persist.
QString prepareSettingsFile(const QString& programFolder);

// The user's configuration folder for the player: $XDG_CONFIG_HOME/Zendrix or ~/.config/Zendrix.
QString userSettingsFolder();

// Where the player keeps what it remembers between runs that is no setting (the places films were left
// at, the playlist it was left with): beside the settings when the program folder keeps them
// ("<program folder>/Data"), else the user's state folder, "$XDG_STATE_HOME/Zendrix", or
// "~/.local/state/Zendrix" when that variable is unset or not an absolute path. `settingsFile` is the
// settings file's path (settingsFilePath). Writes nothing; the folder may not exist yet.
QString stateFolder(const QString& settingsFile, const QString& programFolder);

} // namespace zendrix
