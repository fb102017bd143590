#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class QIODevice;

namespace zendrix {

// Playlist files (".zdx"): plain text in the locale's encoding, no header, count or quoting. The first
// line is the playlist's name, each further line one entry, in playing order. Every written line ends
// with CR LF. Reading ends a line at CR LF, at a lone CR or at a lone LF (as editors on this system write
// them), takes a last line without an end as it stands, and makes an empty line an empty entry. A file
// with no first line at all (an empty file) is a playlist with an empty name and no entries.

struct Playlist
{
    QString name;
    QStringList entries;
};

// The list holds at most this many entries; a file with more is read up to here.
inline constexpr int kMaxPlaylistEntries = 32767;
// No media path comes near this; a longer line is cut to its first kMaxPlaylistLineBytes bytes, so that
// a file of binary garbage costs bounded memory per line and the list stays quick to draw.
inline constexpr int kMaxPlaylistLineBytes = 32767;

struct PlaylistRead
{
    Playlist playlist;
    // Why the file could not be read; empty when it was. On failure `playlist` holds nothing.
    QString failure;
    bool entriesLeftOut = false;  // the file held more than kMaxPlaylistEntries entries
    bool linesCut = false;       // some lines were longer than kMaxPlaylistLineBytes
    bool ok() const { return failure.isEmpty(); }
};

// Reads a playlist from a device opened for reading, a chunk at a time; it stops at the entry limit
// without reading the rest.
[[nodiscard]] PlaylistRead readPlaylist(QIODevice& input);

// Reads the playlist file at path. Only regular files are read: a folder, a device or a pipe is
// refused rather than read without end.
[[nodiscard]] PlaylistRead readPlaylistFile(const QString& path);

// The bytes of a playlist file. A CR or LF cannot stand inside a line, so one in the name or an entry
// is written as a blank: the entries after it keep their places.
[[nodiscard]] QByteArray playlistFileBytes(const Playlist& playlist);

// Writes the playlist file at path as a whole, through a temporary file renamed into place, so a failed
// save leaves the old file intact. Nothing on success, else a description of why the file is not written.
[[nodiscard]] std::optional<QString> savePlaylistFile(const QString& path, const Playlist& playlist);

}  // namespace zendrix
