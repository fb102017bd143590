#pragma once

#include "FormWidgets.h"

#include <QListWidget>

namespace zendrix {

// The settings window `frmSettings`, where the user picks the skin. It reads the skin list when it is
// created; a list that is missing or holds no line throws Failure.
class SettingsWindow : public Form
{
    Q_OBJECT
public:
    SettingsWindow();

    ImageBox* imgBack = nullptr;
    QListWidget* lstSkin = nullptr;
};

}  // namespace zendrix
