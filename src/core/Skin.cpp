#include "Skin.h"

#include "Controls.h"
#include "Failure.h"
#include "modINI.h"
#include "platform/ProgramFolder.h"

namespace zendrix {

QString skinFolder(const QString& name)
{
    return programPath(QStringLiteral("/Data/Skins/") + name);
}

bool LoadSkin(SkinTargets& targets, MessageBoxes& messages, ProgramExit& exit)
{
    try {
        const QString name = ReadINI(ConfigPath, QStringLiteral("Skin"), QStringLiteral("Skin"), QStringLiteral("Zendrix"));
        const QString folder = skinFolder(name);
        const QString background = folder + QStringLiteral("/zendrix.zsk");
        // Each picture comes from disk at its own step: nothing is cached between them.
        targets.setMainPicture(LoadPicture(background));
        targets.setPlaylistBack(LoadPicture(background));
        targets.setSettingsBack(LoadPicture(background));
        targets.setInfoBack(LoadPicture(background));
        targets.setTitlePicture(LoadPicture(folder + QStringLiteral("/title.zsk")));
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
