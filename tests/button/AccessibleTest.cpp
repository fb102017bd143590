// The button as a screen reader meets it: a named push button whose press action is a click.
#include "button/SkinButton.h"

#include <QAccessible>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using namespace zendrix;

namespace {

TEST(SkinButtonAccessible, IsAPushButtonNamedForItsFunctionWhosePressIsAClick)
{
    QWidget window;
    auto* button = new SkinButton(&window);
    button->setGeometry(0, 0, 40, 20);
    button->setCaption(QStringLiteral("&Open"));
    window.show();
    QSignalSpy clicks(button, &SkinButton::Click);

    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(button);
    ASSERT_NE(accessible, nullptr);
    EXPECT_EQ(accessible->role(), QAccessible::Button);
    EXPECT_EQ(accessible->text(QAccessible::Name), "Open") << "the caption, without its access key mark";
    EXPECT_EQ(accessible->text(QAccessible::Accelerator), "Alt+O");
    button->setCaption(QStringLiteral("R&&B&"));
    EXPECT_EQ(accessible->text(QAccessible::Name), "R&B") << "read as drawn: a lone \"&\" at the end shows nothing";
    button->setCaption(QStringLiteral("&Open"));
    button->setAccessibleName(QStringLiteral("Open Media"));
    EXPECT_EQ(accessible->text(QAccessible::Name), "Open Media");
    EXPECT_EQ(button->Caption(), "&Open") << "the name is no caption";

    QAccessibleActionInterface* actions = accessible->actionInterface();
    ASSERT_NE(actions, nullptr);
    EXPECT_EQ(actions->actionNames().value(0), QAccessibleActionInterface::pressAction());
    actions->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(clicks.count(), 1);

    EXPECT_FALSE(accessible->state().pressed);
    button->Redraw(StateDown, Force::Yes);
    EXPECT_TRUE(accessible->state().pressed);
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    button->setFocus();
    EXPECT_TRUE(accessible->state().focused);
    button->setEnabled(false);
    EXPECT_TRUE(accessible->state().disabled);
    actions->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(clicks.count(), 1) << "a disabled button is not pressed";

    button->setEnabled(true);
    button->setCheckBoxBehaviour(true);
    actions->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_TRUE(accessible->state().checkable && accessible->state().checked);
    EXPECT_EQ(clicks.count(), 2);
}

} // namespace
