#include "AssetSet.h"

#include "ButtonIcons.h"
#include "GifWriter.h"
#include "IcoWriter.h"
#include "Logo.h"
#include "Skins.h"

#include <QBuffer>
#include <QImageWriter>

namespace zendrix::assetgen {

namespace {

constexpr int kJpegQuality = 95;

// The icons that the program loads from its Data folder when it swaps a button's picture.
const char* const kRunTimeIcons[] = {"play", "pause", "listopen", "listclose"};
// The icons the windows' layouts carry from the start.
const char* const kDesignIcons[] = {"next",     "previous", "stop", "forward", "rewind", "eject",
                                    "remove",   "add",      "save", "about",   "help",   "info",
                                    "settings", "screen",   "exit", "ok",      "play",   "listopen"};

// The sizes the desktop's icon theme asks for most, for menus, docks and software centres.
const int kDesktopIconSizes[] = {16, 24, 32, 48, 64, 128, 256};

// The image in Qt's `format` ("jpeg", "png"), at the writer's own quality unless one is given.
std::optional<QByteArray> encode(const QImage& image, const char* format, int quality = -1)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setQuality(quality);
    if (!writer.write(image))
        return std::nullopt;
    return bytes;
}

} // namespace

std::optional<std::vector<Asset>> buildAssets(QString* error)
{
    std::vector<Asset> assets;
    auto fail = [error](const QString& what) -> std::optional<std::vector<Asset>> {
        if (error)
            *error = what;
        return std::nullopt;
    };

    QByteArray skinList;
    for (const SkinScheme& scheme : skinSchemes())
        skinList += scheme.name.toLatin1() + "\r\n";
    assets.push_back({QStringLiteral("data/Data/Skins/skins.lst"), skinList});
    for (const SkinScheme& scheme : skinSchemes()) {
        const QString folder = QStringLiteral("data/Data/Skins/%1/").arg(scheme.name);
        const auto panel = encode(mainPanel(scheme), "jpeg", kJpegQuality);
        const auto title = encode(titleStrip(scheme), "jpeg", kJpegQuality);
        if (!panel || !title)
            return fail(QStringLiteral("cannot encode the pictures of skin %1 as JPEG").arg(scheme.name));
        assets.push_back({folder + QStringLiteral("zendrix.zsk"), *panel});
        assets.push_back({folder + QStringLiteral("title.zsk"), *title});
    }

    const std::vector<NamedImage> icons = buttonIcons();
    auto iconFile = [&](const char* name) -> std::optional<QByteArray> {
        for (const NamedImage& icon : icons) {
            if (icon.name == QLatin1String(name))
                return encodeIco({{icon.image, IconDepth::Indexed}});
        }
        return std::nullopt;
    };
    for (const char* name : kRunTimeIcons) {
        const auto bytes = iconFile(name);
        if (!bytes)
            return fail(QStringLiteral("cannot draw or encode the icon %1").arg(QLatin1String(name)));
        assets.push_back({QStringLiteral("data/Data/Buttons/%1.ico").arg(QLatin1String(name)), *bytes});
    }
    for (const char* name : kDesignIcons) {
        const auto bytes = iconFile(name);
        if (!bytes)
            return fail(QStringLiteral("cannot draw or encode the icon %1").arg(QLatin1String(name)));
        assets.push_back({QStringLiteral("src/layouts/assets/%1.ico").arg(QLatin1String(name)), *bytes});
    }

    const auto quiet = encodeGif(speaker(Loudness::Quiet));
    const auto loud = encodeGif(speaker(Loudness::Loud));
    if (!quiet || !loud)
        return fail(QStringLiteral("cannot encode the speakers as GIF"));
    assets.push_back({QStringLiteral("src/layouts/assets/speaker-left.gif"), *quiet});
    assets.push_back({QStringLiteral("src/layouts/assets/speaker-right.gif"), *loud});

    std::vector<IconImage> programImages;
    for (int size : {48, 32, 24, 16})
        programImages.push_back({programIcon(size), IconDepth::TrueColour});
    const auto program = encodeIco(programImages);
    if (!program)
        return fail(QStringLiteral("cannot encode the program icon"));
    assets.push_back({QStringLiteral("src/layouts/assets/zendrix.ico"), *program});

    for (int size : kDesktopIconSizes) {
        const auto png = encode(programIcon(size), "png");
        if (!png)
            return fail(QStringLiteral("cannot encode the %1 px program icon as PNG").arg(size));
        assets.push_back({QStringLiteral("data/icons/hicolor/%1x%1/apps/zendrix.png").arg(size), *png});
    }
    return assets;
}

} // namespace zendrix::assetgen
