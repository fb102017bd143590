#pragma once

#include "core/MediaEngine.h"

#include <QMenu>
#include <QObject>

class QActionGroup;

namespace zendrix {

class Program;
class SwitchSetting;
class VideoMenu;

// The player's menu, opened on the main window and on the video of anything but a DVD:
//   Open URL... (Ctrl+L)
//   ---
//   Audio > Equalizer... (Ctrl+E), ReplayGain > Off / Track / Album, Output Device > Default, devices
//   Video > Audio Track, Subtitles, Aspect Ratio, Take Snapshot (VideoMenu; greyed without a picture)
//   Speed > 0.5x, 0.75x, Normal, 1.25x, 1.5x, 2x
//   ---
//   the checkable items of the player's options (addOption): Resume Where Left Off, Always on Top,
//   Notifications
//   About, Exit (as the title strip's buttons)
// Every item has a mnemonic of its own in its menu; R, T and N stay free at the top for the options.
// The shortcuts work from every window of the group. Each handler runs what a choice of its item runs;
// the check marks and the devices are read afresh whenever a menu opens.
class PlayerMenu : public QObject
{
    Q_OBJECT
public:
    explicit PlayerMenu(Program& program);

    QMenu mnuPlayer;
    QAction* mnuOpenUrl = nullptr;
    QMenu* mnuAudio = nullptr;
    QAction* mnuEqualizer = nullptr;
    QMenu* mnuReplayGain = nullptr;
    QMenu* mnuDevice = nullptr;
    QMenu* mnuVideo = nullptr;
    VideoMenu* video = nullptr;
    QMenu* mnuSpeed = nullptr;
    QAction* mnuAbout = nullptr;
    QAction* mnuExit = nullptr;

    // Shows the menu at a place on the screen, unless it shows already.
    void popup(const QPoint& globalPosition);
    // Puts a checkable item of the player's options in its place, after those added before.
    void addToggle(QAction* action);
    // An option's item: checked as the setting is whenever the menu opens, and choosing it stores the
    // setting turned round.
    QAction* addOption(const QString& caption, SwitchSetting& setting);

    void mnuOpenUrl_Click();
    void mnuEqualizer_Click();
    void chooseReplayGain(EngineAudio::ReplayGain mode);
    void chooseOutputDevice(const QString& id);
    void chooseSpeed(double speed);
    void mnuAbout_Click();
    void mnuExit_Click();

    // The speeds of the Speed menu, slowest first.
    static const QList<double>& speeds();

private:
    void showChecks();
    void fillDevices();

    Program& m_program;
    QAction* m_optionsEnd = nullptr; // the separator before About
    QActionGroup* m_replayGainGroup = nullptr;
    QActionGroup* m_speedGroup = nullptr;
    QActionGroup* m_deviceGroup = nullptr;
};

// The captions of a menu made from names that are not the program's own (devices): each "&" shown as
// itself, and each caption given the first of its letters and digits not yet taken by the menu (`taken`
// holds the mnemonics already used there, in any case) as its mnemonic, if one is left.
QStringList withMnemonics(const QStringList& names, QString taken);

} // namespace zendrix
