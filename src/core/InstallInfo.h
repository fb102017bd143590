#pragma once

#include <QString>

namespace zendrix {

// The program's version: 2.50, revision 52.
constexpr int kVersionMajor = 2;
constexpr int kVersionMinor = 50;
constexpr int kVersionRevision = 52;

// Where every start records the installation: a fixed path in a shared system folder.
inline const QString kInstallInfoPath = QStringLiteral("/usr/local/share/Quarrymoor Software/Zendrix/info.ini");

// Records the installation in the INI file at infoPath: creates its two folders, empties the file, then
// writes "Path" (the program folder), "Major", "Minor" and "Revision" to section "Info". Every failure
// is ignored (a user without rights to the shared folder starts normally); the player never reads the
// file itself.
void WriteInstallInfo(const QString& infoPath, const QString& programFolder);

}  // namespace zendrix
