#pragma once

#include "button/ButtonPainter.h"
#include "button/ButtonPalette.h"
#include "button/ButtonTypes.h"
#include "button/CaptionLayout.h"
#include "platform/Picture.h"
#include "platform/PropertyBag.h"
#include "platform/Rect.h"

#include <QFont>
#include <QImage>
#include <QPointer>
#include <QWidget>

class QHelpEvent;

namespace zendrix {

// What the container tells its controls: whether it runs (user mode) or is being designed, whether
// this button is its default button, the name it gives the instance, and its font.
struct ButtonAmbient
{
    bool userMode = true;
    bool displayAsDefault = false;
    QString displayName;
    QFont font;
};

// The owner-drawn push button of every window. It paints itself into its own surface (Redraw) in one
// of fourteen looks, raises its nine events as signals and stores its 23 properties in a window's
// layout. A new button holds the values that an empty stored layout gives (ButtonType 2, system
// colours, MS Sans Serif 8.25 pt).
//
// The event signals pass their parameters by reference: a handler may change them, and the button
// reads the changed values after all handlers have run. Connect them directly (the default for
// objects of one thread); queued connections cannot carry references.
//
// Property setters apply at once: they rebuild what depends on the value and repaint, unless painting
// is suspended by DisableRefresh() or the button is hidden. Setters that change a stored property emit
// propertyMarked(name) so a container knows its layout needs saving. setEnabled() and setFont() hide
// QWidget's: call them on the SkinButton, not through a QWidget pointer, or the button's own state
// (the painted enabled look, the mark) is passed over.
class SkinButton : public QWidget
{
    Q_OBJECT
public:
    explicit SkinButton(QWidget* parent = nullptr);
    ~SkinButton() override;

    // The stored layout. Keys missing from bag take their defaults; a value that cannot be converted
    // to its property's type keeps the default too and its key is added to *badKeys.
    void ReadProperties(const PropertyBag& bag, QStringList* badKeys = nullptr);
    // Writes all 23 keys, always, in their fixed order.
    void WriteProperties(PropertyBag& bag) const;
    // The values of a button newly placed on a window at design time.
    void InitProperties();

    int ButtonType() const { return m_buttonType; }
    void setButtonType(int value);
    QString Caption() const { return m_caption; }
    void setCaption(const QString& value);
    bool Enabled() const { return m_enabled; }
    void setEnabled(bool value);
    QFont Font() const { return font(); }
    void setFont(const QFont& value);
    bool FontBold() const { return font().bold(); }
    void setFontBold(bool value);
    bool FontItalic() const { return font().italic(); }
    void setFontItalic(bool value);
    bool FontUnderline() const { return font().underline(); }
    void setFontUnderline(bool value);
    short FontSize() const;
    void setFontSize(float value);
    QString FontName() const { return font().family(); }
    void setFontName(const QString& value);
    int ColorScheme() const { return m_colorScheme; }
    void setColorScheme(int value);
    bool ShowFocusRect() const { return m_showFocusRect; }
    void setShowFocusRect(bool value);
    OleColor BackColor() const { return m_backColor; }
    void setBackColor(OleColor value);
    OleColor BackOver() const { return m_backOver; }
    void setBackOver(OleColor value);
    OleColor ForeColor() const { return m_foreColor; }
    void setForeColor(OleColor value);
    OleColor ForeOver() const { return m_foreOver; }
    void setForeOver(OleColor value);
    OleColor MaskColor() const { return m_maskColor; }
    void setMaskColor(OleColor value);
    int MousePointer() const { return m_mousePointer; }
    // Values outside the 16-bit range, or that name no pointer (0 to 15 and 99), are refused: the
    // pointer stays and false is returned.
    bool setMousePointer(int value);
    const Picture& MouseIcon() const { return m_mouseIcon; }
    void setMouseIcon(const Picture& value);
    const Picture& PictureNormal() const { return m_pictureNormal; }
    void setPictureNormal(const Picture& value);
    const Picture& PictureOver() const { return m_pictureOver; }
    void setPictureOver(const Picture& value);
    bool UseMaskColor() const { return m_useMaskColor; }
    void setUseMaskColor(bool value);
    bool SoftBevel() const { return m_softBevel; }
    void setSoftBevel(bool value);
    int PicturePosition() const { return m_picturePosition; }
    void setPicturePosition(int value);
    bool UseGreyscale() const { return m_useGreyscale; }
    void setUseGreyscale(bool value);
    int SpecialEffect() const { return m_specialEffect; }
    void setSpecialEffect(int value);
    bool HandPointer() const { return m_handPointer; }
    void setHandPointer(bool value);
    bool CheckBoxBehaviour() const { return m_checkBoxBehaviour; }
    void setCheckBoxBehaviour(bool value);
    bool Value() const { return m_value; }
    void setValue(bool value);
    QWidget* hwnd() { return this; }
    static QString Version() { return QStringLiteral("2.0.6 B"); }

    // Painting: Redraw paints the surface for a state (StateUp or StateDown); without Force::Yes only
    // when the state or the caption changed since the last paint. Refresh rebuilds palette and layout
    // and paints once; DisableRefresh suspends painting until Refresh.
    void Redraw(DrawState state, Force force);
    void Refresh();

