#pragma once

#include "core/MediaEngine.h"

#include <QMenu>

namespace zendrix {

// The DVD menu `mnuDVD` of the never-shown window `frmPopup`: Back, Resume, a separator, Title Menu and
// Top Menu. Each command asks the engine whether it can act now and then acts; every failure is ignored,
// the menu closes and playback goes on.
class DvdMenu : public QObject
{
    Q_OBJECT
public:
    explicit DvdMenu(MediaEngine& engine);

    QMenu mnuDVD;
    void popup(const QPoint& globalPosition);

    void mnuDVDBack_Click();
    void mnuDVDResume_Click();
    void mnuDVDTitle_Click();
    void mnuDVDTop_Click();

private:
    void command(const char* availability, void (EngineDvd::*action)());
    MediaEngine& m_engine;
};

}  // namespace zendrix
