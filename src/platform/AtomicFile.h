#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace zendrix {

// Replaces the file at path with data as a whole: the bytes go to a temporary file in the same folder,
// which is flushed to disk and renamed over the old file. A crash or a failure at any point leaves the
// old file as it was. Returns false when the file could not be written (read-only folder, full disk, a
// folder in the way); the caller decides whether to report it.
[[nodiscard]] bool writeFileAtomically(const QString& path, const QByteArray& data);

// The same write, for callers that report a failure: nothing when the file is in place, else why it is
// not, in words a user can read: "Disk full", "Permission denied", "Path not found: '<folder>'", or the
// system's own description of anything else ("Read-only file system").
[[nodiscard]] std::optional<QString> writeFileAtomicallyExplained(const QString& path,
                                                                  const QByteArray& data);

}  // namespace zendrix
