#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace zendrix {

// What the player makes of the files, folders, playlists and addresses it is given: on its command line,
// from a second start, or dropped on a window. Pure logic over the file system: it reads folders and
// playlists but changes nothing.
//
// Each argument, in order:
// - a path, relative ones taken from `workingFolder`; a file:// URI counts as the path it names;
// - an address the player plays (core/Addresses.h: http, https, rtsp, mms with a host, dvd) is an entry
//   as it stands; other addresses are not supported;
// - an empty argument names nothing and is passed over;
// - a file is an entry, whatever its extension; but a playlist of another player (.m3u, .m3u8, .pls,
//   .xspf) and a Zendrix playlist (.zdx) give their entries instead, relative ones taken from the list's
//   own folder. Addresses in another player's list that the player does not play are skipped and named;
//   a Zendrix playlist's entries are taken as the file holds them, and such an entry then fails when
//   it is played. A .zdx given alone is handed back whole, to open as the playlist window's Open does,
//   when the caller asks for that;
// - a folder gives its media files, those of the open dialog's "All Media Files", in natural name order
//   ("Track 2" before "Track 10"), without its hidden files and without going into its subfolders; a DVD
//   folder (VIDEO_TS, or a folder that holds one) is one entry, the DVD;
// - anything else is skipped with its reason.
struct ResolvedArguments
{
    enum class Reason { NotFound, NotSupported, Unreadable, NoMedia };
    struct Skipped
    {
        QString argument; // as given, or the path a file:// URI names
        Reason reason;
        bool operator==(const Skipped&) const = default;
    };

    QString playlistFile; // a .zdx given alone, to open; "" otherwise
    QStringList entries;  // absolute paths and addresses, in order
    QList<Skipped> skipped;
};

enum class LonePlaylist { Opens, Appends };

ResolvedArguments resolveArguments(const QStringList& arguments, const QString& workingFolder,
                                   LonePlaylist lonePlaylist = LonePlaylist::Opens);

// The one message that names what was skipped, a line for each ("Not found: song.mp3"), the first
// kMaxNamedSkips of them and then how many more.
QString skippedArgumentsText(const QList<ResolvedArguments::Skipped>& skipped);
inline constexpr int kMaxNamedSkips = 20;

} // namespace zendrix
