#pragma once

#include "SkinPackage.h"

#include <QString>
#include <optional>

namespace zendrix {

// Changes to the user's skin folder (core/SkinCatalog.h). Each one is a rename: a skin folder is there
// whole, with every picture flushed to disk, or not at all, also after a failure or a crash half-way.
// What a failure leaves behind is at most a hidden folder (".install-...", ".remove-..."), which no
// listing counts as a skin.
//
// Both return nothing on success, else why not, in words a user can read.

// Writes the package's pictures into a new hidden folder beside the target, then renames it to the
// skin's name. An existing folder of that name is replaced: swapped with the new one in one step where
// the file system can, else moved aside first (and moved back when the new one cannot take its place).
// `skinsFolder` is made when it is missing.
[[nodiscard]] std::optional<QString> installSkinPackage(const SkinPackage& package,
                                                        const QString& skinsFolder);

// Removes the user's skin of that name: renamed out of sight in one step, then deleted.
[[nodiscard]] std::optional<QString> removeUserSkin(const QString& name, const QString& skinsFolder);

} // namespace zendrix
