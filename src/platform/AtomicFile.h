#pragma once

#include <QByteArray>
#include <QString>

namespace zendrix {

// Replaces the file at path with data as a whole: the bytes go to a temporary file in the same folder,
// which is flushed to disk and renamed over the old file. A crash or a failure at any point leaves the
// old file as it was. Returns false when the file could not be written (read-only folder, full disk, a
// folder in the way); the caller decides whether to report it.
[[nodiscard]] bool writeFileAtomically(const QString& path, const QByteArray& data);

}  // namespace zendrix
