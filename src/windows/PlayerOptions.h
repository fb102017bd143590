#pragma once

#include "AlwaysOnTop.h"
#include "Notifications.h"
#include "core/Host.h"
#include "core/ResumePlayback.h"
#include "core/SwitchSetting.h"

namespace zendrix {

class Program;

// The options of the player's menu and what carries each out, each stored in section "Player" the
// moment it changes and off when missing:
//   Resume Where Left Off  "Resume"         ResumePlayback: the player's start places
//   Always on Top          "AlwaysOnTop"    AlwaysOnTop over the program's group of windows
//   Notifications          "Notifications"  Notifications of new items, once a bus is given
class PlayerOptions
{
public:
    explicit PlayerOptions(Program& program);

    SwitchSetting resume{QStringLiteral("Player"), QStringLiteral("Resume")};
    SwitchSetting onTop{QStringLiteral("Player"), QStringLiteral("AlwaysOnTop")};
    SwitchSetting notify{QStringLiteral("Player"), QStringLiteral("Notifications")};

    ResumePlayback& resumePlayback() { return m_resume; }
    AlwaysOnTop& alwaysOnTop() { return m_onTop; }
    Notifications& notifications() { return m_notifications; }

    // Start-up, once the settings file is known: the settings are read, and the places of Resume are
    // read beside the settings or in the user's state folder.
    void load();

private:
    ResumePlayback m_resume;
    AlwaysOnTop m_onTop;
    Notifications m_notifications;
};

} // namespace zendrix
