// The windows as assistive technology and the keyboard meet them: every button named for its function,
// the press action running the click's handler, the bars and the clock readable, the windows named, and
// the media keys doing what the desktop's media controls do. What makes any SkinButton a push button with
// a press action is in tests/button/AccessibleTest.cpp.
#include "core/modINI.h"
#include "support/ProgramStart.h"
#include "windows/AboutWindow.h"
#include "windows/InfoWindow.h"
#include "windows/MainWindow.h"
#include "windows/PlaylistWindow.h"
#include "windows/SettingsWindow.h"
#include "windows/TitleStrip.h"
#include "windows/VideoWindow.h"

#include <QAccessible>
#include <QTest>
#include <QToolTip>
#include <gtest/gtest.h>

using namespace zendrix;
using namespace zendrix::testing;

namespace {

class AccessibilityTest : public ::testing::Test, protected ProgramRig
{
protected:
    AccessibilityTest() { start(); }

    static QString name(QObject* object)
    {
        return QAccessible::queryAccessibleInterface(object)->text(QAccessible::Name);
    }
    static void press(QObject* button)
    {
        QAccessible::queryAccessibleInterface(button)->actionInterface()->doAction(
            QAccessibleActionInterface::pressAction());
    }
};

TEST_F(AccessibilityTest, EveryButtonIsNamedForItsFunctionAndPressesAsAClick)
{
    MainWindow& main = program->frmMain();
    TitleStrip& title = program->frmTitle();
    PlaylistWindow& playlist = program->frmPlaylist();
    SettingsWindow& settings = program->frmSettings();
    // clang-format off
    const std::pair<SkinButton*, const char*> buttons[] = {
        {main.cmdControls[2], "Previous"}, {main.cmdControls[0], "Play"}, {main.cmdControls[1], "Next"},
        {main.cmdControls[5], "Rewind"}, {main.cmdControls[3], "Stop"}, {main.cmdControls[4], "Fast Forward"},
        {main.cmdBrowse, "Open"}, {title.cmdAbout, "About"}, {title.cmdHelp, "Help"},
        {title.cmdInfo, "Information"}, {title.cmdSettings, "Settings"}, {title.cmdScreen, "Video"},
        {title.cmdExit, "Exit"}, {title.cmdPlaylist, "Playlist"}, {playlist.cmdAdd, "Add"},
        {playlist.cmdRemove, "Remove"}, {playlist.cmdSave, "Save Playlist"},
        {playlist.cmdBrowse, "Open Playlist"}, {settings.cmdOk, "OK"}, {settings.cmdCancel, "Cancel"},
        {settings.cmdExit, "Close"}};
    // clang-format on
    for (const auto& [button, expected] : buttons) {
        EXPECT_EQ(QAccessible::queryAccessibleInterface(button)->role(), QAccessible::Button) << expected;
        EXPECT_EQ(name(button), expected);
    }
    EXPECT_EQ(main.cmdControls[0]->Caption(), "") << "the transport captions stay blank";

    // Press runs the click's handler: the play button's name follows its icon.
    open(folder.file("/song.mp3"));
    EXPECT_EQ(name(main.cmdControls[0]), "Pause");
    press(main.cmdControls[0]);
    EXPECT_FALSE(player().IsPlaying);
    EXPECT_TRUE(engine->calls().contains("pause"));
    EXPECT_EQ(name(main.cmdControls[0]), "Play");
    press(title.cmdInfo);
    EXPECT_TRUE(program->frmInfo().isVisible());
}

TEST_F(AccessibilityTest, TheBarsTheClockAndTheWindowsReadAsTheyShow)
{
    MainWindow& main = program->frmMain();
    open(folder.file("/song.mp3"));
    ticks(1);

    QAccessibleInterface* position = QAccessible::queryAccessibleInterface(main.scrollTiming);
    QAccessibleInterface* volume = QAccessible::queryAccessibleInterface(main.scrollVolume);
    EXPECT_EQ(position->text(QAccessible::Name), "Position");
    EXPECT_EQ(volume->text(QAccessible::Name), "Volume");
    EXPECT_EQ(position->valueInterface()->maximumValue(), 100);
    EXPECT_EQ(volume->valueInterface()->minimumValue(), 0);
    EXPECT_EQ(volume->valueInterface()->maximumValue(), 100);

    // A value set by a screen reader moves the bar as a user's move does.
    volume->valueInterface()->setCurrentValue(37);
    EXPECT_EQ(ReadINI(ConfigPath, "Player", "Volume", ""), "37");
    position->valueInterface()->setCurrentValue(90);
    EXPECT_TRUE(engine->calls().contains("currentPosition=90"));
    ticks(1);
    EXPECT_EQ(position->valueInterface()->currentValue(), 91);

    QWidget* clock = main.findChild<QWidget*>("clock");
    ASSERT_NE(clock, nullptr);
    QAccessibleInterface* clockText = QAccessible::queryAccessibleInterface(clock);
    EXPECT_EQ(clockText->role(), QAccessible::StaticText);
    EXPECT_EQ(clockText->text(QAccessible::Name), "00:01:30");
    EXPECT_EQ(clockText->childCount(), 0) << "one text, not five labels";

    AboutWindow about(shell, messages);
    const std::pair<QWidget*, const char*> windows[] = {{&main, "Zendrix"},
                                                        {&program->frmPlaylist(), "Playlist"},
                                                        {&program->frmInfo(), "File Information"},
                                                        {&program->frmVideo(), "Video"},
                                                        {&program->frmSettings(), "Settings"},
                                                        {&about, "About Zendrix"}};
    for (const auto& [window, expected] : windows)
        EXPECT_EQ(name(window), expected);
}

TEST_F(AccessibilityTest, MediaKeysInAnyWindowOfTheGroupDoWhatTheDesktopControlsDo)
{
    for (const char* entry : {"/a.mp3", "/b.mp3"})
        program->lstPlaylist().AddItem(entry);
    program->lstPlaylist().setListIndex(0);
    PlaylistWindow& playlist = program->frmPlaylist();
    playlist.show();
    playlist.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&playlist));
    playlist.cmdAdd->setFocus(); // a focused button takes every other key for itself

    const struct
    {
        Qt::Key key;
        bool playing;
        const char* url;
    } keys[] = {{Qt::Key_MediaTogglePlayPause, false, "/a.mp3"}, {Qt::Key_MediaPlay, true, "/a.mp3"},
                {Qt::Key_MediaPause, false, "/a.mp3"},           {Qt::Key_MediaNext, true, "/b.mp3"},
                {Qt::Key_MediaPrevious, true, "/a.mp3"},         {Qt::Key_MediaStop, false, "/a.mp3"}};
    for (const auto& k : keys) {
        SCOPED_TRACE(QKeySequence(k.key).toString().toStdString());
        QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), k.key, QString(), Qt::NoModifier);
        EXPECT_EQ(player().IsPlaying, k.playing);
        EXPECT_EQ(engine->URL(), k.url);
    }
    EXPECT_TRUE(messages.shown.empty());
}

