// SkinButton: mouse, keyboard, focus and hover, mapped from Qt's events onto the button's own
// notifications (press, move, release, click, double click, keys, access key, focus, hover's end).
//
// Hover costs nothing while the pointer rests: it begins with a move over the button and ends with the
// window system's word that the pointer has left (a leave event, which also comes when another window
// is placed over the button and, after a drag, with the release), or when the button is hidden or
// disabled under it. No timer runs, and nothing asks where the pointer is until it moves again.
//
// The tooltip is Qt's: a move of the pointer starts its one timer, and the button only answers the help
// event that timer sends with its name and key (tipText).
#include "SkinButton.h"

#include "platform/DrawText.h"

#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QToolTip>
#include <QWindow>
#include <limits>

namespace zendrix {

namespace {

constexpr short kLeft = 1;
constexpr short kRight = 2;
constexpr short kMiddle = 4;
constexpr short kSpace = 32;

short buttonsOf(Qt::MouseButtons buttons)
{
    short result = 0;
    if (buttons & Qt::LeftButton)
        result |= kLeft;
    if (buttons & Qt::RightButton)
        result |= kRight;
    if (buttons & Qt::MiddleButton)
        result |= kMiddle;
    return result;
}

short shiftOf(Qt::KeyboardModifiers modifiers)
{
    short result = 0;
    if (modifiers & Qt::ShiftModifier)
        result |= 1;
    if (modifiers & Qt::ControlModifier)
        result |= 2;
    if (modifiers & Qt::AltModifier)
        result |= 4;
    return result;
}

// The platform's virtual-key code of a Qt key; 0 for keys without one.
short virtualKeyOf(int key)
{
    if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9))
        return static_cast<short>(key); // letters and digits share their codes
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return static_cast<short>(112 + (key - Qt::Key_F1));
    switch (key) {
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return 9;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Shift:
        return 16;
    case Qt::Key_Control:
        return 17;
    case Qt::Key_Alt:
        return 18;
    case Qt::Key_Pause:
        return 19;
    case Qt::Key_CapsLock:
        return 20;
    case Qt::Key_Escape:
        return 27;
    case Qt::Key_Space:
        return kSpace;
    case Qt::Key_PageUp:
        return 33;
    case Qt::Key_PageDown:
        return 34;
    case Qt::Key_End:
        return 35;
    case Qt::Key_Home:
        return 36;
    case Qt::Key_Left:
        return 37;
    case Qt::Key_Up:
        return 38;
    case Qt::Key_Right:
        return 39;
    case Qt::Key_Down:
        return 40;
    case Qt::Key_Insert:
        return 45;
    case Qt::Key_Delete:
        return 46;
    default:
        return 0;
    }
}

// Handlers may change the values they are given; a button number or key code that does not fit the
// byte the button keeps counts as none, rather than failing.
quint8 asByte(short value)
{
    return value >= 0 && value <= 255 ? static_cast<quint8>(value) : 0;
}

} // namespace

bool SkinButton::IsMouseOver() const
{
    // Hidden and disabled windows are passed over when looking for the window under the pointer.
    if (!isVisible() || !isEnabled())
        return false;
    return QApplication::widgetAt(QCursor::pos()) == this;
}

void SkinButton::onMouseDown(short button, short shift, float x, float y)
{
    Q_EMIT MouseDown(button, shift, x, y);
    m_lastButton = asByte(button);
    if (button != kRight)
        Redraw(StateDown, Force::No);
}

void SkinButton::onClick()
{
    if (m_lastButton != kLeft || !m_enabled)
        return;
    if (m_checkBoxBehaviour)
        m_value = !m_value;
    Redraw(StateUp, Force::Yes);
    repaint(); // the finished face is on screen before the handlers run
    Q_EMIT Click();
}

void SkinButton::press()
{
    m_lastButton = kLeft;
    onClick();
}

void SkinButton::mousePressEvent(QMouseEvent* event)
{
    m_clickArmed = true;
    onMouseDown(buttonsOf(event->button()), shiftOf(event->modifiers()),
                static_cast<float>(event->position().x()), static_cast<float>(event->position().y()));
}

void SkinButton::mouseDoubleClickEvent(QMouseEvent*)
{
    // The second press of a double click: no click follows its release.
    m_clickArmed = false;
    if (m_lastButton != kLeft)
        return;
    onMouseDown(kLeft, 0, 0.0f, 0.0f);
    grabMouse(); // the release comes back here wherever it happens
}

void SkinButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (QWidget::mouseGrabber() == this)
        releaseMouse();
    short button = buttonsOf(event->button());
    short shift = shiftOf(event->modifiers());
    float x = static_cast<float>(event->position().x());
    float y = static_cast<float>(event->position().y());
    Q_EMIT MouseUp(button, shift, x, y);
    if (button != kRight)
        Redraw(StateUp, Force::No);
    // The click belongs to a press and a release both on the button.
    const bool onButton = mask().isEmpty() ? rect().contains(event->position().toPoint())
                                           : mask().contains(event->position().toPoint());
    if (m_clickArmed && event->buttons() == Qt::NoButton) {
        m_clickArmed = false;
        if (onButton)
            onClick();
    }
}

