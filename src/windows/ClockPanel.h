#pragma once

#include "FormWidgets.h"

namespace zendrix {

class Player;

// The main window's clock: the hours, minutes and seconds labels with their separators, on a panel of
// their own so that assistive technology reads them as one text, "00:01:30", instead of five. The panel
// itself is transparent and takes no presses: a press between the labels drags the window as before.
class ClockPanel : public QWidget
{
    Q_OBJECT
public:
    ClockPanel(QWidget* window, const layouts::MainWindow& layout, Player& player);

    // The time the clock shows.
    QString text() const;

private:
    BoundLabel* m_hours = nullptr;
    BoundLabel* m_minutes = nullptr;
    BoundLabel* m_seconds = nullptr;
};

} // namespace zendrix
