#pragma once

#include <QString>

namespace zendrix {

// Where the settings live. An installation whose Data/ folder the user can write (a copy unpacked in a
// home folder, the build tree) keeps them there, in "<program folder>/Data/config.ini", as it always
// has. An installation the user cannot write (one installed by root) keeps them in the user's own
// configuration folder instead: "$XDG_CONFIG_HOME/Zendrix/config.ini", or
// "~/.config/Zendrix/config.ini" when that variable is unset or not an absolute path. The file's
// format and its immediate, atomic writes are the same in both places.

// The settings file of the program in `programFolder`. Decided at the first call for a folder and then
// kept for the run, so every reader and writer names the same file even if the folder's rights change
// meanwhile. Writes nothing.
QString settingsFilePath(const QString& programFolder);

// Start-up's step: settingsFilePath(), made ready for writing. For the per-user file, its folder is made
// when missing, and the first time the file is used it starts as a copy of the installation's
// Data/config.ini, if there is one, so settings made before the switch are kept. Failures are silent,
// like every settings write: the settings then simply do not persist.
QString prepareSettingsFile(const QString& programFolder);

// The user's configuration folder for the player: $XDG_CONFIG_HOME/Zendrix or ~/.config/Zendrix.
QString userSettingsFolder();

} // namespace zendrix
