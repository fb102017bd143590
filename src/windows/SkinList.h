#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace zendrix {

// The installed skins from "/Data/Skins/skins.lst": one name per line in file order, every line (an
// empty one too) one entry; lines end at CR LF or a lone CR, and a last line without an end counts.
// Nothing when the file cannot be read; *error then says why.
[[nodiscard]] std::optional<QStringList> readSkinList(const QString& path, QString* error = nullptr);

}  // namespace zendrix
