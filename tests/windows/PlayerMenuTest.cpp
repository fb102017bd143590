// The player's menu in the started program over a scripted engine: where it opens, its items and their
// keys, and what each choice does; the Open URL dialog's refusals; the equalizer window.
#include "windows/PlayerMenu.h"
#include "core/Player.h"
#include "core/SoundSettings.h"
#include "core/modINI.h"
#include "support/ProgramStart.h"
#include "support/QtPrinters.h"
#include "support/WaitFor.h"
#include "windows/EqualizerWindow.h"
#include "windows/MainWindow.h"
#include "windows/OpenUrlDialog.h"
#include "windows/TitleStrip.h"
#include "windows/VideoMenu.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QSlider>
#include <QTest>
#include <gtest/gtest.h>

using namespace zendrix;
using namespace zendrix::testing;

namespace {

class PlayerMenuTest : public ::testing::Test, protected ProgramRig
{
protected:
    void SetUp() override { start(); }
    PlayerMenu& menu() { return program->playerMenu(); }
    // The captions of a menu's items, "-" for a separator; hidden items are left out.
    static QStringList captions(const QMenu& shown)
    {
        QStringList result;
        for (const QAction* action : shown.actions()) {
            if (action->isVisible())
                result << (action->isSeparator() ? QStringLiteral("-") : action->text());
        }
        return result;
    }
    static QAction* item(const QMenu& shown, const QString& caption)
    {
        for (QAction* action : shown.actions()) {
            if (action->text() == caption)
                return action;
        }
        ADD_FAILURE() << "no item " << caption.toStdString();
        return nullptr;
    }
    static QString checked(const QMenu& shown)
    {
        for (const QAction* action : shown.actions()) {
            if (action->isChecked())
                return action->text();
        }
        return {};
    }
    // The main window's part of a right click at `at`: the press, and the menu request that a control
    // there passes on to it.
    void rightClick(QPoint at)
    {
        MainWindow& main = program->frmMain();
        QMouseEvent press(QEvent::MouseButtonPress, at, main.mapToGlobal(at), Qt::RightButton,
                          Qt::RightButton, Qt::NoModifier);
        QApplication::sendEvent(&main, &press);
        QMouseEvent release(QEvent::MouseButtonRelease, at, main.mapToGlobal(at), Qt::RightButton,
                            Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(&main, &release);
        QContextMenuEvent request(QContextMenuEvent::Mouse, at, main.mapToGlobal(at));
        QApplication::sendEvent(&main, &request);
    }
};

// Each letter after "&" is a mnemonic; the menu must not hold one twice.
QString mnemonics(const QStringList& captions)
{
    QString letters;
    for (const QString& caption : captions) {
        const qsizetype at = caption.indexOf('&');
        if (at >= 0 && at + 1 < caption.size())
            letters += caption.at(at + 1).toLower();
    }
    return letters;
}

TEST_F(PlayerMenuTest, TheItemsStandInOrderEachWithAMnemonicOfItsOwnAndVideoIsGreyedWithoutAPicture)
{
    EXPECT_EQ(captions(menu().mnuPlayer), QStringList({"Open &URL\u2026", "-", "&Audio", "&Video", "&Speed",
                                                       "-", "&Resume Where Left Off", "Always on &Top",
                                                       "&Notifications", "-", "A&bout", "E&xit"}));
    EXPECT_EQ(menu().mnuOpenUrl->shortcut(), QKeySequence("Ctrl+L"));
    EXPECT_EQ(menu().mnuEqualizer->shortcut(), QKeySequence("Ctrl+E"));
    EXPECT_EQ(captions(*menu().mnuAudio),
              QStringList({"&Equalizer\u2026", "&ReplayGain", "Output &Device", "Audio &Track"}));
    EXPECT_EQ(captions(*menu().mnuReplayGain), QStringList({"&Off", "&Track", "&Album"}));
    EXPECT_EQ(captions(*menu().mnuSpeed),
              QStringList({"&0.5\u00d7", "0.&75\u00d7", "&Normal", "1.2&5\u00d7", "&1.5\u00d7", "&2\u00d7"}));
    EXPECT_EQ(captions(*menu().mnuVideo),
              QStringList({"Audio &Track", "&Subtitles", "&Aspect Ratio", "-", "Take S&napshot"}));
    EXPECT_EQ(captions(*menu().video->mnuAspectRatio),
              QStringList({"&Default", "1&6:9", "&4:3", "16:1&0", "&2.35:1", "&1:1"}));
    EXPECT_FALSE(menu().mnuVideo->isEnabled());
    for (const QMenu* each : {&menu().mnuPlayer, menu().mnuAudio, menu().mnuReplayGain, menu().mnuSpeed,
                              menu().mnuVideo, menu().video->mnuAspectRatio}) {
        const QString letters = mnemonics(captions(*each).filter(QRegularExpression("[^-]")));
        EXPECT_EQ(QSet<QChar>(letters.begin(), letters.end()).size(), letters.size())
            << letters.toStdString();
    }
}

TEST_F(PlayerMenuTest, ARightClickOnThePanelTheMenuKeyAndShiftF10OpenItButNotARightClickOnAButtonOrABar)
{
    MainWindow& main = program->frmMain();
    QMenu& shown = menu().mnuPlayer;
    rightClick(main.cmdControls[0]->geometry().center());
    rightClick(main.scrollVolume->geometry().center());
    EXPECT_FALSE(shown.isVisible());
    const QPoint panel(200, 66);
    ASSERT_EQ(main.childAt(panel), nullptr);
    const QString before = ReadINI(ConfigPath, "Position", "Top", "none");
    rightClick(panel);
    EXPECT_TRUE(shown.isVisible());
    EXPECT_EQ(shown.pos(), main.mapToGlobal(panel));
    EXPECT_EQ(ReadINI(ConfigPath, "Position", "Top", "none"), before) << "the right button drags nothing";
    shown.hide();

    main.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
    main.cmdControls[3]->setFocus();
    for (const QKeySequence& keys : {QKeySequence(Qt::SHIFT | Qt::Key_F10), QKeySequence(Qt::Key_Menu)}) {
        QTest::keySequence(&main, keys);
        EXPECT_TRUE(test::waitFor([&] { return shown.isVisible(); }, 2000)) << keys.toString().toStdString();
        shown.hide();
    }

    // The items' own shortcuts work while the menu is closed.
    QTest::keySequence(&main, QKeySequence(Qt::CTRL | Qt::Key_L));
    EXPECT_EQ(addresses.asked, 1);
    QTest::keySequence(&main, QKeySequence(Qt::CTRL | Qt::Key_E));
    EXPECT_TRUE(program->frmEqualizer().isVisible());
}

TEST_F(PlayerMenuTest, OpenUrlPlaysTheAddressAsTheOpenButtonPlaysAFileAndCancelChangesNothing)
{
    engine->clearCalls();
    menu().mnuOpenUrl_Click();
    EXPECT_EQ(addresses.asked, 1);
    EXPECT_TRUE(engine->calls().isEmpty());
    addresses.answers.push_back("http://127.0.0.1:8000/radio");
    engine->mediaName = "radio";
    menu().mnuOpenUrl->trigger();
    EXPECT_EQ(engine->calls(), QStringList({"URL=http://127.0.0.1:8000/radio", "play"}));
    EXPECT_EQ(player().lblFilename.Caption(), "radio");
    EXPECT_TRUE(player().tmrTiming.Enabled() && !player().FromPlaylist);
}

TEST_F(PlayerMenuTest, ReplayGainAndTheSpeedAreCheckedAsTheyAreAndAChoiceReachesTheEngineAtOnce)
{
    Q_EMIT menu().mnuPlayer.aboutToShow();
    EXPECT_EQ(checked(*menu().mnuReplayGain), "&Off");
    EXPECT_EQ(checked(*menu().mnuSpeed), "&Normal");
    item(*menu().mnuReplayGain, "&Album")->trigger();
    EXPECT_EQ(engine->calls().last(), "replayGain=Album");
    EXPECT_EQ(ReadINI(ConfigPath, "Audio", "ReplayGain", ""), "Album");
    item(*menu().mnuSpeed, "1.2&5\u00d7")->trigger();
    EXPECT_EQ(player().speed(), 1.25);
    EXPECT_EQ(engine->calls().last(), "rate=1.25");
    EXPECT_EQ(ReadINI(ConfigPath, "Player", "Speed", "none"), "none") << "the speed is not stored";

    player().setSpeed(0.5); // as the desktop's media controls may set it
    Q_EMIT menu().mnuPlayer.aboutToShow();
    EXPECT_EQ(checked(*menu().mnuSpeed), "&0.5\u00d7");
    EXPECT_EQ(checked(*menu().mnuReplayGain), "&Album");

    // A new start plays at the normal speed with the stored ReplayGain.
    start();
    EXPECT_TRUE(engine->calls().contains("replayGain=Album"));
    EXPECT_TRUE(engine->calls().filter("rate=").isEmpty());
    EXPECT_EQ(program->player().speed(), 1.0);
}

TEST_F(PlayerMenuTest,
       TheDevicesAreListedAfterDefaultTheOneInUseCheckedAndAMissingStoredOneFallsBackToDefault)
{
    engine->devices = {{"hw:1", "USB Headset & Mic"}, {"hw:2", "Desk Speakers"}};
    Q_EMIT menu().mnuDevice->aboutToShow();
    EXPECT_EQ(captions(*menu().mnuDevice),
              QStringList({"&Default", "&USB Headset && Mic", "D&esk Speakers"}));
    EXPECT_EQ(checked(*menu().mnuDevice), "&Default");
    item(*menu().mnuDevice, "D&esk Speakers")->trigger();
    EXPECT_EQ(engine->calls().last(), "outputDevice=hw:2");
    EXPECT_EQ(ReadINI(ConfigPath, "Audio", "OutputDevice", ""), "hw:2");
    Q_EMIT menu().mnuDevice->aboutToShow();
    EXPECT_EQ(checked(*menu().mnuDevice), "D&esk Speakers");

    // A device the engine finds while the menu shows joins it.
    menu().mnuDevice->popup(QPoint(0, 0));
    engine->listDevices({{"hw:2", "Desk Speakers"}, {"hw:3", "HDMI"}});
    EXPECT_EQ(captions(*menu().mnuDevice), QStringList({"&Default", "D&esk Speakers", "&HDMI"}));
    menu().mnuDevice->hide();

    // The next start finds the desk speakers unplugged: the default plays, without a word.
    start();
    engine->devices = {{"hw:1", "USB Headset & Mic"}};
    Q_EMIT menu().mnuDevice->aboutToShow();
    EXPECT_EQ(checked(*menu().mnuDevice), "&Default");
    EXPECT_TRUE(messages.shown.empty());
    item(*menu().mnuDevice, "&Default")->trigger();
    EXPECT_EQ(ReadINI(ConfigPath, "Audio", "OutputDevice", "none"), "");
}

TEST_F(PlayerMenuTest, ExitEndsTheProgramAsTheTitleStripsButtonDoes)
{
    menu().mnuExit->trigger();
    EXPECT_EQ(exit.ended, 1);
}

TEST(Mnemonics, EachNameGetsTheFirstLetterOrDigitTheMenuHasNotTakenAndAmpersandsShowAsThemselves)
{
    EXPECT_EQ(withMnemonics({"Speakers", "Speakers 2", "S", "&&", "HDMI 1"}, "d"),
              QStringList({"&Speakers", "S&peakers 2", "S", "&&&&", "&HDMI 1"}));
    EXPECT_EQ(withMnemonics({"Dock"}, "D"), QStringList({"D&ock"}));
}

TEST(OpenUrlDialog, ARefusedAddressIsExplainedInTheDialogWhichStaysOpenAndAGoodOneIsTaken)
{
    QGuiApplication::clipboard()->setText(QStringLiteral("not an address"));
    OpenUrlDialog dialog;
    EXPECT_EQ(dialog.windowTitle(), "Open URL");
    EXPECT_EQ(dialog.txtAddress->text(), "") << "the clipboard holds no address";
    dialog.show();
    dialog.txtAddress->setText(QStringLiteral("ftp://files.example/song.mp3"));
    QPushButton* ok = dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
    ok->click();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_TRUE(dialog.lblProblem->isVisibleTo(&dialog));
    EXPECT_TRUE(dialog.lblProblem->text().contains("does not open ftp:"))
        << dialog.lblProblem->text().toStdString();
    dialog.txtAddress->setText(QStringLiteral(" http://radio.example/live "));
    ok->click();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.address(), "http://radio.example/live");

