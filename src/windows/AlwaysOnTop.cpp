#include "AlwaysOnTop.h"

#include "core/SwitchSetting.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>
#include <QWindow>

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
    // Windows outside the group are given the hint as they show, while the setting is on.
    if (m_setting.isOn())
        qApp->installEventFilter(this);
    else
        qApp->removeEventFilter(this);
}

bool AlwaysOnTop::eventFilter(QObject* watched, QEvent* event)
{
    // A window's Show comes before it is mapped: the hint set on its native window then goes with the map.
    if (event->type() != QEvent::Show || !watched->isWidgetType())
        return false;
    auto* widget = static_cast<QWidget*>(watched);
    const Qt::WindowType type = widget->windowType();
    if (!widget->isWindow() || type == Qt::Popup || type == Qt::ToolTip || type == Qt::SplashScreen ||
        m_windows().contains(widget))
        return false;
    if (QWindow* window = widget->windowHandle();
        window && !window->flags().testFlag(Qt::WindowStaysOnTopHint))
        window->setFlags(window->flags() | Qt::WindowStaysOnTopHint);
    return false;
}

void AlwaysOnTop::apply(QWidget& window)
{
    setStaysOnTop(window, m_setting.isOn());
}

void setStaysOnTop(QWidget& window, bool on)
{
    Qt::WindowFlags flags = window.windowFlags();
    flags.setFlag(Qt::WindowStaysOnTopHint, on);
    if (flags == window.windowFlags())
        return;
    // QWidget::setWindowFlags would make the native window afresh, hiding it, and the engine draws into
    // the video window's: the widget takes the flag as it stands and its native window is told directly,
    // which the window manager hears as a change of state.
    window.overrideWindowFlags(flags);
    if (QWindow* handle = window.windowHandle())
        handle->setFlags(flags);
}

} // namespace zendrix
