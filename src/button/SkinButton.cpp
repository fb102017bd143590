#include "SkinButton.h"

#include "button/ButtonPainter.h"
#include "button/SkinButtonAccessible.h"
#include "platform/AccessibleFactory.h"
#include "platform/DeviceContext.h"
#include "platform/Fonts.h"
#include "platform/Region.h"

#include <QEvent>
#include <QPainter>
#include <cmath>

namespace zendrix {

SkinButton::SkinButton(QWidget* parent)
    : QWidget(parent), m_backColor(GetSysColor(ColorButtonFace)), m_backOver(m_backColor),
      m_foreColor(GetSysColor(ColorButtonText)), m_foreOver(m_foreColor)
{
    installAccessibleFactory<SkinButton, SkinButtonAccessible>();
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    QFont initial(QStringLiteral("MS Sans Serif"));
    initial.setPointSizeF(8.25);
    QWidget::setFont(initial);
    m_screenFont = screenFont(initial);
    BuildPalette();
}

SkinButton::~SkinButton()
{
    m_refreshEnabled = false;
}

// ---- Properties -----------------------------------------------------------------------------------

void SkinButton::setButtonType(int value)
{
    m_buttonType = value;
    if (value == 5 && !m_ambient.userMode) {
        QFont bold = font();
        bold.setBold(true);
        QWidget::setFont(bold);
    } else if (value == 11 && m_refreshEnabled) {
        CaptureBackground();
    }
    handleResize();
    mark(QStringLiteral("ButtonType"));
}

void SkinButton::setCaption(const QString& value)
{
    m_caption = value;
    UpdateAccessKeys();
    LayoutCaption();
    repaintIn(StateUp);
    mark(QStringLiteral("Caption"));
}

void SkinButton::setEnabled(bool value)
{
    m_enabled = value;
    repaintIn(StateUp);
    QWidget::setEnabled(value);
    mark(QStringLiteral("Enabled"));
}

void SkinButton::setFont(const QFont& value)
{
    applyFont(value);
    mark(QStringLiteral("Font"));
}

void SkinButton::applyFont(const QFont& value)
{
    QWidget::setFont(value); // changeEvent lays the caption out again
    repaintIn(StateUp);
}

void SkinButton::setFontBold(bool value)
{
    QFont f = font();
    f.setBold(value);
    applyFont(f);
}

void SkinButton::setFontItalic(bool value)
{
    QFont f = font();
    f.setItalic(value);
    applyFont(f);
}

void SkinButton::setFontUnderline(bool value)
{
    QFont f = font();
    f.setUnderline(value);
    applyFont(f);
}

short SkinButton::FontSize() const
{
    const double points = font().pointSizeF() > 0 ? font().pointSizeF() : font().pixelSize() * 72.0 / 96.0;
    return static_cast<short>(std::nearbyint(points));
}

void SkinButton::setFontSize(float value)
{
    QFont f = font();
    if (value > 0)
        f.setPointSizeF(value);
    applyFont(f);
}

void SkinButton::setFontName(const QString& value)
{
    QFont f = font();
    f.setFamily(value);
    applyFont(f);
}

void SkinButton::recolour(const QString& property)
{
    BuildPalette();
    repaintIn(m_lastState);
    mark(property);
}

void SkinButton::setColorScheme(int value)
{
    m_colorScheme = value;
    BuildPalette();
    repaintIn(StateUp);
    mark(QStringLiteral("ColorScheme"));
}

void SkinButton::setShowFocusRect(bool value)
{
    m_showFocusRect = value;
    repaintIn(m_lastState);
    mark(QStringLiteral("ShowFocusRect"));
}

void SkinButton::setBackColor(OleColor value)
{
    m_backColor = value;
    if (!m_ambient.userMode)
        m_backOver = value;
    recolour(QStringLiteral("BackColor"));
}

void SkinButton::setBackOver(OleColor value)
{
    m_backOver = value;
    recolour(QStringLiteral("BackOver"));
}

void SkinButton::setForeColor(OleColor value)
{
    m_foreColor = value;
    if (!m_ambient.userMode)
        m_foreOver = value;
    recolour(QStringLiteral("ForeColor"));
}

void SkinButton::setForeOver(OleColor value)
{
    m_foreOver = value;
    recolour(QStringLiteral("ForeOver"));
}

void SkinButton::setMaskColor(OleColor value)
{
    m_maskColor = value;
    recolour(QStringLiteral("MaskColor"));
}

bool SkinButton::setMousePointer(int value)
{
    const bool known = (value >= 0 && value <= 15) || value == 99;
    if (!known)
        return false;
    m_mousePointer = value;
    applyPointer();
    mark(QStringLiteral("MousePointer"));
    return true;
}

void SkinButton::setMouseIcon(const Picture& value)
{
    m_mouseIcon = value;
    applyPointer();
    mark(QStringLiteral("MouseIcon"));
}

void SkinButton::setHandPointer(bool value)
{
    applyHandPointer(value);
    mark(QStringLiteral("HandPointer"));
}

void SkinButton::applyHandPointer(bool value)
{
    m_handPointer = value;
    // Either way the icon goes: the hand replaces it, or the arrow needs none.
    m_mouseIcon = Picture();
    m_mousePointer = value ? 99 : 1;
    applyPointer();
}

void SkinButton::applyPointer()
{
    static const Qt::CursorShape kShapes[] = {
        Qt::ArrowCursor,     Qt::ArrowCursor,   Qt::CrossCursor,     Qt::IBeamCursor,
        Qt::ArrowCursor,     Qt::SizeAllCursor, Qt::SizeBDiagCursor, Qt::SizeVerCursor,
        Qt::SizeFDiagCursor, Qt::SizeHorCursor, Qt::UpArrowCursor,   Qt::WaitCursor,
        Qt::ForbiddenCursor, Qt::BusyCursor,    Qt::WhatsThisCursor, Qt::SizeAllCursor,
    };
    if (m_mousePointer == 99) {
        if (m_handPointer)
            setCursor(Qt::PointingHandCursor);
        else if (!m_mouseIcon.isNull())
            setCursor(QCursor(QPixmap::fromImage(m_mouseIcon.image())));
        else
            unsetCursor();
    } else if (m_mousePointer == 0) {
        unsetCursor();
    } else if (m_mousePointer > 0 && m_mousePointer <= 15) {
        setCursor(kShapes[m_mousePointer]);
    }
}

void SkinButton::setPictureNormal(const Picture& value)
{
    m_pictureNormal = value;
    MeasurePicture(m_layout, m_pictureNormal);
    LayoutCaption();
    repaintIn(m_lastState);
    mark(QStringLiteral("PictureNormal"));
}

void SkinButton::setPictureOver(const Picture& value)
{
    m_pictureOver = value;
    if (m_isOver)
        repaintIn(m_lastState);
    mark(QStringLiteral("PictureOver"));
}

void SkinButton::setUseMaskColor(bool value)
{
    m_useMaskColor = value;
    if (!m_pictureNormal.isNull())
        repaintIn(m_lastState);
    mark(QStringLiteral("UseMaskColor"));
}

void SkinButton::setSoftBevel(bool value)
{
    m_softBevel = value;
    recolour(QStringLiteral("SoftBevel"));
}

void SkinButton::setPicturePosition(int value)
{
    m_picturePosition = value;
    mark(QStringLiteral("PicturePosition"));
    LayoutCaption();
    repaintIn(m_lastState);
}

void SkinButton::setUseGreyscale(bool value)
{
    m_useGreyscale = value;
    if (!m_pictureNormal.isNull())
        repaintIn(m_lastState);
    mark(QStringLiteral("UseGreyscale"));
}

void SkinButton::setSpecialEffect(int value)
{
    m_specialEffect = value;
    repaintIn(m_lastState);
    mark(QStringLiteral("SpecialEffect"));
}

void SkinButton::setCheckBoxBehaviour(bool value)
{
    m_checkBoxBehaviour = value;
    repaintIn(m_lastState);
    mark(QStringLiteral("CheckBoxBehaviour"));
}

void SkinButton::setValue(bool value)
{
    m_value = value;
    if (m_checkBoxBehaviour)
        repaintIn(StateUp);
    mark(QStringLiteral("Value"));
}

void SkinButton::setAmbient(const ButtonAmbient& ambient)
{
    m_ambient = ambient;
    BuildPalette();
    repaintIn(m_lastState);
}

} // namespace zendrix