    QGuiApplication::clipboard()->setText(QStringLiteral("https://radio.example/jazz"));
    EXPECT_EQ(OpenUrlDialog().txtAddress->text(), "https://radio.example/jazz");
}

TEST_F(PlayerMenuTest, TheEqualizerWindowShowsTheSettingOverTheSkinAndADragIsStoredWhenItEnds)
{
    WriteINI(ConfigPath, "Equalizer", "Band3", "-4.5");
    menu().mnuEqualizer->trigger();
    EqualizerWindow& window = program->frmEqualizer();
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.imgBack->picture().image().pixelColor(2, 2), QColor(10, 20, 30))
        << "the skin's background";
    EXPECT_FALSE(window.chkEnabled->isChecked());
    EXPECT_EQ(window.sldBands.at(3)->value(), -45);
    EXPECT_EQ(window.cboPreset->currentIndex(), -1);
    EXPECT_EQ(window.cboPreset->count(), 2);

    window.chkEnabled->click();
    EXPECT_EQ(engine->calls().last(), "equalizer=0 0 0 0 -4.5 0 0 0 0 0 0");
    QSlider* bass = window.sldBands.at(0);
    bass->setSliderDown(true);
    bass->setValue(60);
    EXPECT_EQ(engine->calls().last(), "equalizer=0 6 0 0 -4.5 0 0 0 0 0 0") << "heard at once";
    EXPECT_EQ(ReadINI(ConfigPath, "Equalizer", "Band0", "none"), "0.0");
    bass->setSliderDown(false);
    EXPECT_EQ(ReadINI(ConfigPath, "Equalizer", "Band0", "none"), "6.0");

    window.cboPreset->setCurrentIndex(1);
    Q_EMIT window.cboPreset->activated(1);
    EXPECT_EQ(bass->value(), 120);
    EXPECT_EQ(window.sldPreamp->value(), -60);
    EXPECT_EQ(ReadINI(ConfigPath, "Equalizer", "Preset", ""), "Bass");

    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    window.cmdReset->setFocus(); // a button takes every key it is given
    QTest::keySequence(&window, QKeySequence(Qt::Key_Escape));
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(EqualizerWindow::levelText(-4.5), "-4.5");
    EXPECT_EQ(EqualizerWindow::levelText(0.04), "0");
    EXPECT_EQ(EqualizerWindow::levelText(12), "+12.0");
}

} // namespace
