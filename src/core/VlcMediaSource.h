#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace zendrix {

// What the engine's URL names, worked out once when the URL is set: where libvlc finds it and how the
// engine must treat it. Pure: it looks at the file system only to tell a DVD folder from a file.
struct MediaSource
{
    // Refused: an address the player does not play (core/Addresses.h); nothing of it reaches libvlc.
    enum class Kind { None, File, Dvd, Stream, Refused };

    Kind kind = Kind::None;
    QString location;    // the MRL handed to libvlc ("file:///...", "dvd:///.../VIDEO_TS", "http://...")
    QString localPath;   // absolute path of the file, or of the VIDEO_TS folder of a DVD; "" for streams
    QString fileName;    // the file's name, or a DVD's, as messages name the item
    QString name;        // what the item is called while it has no title: a file's name without its
                         // extension, a DVD's name
    QStringList options; // libvlc media options, such as ":demux=avformat"
};

// "" -> nothing. An address the player plays ("http://", "dvd://") is passed on as it stands, a file:// URI
// as the path it names; any other address is refused and gets no location. Any other text is a local path, made absolute: a path to an .IFO file, a VIDEO_TS folder, or a folder that
// holds one opens as a DVD (libvlc does not open an .IFO path itself); everything else is a file. A DVD
// starts as its author made it: with its first-play program, which may show a menu, a warning or go
// straight into the feature.
MediaSource resolveMediaSource(const QString& url);

// Whether a title that libvlc gives for the item at `location` is only the name libvlc makes up for an
// item without a title of its own: the file's name as it stands in the location, or the location itself.
bool isPlaceholderTitle(const QString& title, const QString& location);

// Length as the player shows it: "mm:ss", or "h:mm:ss" from one hour on. Whole seconds are rounded to
// the nearest, halves to even, as the player rounds them; a negative or unknown length shows "00:00".
QString formatDuration(double seconds);

// The size in bytes, from the file system: the file's own size, or for a DVD the sum of the files in
// its VIDEO_TS folder. Nothing when there is no such file or the item is a stream.
std::optional<qint64> mediaSizeInBytes(const MediaSource& source);

} // namespace zendrix
