// The shaded looks: 3 (a bluish gradient with a glowing rim), 4 (a rounded rim) and 5 (offset frames).
#include "button/ButtonLooks.h"

#include <cmath>
#include <utility>

namespace zendrix::looks {

int gradientShift(float step, int row)
{
    const float shift = -step * static_cast<float>(row);
    return static_cast<int>(std::nearbyint(shift));
}

namespace {

bool focusedLooking(const ButtonPainter& p)
{
    return (p.in().hasFocus || p.in().displayAsDefault) && p.in().showFocusRect;
}

void outline3(ButtonPainter& p)
{
    const int w = p.W();
    const int h = p.H();
    p.frame(0, 0, w, h, rgb(0, 60, 115));
    for (auto [x, y] : {std::pair{1, 1}, {1, h - 2}, {w - 2, 1}, {w - 2, h - 2}})
        p.px(x, y, rgb(16, 77, 123));
}

void cornerPixels(ButtonPainter& p, ColorRef c)
{
    const int w = p.W();
    const int h = p.H();
    p.px(1, 1, c);
    p.px(1, h - 2, c);
    p.px(w - 2, 1, c);
    p.px(w - 2, h - 2, c);
}

void upRim3(ButtonPainter& p)
{
    const int w = p.W();
    const int h = p.H();
    const ColorRef accent = p.pal().accent;
    if (!p.in().isOver && !focusedLooking(p)) {
        p.line(2, h - 2, w - 2, h - 2, p.Sb(accent, -48));
        p.line(1, h - 3, w - 2, h - 3, p.Sb(accent, -32));
        p.line(w - 2, 2, w - 2, h - 2, p.Sb(accent, -36));
        p.line(w - 3, 3, w - 3, h - 3, p.Sb(accent, -24));
        p.line(2, 1, w - 2, 1, p.Sb(accent, 16));
        p.line(1, 2, w - 2, 2, p.Sb(accent, 10));
        p.line(1, 2, 1, h - 2, p.Sb(accent, -5));
        p.line(2, 3, 2, h - 3, p.Sb(accent, -10));
        return;
    }
    // A blue glow for the focused look, an orange one while hovered.
    const bool hot = p.in().isOver;
    p.frame(1, 2, w - 2, h - 4, hot ? rgb(255, 178, 49) : rgb(140, 174, 231));
    p.line(2, h - 2, w - 2, h - 2, hot ? rgb(231, 150, 0) : rgb(107, 130, 239));
    p.line(2, 1, w - 2, 1, hot ? rgb(255, 243, 206) : rgb(206, 231, 255));
    p.line(1, 2, w - 1, 2, hot ? rgb(255, 219, 140) : rgb(189, 215, 247));
    p.line(2, 3, 2, h - 3, hot ? rgb(255, 203, 107) : rgb(181, 209, 240));
    p.line(w - 3, 3, w - 3, h - 3, hot ? rgb(255, 203, 107) : rgb(181, 209, 240));
}

void roundedRim4(ButtonPainter& p)
{
    const int w = p.W();
    const int h = p.H();
    const ButtonPalette& c = p.pal();
    p.frame(0, 0, w, h, c.darkShadow);
    cornerPixels(p, c.darkShadow);
    p.line(1, 2, 2, 0, c.face);
    p.line(3, 2, w - 3, 2, c.highlight);
    p.line(2, 2, 2, h - 3, c.highlight);
    p.px(3, 3, c.highlight);
    p.line(w - 3, 1, w - 3, h - 3, c.face);
    p.line(1, h - 3, w - 3, h - 3, c.face);
    p.px(w - 4, h - 4, c.face);
    p.line(w - 2, 2, w - 2, h - 2, c.shadow);
    p.line(2, h - 2, w - 2, h - 2, c.shadow);
    p.px(w - 3, h - 3, c.shadow);
}

void textFrame5(ButtonPainter& p)
{
    if (!p.in().hasFocus || !p.in().showFocusRect)
        return;
    const Rect& text = p.in().layout.textRect;
    p.frame(text.left - 2, text.top - 1, text.width() + 4, text.height() + 2, rgb(153, 153, 204));
}

} // namespace

void look3(ButtonPainter& p, PictureMode face)
{
    const int w = p.W();
    const int h = p.H();
    const ColorRef accent = p.pal().accent;
    const auto step = static_cast<float>(25.0 / h);
    if (face == PictureUp) {
        for (int i = 1; i <= h; ++i)
            p.line(0, i, w, i, p.Sb(accent, gradientShift(step, i)));
        p.DrawCaption(p.over());
        outline3(p);
        upRim3(p);
    } else if (face == PictureDown) {
        const ColorRef base = p.Sb(accent, -32);
        for (int i = 1; i <= h; ++i)
            p.line(0, h - i, w, h - i, p.Sb(base, gradientShift(step, i)));
        p.DrawCaption(CaptionPressed);
        outline3(p);
        p.line(2, h - 2, w - 2, h - 2, p.Sb(base, 16));
        p.line(1, h - 3, w - 2, h - 3, p.Sb(base, 10));
        p.line(w - 2, 2, w - 2, h - 2, p.Sb(base, 5));
        p.line(w - 3, 3, w - 3, h - 3, accent);
        p.line(2, 1, w - 2, 1, p.Sb(base, -32));
        p.line(1, 2, w - 2, 2, p.Sb(base, -24));
        p.line(1, 2, 1, h - 2, p.Sb(base, -32));
        p.line(2, 2, 2, h - 2, p.Sb(base, -22));
    } else {
        p.fill(0, 0, w, h, p.Sb(accent, -24));
        p.DrawCaption(CaptionDimmed);
        p.frame(0, 0, w, h, p.Sb(accent, -84));
        cornerPixels(p, p.Sb(accent, -72));
    }
}

void look4(ButtonPainter& p, PictureMode face)
{
    const int w = p.W();
    const int h = p.H();
    if (face != PictureDown) {
        p.fill(1, 1, w - 2, h - 2, p.pal().light);
        p.DrawCaption(face == PictureUp ? p.over() : CaptionEngraved);
        roundedRim4(p);
        return;
    }
    const ColorRef shadow = p.pal().shadow;
    p.fill(1, 1, w - 2, h - 2, p.S(shadow, -16));
    // The caption's effect copies take the pressed face as their base; the accent is then set to the
    // face made lighter, where it stays.
    p.pal().accent = p.S(shadow, -16);
    p.DrawCaption(CaptionPressed);
    p.pal().accent = p.S(p.pal().face, 48);
    p.frame(0, 0, w, h, p.pal().darkShadow);
    p.frame(1, 1, w - 2, h - 2, p.S(shadow, -64));
    p.frame(2, 2, w - 4, h - 4, p.S(shadow, -32));
    p.px(2, 2, p.S(shadow, -64));
    p.px(3, 3, p.S(shadow, -32));
    cornerPixels(p, p.pal().darkShadow);
    p.line(w - 3, 1, w - 3, h - 3, shadow);
    p.line(1, h - 3, w - 2, h - 3, shadow);
    p.px(w - 4, h - 4, shadow);
    p.line(w - 2, 3, w - 2, h - 2, p.S(shadow, -16));
    p.line(3, h - 2, w - 2, h - 2, p.S(shadow, -16));
    p.line(w - 2, h - 3, w - 4, h - 1, p.S(shadow, -32));
    p.px(2, h - 2, p.S(shadow, -32));
    p.px(w - 2, 2, p.S(shadow, -32));
}

void look5(ButtonPainter& p, PictureMode face)
{
    const int w = p.W();
    const int h = p.H();
    const ButtonPalette& c = p.pal();
    if (face == PictureUp) {
        p.fill(1, 1, w - 1, h - 1, p.S(c.face, 12));
        p.DrawCaption(p.over());
        p.frame(1, 1, w - 1, h - 1, c.highlight);
        p.frame(0, 0, w - 1, h - 1, p.S(c.shadow, -26));
        p.px(1, h - 2, p.S(c.shadow, 26));
        p.px(w - 2, 1, p.S(c.shadow, 26));
        textFrame5(p);
    } else if (face == PictureDown) {
        p.fill(1, 1, w - 2, h - 2, p.S(c.shadow, 16));
        p.frame(0, 0, w - 1, h - 1, p.S(c.shadow, -26));
        p.line(w - 1, 1, w - 1, h, c.highlight);
        p.line(1, h - 1, w - 1, h - 1, c.highlight);
        p.text(p.in().layout.textRect, c.textOver);
        textFrame5(p);
    } else {
        p.DrawCaption(CaptionGrey);
        p.frame(0, 0, w, h, c.shadow);
    }
}

} // namespace zendrix::looks
