// Mouse, keyboard, focus and hover, driven by real Qt events on a shown window, and the events the
// button raises for them.
#include "button/SkinButton.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

using namespace zendrix;

namespace {

class ButtonInput : public ::testing::Test
{
protected:
    void SetUp() override
    {
        window.resize(200, 100);
        for (int i = 0; i < 3; ++i) {
            buttons[i] = new SkinButton(&window);
            buttons[i]->setGeometry(10 + 50 * i, 10, 36, 20);
            buttons[i]->setButtonType(14);
        }
        record(*buttons[0]);
        window.show();
        QApplication::setActiveWindow(&window);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        away();
    }

    void record(SkinButton& b)
    {
        auto mouse = [this](const char* name) {
            return [this, name](short& button, short& shift, float& x, float& y) {
                log << QStringLiteral("%1 %2 %3 %4 %5").arg(name).arg(button).arg(shift).arg(x).arg(y);
            };
        };
        QObject::connect(&b, &SkinButton::Click, [this] { log << "Click"; });
        QObject::connect(&b, &SkinButton::MouseDown, mouse("MouseDown"));
        QObject::connect(&b, &SkinButton::MouseUp, mouse("MouseUp"));
        QObject::connect(&b, &SkinButton::KeyDown, [this](short& key, short& shift) {
            log << QStringLiteral("KeyDown %1 %2").arg(key).arg(shift);
        });
        QObject::connect(&b, &SkinButton::KeyUp, [this](short& key, short& shift) {
            log << QStringLiteral("KeyUp %1 %2").arg(key).arg(shift);
        });
        QObject::connect(&b, &SkinButton::KeyPress,
                         [this](short& ascii) { log << QStringLiteral("KeyPress %1").arg(ascii); });
        QObject::connect(&b, &SkinButton::MouseOver, [this] { log << "MouseOver"; });
        QObject::connect(&b, &SkinButton::MouseOut, [this] { log << "MouseOut"; });
    }

    // Puts the pointer over a button (or away from all of them) and moves it there.
    void pointAt(SkinButton& b, QPoint at = {5, 5}, Qt::MouseButtons held = {})
    {
        QCursor::setPos(b.mapToGlobal(at));
        QMouseEvent move(QEvent::MouseMove, at, b.mapToGlobal(at), Qt::NoButton, held, Qt::NoModifier);
        QApplication::sendEvent(&b, &move);
    }
    void away() { QCursor::setPos(window.mapToGlobal(QPoint(190, 90))); }
    void waitForTick() { QTest::qWait(60); }
    // The tick that notices the pointer has gone; generous, for a busy machine.
    void waitForOut()
    {
        EXPECT_TRUE(QTest::qWaitFor([this] { return log.contains("MouseOut"); }, 3000));
    }

