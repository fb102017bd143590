// desktopentry: writes the desktop entry from its template, with the MIME types of every file the
// player opens: the media files of the open dialog's "All Media Files", the playlists of other players,
// its own playlists and DVDs. The types of the extensions are looked up in the build machine's
// shared-mime-info database, so the list follows the dialog's filter.
//
//   desktopentry <template> <output>
//
// "@MIME_TYPES@" in the template becomes the list, each type followed by ";".
#include "core/ForeignPlaylist.h"
#include "core/MediaFilter.h"
#include "platform/AtomicFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QMimeDatabase>
#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 3) {
        std::fprintf(stderr, "usage: desktopentry <template> <output>\n");
        return 2;
    }
    QFile in(arguments.at(1));
    if (!in.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "desktopentry: cannot read %s\n", qPrintable(in.fileName()));
        return 1;
    }

    QStringList types;
    const QMimeDatabase database;
    for (const QString& suffix : zendrix::mediaFileSuffixes() + zendrix::foreignPlaylistSuffixes()) {
        // Some extensions have no type of their own (*.ifo, *.wmd): the desktop cannot name them.
        for (const QMimeType& type : database.mimeTypesForFileName(QStringLiteral("file.") + suffix)) {
            if (!types.contains(type.name()))
                types.append(type.name());
        }
    }
    // The player's own playlists (installed with it, so unknown to the build machine) and DVDs.
    types << QStringLiteral("application/x-zendrix-playlist") << QStringLiteral("x-content/video-dvd");

    QByteArray text = in.readAll();
    text.replace("@MIME_TYPES@", (types.join(QLatin1Char(';')) + QLatin1Char(';')).toUtf8());
    if (!zendrix::writeFileAtomically(arguments.at(2), text)) {
        std::fprintf(stderr, "desktopentry: cannot write %s\n", qPrintable(arguments.at(2)));
        return 1;
    }
    return 0;
}