void SkinButton::mouseMoveEvent(QMouseEvent* event)
{
    short button = buttonsOf(event->buttons());
    short shift = shiftOf(event->modifiers());
    float x = static_cast<float>(event->position().x());
    float y = static_cast<float>(event->position().y());
    Q_EMIT MouseMove(button, shift, x, y);
    if (button >= kRight)
        return;
    if (!IsMouseOver()) {
        Redraw(StateUp, Force::No);
        return;
    }
    if (button == 0 && !m_isOver) {
        if (!m_hoverWindow) {
            // The window system tells the window when the pointer leaves it or another window comes
            // over it; Qt passes that on to the widget it last sent the mouse to, which need not be
            // this button when some other window has just been shown.
            m_hoverWindow = window();
            m_hoverWindow->installEventFilter(this);
        }
        m_isOver = true;
        Redraw(StateUp, Force::Yes);
        Q_EMIT MouseOver();
    } else if (button == kLeft) {
        // The pressed face comes back with the hovered look when the pointer returns, but hovering is
        // only taken up again by a move without the button held.
        m_isOver = true;
        Redraw(StateDown, Force::No);
        m_isOver = false;
    }
}

void SkinButton::endHover()
{
    if (!m_hoverWindow)
        return;
    m_hoverWindow->removeEventFilter(this);
    m_hoverWindow = nullptr;
    m_isOver = false;
    Redraw(StateUp, Force::Yes);
    Q_EMIT MouseOut();
}

void SkinButton::endHoverLater()
{
    if (!m_hoverWindow)
        return;
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (!IsMouseOver())
                endHover();
        },
        Qt::QueuedConnection);
}

void SkinButton::leaveEvent(QEvent* event)
{
    endHover();
    QWidget::leaveEvent(event);
}

bool SkinButton::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_hoverWindow && event->type() == QEvent::Leave)
        endHover();
    return QWidget::eventFilter(watched, event);
}

QString SkinButton::keyName() const
{
    if (!m_keyName.isEmpty() || m_accessKey.isNull())
        return m_keyName;
    return QStringLiteral("Alt+") + m_accessKey.toUpper();
}

QString SkinButton::tipText() const
{
    const QString name = accessibleName().isEmpty() ? shownText(m_caption) : accessibleName();
    if (name.isEmpty())
        return {};
    const QString key = keyName();
    return key.isEmpty() ? name : name + QStringLiteral(" (") + key + QLatin1Char(')');
}

bool SkinButton::showTip(QHelpEvent* event)
{
    const QString text = tipText();
    if (text.isEmpty()) {
        event->ignore(); // the window behind may have a tip of its own
        return true;
    }
    // Qt's tooltip timers start only when the pointer moves. Shown, the tip stays while the pointer
    // rests on the button, as the desktop's own tips do, and goes when it leaves or anything is pressed;
    // so nothing wakes the program to take it down.
    constexpr int kShownUntilLeft = std::numeric_limits<int>::max();
    QToolTip::showText(event->globalPos(), text, this, rect(), kShownUntilLeft);
    // The tip stands below the pointer, often over a neighbouring button, and lingers a moment after
    // the pointer has gone on: a click there must reach the button, not the tip.
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->inherits("QTipLabel") && window->windowHandle())
            window->windowHandle()->setFlag(Qt::WindowTransparentForInput);
    }
    return true;
}

void SkinButton::keyPressEvent(QKeyEvent* event)
{
    short keyCode = virtualKeyOf(event->key());
    short shift = shiftOf(event->modifiers());
    Q_EMIT KeyDown(keyCode, shift);
    m_lastKeyDown = asByte(keyCode);
    switch (keyCode) {
    case kSpace:
        Redraw(StateDown, Force::No);
        break;
    case 37:
    case 38:
        focusNextPrevChild(false); // left and up: the previous control, as Shift+Tab
        break;
    case 39:
    case 40:
        focusNextPrevChild(true); // right and down: the next control, as Tab
        break;
    default:
        break;
    }
    const QString text = event->text();
    if (text.size() == 1 && text[0].unicode() < 0x8000 && !(event->modifiers() & Qt::AltModifier)) {
        short keyAscii = static_cast<short>(text[0].unicode());
        Q_EMIT KeyPress(keyAscii);
    }
    event->accept();
}

void SkinButton::keyReleaseEvent(QKeyEvent* event)
{
    // Holding a key repeats its press only; the release comes once, when the key goes up.
    if (event->isAutoRepeat())
        return;
    short keyCode = virtualKeyOf(event->key());
    short shift = shiftOf(event->modifiers());
    Q_EMIT KeyUp(keyCode, shift);
    if (m_lastKeyDown == kSpace && keyCode == kSpace) {
        if (m_checkBoxBehaviour)
            m_value = !m_value;
        Redraw(StateUp, Force::No);
        repaint();
        Q_EMIT Click();
    }
    event->accept();
}

void SkinButton::focusInEvent(QFocusEvent* event)
{
    m_hasFocus = true;
    Redraw(m_lastState, Force::Yes);
    QWidget::focusInEvent(event);
}

void SkinButton::focusOutEvent(QFocusEvent* event)
{
    m_hasFocus = false;
    Redraw(m_lastState, Force::Yes);
    QWidget::focusOutEvent(event);
}

} // namespace zendrix
