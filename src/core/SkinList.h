#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace zendrix {

// The installed skins from "/Data/Skins/skins.lst": one name per line in file order, every line (an
// empty one too) one entry, each name exactly as written. A line ends at CR LF, a lone CR or a lone LF
// (the list may well have been edited on this system), and a last line without an end counts.
// Nothing when the file cannot be read; *error then says why, naming the file.
[[nodiscard]] std::optional<QStringList> readSkinList(const QString& path, QString* error = nullptr);

}  // namespace zendrix