    QWidget window;
    SkinButton* buttons[3] = {};
    QStringList log;
};

TEST_F(ButtonInput, LeftClickShowsThePressedFaceAndClicksAfterTheRelease)
{
    SkinButton& b = *buttons[0];
    int paintsAtMouseUp = 0;
    int paintsAtClick = 0;
    DrawState stateAtClick = StateDown;
    QObject::connect(&b, &SkinButton::MouseUp,
                     [&](short&, short&, float&, float&) { paintsAtMouseUp = b.paintCount(); });
    QObject::connect(&b, &SkinButton::Click, [&] {
        paintsAtClick = b.paintCount();
        stateAtClick = b.LastState();
    });
    QTest::mousePress(&b, Qt::LeftButton, Qt::ShiftModifier, QPoint(5, 6));
    EXPECT_EQ(b.LastState(), StateDown);
    QTest::mouseRelease(&b, Qt::LeftButton, {}, QPoint(5, 6));
    EXPECT_EQ(log, QStringList({"MouseDown 1 1 5 6", "MouseUp 1 0 5 6", "Click"}));
    EXPECT_EQ(stateAtClick, StateUp);
    EXPECT_EQ(paintsAtClick, paintsAtMouseUp + 2); // up on the release, and once more, forced
}

TEST_F(ButtonInput, RightAndMiddleClicksRaiseNoClick)
{
    SkinButton& b = *buttons[0];
    QTest::mousePress(&b, Qt::RightButton, {}, QPoint(5, 5));
    EXPECT_EQ(b.LastState(), StateUp);
    QTest::mouseRelease(&b, Qt::RightButton, {}, QPoint(5, 5));
    QTest::mousePress(&b, Qt::MiddleButton, {}, QPoint(5, 5));
    EXPECT_EQ(b.LastState(), StateDown);
    QTest::mouseRelease(&b, Qt::MiddleButton, {}, QPoint(5, 5));
    EXPECT_EQ(b.LastState(), StateUp);
    EXPECT_EQ(log,
              QStringList({"MouseDown 2 0 5 5", "MouseUp 2 0 5 5", "MouseDown 4 0 5 5", "MouseUp 4 0 5 5"}));
}

TEST_F(ButtonInput, DoubleClickPressesTwiceAndClicksOnce)
{
    SkinButton& b = *buttons[0];
    QTest::mouseClick(&b, Qt::LeftButton, {}, QPoint(7, 8));
    QTest::mouseDClick(&b, Qt::LeftButton, {}, QPoint(7, 8)); // the second press, as a double click
    EXPECT_EQ(b.LastState(), StateDown);
    QTest::mouseRelease(&b, Qt::LeftButton, {}, QPoint(7, 8));
    EXPECT_EQ(log, QStringList({"MouseDown 1 0 7 8", "MouseUp 1 0 7 8", "Click", "MouseDown 1 0 0 0",
                                "MouseUp 1 0 7 8"}));
}

TEST_F(ButtonInput, DraggingOffAndBackMovesTheFaceAndAReleaseOffTheButtonDoesNotClick)
{
    SkinButton& b = *buttons[0];
    pointAt(b);
    ASSERT_TRUE(b.IsOver());
    QTest::mousePress(&b, Qt::LeftButton, {}, QPoint(5, 5));
    pointAt(b, QPoint(60, 5), Qt::LeftButton); // dragged off: the face comes up
    EXPECT_EQ(b.LastState(), StateUp);
    pointAt(b, QPoint(5, 5), Qt::LeftButton); // and back: down again, hovering not taken up
    EXPECT_EQ(b.LastState(), StateDown);
    EXPECT_FALSE(b.IsOver());
    pointAt(b, QPoint(60, 5), Qt::LeftButton);
    QTest::mouseRelease(&b, Qt::LeftButton, {}, QPoint(60, 5));
    EXPECT_FALSE(log.contains("Click"));
    pointAt(b, QPoint(6, 6)); // a move without a button: hovering again
    EXPECT_TRUE(b.IsOver());
    EXPECT_EQ(log.count("MouseOver"), 2);
}

TEST_F(ButtonInput, HandlersCanChangeTheButtonTheyAreGiven)
{
    SkinButton& b = *buttons[0];
    short replacement = 2;
    QObject::connect(&b, &SkinButton::MouseDown,
                     [&](short& button, short&, float&, float&) { button = replacement; });
    QTest::mouseClick(&b, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_FALSE(log.contains("Click")); // read back as a right press
    replacement = 300;                   // out of a byte's range: taken as no button, not a failure
    QTest::mouseClick(&b, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_FALSE(log.contains("Click"));
    replacement = 1;
    QTest::mouseClick(&b, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(log.count("Click"), 1);
}

TEST_F(ButtonInput, SpaceClicksOnItsReleaseOnlyIfItWasTheLastKeyPressed)
{
    SkinButton& b = *buttons[0];
    b.setFocus();
    QTest::keyPress(&b, Qt::Key_Space);
    EXPECT_EQ(b.LastState(), StateDown);
    QTest::keyRelease(&b, Qt::Key_Space);
    EXPECT_EQ(log, QStringList({"KeyDown 32 0", "KeyPress 32", "KeyUp 32 0", "Click"}));
    EXPECT_EQ(b.LastState(), StateUp);

    log.clear();
    QTest::keyPress(&b, Qt::Key_Space);
    QTest::keyClick(&b, Qt::Key_A);
    QTest::keyRelease(&b, Qt::Key_Space);
    EXPECT_FALSE(log.contains("Click"));
    EXPECT_EQ(b.LastState(), StateDown); // until the next repaint

    // Key repeat: more presses, no releases, one paint.
    log.clear();
    b.Redraw(StateUp, Force::Yes);
    QTest::keyPress(&b, Qt::Key_Space);
    const int paints = b.paintCount();
    for (int i = 0; i < 3; ++i) {
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, " ", true);
        QApplication::sendEvent(&b, &release);
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, " ", true);
        QApplication::sendEvent(&b, &press);
    }
    EXPECT_EQ(log.count("KeyDown 32 0"), 4);
    EXPECT_EQ(log.count("KeyUp 32 0"), 0);
    EXPECT_EQ(b.paintCount(), paints);
}

TEST_F(ButtonInput, ArrowKeysMoveTheFocusLikeTabAndShiftTab)
{
    buttons[0]->setFocus();
    QTest::keyClick(buttons[0], Qt::Key_Right);
    EXPECT_TRUE(buttons[1]->hasFocus());
    QTest::keyClick(buttons[1], Qt::Key_Down);
    EXPECT_TRUE(buttons[2]->hasFocus());
    QTest::keyClick(buttons[2], Qt::Key_Left);
    EXPECT_TRUE(buttons[1]->hasFocus());
    QTest::keyClick(buttons[1], Qt::Key_Up);
    EXPECT_TRUE(buttons[0]->hasFocus());
}

TEST_F(ButtonInput, CheckBoxButtonsToggleAndStayDownWhileSet)
{
    SkinButton& b = *buttons[0];
    b.setCheckBoxBehaviour(true);
    QTest::mouseClick(&b, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(b.Value());
    EXPECT_EQ(b.LastState(), StateDown);
    QTest::mouseClick(&b, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_FALSE(b.Value());
    EXPECT_EQ(b.LastState(), StateUp);
    EXPECT_EQ(log.count("Click"), 2);
}

TEST_F(ButtonInput, AccessKeyClicksWithoutMouseEventsOnlyWhenEnabled)
{
    SkinButton& b = *buttons[0];
    b.setCaption("&Go");
    QTest::keyClick(&window, Qt::Key_G, Qt::AltModifier);
    EXPECT_EQ(log, QStringList({"Click"}));
    b.setEnabled(false);
    QTest::keyClick(&window, Qt::Key_G, Qt::AltModifier);
    EXPECT_EQ(log, QStringList({"Click"}));
}

TEST_F(ButtonInput, HoverStartsOnAMoveAndEndsAtTheNextTickAfterLeaving)
{
    SkinButton& b = *buttons[0];
    EXPECT_FALSE(b.isHoverPolling());
    pointAt(b);
    pointAt(b, QPoint(9, 9));
    EXPECT_EQ(log, QStringList({"MouseOver"}));
    EXPECT_TRUE(b.isHoverPolling());
    EXPECT_TRUE(b.IsOver());
    waitForTick();
    EXPECT_EQ(log, QStringList({"MouseOver"})); // still there: ticks change nothing
    away();
    waitForOut();
    EXPECT_EQ(log, QStringList({"MouseOver", "MouseOut"}));
    EXPECT_FALSE(b.isHoverPolling());
    EXPECT_FALSE(b.IsOver());
}

TEST_F(ButtonInput, CustomColoursShowTheHoverFaceAndKeepTheStoredBackColor)
{
    SkinButton& b = *buttons[0];
    b.setButtonType(10);
    b.setColorScheme(SchemeCustom);
    b.setBackColor(rgb(10, 20, 30));
    b.setBackOver(rgb(200, 100, 50));
    QObject::connect(&b, &SkinButton::MouseOver, [&] { EXPECT_EQ(b.BackColor(), rgb(10, 20, 30)); });
    pointAt(b);
    EXPECT_EQ(fromQRgb(b.surface().pixel(5, 5)), rgb(200, 100, 50));
    EXPECT_EQ(b.buttonPalette().face, rgb(10, 20, 30));
    away();
    waitForOut();
    EXPECT_EQ(fromQRgb(b.surface().pixel(5, 5)), rgb(10, 20, 30));
}

TEST_F(ButtonInput, ACoveringWindowDisablingOrHidingCountsAsLeaving)
{
    SkinButton& b = *buttons[0];
    pointAt(b);
    QWidget cover;
    cover.setGeometry(QRect(b.mapToGlobal(QPoint(-5, -5)), QSize(60, 40)));
    cover.show();
    waitForOut();
    EXPECT_EQ(log, QStringList({"MouseOver", "MouseOut"}));
    cover.hide();

    log.clear();
    pointAt(b);
    b.setEnabled(false);
    waitForOut();
    EXPECT_EQ(log, QStringList({"MouseOver", "MouseOut"}));
    b.setEnabled(true);

    log.clear();
    pointAt(b);
    b.hide();
    const int paints = b.paintCount();
    waitForOut();
    EXPECT_EQ(log, QStringList({"MouseOver", "MouseOut"}));
    EXPECT_EQ(b.paintCount(), paints); // nothing is painted while hidden
}

TEST_F(ButtonInput, FocusShowsAndRemovesTheFocusRectangleAndTakesNoHeldSpaceAlong)
{
    SkinButton& b = *buttons[0];
    buttons[2]->setFocus(); // the window gave its first button the focus when it was shown
    EXPECT_FALSE(b.HasFocus());
    const QImage without = b.surface();
    b.setFocus();
    EXPECT_TRUE(b.HasFocus());
    EXPECT_NE(b.surface().pixel(6, 6), without.pixel(6, 6));
    QTest::keyPress(&b, Qt::Key_Space);
    buttons[1]->setFocus();
    QTest::keyRelease(buttons[1], Qt::Key_Space);
    EXPECT_FALSE(log.contains("Click"));
    EXPECT_FALSE(b.HasFocus());
    EXPECT_EQ(b.LastState(), StateDown);
    EXPECT_EQ(b.surface().pixel(6, 6), qRgb(231, 231, 231)); // the pressed face, no focus rectangle
    b.setShowFocusRect(false);
    b.setFocus();
    b.Redraw(StateUp, Force::Yes);
    EXPECT_EQ(b.surface(), without);
}

} // namespace
