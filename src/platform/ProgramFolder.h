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

}  // namespace zendrix
