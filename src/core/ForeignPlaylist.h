#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <optional>

namespace zendrix {

// Playlists of other players: M3U (".m3u", ".m3u8"), PLS (".pls") and XSPF (".xspf"). Their entries are
// appended to the player's list; titles, lengths and every other line of metadata are ignored, and text
// that does not follow the format is passed over, never a failure.
//
// Entries come out resolved (core/Addresses.h): a relative entry against the list's own folder, a file://
// URI as its local path, an address the player plays (http://, rtsp://, ...) as it stands. An address it
// does not play (udp://, v4l2://, smb://, ...) is refused: it is handed back apart, as the list writes it,
// so the caller can name it. An entry holding a NUL or a line break is no path and is left out, and so
// is a file:// URI of another host. At most kMaxForeignEntries entries, and as many refused addresses,
// are taken from one list.

enum class ForeignFormat { M3u, Pls, Xspf };

inline constexpr qsizetype kMaxForeignPlaylistBytes = 16 * 1024 * 1024;
inline constexpr int kMaxForeignEntries = 32767;

// The extensions of the lists read here, in lower case: "m3u", "m3u8", "pls", "xspf".
QStringList foreignPlaylistSuffixes();

// The format a file name's extension says, ignoring case; nothing for any other file.
std::optional<ForeignFormat> foreignFormatOf(const QString& fileName);

struct ForeignEntries
{
    QStringList entries; // absolute paths and playable addresses, in the list's order
    QStringList refused; // addresses the player does not play, as the list writes them
};

// The entries of a list's bytes. Text formats: a byte order mark (UTF-8, UTF-16) decides the encoding;
// without one, ".m3u8" and text that is valid UTF-8 read as UTF-8, other text as Latin-1. Lines end at
// CR LF, LF or a lone CR. M3U: every line that is not empty and does not start with "#". PLS: the values
// of the "FileN" keys, in the order of N. XSPF: the first location of each track, a URI reference that
// is resolved like a web page's link. An XML error ends the list where it stands.
ForeignEntries foreignPlaylistEntries(QByteArrayView bytes, ForeignFormat format, const QString& folder,
                                   bool utf8 = false);

// The entries of the list file at path, by the format of its name; nothing when it cannot be read (a
// missing file, a folder, no rights, larger than kMaxForeignPlaylistBytes).
std::optional<ForeignEntries> readForeignPlaylist(const QString& path);

} // namespace zendrix
