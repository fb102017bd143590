#include "Skin.h"

#include "Controls.h"
#include "Failure.h"
#include "SkinCatalog.h"
#include "modINI.h"
#include "platform/ProgramFolder.h"

#include <QFileInfo>

namespace zendrix {

QString configuredSkin()
{
    return ReadINI(ConfigPath, QStringLiteral("Skin"), QStringLiteral("Skin"), QStringLiteral("Zendrix"));
}

QString skinFolder(const QString& name)
{
    const QString users = userSkinsFolder();
    if (hasUserSkin(name, users))
        return users + QLatin1Char('/') + name;
    return programPath(QStringLiteral("/Data/Skins/") + name);
}

namespace {

// One of the skin's pictures, read from disk: its sharper twin on a screen that shows twice the pixels,
// when the folder has one that loads, else the picture itself, whose failure is the loading's.
Picture loadSkinPicture(const QString& folder, const QString& file, const QString& twin, qreal ratio)
{
    const QString path = folder + QLatin1Char('/') + file;
    if (ratio >= 2.0 && QFileInfo(path).isFile()) {
        if (const auto sharp = Picture::load(folder + QLatin1Char('/') + twin)) {
            QImage image = sharp->image();
            image.setDevicePixelRatio(2.0);
            return Picture(std::move(image), sharp->type());
        }
    }
    return LoadPicture(path);
}

}  // namespace

bool LoadSkin(SkinTargets& targets, MessageBoxes& messages, ProgramExit& exit)
{
    try {
        const QString name = ReadINI(ConfigPath, QStringLiteral("Skin"), QStringLiteral("Skin"), QStringLiteral("Zendrix"));
        const QString folder = skinFolder(name);
        const qreal ratio = targets.devicePixelRatio();
        const auto background = [&] {
            return loadSkinPicture(folder, kSkinBackground, kSkinBackground2x, ratio);
        };
        // Each picture comes from disk at its own step: nothing is cached between them.
        targets.setMainPicture(background());
        targets.setPlaylistBack(background());
        targets.setSettingsBack(background());
        targets.setInfoBack(background());
        targets.setTitlePicture(loadSkinPicture(folder, kSkinTitle, kSkinTitle2x, ratio));
        return true;
    } catch (const Failure& failure) {
        messages.show(QStringLiteral("Critical error while loading settings!\r\n") + failure.description() +
                          QStringLiteral("\r\nCalibrating skin settings. Please restart the player"),
                      MessageIcon::Critical, MessageButtons::Ok);
        WriteINI(ConfigPath, QStringLiteral("Skin"), QStringLiteral("Skin"), QStringLiteral("Zendrix"));
        exit.endNow();
        return false;
    }
}

}  // namespace zendrix
