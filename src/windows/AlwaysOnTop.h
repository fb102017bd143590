#pragma once

#include <QList>
#include <QObject>
#include <functional>

class QWidget;

namespace zendrix {

class SwitchSetting;

// "Always on Top": while the setting is on, every window of the group stays above other programs'
// windows (Qt's stays-on-top hint: the window manager's _NET_WM_STATE_ABOVE). A window made later, one
// back from full screen and the group after a change of skin get it through apply(), which leaves a
// window that has the hint as it should alone. The program's other windows (message boxes, dialogs,
// the settings and About windows) are shown above too while it is on, so that none waits for an answer
// hidden behind the group.
class AlwaysOnTop : public QObject
{
    Q_OBJECT
public:
    // `windows`: the group's windows that exist now.
    AlwaysOnTop(const SwitchSetting& setting, std::function<QList<QWidget*>()> windows);

    void apply();
    void apply(QWidget& window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    const SwitchSetting& m_setting;
    std::function<QList<QWidget*>()> m_windows;
};

// Gives a window the stays-on-top hint or takes it away, where it stands: its native window stays the
// same one (the engine may be drawing into it), shown or hidden, at its place, in its state.
void setStaysOnTop(QWidget& window, bool on);

} // namespace zendrix
