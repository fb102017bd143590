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
    // The device pixel ratio of the screen the windows show on: from 2 on, a skin's "@2x" pictures are
    // used where it has them.
    virtual qreal devicePixelRatio() const { return 1.0; }
};

// Loads the skin named by "Skin" in section "Skin" of the configuration (default "Zendrix"): its
// "zendrix.zsk" is read from disk four times, for the main window and the backgrounds of the playlist,
// settings and information windows, then its "title.zsk" for the title strip. Pictures are read by their
// content, whatever the extension says.
//
// On a screen of device pixel ratio 2 or more, a skin folder's "zendrix@2x.zsk" and "title@2x.zsk",
// where they load, stand in for the two pictures at the same steps, drawn at half their pixel size: the
// window's size for a picture of twice its width and height. The 1x pictures must be there all the same;
// a twin that does not load is passed over for its 1x picture.
//
// Any failure shows "Critical error while loading settings!" with the failure's description, resets the
// skin to "Zendrix" and ends the program; then it returns false. Pictures set before the failure stay.
bool LoadSkin(SkinTargets& targets, MessageBoxes& messages, ProgramExit& exit);

// The configured skin: "Skin" in section "Skin", default "Zendrix".
QString configuredSkin();

// The skin folder of a skin name: the user's own skin of that name (core/SkinCatalog.h) when there is
// one, else the program folder, "/Data/Skins/" and the name.
QString skinFolder(const QString& name);

}  // namespace zendrix
