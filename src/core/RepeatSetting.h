#pragma once

#include "SwitchSetting.h"

namespace zendrix {

// "RepeatPlaylist" of section "Player": whether the end of the list starts it again. Read once, when the
// program has found its settings (before the playlist window exists), and kept: the end-of-list advance
// and the desktop's media controls ask here instead of reading the disk at every question. The Repeat box
// changes it (a click; the desktop's LoopStatus acts as one), and the change is written at once. The box
// itself opens unchecked at every start, whatever is stored, and follows only changes made while the
// program runs.
class RepeatSetting : public SwitchSetting
{
public:
    RepeatSetting() : SwitchSetting(QStringLiteral("Player"), QStringLiteral("RepeatPlaylist")) {}
};

} // namespace zendrix
