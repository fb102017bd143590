#pragma once

#include "FormWidgets.h"
#include "button/SkinButton.h"

#include <functional>
#include <optional>

namespace zendrix {

class Program;

// The title strip `frmTitle` on top of the window group: the window commands. Exit ends the program at
// once; the playlist, video and information buttons show and hide their windows, place them in the
// group and keep their visibility in the settings; help opens the user guide; About and Settings open
// their windows modally.
class TitleStrip : public Form
{
    Q_OBJECT
public:
    explicit TitleStrip(Program& program);

    ImageBox* imgIcon = nullptr;
    SkinButton* cmdAbout = nullptr;
    SkinButton* cmdHelp = nullptr;
    SkinButton* cmdInfo = nullptr;
    SkinButton* cmdSettings = nullptr;
    SkinButton* cmdScreen = nullptr;
    SkinButton* cmdExit = nullptr;
    SkinButton* cmdPlaylist = nullptr;

    void cmdExit_Click();
    void cmdPlaylist_Click();
    void cmdScreen_Click();
    void cmdInfo_Click();
    void cmdHelp_Click();
    void cmdAbout_Click();
    void cmdSettings_Click();

    // Opens a document or an address with the desktop's default application; every failure is ignored.
    void LaunchApp(const QString& pathOrAddress);

private:
    // The step the three window toggles share: a shown window is hidden and a hidden one shown, `arrange`
    // places what that moves, the group is kept on the screens, and the visibility is stored under `key`
    // of "Player". A failure is
    // reported and stops the toggle before anything is written; then nothing is returned.
    std::optional<bool> toggle(QWidget& window, const QString& key, const std::function<void(bool shown)>& arrange);

    Program& m_program;
};

}  // namespace zendrix
