#include "VideoWindow.h"

#include "DvdMenu.h"
#include "core/Failure.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

namespace zendrix {

namespace {

short buttonCode(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton: return 1;
    case Qt::RightButton: return 2;
    case Qt::MiddleButton: return 4;
    default: return 0;
    }
}

short shiftCode(Qt::KeyboardModifiers modifiers)
{
    short shift = 0;
    if (modifiers & Qt::ShiftModifier)
        shift |= 1;
    if (modifiers & Qt::ControlModifier)
        shift |= 2;
    if (modifiers & Qt::AltModifier)
        shift |= 4;
    return shift;
}

}  // namespace

// The picture: black, with the latest frame handed over scaled into it; on X11 the engine draws into its
// native window instead. The mouse's presses, releases and double clicks on it are the video window's.
class VideoWindow::Canvas final : public QWidget
{
public:
    explicit Canvas(VideoWindow& window) : QWidget(&window), m_window(window)
    {
        setAttribute(Qt::WA_OpaquePaintEvent);
        setAttribute(Qt::WA_NativeWindow);
        setGeometry(window.rect());
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::black);
        const QImage& frame = m_window.m_frame;
        if (!frame.isNull()) {
            const QSize size = frame.size().scaled(this->size(), Qt::KeepAspectRatio);
            painter.drawImage(
                QRect(QPoint((width() - size.width()) / 2, (height() - size.height()) / 2), size), frame);
        }
    }
    void mousePressEvent(QMouseEvent* event) override { m_window.mousePressEvent(event); }
    void mouseReleaseEvent(QMouseEvent* event) override { m_window.mouseReleaseEvent(event); }
    void mouseDoubleClickEvent(QMouseEvent* event) override { m_window.mouseDoubleClickEvent(event); }

private:
    VideoWindow& m_window;
};

VideoWindow::VideoWindow() : Form(layouts::frmVideo().window, Kind::Secondary)
{
    m_canvas = new Canvas(*this);
    setFocusPolicy(Qt::ClickFocus);
}

void VideoWindow::attach(MediaEngine& engine, DvdMenu& menu,
                         std::function<void(const QString&)> reportFailure,
                         std::function<void(const QPoint&)> showPlayerMenu)
{
    m_engine = &engine;
    m_menu = &menu;
    m_report = std::move(reportFailure);
    m_showPlayerMenu = std::move(showPlayerMenu);
    connect(&engine, &MediaEngine::Click, this, &VideoWindow::wmp_Click);
    connect(&engine, &MediaEngine::DoubleClick, this, &VideoWindow::wmp_DoubleClick);
}

void VideoWindow::wmp_Click(short button, short, int, int)
{
    if (button != 2 || !m_engine)
        return;
    try {
        if (m_engine->dvd().isAvailable(QStringLiteral("dvd")))
            m_menu->popup(QCursor::pos());
        else if (m_showPlayerMenu)
            m_showPlayerMenu(QCursor::pos());
    } catch (const Failure& failure) {
        if (m_report)
            m_report(failure.description());
    }
}

void VideoWindow::wmp_DoubleClick(short, short, int, int)
{
    if (!m_engine)
        return;
    try {
        if (!m_engine->fullScreen()) {
            if (m_engine->playState() == MediaEngine::Playing)
                m_engine->setFullScreen(true);
        } else {
            m_engine->setFullScreen(false);
        }
    } catch (const Failure& failure) {
        if (m_report)
            m_report(failure.description());
    }
}

std::uintptr_t VideoWindow::nativeWindow()
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return 0;
    return static_cast<std::uintptr_t>(m_canvas->winId());
}

void VideoWindow::presentFrame(const QImage& frame)
{
    m_frame = frame;
    m_canvas->update();
}

void VideoWindow::setFullScreen(bool on)
{
    if (on == isFullScreen())
        return;
    if (on) {
        m_normalGeometry = geometry();
        setMinimumSize(0, 0);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        // A desktop without a window manager ignores the full-screen request: take the screen ourselves.
        if (QScreen* current = screen())
            setGeometry(current->geometry());
        showFullScreen();
        raise();
        activateWindow();
    } else {
        showNormal();
        setFixedSize(m_normalGeometry.size());
        move(m_normalGeometry.topLeft());
    }
}

void VideoWindow::resizeEvent(QResizeEvent* event)
{
    m_canvas->setGeometry(rect());
    Form::resizeEvent(event);
}

void VideoWindow::mousePressEvent(QMouseEvent* event)
{
    m_pressed = event->button();
}

void VideoWindow::mouseReleaseEvent(QMouseEvent* event)
{
    // A click is a press and a release of the same button on the picture.
    if (!m_engine || event->button() != m_pressed || !rect().contains(event->position().toPoint()))
        return;
    m_pressed = Qt::NoButton;
    const QPoint at = event->position().toPoint();
    Q_EMIT m_engine->Click(buttonCode(event->button()), shiftCode(event->modifiers()), at.x(), at.y());
}

void VideoWindow::mouseDoubleClickEvent(QMouseEvent* event)
{
    m_pressed = Qt::NoButton;
    if (!m_engine)
        return;
    const QPoint at = event->position().toPoint();
    Q_EMIT m_engine->DoubleClick(buttonCode(event->button()), shiftCode(event->modifiers()), at.x(), at.y());
}

void VideoWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && m_engine && isFullScreen()) {
        try {
            m_engine->setFullScreen(false);
        } catch (const Failure&) {
            setFullScreen(false);
        }
        return;
    }
    Form::keyPressEvent(event);
}

}  // namespace zendrix
