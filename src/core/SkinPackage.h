#pragma once

#include <QByteArray>
#include <QString>
#include <optional>
#include <utility>
#include <vector>

namespace zendrix {

// A skin on its way in: its name and the pictures it brings, each by its file name in a skin folder
// ("zendrix.zsk", "title.zsk" and the optional "@2x" twins), read into memory and checked.
struct SkinPackage
{
    QString name;
    std::vector<std::pair<QString, QByteArray>> files;
};

// What one skin picture may be, and what a whole archive may unpack to.
constexpr qint64 kMaxSkinPictureBytes = 16 * 1024 * 1024;
constexpr qint64 kMaxSkinArchiveBytes = 64 * 1024 * 1024;

// The name a skin from `path` would take: a folder's name, or an archive's without its ".zip",
// ".tar.gz" or ".tar.xz" (in any letter case). Empty for a file of any other kind.
QString skinSourceName(const QString& path);

// Reads the skin at `path`: a folder holding the pictures, or a .zip, .tar.gz or .tar.xz archive
// holding them at its top or in one folder (other members are ignored). Before anything is handed out,
// all of it is checked: the name (core/SkinCatalog.h), the archive (platform/ArchiveReader.h, at most
// kMaxSkinArchiveBytes unpacked), both pictures present, and every picture at most kMaxSkinPictureBytes
// and a readable picture within Picture::kMaxSide both ways.
// Nothing, with *refusal saying why in one sentence, for a skin that fails any check.
[[nodiscard]] std::optional<SkinPackage> readSkinPackage(const QString& path, QString* refusal = nullptr);

} // namespace zendrix
