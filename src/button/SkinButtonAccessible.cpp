#include "SkinButtonAccessible.h"

#include "SkinButton.h"
#include "platform/DrawText.h"

namespace zendrix {

SkinButtonAccessible::SkinButtonAccessible(SkinButton* button)
    : QAccessibleWidget(button, QAccessible::Button)
{}

SkinButton* SkinButtonAccessible::button() const
{
    return static_cast<SkinButton*>(widget());
}

QString SkinButtonAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Name && button()->accessibleName().isEmpty())
        return shownText(button()->Caption());
    if (t == QAccessible::Accelerator && !button()->AccessKey().isNull())
        return QStringLiteral("Alt+") + button()->AccessKey().toUpper();
    return QAccessibleWidget::text(t);
}

QAccessible::State SkinButtonAccessible::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    const SkinButton* b = button();
    state.disabled = state.disabled || !b->Enabled();
    if (b->CheckBoxBehaviour()) {
        state.checkable = true;
        state.checked = b->Value();
    }
    state.pressed = b->LastState() == StateDown && !state.checked;
    return state;
}

QStringList SkinButtonAccessible::actionNames() const
{
    return QStringList(pressAction()) + QAccessibleWidget::actionNames();
}

void SkinButtonAccessible::doAction(const QString& actionName)
{
    if (actionName == pressAction())
        button()->press();
    else
        QAccessibleWidget::doAction(actionName);
}

QStringList SkinButtonAccessible::keyBindingsForAction(const QString& actionName) const
{
    if (actionName == pressAction() && !button()->AccessKey().isNull())
        return {text(QAccessible::Accelerator)};
    return QAccessibleWidget::keyBindingsForAction(actionName);
}

} // namespace zendrix
