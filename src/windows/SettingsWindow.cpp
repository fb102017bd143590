#include "SettingsWindow.h"

#include "SkinList.h"
#include "core/Failure.h"
#include "core/modINI.h"
#include "platform/ProgramFolder.h"

namespace zendrix {

SettingsWindow::SettingsWindow() : Form(layouts::frmSettings().window, Kind::Secondary)
{
    const layouts::SettingsWindow& layout = layouts::frmSettings();
    imgBack = new ImageBox(this, layout.imgBack.rect, ImageBox::Fit::Stretch);
    lstSkin = new QListWidget(this);
    lstSkin->setGeometry(layout.lstSkin.rect);

    const QString current = ReadINI(ConfigPath, QStringLiteral("Skin"), QStringLiteral("Skin"), QStringLiteral("Zendrix"));
    QString error;
    const auto names = readSkinList(programPath(QStringLiteral("/Data/Skins/skins.lst")), &error);
    if (!names)
        throw Failure(error);
    int preselect = 0;
    for (const QString& name : *names) {
        lstSkin->addItem(name);
        if (name == current)
            preselect = lstSkin->count() - 1;
    }
    if (lstSkin->count() == 0)
        throw Failure(QStringLiteral("Invalid property value"));
    lstSkin->setCurrentRow(preselect);
}

}  // namespace zendrix
