#include "MainWindow.h"

#include "ClockPanel.h"

#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcut>

namespace zendrix {

void bindButton(SkinButton& button, ButtonControl& control)
{
    control.viewChanged = [&button, &control] {
        if (button.Caption() != control.Caption())
            button.setCaption(control.Caption());
        button.setPictureNormal(control.PictureNormal());
    };
}

MainWindow::MainWindow(Player& player) : Form(layouts::frmMain().window, Kind::Main), m_player(player)
{
    const layouts::MainWindow& layout = layouts::frmMain();
    for (int i = 0; i < 6; ++i) {
        cmdControls[static_cast<std::size_t>(i)] = addButton(layout.cmdControls[static_cast<std::size_t>(i)],
                                                             &player.cmdControls[static_cast<std::size_t>(i)]);
        connect(cmdControls[static_cast<std::size_t>(i)], &SkinButton::Click, this,
                [this, i] { m_player.cmdControls_Click(i); });
    }
    // The play button is named for what a press does: "Pause" while it shows the pause icon. The player
    // swaps the icon after setting IsPlaying, and a swap that fails keeps both icon and name.
    ButtonControl& play = player.cmdControls[Player::Play];
    play.viewChanged = [this, show = play.viewChanged] {
        show();
        cmdControls[Player::Play]->setAccessibleName(m_player.IsPlaying ? QStringLiteral("Pause") : QStringLiteral("Play"));
    };
    cmdBrowse = addButton(layout.cmdBrowse, nullptr);
    connect(cmdBrowse, &SkinButton::Click, this, [this] { m_player.cmdBrowse_Click(); });

    new BoundLabel(this, layout.lblFilename, &player.lblFilename);
    new ClockPanel(this, layout, player);
    new BoundLabel(this, layout.lblTiming, &player.lblTiming);
    scrollTiming = new BoundScrollBar(this, layout.scrollTiming, player.scrollTiming);
    scrollVolume = new BoundScrollBar(this, layout.scrollVolume, player.scrollVolume);
    for (const layouts::Image* image : {&layout.Image2, &layout.Image1}) {
        auto* box = new ImageBox(this, image->rect, ImageBox::Fit::Natural);
        box->setObjectName(image->name);
        if (auto picture = Picture::load(image->picture))
            box->setPicture(*picture);
    }
    m_line = layout.Line1;
    m_lineColor = layout.lineColor;
    new BoundTimer(this, player.tmrTiming, [this] { m_player.tmrTiming_Timer(); });
    // The buttons take every key; shortcuts come before them.
    for (const QKeySequence& keys : {QKeySequence(Qt::Key_Menu), QKeySequence(Qt::SHIFT | Qt::Key_F10)}) {
        auto* shortcut = new QShortcut(keys, this);
        shortcut->setAutoRepeat(false);
        connect(shortcut, &QShortcut::activated, this, &MainWindow::requestMenuAtFocus);
    }
}

void MainWindow::requestMenuAtFocus()
{
    const QWidget* focus = focusWidget();
    const QWidget* at = focus && isAncestorOf(focus) ? focus : this;
    if (menuRequested)
        menuRequested(at->mapToGlobal(at->rect().center()));
}

void MainWindow::contextMenuEvent(QContextMenuEvent* event)
{
    if (event->reason() == QContextMenuEvent::Mouse) {
        const QWidget* under = childAt(event->pos());
        if (qobject_cast<const SkinButton*>(under) || qobject_cast<const QScrollBar*>(under)) {
            event->ignore();
            return;
        }
    }
    event->accept();
    if (event->reason() == QContextMenuEvent::Mouse) {
        if (menuRequested)
            menuRequested(event->globalPos());
    } else {
        requestMenuAtFocus();
    }
}

SkinButton* MainWindow::addButton(const layouts::Button& layout, ButtonControl* control)
{
    SkinButton* button = zendrix::makeButton(this, layout);
    if (control) {
        control->setPictureNormal(button->PictureNormal());
        control->setCaption(button->Caption());
        bindButton(*button, *control);
    }
    return button;
}

void MainWindow::paintEvent(QPaintEvent* event)
{
    Form::paintEvent(event);
    QPainter painter(this);
    painter.setPen(m_lineColor);
    painter.drawLine(m_line);
}

void MainWindow::mousePressEvent(QMouseEvent* event)
{
    // The right button opens the menu (contextMenuEvent); it drags nothing.
    if (event->button() == Qt::RightButton) {
        event->accept();
        return;
    }
    m_dragging = true;
    m_dragOffset = event->globalPosition().toPoint() - pos();
    event->accept();
}

void MainWindow::mouseMoveEvent(QMouseEvent* event)
{
    if (m_dragging)
        move(event->globalPosition().toPoint() - m_dragOffset);
}

void MainWindow::mouseReleaseEvent(QMouseEvent* event)
{
    if (!m_dragging)
        return;
    // A release of another button while one is still held does not end the drag.
    if (event->buttons() != Qt::NoButton)
        return;
    m_dragging = false;
    if (dragEnded)
        dragEnded();
}

}  // namespace zendrix
