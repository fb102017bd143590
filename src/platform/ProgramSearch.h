#pragma once

#include <QString>

namespace zendrix {

// True when path names a regular file (or a link to one) that the user may run.
bool isExecutableFile(const QString& path);

// Looks a program up by name the way a shell does: the first folder of `searchPath` (a PATH value,
// folders separated by ':') that holds an executable file of that name gives its full path; "" when
// no folder does. Empty and relative entries are skipped, so what is found never depends on the folder
// the player was started from. A name holding a '/' is not looked up.
QString findProgramOnPath(const QString& name, const QString& searchPath);

}  // namespace zendrix
