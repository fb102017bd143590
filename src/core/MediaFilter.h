#pragma once

#include <QString>
#include <QStringList>

namespace zendrix {

// The file types the player offers in its "Open Media File" dialogs, descriptions and pattern lists
// alternating, separated by "|".
inline const QString kMediaFilter = QStringLiteral(
    "All Media Files|*.ogg;*.ogm;*.mid;*.rmi;*.midi;*.mpeg;*.mpg;*.m1v;*.mp2;*.mpa;*.mpe;*.ifo;*.vob;*.wav;"
    "*.snd;*.au;*.aif;*.aiff;*.wma;*.mp3;*.asf;*.wm;*.wma;*.wmv;*.wmd;*.avi;"
    "*.flac;*.opus;*.oga;*.m4a;*.aac;*.mp4;*.m4v;*.mkv;*.webm;*.mov|"
    "OGG Media Files (*.ogg,*.ogm)|*.ogg;*.ogm|"
    "MIDI Files (*.mid,*.rmi,*.midi)|*.mid;*.rmi;*.midi|"
    "Movie Files "
    "(*.mpeg,*.mpg,*.m1v,*.mp2,*.mpa,*.mpe,*.ifo,*.vob)|*.mpeg;*.mpg;*.m1v;*.mp2;*.mpa;*.mpe;*.ifo;*.vob|"
    "Music Files (*.wav,*.snd,*.au,*.aif,*.aiff,*.wma,*.mp3)|*.wav;*.snd;*.au;*.aif;*.aiff;*.wma;*.mp3|"
    "Windows Media Files (*.asf,*.wm,*.wma,*.wmv,*.wmd)|*.asf;*.wm;*.wma;*.wmv;*.wmd|"
    "Windows Video Files (*.avi,*.wmv)|*.avi;*.wmv|"
    "Other Media Files (*.flac,*.opus,*.oga,*.m4a,*.aac,*.mp4,*.m4v,*.mkv,*.webm,*.mov)|"
    "*.flac;*.opus;*.oga;*.m4a;*.aac;*.mp4;*.m4v;*.mkv;*.webm;*.mov|"
    "All Files (*.*)|*.*");

inline const QString kOpenMediaTitle = QStringLiteral("Open Media File");

// The extensions of the filter's first group, "All Media Files", in lower case without the "*.", each
// once: what a folder given to the player contributes, and what the desktop is told the player opens.
QStringList mediaFileSuffixes();

// Whether a file name ends in one of those extensions, ignoring case.
bool isMediaFileName(const QString& fileName);

// The media types of the files the player opens, as the desktop names them: those of the extensions
// above and of the playlists it reads, looked up in the system's shared-mime-info database, and its own
// playlists' type. Extensions the database has no type for (*.ifo, *.wmd) give none.
QStringList mediaMimeTypes();

}  // namespace zendrix
