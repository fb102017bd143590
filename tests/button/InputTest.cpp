// Mouse, keyboard and hover, driven by real Qt events on a shown window, and the events the button
// raises for them. The offscreen screen moves the pointer when QCursor::setPos is called and reports
// its entering and leaving windows then, as a window system does.
#include "button/SkinButton.h"
#include "support/QtPrinters.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QTest>
#include <QTimer>
#include <QToolTip>
#include <gtest/gtest.h>

using namespace zendrix;

namespace {

class ButtonInput : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // The offscreen screen looks for the window under the pointer in the order the windows were
        // made: the cover's comes first, so that it lies in front of the button once it is shown.
        cover.winId();
        window.resize(200, 100);
        b.setGeometry(10, 10, 36, 20);
        b.setButtonType(14);
        other.setGeometry(60, 10, 36, 20);
        auto mouse = [this](const char* name) {
            return [this, name](short& button, short& shift, float& x, float& y) {
                log << QStringLiteral("%1 %2 %3 %4 %5").arg(name).arg(button).arg(shift).arg(x).arg(y);
            };
        };
        QObject::connect(&b, &SkinButton::Click, [this] { log << "Click"; });
        QObject::connect(&b, &SkinButton::MouseDown, mouse("MouseDown"));
        QObject::connect(&b, &SkinButton::MouseUp, mouse("MouseUp"));
        auto key = [this](const char* name) {
            return [this, name](short& code, short&) { log << QStringLiteral("%1 %2").arg(name).arg(code); };
        };
        QObject::connect(&b, &SkinButton::KeyDown, key("KeyDown"));
        QObject::connect(&b, &SkinButton::KeyUp, key("KeyUp"));
        QObject::connect(&b, &SkinButton::KeyPress,
                         [this](short& ascii) { log << QString("KeyPress %1").arg(ascii); });
        QObject::connect(&b, &SkinButton::MouseOver, [this] { log << "MouseOver"; });
        QObject::connect(&b, &SkinButton::MouseOut, [this] { log << "MouseOut"; });
        window.show();
        QApplication::setActiveWindow(&window);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        away();
    }

    // Puts the pointer over the button (at a point of it, possibly outside) and moves it there.
    void pointAt(QPoint at = {5, 5}, Qt::MouseButtons held = {})
    {
        QCursor::setPos(b.mapToGlobal(at));
        QMouseEvent move(QEvent::MouseMove, at, b.mapToGlobal(at), Qt::NoButton, held, Qt::NoModifier);
        QApplication::sendEvent(&b, &move);
    }
    void away() { QCursor::setPos(window.mapToGlobal(QPoint(190, 90))); }
    // Waits for the MouseOut; generous, for a busy machine.
    void expectOverThenOut()
    {
        EXPECT_TRUE(QTest::qWaitFor([this] { return log.contains("MouseOut"); }, 3000));
        EXPECT_EQ(log, QStringList({"MouseOver", "MouseOut"}));
        EXPECT_FALSE(b.IsOver());
        log.clear();
    }

    QWidget cover;
    QWidget window;
    SkinButton b{&window};
    SkinButton other{&window};
    QStringList log;
};

TEST_F(ButtonInput, OnlyALeftClickReleasedOnTheButtonClicksAfterItsMouseUp)
{
    DrawState stateAtClick = StateDown;
    QObject::connect(&b, &SkinButton::Click, [&] { stateAtClick = b.LastState(); });
    QTest::mousePress(&b, Qt::LeftButton, Qt::ShiftModifier, QPoint(5, 6));
    EXPECT_EQ(b.LastState(), StateDown);
    QTest::mouseRelease(&b, Qt::LeftButton, {}, QPoint(5, 6));
    EXPECT_EQ(stateAtClick, StateUp);
    QTest::mouseClick(&b, Qt::RightButton, {}, QPoint(5, 5));
    QTest::mousePress(&b, Qt::MiddleButton, {}, QPoint(5, 5));
    EXPECT_EQ(b.LastState(), StateDown);
    QTest::mouseRelease(&b, Qt::MiddleButton, {}, QPoint(5, 5));
    EXPECT_EQ(log, QStringList({"MouseDown 1 1 5 6", "MouseUp 1 0 5 6", "Click", "MouseDown 2 0 5 5",
                                "MouseUp 2 0 5 5", "MouseDown 4 0 5 5", "MouseUp 4 0 5 5"}));

    // A double click presses twice and clicks once.
    log.clear();
    QTest::mouseClick(&b, Qt::LeftButton, {}, QPoint(7, 8));
    QTest::mouseDClick(&b, Qt::LeftButton, {}, QPoint(7, 8));
    QTest::mouseRelease(&b, Qt::LeftButton, {}, QPoint(7, 8));
    EXPECT_EQ(log, QStringList({"MouseDown 1 0 7 8", "MouseUp 1 0 7 8", "Click", "MouseDown 1 0 0 0",
                                "MouseUp 1 0 7 8"}));

    // Dragged off, the face comes up; a release off the button does not click.
    log.clear();
    QTest::mousePress(&b, Qt::LeftButton, {}, QPoint(5, 5));
    pointAt(QPoint(60, 5), Qt::LeftButton);
    EXPECT_EQ(b.LastState(), StateUp);
    QTest::mouseRelease(&b, Qt::LeftButton, {}, QPoint(60, 5));
    EXPECT_FALSE(log.contains("Click"));
}

