#include "DvdMenu.h"

#include "core/Failure.h"
#include "layouts/Layouts.h"

#include <array>

namespace zendrix {

DvdMenu::DvdMenu(MediaEngine& engine) : m_engine(engine)
{
    const layouts::PopupHost& layout = layouts::frmPopup();
    mnuDVD.setObjectName(layout.menuName);
    mnuDVD.setTitle(layout.menuCaption);
    const std::array<void (DvdMenu::*)(), 4> handlers = {&DvdMenu::mnuDVDBack_Click, &DvdMenu::mnuDVDResume_Click,
                                                          &DvdMenu::mnuDVDTitle_Click, &DvdMenu::mnuDVDTop_Click};
    std::size_t next = 0;
    for (const layouts::MenuItem& item : layout.items) {
        if (item.caption == QLatin1String("-")) {
            mnuDVD.addSeparator()->setObjectName(item.name);
            continue;
        }
        QAction* action = mnuDVD.addAction(item.caption);
        action->setObjectName(item.name);
        connect(action, &QAction::triggered, this, handlers[next++]);
    }
}

void DvdMenu::popup(const QPoint& globalPosition)
{
    mnuDVD.popup(globalPosition);
}

void DvdMenu::command(const char* availability, void (EngineDvd::*action)())
{
    try {
        EngineDvd& dvd = m_engine.dvd();
        if (dvd.isAvailable(QLatin1String(availability)))
            (dvd.*action)();
    } catch (const Failure&) {
    }
}

void DvdMenu::mnuDVDBack_Click() { command("back", &EngineDvd::back); }
void DvdMenu::mnuDVDResume_Click() { command("resume", &EngineDvd::resume); }
void DvdMenu::mnuDVDTitle_Click() { command("titleMenu", &EngineDvd::titleMenu); }
void DvdMenu::mnuDVDTop_Click() { command("topMenu", &EngineDvd::topMenu); }

}  // namespace zendrix
