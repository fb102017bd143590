#pragma once

#include "button/ButtonPalette.h"
#include "button/ButtonTypes.h"
#include "button/CaptionLayout.h"
#include "button/ColorMath.h"
#include "platform/DeviceContext.h"
#include "platform/Picture.h"

#include <QFont>
#include <QString>

namespace zendrix {

// Everything one paint of a button reads. The control gathers it; the painter changes none of it.
struct PaintInputs
{
    int buttonType = 2;
    bool enabled = true;
    bool isOver = false;
    bool hasFocus = false;
    bool showFocusRect = true;
    bool displayAsDefault = false;
    int colorScheme = 1;
    int specialEffect = 0;
    int picturePosition = 0;
    bool useMaskColor = true;
    bool useGreyscale = false;
    bool softBevel = false;
    DrawState lastState = StateUp; // the state this paint shows
    QString caption;
    QFont font;               // the caption's screen font
    CaptionLayout layout;     // where caption and picture go
    QFont boldFont;           // the default button's caption font ...
    CaptionLayout boldLayout; // ... and layout (read only when displayAsDefault)
    Rect focusRect;
    const Picture* pictureNormal = nullptr; // null or a null Picture: none
    const Picture* pictureOver = nullptr;
    const QImage* background = nullptr; // the snapshot under a type 11 button
};

// Paints a button's face, frame, caption and picture into a device context (the drawing after the
// face fill, for one look and one state). The palette is the control's own: the type 4 pressed face
// changes its accent colour and the change stays, as does the caption mode of the last caption drawn.
class ButtonPainter
{
public:
    ButtonPainter(DeviceContext& dc, const PaintInputs& in, ButtonPalette& palette, quint8& lastCaptionMode);

    // Fills the client area with the face colour, then draws the look for state (the disabled
    // drawing when the button is disabled) and the picture. A state other than up or down paints the
    // face fill only.
    void paint(DrawState state);

    void DrawCaption(quint8 mode);
    void DrawCaptionEffect(const Rect& rect);
    void DrawPictureEffect(int offset, const Picture& picture);
    void DrawPicture(quint8 mode);
    void DrawFocusRectangle();

    // The primitives in the words of the look tables.
    int W() const { return m_width; }
    int H() const { return m_height; }
    const PaintInputs& in() const { return m_in; }
    ButtonPalette& pal() { return m_palette; }
    void fill(int x, int y, int w, int h, ColorRef c) { m_dc.fillRect(Rect::fromSize(x, y, w, h), c); }
    void frame(int x, int y, int w, int h, ColorRef c) { m_dc.frameRect(Rect::fromSize(x, y, w, h), c); }
    void line(int x1, int y1, int x2, int y2, ColorRef c);
    void px(int x, int y, ColorRef c) { m_dc.setPixel(x, y, c); }
    void bevel(ColorRef c1, ColorRef c2, ColorRef c3, ColorRef c4, int offset, bool outerOnly);
    void ellipse(ColorRef outline, ColorRef fillColour)
    {
        m_dc.ellipse({0, 0, m_width, m_height}, outline, fillColour);
    }
    void copyBackground();
    ColorRef S(ColorRef c, int n) const { return ShiftColor(c, n, BlueScaling::No, m_in.softBevel); }
    ColorRef Sb(ColorRef c, int n) const { return ShiftColor(c, n, BlueScaling::Yes, m_in.softBevel); }
    CaptionMode over() const { return m_in.isOver ? CaptionHovered : CaptionNormal; }
    // The caption in a colour at a rectangle, without effect copies.
    void text(const Rect& rect, ColorRef colour);
    // Draws the caption in the default button's bold font and layout when the container says so.
    void captionAsDefault(quint8 mode);

private:
    void picture(const Picture& picture, int dx, int dy, qint64 solid, bool darkOnly, bool greyscale,
                 bool fade);

    DeviceContext& m_dc;
    const PaintInputs& m_in;
    ButtonPalette& m_palette;
    quint8& m_lastCaptionMode;
    const QFont* m_font;
    const CaptionLayout* m_layout;
    int m_width;
    int m_height;
};

// The face and frame of each look (ButtonLooks.cpp).
void paintUpLook(ButtonPainter& p);
void paintDownLook(ButtonPainter& p);
void paintDisabledLook(ButtonPainter& p);

} // namespace zendrix
