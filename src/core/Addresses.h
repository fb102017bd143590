#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class QUrl;

namespace zendrix {

// Paths and addresses: how the player tells an address from a path, and which addresses it plays. One
// rule for every way an item comes in: the command line and a second start, drops, the desktop's
// OpenUri, the entries of playlists of every kind, and the engine's last check before it opens anything.
// A playlist downloaded from anywhere must not make the player listen on a port (udp://), open a capture
// device (v4l2://, alsa://, screen://) or reach into other machines' shares (smb://).

// The schemes of the addresses the player plays, in lower case: "file", and the streams and discs the
// engine opens as they stand: "http", "https", "rtsp", "mms", "dvd".
const QStringList& playableSchemes();

// "scheme://..." (a letter, then letters, digits, "+", "-" or ".", then "://") or "file:...": an address,
// not a path. "C:/music" and "notes: a.mp3" are paths.
bool isAddress(const QString& text);

// Whether the player plays the address: a file: URI of this machine that names a path, an http, https,
// rtsp or mms URL with a host, or a dvd: address. Anything else is refused: other schemes, text that is
// no valid URL, control characters. A path is no address and is not playable by this test.
bool isPlayableAddress(const QString& text);

// `path` made absolute against `folder` when it is relative, and cleaned ("a/../b" is "b").
QString pathFrom(const QString& folder, const QString& path);

// One line of a playlist, as the player's list takes it: an absolute path made from it against
// `folder`, the local path of a file:// URI of this machine, or any other address unchanged (whether it
// may be played is isPlayableAddress's to say). Nothing for text that is no path: empty, holding a NUL or
// a line break, or a file:// URI of another host.
std::optional<QString> resolvePlaylistLine(const QString& line, const QString& folder);

// The path a file: URL names, made absolute against `folder`; nothing for a file of another host or a
// path that is no path.
std::optional<QString> localPathOf(const QUrl& url, const QString& folder);

// The URI of an engine URL: an address as it stands, a local path as a file:// URI.
QString mediaUri(const QString& url);

} // namespace zendrix
