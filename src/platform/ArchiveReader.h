#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <optional>
#include <vector>

namespace zendrix {

// Reads a .zip, .tar.gz or .tar.xz archive (the format is told by the content) into memory, with
// libarchive's reader and nothing else: no program is run, and nothing is written to disk. The library
// is opened at the first call, so that a start pays nothing for it.
//
// An archive is refused as a whole, before anything of it is handed out, when one of its members has an
// absolute path ("/x", "C:x"), a ".." in its path, or is a link (symbolic or hard), a device, a pipe or
// a socket; when its contents come to more than `maxUnpacked` bytes (each member's declared size is
// counted before its data is read, and the data as it is read); and when it cannot be read at all.
// Paths are given with "/" between their parts (a "\" counts as one too), without "." parts or a
// leading "./".

struct ArchiveFile
{
    QString path;
    QByteArray bytes;
};

struct ArchiveLimits
{
    qint64 maxUnpacked = 0;
    // Which regular files to hand out; the data of the others is read (and counted) and dropped.
    std::function<bool(const QString& path)> keep;
};

// The kept files in archive order, or nothing with *error saying why, as a sentence a user can read:
// "The archive holds a link: 'skin/title.zsk'", "The archive unpacks to more than 64 MB", ...
[[nodiscard]] std::optional<std::vector<ArchiveFile>>
readArchive(const QString& path, const ArchiveLimits& limits, QString* error = nullptr);

} // namespace zendrix