    // A click without the mouse, as the access key gives one: when the button is enabled, a check-box
    // button toggles and Click is raised. A screen reader's press action comes here.
    void press();
    void DisableRefresh() { m_refreshEnabled = false; }

    // The key that does what the button does, by name ("Play/Pause key"), for the tooltip; unset, the
    // caption's access key ("Alt+O") when it has one.
    void setKeyName(const QString& name) { m_keyName = name; }
    QString keyName() const;
    // What the tooltip says when the pointer rests on the button, after the platform's delay: the
    // accessible name (without one, the caption as shown) and the key in parentheses, as in
    // "Play (Play/Pause key)". Empty when the button has no name; it then shows no tooltip. A tooltip
    // set on the widget itself takes its place. The tip stays until the pointer leaves the button.
    QString tipText() const;

    void setAmbient(const ButtonAmbient& ambient);
    const ButtonAmbient& ambient() const { return m_ambient; }

    // Run-time state, for containers and tests.
    bool IsOver() const { return m_isOver; }
    bool HasFocus() const { return m_hasFocus; }
    DrawState LastState() const { return m_lastState; }
    QChar AccessKey() const { return m_accessKey; }
    const ButtonPalette& buttonPalette() const { return m_palette; }
    const CaptionLayout& captionLayout() const { return m_layout; }
    Rect FocusRect() const { return m_focusRect; }
    const QImage& surface() const { return m_surface; }
    // How many times Redraw has painted the surface.
    int paintCount() const { return m_paintCount; }
    // What the next paint reads; tools paint it in any state with ButtonPainter.
    PaintInputs paintInputs() const;

Q_SIGNALS:
    void Click();
    void MouseDown(short& Button, short& Shift, float& x, float& y);
    void MouseMove(short& Button, short& Shift, float& x, float& y);
    void MouseUp(short& Button, short& Shift, float& x, float& y);
    void KeyPress(short& KeyAscii);
    void KeyDown(short& KeyCode, short& Shift);
    void KeyUp(short& KeyCode, short& Shift);
    void MouseOver();
    void MouseOut();
    void propertyMarked(const QString& property);

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    // SkinButton.cpp: palette, layout, shape and painting.
    void BuildPalette();
    void LayoutCaption();
    void UpdateAccessKeys();
    void CaptureBackground();
    void handleResize();
    void mark(const QString& property) { Q_EMIT propertyMarked(property); }
    void repaintIn(DrawState state) { Redraw(state, Force::Yes); }
    // A property the palette comes from has changed: the palette is built again, the button repainted in
    // the state it shows, and the property marked as changed.
    void recolour(const QString& property);
    void applyPointer();
    void applyHandPointer(bool value);
    void applyFont(const QFont& font);
    // SkinButtonInput.cpp: the host's notifications.
    void onMouseDown(short button, short shift, float x, float y);
    void onClick();
    // The pointer has left as far as the window system or the button's own state tells: the hovered
    // look goes and MouseOut is raised, once per MouseOver.
    void endHover();
    // After the button was hidden or disabled: ends the hover once the change is complete, unless the
    // pointer is over the button again by then.
    void endHoverLater();
    bool IsMouseOver() const;
    // The tooltip for the help event `event`, when there is one to show.
    bool showTip(QHelpEvent* event);

    // Stored properties.
    int m_buttonType = 2;
    QString m_caption;
    bool m_enabled = true;
    int m_colorScheme = SchemeSystem;
    bool m_showFocusRect = true;
    OleColor m_backColor;
    OleColor m_backOver;
    OleColor m_foreColor;
    OleColor m_foreOver;
    OleColor m_maskColor = 0xC0C0C0;
    int m_mousePointer = 0;
    Picture m_mouseIcon;
    Picture m_pictureNormal;
    Picture m_pictureOver;
    bool m_useMaskColor = true;
    bool m_softBevel = false;
    int m_picturePosition = PicLeftOfCaption;
    bool m_useGreyscale = false;
    int m_specialEffect = EffectNone;
    bool m_handPointer = false;
    bool m_checkBoxBehaviour = false;
    bool m_value = false;

    // Run-time state.
    ButtonAmbient m_ambient;
    QFont m_screenFont;
    ButtonPalette m_palette;
    CaptionLayout m_layout;
    Rect m_focusRect;
    QImage m_surface;
    QImage m_background; // the container's pixels under a type 11 button
    QChar m_accessKey;
    QString m_keyName;
    int m_accessShortcut = 0;
    int m_clientWidth = 0;
    int m_clientHeight = 0;
    quint8 m_lastButton = 0;
    quint8 m_lastKeyDown = 0;
    quint8 m_lastCaptionMode = 0;
    DrawState m_lastState = StateUp;
    QString m_lastCaption;
    bool m_isOver = false;
    // While a MouseOver waits for its MouseOut (a drag leaves m_isOver false meanwhile): the window whose
    // leaving ends the hover too.
    QPointer<QWidget> m_hoverWindow;
    bool m_hasFocus = false;
    bool m_refreshEnabled = true;
    bool m_resizeGuard = false;
    bool m_clickArmed = false; // a press on the button waits for its release
    int m_paintCount = 0;
};

} // namespace zendrix
