#pragma once

#include <QWidget>

namespace zendrix {

// The owner-drawn push button of every window.
class SkinButton : public QWidget
{
    Q_OBJECT
public:
    using QWidget::QWidget;

Q_SIGNALS:
    void Click();
};

}  // namespace zendrix