TEST_F(ButtonInput, SpaceClicksOnItsReleaseOnlyIfItWasTheLastKeyOnThisButton)
{
    b.setFocus();
    QTest::keyPress(&b, Qt::Key_Space);
    EXPECT_EQ(b.LastState(), StateDown);
    QTest::keyRelease(&b, Qt::Key_Space);
    EXPECT_EQ(log, QStringList({"KeyDown 32", "KeyPress 32", "KeyUp 32", "Click"}));
    EXPECT_EQ(b.LastState(), StateUp);

    log.clear();
    QTest::keyPress(&b, Qt::Key_Space);
    QTest::keyClick(&b, Qt::Key_A);
    QTest::keyRelease(&b, Qt::Key_Space);
    QTest::keyPress(&b, Qt::Key_Space);
    other.setFocus(); // the held space does not go along with the focus
    QTest::keyRelease(&other, Qt::Key_Space);
    EXPECT_FALSE(log.contains("Click"));
}

TEST_F(ButtonInput, CheckBoxButtonsToggleAndAccessKeysClickOnlyWhenEnabled)
{
    b.setCheckBoxBehaviour(true);
    QTest::mouseClick(&b, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(b.Value());
    EXPECT_EQ(b.LastState(), StateDown);
    QTest::mouseClick(&b, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_FALSE(b.Value());
    EXPECT_EQ(b.LastState(), StateUp);
    EXPECT_EQ(log.count("Click"), 2);

    log.clear();
    b.setCaption("&Go");
    QTest::keyClick(&window, Qt::Key_G, Qt::AltModifier);
    EXPECT_EQ(log, QStringList({"Click"}));
    b.setEnabled(false);
    QTest::keyClick(&window, Qt::Key_G, Qt::AltModifier);
    EXPECT_EQ(log, QStringList({"Click"}));
}

TEST_F(ButtonInput, HoverShowsItsFaceUntilThePointerLeavesIsCoveredOrDraggedOffOrTheButtonGoes)
{
    b.setButtonType(10);
    b.setColorScheme(SchemeCustom);
    b.setBackColor(rgb(10, 20, 30));
    b.setBackOver(rgb(200, 100, 50));
    pointAt();
    pointAt(QPoint(9, 9));
    EXPECT_TRUE(b.IsOver());
    EXPECT_EQ(fromQRgb(b.surface().pixel(5, 5)), rgb(200, 100, 50));
    QTest::qWait(60);
    EXPECT_EQ(log, QStringList({"MouseOver"}));
    EXPECT_TRUE(QAbstractEventDispatcher::instance()->registeredTimers(&b).isEmpty() &&
                b.findChildren<QTimer*>().isEmpty())
        << "a resting pointer costs no timer";
    away();
    expectOverThenOut();
    EXPECT_EQ(fromQRgb(b.surface().pixel(5, 5)), rgb(10, 20, 30));

    pointAt();
    cover.setGeometry(QRect(b.mapToGlobal(QPoint(-5, -5)), QSize(60, 40)));
    cover.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&cover));
    // The offscreen screen tells what lies under the pointer when the pointer moves.
    QCursor::setPos(QCursor::pos() + QPoint(1, 1));
    expectOverThenOut();
    cover.hide();
    away();

    pointAt();
    b.setEnabled(false);
    expectOverThenOut();
    b.setEnabled(true);
    away();

    pointAt();
    b.hide();
    const int paints = b.paintCount();
    expectOverThenOut();
    EXPECT_EQ(b.paintCount(), paints); // nothing is painted while hidden
    b.show();
    away();

    // Dragged off the button, MouseOut comes with the release. The presses go through the window, as
    // the window system's do, so the pointer's moves carry the held button.
    QWindow* const surface = window.windowHandle();
    pointAt();
    QTest::mousePress(surface, Qt::LeftButton, {}, QPoint(15, 15));
    QCursor::setPos(window.mapToGlobal(QPoint(120, 50)));
    QTest::mouseRelease(surface, Qt::LeftButton, {}, QPoint(120, 50));
    EXPECT_TRUE(QTest::qWaitFor([this] { return log.contains("MouseOut"); }, 3000));
    EXPECT_EQ(log, QStringList({"MouseOver", "MouseDown 1 0 5 5", "MouseUp 1 0 110 40", "MouseOut"}));
    log.clear();

    // Dragged on it, the hovered look goes; the next free move takes it up again, and leaving ends it.
    pointAt();
    QTest::mousePress(surface, Qt::LeftButton, {}, QPoint(15, 15));
    QCursor::setPos(b.mapToGlobal(QPoint(8, 8)));
    EXPECT_TRUE(QTest::qWaitFor([this] { return !b.IsOver(); }, 3000));
    QTest::mouseRelease(surface, Qt::LeftButton, {}, QPoint(18, 18));
    pointAt(QPoint(12, 12));
    away();
    EXPECT_TRUE(QTest::qWaitFor([this] { return log.contains("MouseOut"); }, 3000));
    EXPECT_EQ(log, QStringList({"MouseOver", "MouseDown 1 0 5 5", "MouseUp 1 0 8 8", "Click", "MouseOver",
                                "MouseOut"}));
}

