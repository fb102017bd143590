#include "ButtonPainter.h"

#include "button/PictureCompositor.h"
#include "platform/DrawText.h"

namespace zendrix {

namespace {

bool isSet(const Picture* picture)
{
    return picture && !picture->isNull();
}

} // namespace

ButtonPainter::ButtonPainter(DeviceContext& dc, const PaintInputs& in, ButtonPalette& palette,
                             quint8& lastCaptionMode)
    : m_dc(dc), m_in(in), m_palette(palette), m_lastCaptionMode(lastCaptionMode), m_font(&in.font),
      m_layout(&in.layout), m_width(dc.width()), m_height(dc.height())
{}

void ButtonPainter::paint(DrawState state)
{
    fill(0, 0, m_width, m_height, m_palette.face);
    if (!m_in.enabled) {
        paintDisabledLook(*this);
        DrawPicture(PictureDisabled);
    } else if (state == StateUp) {
        paintUpLook(*this);
        DrawPicture(PictureUp);
    } else if (state == StateDown) {
        paintDownLook(*this);
        DrawPicture(PictureDown);
    }
}

void ButtonPainter::line(int x1, int y1, int x2, int y2, ColorRef c)
{
    m_dc.moveTo(x1, y1);
    m_dc.lineTo(x2, y2, c);
}

void ButtonPainter::bevel(ColorRef c1, ColorRef c2, ColorRef c3, ColorRef c4, int offset, bool outerOnly)
{
    const int a = offset < 0 ? -offset : offset;
    const int r = m_width - 1 + offset;
    const int b = m_height - 1 + offset;
    m_dc.moveTo(a, b);
    m_dc.lineTo(a, a, c1);
    m_dc.lineTo(r, a, c1);
    m_dc.lineTo(r, b, c2);
    m_dc.lineTo(a - 1, b, c2);
    if (outerOnly)
        return;
    m_dc.moveTo(a + 1, b - 1);
    m_dc.lineTo(a + 1, a + 1, c3);
    m_dc.lineTo(r - 1, a + 1, c3);
    m_dc.lineTo(r - 1, b - 1, c4);
    m_dc.lineTo(a, b - 1, c4);
}

void ButtonPainter::copyBackground()
{
    if (m_in.background)
        m_dc.bitBlt(0, 0, m_width, m_height, *m_in.background, 0, 0);
}

void ButtonPainter::text(const Rect& rect, ColorRef colour)
{
    if (m_in.caption.isEmpty())
        return;
    Rect where = rect;
    m_dc.setTextColor(colour);
    drawText(m_dc, *m_font, m_in.caption, where, DtCenter | DtVCenter | DtWordBreak);
}

void ButtonPainter::DrawCaptionEffect(const Rect& rect)
{
    const int effect = m_in.specialEffect;
    if (effect <= 0)
        return;
    const int type = m_in.buttonType;
    ColorRef base = m_palette.face;
    if (type == 3 || type == 4 || type == 14)
        base = m_palette.accent;
    else if (m_in.lastState == StateUp && m_in.isOver && m_in.colorScheme != SchemeCustom && type == 9)
        base = m_palette.selectionTint;
    text(rect.translated(1, 1), S(base, effect == EffectSunken ? 40 : -40));
    if (effect < EffectShadow)
        text(rect.translated(-1, -1), S(base, effect == EffectSunken ? -40 : 40));
}

void ButtonPainter::DrawCaption(quint8 mode)
{
    m_lastCaptionMode = mode;
    const Rect& rest = m_layout->textRect;
    const Rect& pressed = m_layout->textRectPressed;
    switch (mode) {
    case CaptionNormal:
        DrawCaptionEffect(rest);
        text(rest, m_palette.text);
        break;
    case CaptionHovered:
        DrawCaptionEffect(rest);
        text(rest, m_palette.textOver);
        break;
    case CaptionPressed:
        DrawCaptionEffect(pressed);
        text(pressed, m_in.buttonType == 4 ? m_palette.light : m_palette.textOver);
        break;
    case CaptionEngraved:
        text(pressed, m_palette.highlight);
        text(rest, m_palette.shadow);
        break;
    case CaptionGrey:
        text(rest, m_palette.shadow);
        break;
    case CaptionDimmed:
        text(rest, Sb(m_palette.accent, -104));
        break;
    case CaptionEmbossed:
        text(pressed, m_palette.highlight);
        text(rest, m_palette.face);
        break;
    case CaptionShadowed:
        text(pressed, S(m_palette.shadow, -50));
        text(rest, m_palette.highlight);
        break;
    default:
        break;
    }
}

void ButtonPainter::captionAsDefault(quint8 mode)
{
    if (!m_in.displayAsDefault) {
        DrawCaption(mode);
        return;
    }
    // The default button's caption is bold for this one drawing; the font property is left alone.
    m_font = &m_in.boldFont;
    m_layout = &m_in.boldLayout;
    DrawCaption(mode);
    m_font = &m_in.font;
    m_layout = &m_in.layout;
}

void ButtonPainter::DrawFocusRectangle()
{
    if (!m_in.showFocusRect || !m_in.hasFocus)
        return;
    m_dc.setTextColor(m_palette.text);
    m_dc.drawFocusRect(m_in.focusRect);
}

void ButtonPainter::picture(const Picture& pic, int dx, int dy, qint64 solid, bool darkOnly, bool greyscale,
                            bool fade)
{
    CompositeOptions options;
    options.maskColor = m_palette.mask;
    options.solidColor = solid;
    options.darkOnly = darkOnly;
    options.greyscale = greyscale;
    options.fade = fade;
    options.useMaskColor = m_in.useMaskColor;
    options.iconBackground = m_palette.mask;
    PaintPicturePixels(m_dc, m_layout->pictureLeft + dx, m_layout->pictureTop + dy, m_layout->pictureWidth,
                       m_layout->pictureHeight, pic, options);
}

void ButtonPainter::DrawPictureEffect(int offset, const Picture& pic)
{
    const int effect = m_in.specialEffect;
    if (effect <= 0)
        return;
    ColorRef base = m_palette.selectionTint;
    if (m_in.buttonType == 3)
        base = m_palette.accent;
    else if (offset != -1 || m_in.colorScheme == SchemeCustom)
        base = m_palette.face;
    picture(pic, 1 + offset, 1 + offset, S(base, effect == EffectSunken ? 40 : -40), false, false, false);
    if (effect < EffectShadow)
        picture(pic, -1 + offset, -1 + offset, S(base, effect == EffectSunken ? -40 : 40), false, false,
                false);
}

void ButtonPainter::DrawPicture(quint8 mode)
{
    if (!isSet(m_in.pictureNormal))
        return;
    const Picture& normal = *m_in.pictureNormal;
    const bool hasOver = isSet(m_in.pictureOver);
    const int type = m_in.buttonType;
    constexpr qint64 none = -1;
    if (mode == PictureUp) {
        if (!m_in.isOver) {
            DrawPictureEffect(0, normal);
            picture(normal, 0, 0, none, false, m_in.useGreyscale, type == 9);
        } else if (type == 9) {
            DrawPictureEffect(-1, normal);
            picture(normal, 1, 1, m_palette.shadow, false, false, false);
            picture(normal, -1, -1, none, false, false, false);
        } else {
            const Picture& shown = hasOver ? *m_in.pictureOver : normal;
            DrawPictureEffect(0, shown);
            picture(shown, 0, 0, none, false, false, false);
        }
    } else if (mode == PictureDown) {
        if (hasOver && type != 9) {
            const int d = type == 5 ? 0 : 1;
            picture(*m_in.pictureOver, d, d, none, false, false, false);
        } else if (type != 5 && type != 9) {
            DrawPictureEffect(1, normal);
            picture(normal, 1, 1, none, false, false, false);
        } else {
            DrawPictureEffect(0, normal);
            picture(normal, 0, 0, none, false, false, false);
        }
    } else if (mode == PictureDisabled) {
        if (type == 3) {
            picture(normal, 1, 1, none, false, true, false);
        } else if (type == 5 || type == 6 || type == 9) {
            picture(normal, 0, 0, type == 9 ? S(m_palette.shadow, 13) : m_palette.shadow, true, false, false);
        } else {
            picture(normal, 1, 1, m_palette.highlight, true, false, false);
            picture(normal, 0, 0, m_palette.shadow, true, false, false);
        }
    }
    if (m_in.picturePosition == PicCentred)
        DrawCaption(m_lastCaptionMode);
}

} // namespace zendrix
