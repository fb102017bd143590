#pragma once

#include <QString>
#include <functional>

namespace zendrix {

// Snapshots of the video: where they go, what they are called, and how a file gets there whole.

// The user's pictures folder when it is there, else the home folder.
QString snapshotFolder();

// "Zendrix <name> <hh-mm-ss>": the item's name and the place in it, in hours, minutes and seconds. The
// name is made fit for a file name: "/" becomes "-", control characters and runs of blanks become one
// blank, and a name too long for the file system is cut (at a whole character). An empty name is
// "Snapshot"; a negative or unknown place is 00-00-00.
QString snapshotBaseName(const QString& itemName, double seconds);

struct SnapshotResult
{
    QString path;  // the file written, "" when it failed
    QString error; // why it failed, in words a user can read
};

// Writes a snapshot into `folder`: `write` is handed a path in that folder under a temporary hidden name,
// made only of letters, digits, dots, dashes and slashes whatever the folder is called, and writes the
// picture there, saying whether it did. The file is then flushed to disk and renamed to `baseName` plus
// ".png", or to "baseName (2).png", "(3)"... when that is taken: it appears whole, and no file is ever
// replaced. A failure at any step leaves nothing behind. Blocks on the disk: call it off the UI thread.
SnapshotResult writeSnapshot(const QString& folder, const QString& baseName,
                             const std::function<bool(const QString& workPath)>& write);

} // namespace zendrix
