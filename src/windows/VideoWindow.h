#pragma once

#include "FormWidgets.h"
#include "core/MediaEngine.h"
#include "core/VideoSurface.h"

#include <functional>

namespace zendrix {

class DvdMenu;

// The video window `frmVideo`: its whole client area is the media engine's picture. It turns mouse
// events on the picture into the engine's Click and DoubleClick and serves those two: a right click on
// a DVD pops up the DVD menu, on anything else the player's menu; a double click enters full screen
// while an item plays and leaves it at any time. Escape also leaves full screen.
//
// The engine draws into a native window of its own that fills this one, never into the window the
// window manager keeps: libvlc asks the window manager to change the state of the window it is given
// (above others or not, full screen), and the states of the group's windows are the player's own.
class VideoWindow : public Form, public VideoSurface
{
    Q_OBJECT
public:
    VideoWindow();

    // The engine lives on this window from start-up to the end; attach it once it is made.
    void attach(MediaEngine& engine, DvdMenu& menu, std::function<void(const QString&)> reportFailure,
                std::function<void(const QPoint&)> showPlayerMenu);

    // The engine's events.
    void wmp_Click(short button, short shift, int x, int y);
    void wmp_DoubleClick(short button, short shift, int x, int y);

    // VideoSurface
    std::uintptr_t nativeWindow() override;
    void presentFrame(const QImage& frame) override;
    void setFullScreen(bool on) override;
    // The latest frame handed over (none while the engine draws into the native window).
    const QImage& frame() const { return m_frame; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    class Canvas;
    friend class Canvas;

    Canvas* m_canvas = nullptr;
    MediaEngine* m_engine = nullptr;
    DvdMenu* m_menu = nullptr;
    std::function<void(const QString&)> m_report;
    std::function<void(const QPoint&)> m_showPlayerMenu;
    QImage m_frame;
    QRect m_normalGeometry;
    Qt::MouseButton m_pressed = Qt::NoButton;
};

}  // namespace zendrix
