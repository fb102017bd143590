#pragma once

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

namespace zendrix::assetgen {

// One file that the generator owns: its path relative to the repository's root and its exact bytes.
struct Asset
{
    QString path;
    QByteArray bytes;
};

// Draws and encodes every shipped picture and the skin list, in a fixed order:
//  - data/Data/Skins/skins.lst, and each skin's zendrix.zsk (425 x 71) and title.zsk (425 x 28), JPEG;
//  - data/Data/Buttons/: the icons the program swaps at run time (play, pause, listopen, listclose);
//  - src/layouts/assets/: the buttons' design-time icons, the two speaker GIFs and the program icon;
//  - data/icons/hicolor/<n>x<n>/apps/zendrix.png: the program icon for the desktop's icon theme, PNG.
// The same program gives the same bytes on every run. Returns nothing, and the reason in *error, when a
// picture cannot be encoded.
[[nodiscard]] std::optional<std::vector<Asset>> buildAssets(QString* error = nullptr);

// A PNG overview of the given assets, drawn from their encoded bytes (so it shows what ships): every icon
// on a button face, on the mask grey and enlarged; the speakers; the program icon; and each skin's windows
// as they will look, at natural size and stretched over the playlist, settings and information windows.
QByteArray contactSheet(const std::vector<Asset>& assets);

} // namespace zendrix::assetgen
