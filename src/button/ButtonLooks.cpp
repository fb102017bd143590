// The fourteen looks: what each ButtonType draws after the face fill, in the up, down and disabled
// drawings. Later drawing covers earlier. Types 3, 4 and 5 are in ButtonLooksShaded.cpp.
#include "button/ButtonLooks.h"

namespace zendrix {

namespace {

using looks::gradientShift;

void gradient14(ButtonPainter& p)
{
    const auto step = static_cast<float>(58.0 / p.H());
    for (int i = 1; i <= p.H(); ++i)
        p.line(0, i, p.W(), i, p.S(p.pal().highlight, gradientShift(step, i)));
}

void frames14(ButtonPainter& p)
{
    const int w = p.W();
    const int h = p.H();
    p.frame(0, 0, w, h, p.S(p.pal().shadow, -50));
    p.frame(1, 1, w - 2, h - 2, p.S(p.pal().face, -9));
    p.fill(2, 2, w - 4, 2, p.pal().highlight);
    p.fill(2, 4, 2, h - 6, p.pal().highlight);
}

void look14(ButtonPainter& p, PictureMode face)
{
    const int w = p.W();
    const int h = p.H();
    const ButtonPalette& c = p.pal();
    if (face == PictureUp) {
        if (p.in().isOver)
            p.fill(0, 0, w, h, c.light);
        else
            gradient14(p);
        p.captionAsDefault(p.over());
        frames14(p);
        p.DrawFocusRectangle();
    } else if (face == PictureDown) {
        p.fill(1, 1, w, h, p.S(c.face, -9));
        p.frame(0, 0, w, h, p.S(c.shadow, -48));
        p.line(2, h - 2, w - 2, h - 2, c.highlight);
        p.line(w - 2, 2, w - 2, h - 1, c.highlight);
        p.DrawCaption(CaptionShadowed);
        p.DrawFocusRectangle();
    } else {
        gradient14(p);
        frames14(p);
        p.DrawCaption(CaptionEmbossed);
    }
}

// Types 1, 2, 6, 7, 8 and 12: a caption inside bevels.
void bevelled(ButtonPainter& p, int type, PictureMode face)
{
    const ButtonPalette& c = p.pal();
    const int w = p.W();
    const int h = p.H();
    const bool up = face == PictureUp;
    const bool down = face == PictureDown;
    p.DrawCaption(up ? p.over() : down ? CaptionPressed : (type == 6 ? CaptionGrey : CaptionEngraved));
    switch (type) {
    case 1:
        if (down)
            p.bevel(c.shadow, c.highlight, c.shadow, c.highlight, -1, false);
        else
            p.bevel(c.highlight, c.shadow, c.highlight, c.shadow, -1, false);
        p.frame(0, 0, w, h, c.darkShadow);
        break;
    case 2: {
        const bool asDefault = p.in().showFocusRect && p.in().displayAsDefault && !(face == PictureDisabled);
        if (up && asDefault) {
            p.bevel(c.highlight, c.darkShadow, c.light, c.shadow, -1, false);
            p.DrawFocusRectangle();
            p.frame(0, 0, w, h, c.darkShadow);
        } else if (down && asDefault) {
            p.frame(0, 0, w, h, c.darkShadow);
            p.frame(1, 1, w - 2, h - 2, c.shadow);
            p.DrawFocusRectangle();
        } else if (down) {
            p.bevel(c.darkShadow, c.highlight, c.shadow, c.light, 0, false);
        } else {
            p.bevel(c.highlight, c.darkShadow, c.light, c.shadow, 0, false);
        }
        return; // the focus rectangle, where there is one, is drawn above
    }
    case 6: {
        const ColorRef l8 = p.S(c.light, 8);
        if (down)
            p.bevel(c.shadow, l8, c.shadow, l8, 0, false);
        else
            p.bevel(l8, c.shadow, l8, c.shadow, 0, false);
        break;
    }
    case 7:
    case 8:
        if (down)
            p.bevel(c.shadow, c.highlight, 0, 0, 0, true);
        else if (type == 7 || (up && p.in().isOver))
            p.bevel(c.highlight, c.shadow, 0, 0, 0, true);
        break;
    case 12:
        if (down)
            p.bevel(c.darkShadow, c.highlight, c.shadow, c.light, 0, false);
        else if (up && p.in().isOver)
            p.bevel(c.highlight, c.darkShadow, c.light, c.shadow, 0, false);
        break;
    default:
        break;
    }
    if (face != PictureDisabled)
        p.DrawFocusRectangle();
}

void look9(ButtonPainter& p, PictureMode face)
{
    const ButtonPalette& c = p.pal();
    const int w = p.W();
    const int h = p.H();
    const bool over = p.in().isOver;
    if (face == PictureUp) {
        if (over)
            p.fill(1, 1, w, h, c.selectionTint);
        p.DrawCaption(p.over());
        if (over)
            p.frame(0, 0, w, h, c.selection);
        p.DrawFocusRectangle();
    } else if (face == PictureDown) {
        if (over)
            p.fill(0, 0, w, h,
                   p.in().colorScheme == SchemeCustom ? p.S(c.selectionTint, -32)
                                                      : TintColor(c.selection, 128));
        p.DrawCaption(CaptionPressed);
        p.frame(0, 0, w, h, c.selection);
        p.DrawFocusRectangle();
    } else {
        p.DrawCaption(CaptionGrey);
    }
}

void look11(ButtonPainter& p, PictureMode face)
{
    p.copyBackground();
    p.DrawCaption(face == PictureUp ? p.over() : face == PictureDown ? CaptionPressed : CaptionEngraved);
    if (face != PictureDisabled)
        p.DrawFocusRectangle();
}

void look13(ButtonPainter& p, PictureMode face)
{
    const ButtonPalette& c = p.pal();
    if (face == PictureUp) {
        p.ellipse(p.in().isOver ? c.shadow : c.face, c.face);
        p.DrawCaption(p.over());
    } else if (face == PictureDown) {
        p.ellipse(c.darkShadow, p.S(c.face, -32));
        p.DrawCaption(CaptionPressed);
    } else {
        p.DrawCaption(CaptionEngraved);
    }
}

void paintLook(ButtonPainter& p, PictureMode face)
{
    const int type = p.in().buttonType;
    switch (type) {
    case 1:
    case 2:
    case 6:
    case 7:
    case 8:
    case 12:
        bevelled(p, type, face);
        break;
    case 3:
        looks::look3(p, face);
        break;
    case 4:
        looks::look4(p, face);
        break;
    case 5:
        looks::look5(p, face);
        break;
    case 9:
        look9(p, face);
        break;
    case 11:
        look11(p, face);
        break;
    case 13:
        look13(p, face);
        break;
    case 14:
        look14(p, face);
        break;
    default:
        break; // type 10 and values without a look: the face fill and the picture only
    }
}

} // namespace

void paintUpLook(ButtonPainter& p)
{
    paintLook(p, PictureUp);
}

void paintDownLook(ButtonPainter& p)
{
    paintLook(p, PictureDown);
}

void paintDisabledLook(ButtonPainter& p)
{
    paintLook(p, PictureDisabled);
}

} // namespace zendrix
