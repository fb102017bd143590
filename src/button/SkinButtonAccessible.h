#pragma once

#include <QAccessibleWidget>

namespace zendrix {

class SkinButton;

// How assistive technology sees a SkinButton: a push button named by its accessible name (what the
// button does: "Play", "Exit"), or by its caption when it has none, never by its picture. Its one action
// of its own, "Press", clicks it as its access key does; its states show the focus, a pressed face, a
// disabled button and, for a check-box button, whether it is checked.
class SkinButtonAccessible : public QAccessibleWidget
{
public:
    explicit SkinButtonAccessible(SkinButton* button);

    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;
    QStringList keyBindingsForAction(const QString& actionName) const override;

private:
    SkinButton* button() const;
};

} // namespace zendrix
