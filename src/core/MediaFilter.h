#pragma once

#include <QString>
#include <QStringList>

namespace zendrix {

// The file types the player offers in its "Open Media File" dialogs, descriptions and pattern lists
// alternating, separated by "|".
inline const QString kMediaFilter = QStringLiteral(
    "All Media Files|*.ogg;*.ogm;*.mid;*.rmi;*.midi;*.mpeg;*.mpg;*.m1v;*.mp2;*.mpa;*.mpe;*.ifo;*.vob;*.wav;"
    "*.snd;*.au;*.aif;*.aiff;*.wma;*.mp3;*.asf;*.wm;*.wma;*.wmv;*.wmd;*.avi|"
    "OGG Media Files (*.ogg,*.ogm)|*.ogg;*.ogm|"
    "MIDI Files (*.mid,*.rmi,*.midi)|*.mid;*.rmi;*.midi|"
    "Movie Files (*.mpeg,*.mpg,*.m1v,*.mp2,*.mpa,*.mpe,*.ifo,*.vob)|*.mpeg;*.mpg;*.m1v;*.mp2;*.mpa;*.mpe;*.ifo;*.vob|"
    "Music Files (*.wav,*.snd,*.au,*.aif,*.aiff,*.wma,*.mp3)|*.wav;*.snd;*.au;*.aif;*.aiff;*.wma;*.mp3|"
    "Windows Media Files (*.asf,*.wm,*.wma,*.wmv,*.wmd)|*.asf;*.wm;*.wma;*.wmv;*.wmd|"
    "Windows Video Files (*.avi,*.wmv)|*.avi;*.wmv|"
    "All Files (*.*)|*.*");

inline const QString kOpenMediaTitle = QStringLiteral("Open Media File");

// The media types of the files that filter lists, as the desktop names them.
inline const QStringList kMediaMimeTypes = {
    QStringLiteral("audio/ogg"),        QStringLiteral("video/ogg"),       QStringLiteral("application/ogg"),
    QStringLiteral("audio/midi"),       QStringLiteral("audio/x-midi"),    QStringLiteral("video/mpeg"),
    QStringLiteral("audio/mpeg"),       QStringLiteral("audio/x-mp2"),     QStringLiteral("video/x-ms-vob"),
    QStringLiteral("audio/x-wav"),      QStringLiteral("audio/wav"),       QStringLiteral("audio/basic"),
    QStringLiteral("audio/x-aiff"),     QStringLiteral("audio/aiff"),      QStringLiteral("audio/x-ms-wma"),
    QStringLiteral("video/x-ms-asf"),   QStringLiteral("video/x-ms-wm"),   QStringLiteral("video/x-ms-wmv"),
    QStringLiteral("application/x-ms-wmd"), QStringLiteral("video/x-msvideo"), QStringLiteral("video/avi"),
};

}  // namespace zendrix
