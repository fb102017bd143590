#pragma once

#include <QAccessible>
#include <QObject>

namespace zendrix {

// Lets Qt's accessibility make an `Interface` (constructed from a `Widget*`) for every widget of class
// `Widget` that assistive technology asks about. Each widget of the class calls it when it is made; only
// the first call installs anything.
template <typename Widget, typename Interface> void installAccessibleFactory()
{
    static const bool installed = [] {
        QAccessible::installFactory([](const QString& className, QObject* object) -> QAccessibleInterface* {
            if (object && object->isWidgetType() &&
                className == QLatin1String(Widget::staticMetaObject.className()))
                return new Interface(static_cast<Widget*>(object));
            return nullptr;
        });
        return true;
    }();
    (void)installed;
}

} // namespace zendrix
