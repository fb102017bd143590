#include "SwitchSetting.h"

#include "modINI.h"

#include <utility>

namespace zendrix {

void SwitchSetting::load()
{
    const bool on = ReadINI(ConfigPath, m_section, m_key, QStringLiteral("False")) == QStringLiteral("True");
    if (std::exchange(m_on, on) != on)
        Q_EMIT changed(on);
}

void SwitchSetting::store(bool on)
{
    WriteINI(ConfigPath, m_section, m_key, on ? QStringLiteral("True") : QStringLiteral("False"));
    if (std::exchange(m_on, on) != on)
        Q_EMIT changed(on);
}

} // namespace zendrix
