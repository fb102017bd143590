// SkinButton: palette, layout, window shape, background snapshot and painting.
#include "SkinButton.h"

#include "button/ButtonPainter.h"
#include "platform/Fonts.h"
#include "platform/Region.h"

#include <QKeySequence>
#include <QPainter>
#include <QResizeEvent>
#include <QShortcutEvent>

namespace zendrix {

void SkinButton::BuildPalette()
{
    PaletteInputs in;
    in.colorScheme = m_colorScheme;
    in.buttonType = m_buttonType;
    in.softBevel = m_softBevel;
    in.backColor = m_backColor;
    in.foreColor = m_foreColor;
    in.foreOver = m_foreOver;
    in.maskColor = m_maskColor;
    if (const QWidget* container = parentWidget()) {
        // The container's own colours: what it paints its background and its text with.
        const QPalette& colours = container->palette();
        in.containerBack = fromQRgb(colours.color(container->backgroundRole()).rgb());
        in.containerText = fromQRgb(colours.color(container->foregroundRole()).rgb());
    }
    m_palette = zendrix::BuildPalette(in);
}

void SkinButton::LayoutCaption()
{
    LayoutInputs in;
    in.clientWidth = m_clientWidth;
    in.clientHeight = m_clientHeight;
    in.picturePosition = m_picturePosition;
    in.hasPicture = !m_pictureNormal.isNull() || !m_pictureOver.isNull();
    in.caption = m_caption;
    in.font = m_screenFont;
    zendrix::LayoutCaption(m_layout, in);
}

void SkinButton::UpdateAccessKeys()
{
    if (m_accessShortcut != 0) {
        releaseShortcut(m_accessShortcut);
        m_accessShortcut = 0;
    }
    m_accessKey = accessKeyOf(m_caption);
    if (!m_accessKey.isNull()) {
        const QKeySequence sequence(QStringLiteral("Alt+") + m_accessKey.toUpper());
        m_accessShortcut = grabShortcut(sequence, Qt::WindowShortcut);
    }
}

void SkinButton::CaptureBackground()
{
    const QWidget* container = parentWidget();
    if (!container || m_clientWidth <= 0 || m_clientHeight <= 0)
        return;
    m_resizeGuard = true;
    if (m_background.size() != QSize(m_clientWidth, m_clientHeight))
        m_background = QImage(m_clientWidth, m_clientHeight, QImage::Format_RGB32);
    m_background.fill(Qt::black);
    // The container paints itself alone (no child controls), so the snapshot holds its own pixels,
    // never this button's.
    QPainter painter(&m_background);
    const_cast<QWidget*>(container)->render(&painter, QPoint(), QRegion(geometry()),
                                            QWidget::DrawWindowBackground);
    painter.end();
    m_resizeGuard = false;
}

void SkinButton::handleResize()
{
    if (m_resizeGuard)
        return;
    m_clientWidth = width();
    m_clientHeight = height();
    if (m_surface.size() != size()) {
        m_surface = QImage(size(), QImage::Format_RGB32);
        m_surface.fill(toQRgb(m_palette.face)); // shown as it is until the first paint
    }
    const Rect client{0, 0, m_clientWidth, m_clientHeight};
    if (m_buttonType >= 7 && m_buttonType <= 13)
        m_focusRect = client.inset(3);
    else if (m_buttonType == 14)
        m_focusRect = client.inset(5).translated(1, 1);
    else
        m_focusRect = client.inset(4);
    LayoutCaption();

    const int w = m_clientWidth;
    const int h = m_clientHeight;
    Region shape = m_buttonType == 13 ? Region::ellipse(client) : Region::rectangle(client);
    if (m_buttonType == 1 || m_buttonType == 14) {
        for (auto [x, y] : {std::pair{0, 0}, {w - 1, 0}, {0, h - 1}, {w - 1, h - 1}})
            shape.removePixel(x, y);
    } else if (m_buttonType == 5) {
        shape.removePixel(0, h - 1);
        shape.removePixel(w - 1, 0);
    } else if (m_buttonType == 3 || m_buttonType == 4) {
        for (auto [x, y] : {std::pair{0, 0},
                            {1, 0},
                            {0, 1},
                            {w - 2, 0},
                            {w - 1, 0},
                            {w - 1, 1},
                            {0, h - 1},
                            {1, h - 1},
                            {0, h - 2},
                            {w - 2, h - 1},
                            {w - 1, h - 1},
                            {w - 1, h - 2}})
            shape.removePixel(x, y);
    }
    setMask(shape.toQRegion());
    if (h != 0)
        Redraw(StateUp, Force::Yes);
}

PaintInputs SkinButton::paintInputs() const
{
    PaintInputs in;
    in.buttonType = m_buttonType;
    in.enabled = m_enabled;
    in.isOver = m_isOver;
    in.hasFocus = m_hasFocus;
    in.showFocusRect = m_showFocusRect;
    in.displayAsDefault = m_ambient.displayAsDefault;
    in.colorScheme = m_colorScheme;
    in.specialEffect = m_specialEffect;
    in.picturePosition = m_picturePosition;
    in.useMaskColor = m_useMaskColor;
    in.useGreyscale = m_useGreyscale;
    in.softBevel = m_softBevel;
    in.lastState = m_lastState;
    in.caption = m_caption;
    in.font = m_screenFont;
    in.layout = m_layout;
    in.focusRect = m_focusRect;
    in.pictureNormal = &m_pictureNormal;
    in.pictureOver = &m_pictureOver;
    in.background = m_background.isNull() ? nullptr : &m_background;
    if (in.displayAsDefault && m_buttonType == 14) {
        in.boldFont = m_screenFont;
        in.boldFont.setBold(true);
        in.boldLayout = m_layout;
        LayoutInputs bold{m_clientWidth,     m_clientHeight,
                          m_picturePosition, !m_pictureNormal.isNull() || !m_pictureOver.isNull(),
                          m_caption,         in.boldFont};
        zendrix::LayoutCaption(in.boldLayout, bold);
    }
    return in;
}

void SkinButton::Redraw(DrawState state, Force force)
{
    if (m_checkBoxBehaviour && m_value)
        state = StateDown;
    if (force == Force::No && m_caption == m_lastCaption && state == m_lastState)
        return;
    if (m_clientHeight == 0 || !m_refreshEnabled)
        return;
    m_lastState = state;
    m_lastCaption = m_caption;

    // A custom-coloured button shows its hover face colour by painting with a palette built from it.
    const bool hoverColours = m_isOver && m_colorScheme == SchemeCustom;
    const OleColor kept = m_backColor;
    if (hoverColours) {
        m_backColor = m_backOver;
        BuildPalette();
    }

    const PaintInputs in = paintInputs();
    DeviceContext dc(m_surface);
    ButtonPainter(dc, in, m_palette, m_lastCaptionMode).paint(state);
    ++m_paintCount;

    if (hoverColours) {
        m_backColor = kept;
        BuildPalette();
    }
    update();
}

void SkinButton::Refresh()
{
    if (m_buttonType == 11)
        CaptureBackground();
    BuildPalette();
    LayoutCaption();
    m_refreshEnabled = true;
    Redraw(m_lastState, Force::Yes);
}

bool SkinButton::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip && toolTip().isEmpty())
        return showTip(static_cast<QHelpEvent*>(event));
    if (event->type() == QEvent::Shortcut) {
        const auto* shortcut = static_cast<QShortcutEvent*>(event);
        if (shortcut->shortcutId() == m_accessShortcut) {
            press();
            return true;
        }
    }
    return QWidget::event(event);
}

void SkinButton::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::EnabledChange && !isEnabled())
        endHoverLater();
    if (event->type() == QEvent::FontChange) {
        // Only the layout here: loading a stored layout changes the font and must not paint.
        m_screenFont = screenFont(font());
        LayoutCaption();
    }
    QWidget::changeEvent(event);
}

void SkinButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawImage(0, 0, m_surface);
}

void SkinButton::resizeEvent(QResizeEvent* event)
{
    handleResize();
    QWidget::resizeEvent(event);
}

void SkinButton::showEvent(QShowEvent* event)
{
    m_refreshEnabled = true;
    BuildPalette();
    if (m_buttonType == 11)
        CaptureBackground();
    Redraw(StateUp, Force::Yes);
    QWidget::showEvent(event);
}

void SkinButton::hideEvent(QHideEvent* event)
{
    m_refreshEnabled = false;
    endHoverLater();
    QWidget::hideEvent(event);
}

} // namespace zendrix
