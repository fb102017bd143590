#pragma once

#include "Host.h"
#include "platform/Picture.h"

namespace zendrix {

// The windows a skin dresses. Setting a picture creates its window if it does not exist yet; a window's
// creation may fail (the settings window without its skin list), which is a failure of the loading.
class SkinTargets
{
public:
    virtual ~SkinTargets() = default;
    virtual void setMainPicture(const Picture& picture) = 0;
    virtual void setPlaylistBack(const Picture& picture) = 0;
    virtual void setSettingsBack(const Picture& picture) = 0;
    virtual void setInfoBack(const Picture& picture) = 0;
    virtual void setTitlePicture(const Picture& picture) = 0;
};

// Loads the skin named by "Skin" in section "Skin" of the configuration (default "Zendrix"): its
// "zendrix.zsk" is read from disk four times, for the main window and the backgrounds of the playlist,
// settings and information windows, then its "title.zsk" for the title strip. Pictures are read by their
// content, whatever the extension says.
//
// Any failure shows "Critical error while loading settings!" with the failure's description, resets the
// skin to "Zendrix" and ends the program; then it returns false. Pictures set before the failure stay.
bool LoadSkin(SkinTargets& targets, MessageBoxes& messages, ProgramExit& exit);

// The skin folder of a skin name: the program folder, "/Data/Skins/" and the name.
QString skinFolder(const QString& name);

}  // namespace zendrix