// The tip comes from Qt's own machinery, which starts its one timer when the pointer moves: the button
// adds no timer, and its hover (MouseOver, then MouseOut on leaving) goes on as without a tip.
TEST_F(ButtonInput, RestingThePointerShowsTheNameAndKeyAsATipAndLeavesTheHoverAsItWas)
{
    b.setAccessibleName("Play");
    b.setKeyName("Play/Pause key");
    // Moves through the window system, as the pointer's own: those are the moves that wake the tip.
    QWindow* const surface = window.windowHandle();
    for (const QPoint at : {QPoint(12, 12), QPoint(15, 15)}) {
        QCursor::setPos(window.mapToGlobal(at));
        QTest::mouseMove(surface, at);
    }
    EXPECT_TRUE(QTest::qWaitFor([] { return QToolTip::isVisible(); }, 5000));
    EXPECT_EQ(QToolTip::text(), "Play (Play/Pause key)");
    EXPECT_TRUE(b.IsOver());
    EXPECT_TRUE(QAbstractEventDispatcher::instance()->registeredTimers(&b).isEmpty() &&
                b.findChildren<QTimer*>().isEmpty());
    away();
    QTest::mouseMove(surface, QPoint(190, 90));
    EXPECT_TRUE(QTest::qWaitFor([] { return !QToolTip::isVisible(); }, 5000)) << "leaving takes the tip down";
    expectOverThenOut();

    // Without a name or key of its own, the caption and its access key tell it.
    b.setAccessibleName("");
    b.setKeyName("");
    b.setCaption("&Open");
    EXPECT_EQ(b.tipText(), "Open (Alt+O)");
}

// The caption's pixels are checked loosely: ink only inside its rectangle, in the caption colour.
TEST_F(ButtonInput, CaptionInksOnlyItsRectangleInTheCaptionColour)
{
    b.resize(70, 24);
    const QImage bare = b.surface();
    b.setCaption("&Stop");
    const Rect text = b.captionLayout().textRect;
    int inked = 0;
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 70; ++x)
            if (b.surface().pixel(x, y) != bare.pixel(x, y)) {
                ++inked;
                EXPECT_TRUE(x >= text.left && x < text.right && y >= text.top && y < text.bottom)
                    << x << "," << y;
                EXPECT_EQ(fromQRgb(b.surface().pixel(x, y)), rgb(0, 0, 0));
            }
    EXPECT_GT(inked, 10);
}

} // namespace
