// desktopentry: writes the desktop entry from its template, with the MIME types of every file the
// player opens (core/MediaFilter.h: the open dialog's "All Media Files", the playlists of other players
// and its own) and DVDs. The types are looked up in the build machine's shared-mime-info database, so the
// list follows the dialog's filter.
//
//   desktopentry <template> <output>
//
// "@MIME_TYPES@" in the template becomes the list, each type followed by ";".
#include "core/MediaFilter.h"
#include "platform/AtomicFile.h"

#include <QCoreApplication>
#include <QFile>
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

    // DVDs besides the files: a disc put in the drive.
    const QStringList types = zendrix::mediaMimeTypes() + QStringList{QStringLiteral("x-content/video-dvd")};

    QByteArray text = in.readAll();
    text.replace("@MIME_TYPES@", (types.join(QLatin1Char(';')) + QLatin1Char(';')).toUtf8());
    if (!zendrix::writeFileAtomically(arguments.at(2), text)) {
        std::fprintf(stderr, "desktopentry: cannot write %s\n", qPrintable(arguments.at(2)));
        return 1;
    }
    return 0;
}
