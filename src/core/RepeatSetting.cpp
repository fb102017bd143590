#include "RepeatSetting.h"

#include "modINI.h"

#include <utility>

namespace zendrix {

namespace {
const QString kSection = QStringLiteral("Player");
const QString kKey = QStringLiteral("RepeatPlaylist");
} // namespace

void RepeatSetting::load()
{
    m_on = ReadINI(ConfigPath, kSection, kKey, QStringLiteral("False")) == QStringLiteral("True");
}

void RepeatSetting::store(bool on)
{
    WriteINI(ConfigPath, kSection, kKey, on ? QStringLiteral("True") : QStringLiteral("False"));
    if (std::exchange(m_on, on) != on)
        Q_EMIT changed(on);
}

} // namespace zendrix
