#include "AlwaysOnTop.h"

#include "core/SwitchSetting.h"

#include <QWidget>

namespace zendrix {

AlwaysOnTop::AlwaysOnTop(const SwitchSetting& setting, std::function<QList<QWidget*>()> windows)
    : m_setting(setting), m_windows(std::move(windows))
{
    connect(&m_setting, &SwitchSetting::changed, this, [this] { apply(); });
}

void AlwaysOnTop::apply()
{
    for (QWidget* window : m_windows())
        apply(*window);
}

void AlwaysOnTop::apply(QWidget& window)
{
    setStaysOnTop(window, m_setting.isOn());
}

void setStaysOnTop(QWidget& window, bool on)
{
    if (window.windowFlags().testFlag(Qt::WindowStaysOnTopHint) == on)
        return;
    const bool shown = window.isVisible();
    const QRect place = window.geometry();
    const Qt::WindowStates state = window.windowState();
    window.setWindowFlag(Qt::WindowStaysOnTopHint, on);
    if (!shown)
        return;
    window.setWindowState(state);
    if (!state.testFlag(Qt::WindowFullScreen))
        window.setGeometry(place);
    window.show();
}

} // namespace zendrix