// What a new user sees first: resting the pointer on any button says what it does, on whichever
// window of the group it stands, active or not.
TEST_F(AccessibilityTest, EveryButtonsTipIsItsNameAndTheKeyThatDoesTheSame)
{
    MainWindow& main = program->frmMain();
    TitleStrip& title = program->frmTitle();
    for (QWidget* window : std::initializer_list<QWidget*>{&main, &title, &program->frmPlaylist(),
                                                           &program->frmSettings(), &program->frmInfo()}) {
        for (SkinButton* button : window->findChildren<SkinButton*>())
            EXPECT_TRUE(!name(button).isEmpty() && button->tipText().startsWith(name(button)))
                << button->objectName().toStdString();
    }
    EXPECT_EQ(main.cmdControls[3]->tipText(), "Stop (Stop key)");
    EXPECT_EQ(main.cmdControls[1]->tipText(), "Next")
        << "the Next key walks the playlist, not the engine's items";
    open(folder.file("/song.mp3"));
    EXPECT_EQ(main.cmdControls[0]->tipText(), "Pause (Play/Pause key)");

    title.show();
    main.show();
    main.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
    const QPoint spot = title.cmdInfo->geometry().center();
    QTest::mouseMove(title.windowHandle(), spot - QPoint(3, 0));
    QTest::mouseMove(title.windowHandle(), spot);
    EXPECT_TRUE(
        QTest::qWaitFor([] { return QToolTip::isVisible() && QToolTip::text() == "Information"; }, 5000));
    QToolTip::hideText();
}

} // namespace
