#pragma once

#include <QString>

namespace zendrix {

// The program's folder: the folder of the executable, links resolved, in the build tree and after
// installation alike. It needs no application object.
// Every file of the program is found from it by a relative path such as "/Data/config.ini".
// Tests point it at a folder of their own with setProgramFolder().
QString programFolder();
void setProgramFolder(const QString& folder);

// programFolder() followed by a relative path that starts with "/".
QString programPath(const QString& relative);

// The user's own data folder for the player, where what the user adds to the program lives (skins):
// "$XDG_DATA_HOME/Zendrix", or "~/.local/share/Zendrix" when that variable is unset or not an absolute
// path. Worked out at each call, nothing made.
QString userDataFolder();

}  // namespace zendrix
