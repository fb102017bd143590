#include "PlayerOptions.h"

#include "Program.h"
#include "core/SettingsFile.h"
#include "core/modINI.h"
#include "platform/ProgramFolder.h"

namespace zendrix {

PlayerOptions::PlayerOptions(Program& program)
    : m_resume(program.wmp(), resume), m_onTop(onTop, [&program] { return program.groupWindows(); }),
      m_notifications(program.player(), program.wmp(), notify)
{
    QObject::connect(&resume, &SwitchSetting::changed, [this](bool on) {
        if (on)
            m_resume.prepare();
    });
}

void PlayerOptions::load()
{
    resume.load();
    onTop.load();
    notify.load();
    m_resume.setFolder(stateFolder(ConfigPath, programFolder()));
}

} // namespace zendrix
