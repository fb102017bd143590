#include "ClockPanel.h"

#include "core/Player.h"
#include "platform/AccessibleFactory.h"

#include <QAccessibleWidget>

namespace zendrix {

namespace {

// The clock as one static text; the labels it is made of are not shown to assistive technology.
class ClockAccessible : public QAccessibleWidget
{
public:
    explicit ClockAccessible(ClockPanel* clock) : QAccessibleWidget(clock, QAccessible::StaticText) {}

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return static_cast<ClockPanel*>(widget())->text();
        return QAccessibleWidget::text(t);
    }
    int childCount() const override { return 0; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
};

} // namespace

ClockPanel::ClockPanel(QWidget* window, const layouts::MainWindow& layout, Player& player) : QWidget(window)
{
    installAccessibleFactory<ClockPanel, ClockAccessible>();
    setObjectName(QStringLiteral("clock"));
    setAccessibleName(QStringLiteral("Clock"));
    const layouts::Label* parts[] = {&layout.lblHours, &layout.lblSep1, &layout.lblMinutes, &layout.lblSep2,
                                     &layout.lblSeconds};
    QRect area;
    for (const layouts::Label* part : parts)
        area |= part->rect;
    setGeometry(area);
    const auto add = [&](const layouts::Label& part, LabelControl* control) {
        auto* label = new BoundLabel(this, part, control);
        label->move(label->pos() - area.topLeft());
        return label;
    };
    m_hours = add(layout.lblHours, &player.lblHours);
    add(layout.lblSep1, nullptr);
    m_minutes = add(layout.lblMinutes, &player.lblMinutes);
    add(layout.lblSep2, nullptr);
    m_seconds = add(layout.lblSeconds, &player.lblSeconds);
}

QString ClockPanel::text() const
{
    return m_hours->text() + QLatin1Char(':') + m_minutes->text() + QLatin1Char(':') + m_seconds->text();
}

} // namespace zendrix
