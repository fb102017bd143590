#pragma once

#include "FormWidgets.h"
#include "button/SkinButton.h"
#include "core/Player.h"

#include <array>
#include <functional>

namespace zendrix {

// The main window `frmMain`: the transport buttons, the open button, the file name, the clock, the seek
// and volume bars over the skin's panel. It shows the Player's controls and hands it the clicks, bar
// moves and timer ticks. A press on the window's own surface (not on a control) drags the whole window
// group: the main window follows the mouse, the others jump to their places when the button is released.
// The right button asks for the player's menu instead, anywhere but on a button or a bar; so do the Menu
// key and Shift+F10 while the window has the focus.
class MainWindow : public Form
{
    Q_OBJECT
public:
    explicit MainWindow(Player& player);

    std::array<SkinButton*, 6> cmdControls{};
    SkinButton* cmdBrowse = nullptr;
    BoundScrollBar* scrollTiming = nullptr;
    BoundScrollBar* scrollVolume = nullptr;

    // Runs once when a drag of the window ends, also after a press that did not move it.
    std::function<void()> dragEnded;
    // Asks for the player's menu at a place on the screen.
    std::function<void(const QPoint&)> menuRequested;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    SkinButton* addButton(const layouts::Button& layout, ButtonControl* control);
    // The menu asked for from the keyboard opens at the control that has the focus.
    void requestMenuAtFocus();

    Player& m_player;
    QPoint m_dragOffset;
    bool m_dragging = false;
    QLine m_line;
    QColor m_lineColor;
};

// Binds a button to the ButtonControl its window's logic sets: picture swaps and caption changes.
void bindButton(SkinButton& button, ButtonControl& control);

}  // namespace zendrix
