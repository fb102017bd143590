// SkinButton: the stored layout (load, save) and the values of a newly placed button.
#include "SkinButton.h"

#include "platform/Fonts.h"

namespace zendrix {

namespace {

// Reads one stored value, noting keys whose value does not convert to the property's type.
class Reader
{
public:
    Reader(const PropertyBag& bag, QStringList* badKeys) : m_bag(bag), m_badKeys(badKeys) {}

    qint64 integer(const QString& key, qint64 fallback, qint64 low, qint64 high)
    {
        const QVariant value = m_bag.read(key);
        if (!value.isValid())
            return fallback;
        bool ok = false;
        const qint64 number = value.toLongLong(&ok);
        if (!ok || number < low || number > high)
            return bad(key, fallback);
        return number;
    }
    int int32(const QString& key, int fallback)
    {
        return static_cast<int>(integer(key, fallback, INT32_MIN, INT32_MAX));
    }
    // A colour is a 32-bit value; it may be stored signed (system colours are negative) or unsigned.
    OleColor colour(const QString& key, OleColor fallback)
    {
        return static_cast<OleColor>(integer(key, fallback, INT32_MIN, UINT32_MAX));
    }
    bool boolean(const QString& key, bool fallback)
    {
        const QVariant value = m_bag.read(key);
        if (!value.isValid())
            return fallback;
        if (value.typeId() == QMetaType::Bool)
            return value.toBool();
        bool ok = false;
        const qint64 number = value.toLongLong(&ok);
        if (ok)
            return number != 0;
        const QString text = value.toString();
        if (text.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
            return true;
        if (text.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
            return false;
        return bad(key, fallback);
    }
    QString string(const QString& key)
    {
        const QVariant value = m_bag.read(key);
        if (!value.isValid())
            return {};
        if (!value.canConvert<QString>())
            return bad(key, QString());
        return value.toString();
    }
    QFont font(const QString& key, const QFont& fallback)
    {
        const QVariant value = m_bag.read(key);
        if (!value.isValid())
            return fallback;
        if (value.typeId() == QMetaType::QFont)
            return value.value<QFont>();
        QFont parsed;
        if (value.typeId() == QMetaType::QString && parsed.fromString(value.toString()))
            return parsed;
        return bad(key, fallback);
    }
    Picture picture(const QString& key)
    {
        const QVariant value = m_bag.read(key);
        if (!value.isValid())
            return {};
        if (value.canConvert<Picture>() && value.typeId() == qMetaTypeId<Picture>())
            return value.value<Picture>();
        return bad(key, Picture());
    }

private:
    template <typename T> T bad(const QString& key, T fallback)
    {
        if (m_badKeys)
            m_badKeys->append(key);
        return fallback;
    }

    const PropertyBag& m_bag;
    QStringList* m_badKeys;
};

} // namespace

void SkinButton::ReadProperties(const PropertyBag& bag, QStringList* badKeys)
{
    Reader read(bag, badKeys);
    m_buttonType = read.int32(QStringLiteral("BTYPE"), 2);
    m_caption = read.string(QStringLiteral("TX"));
    m_enabled = read.boolean(QStringLiteral("ENAB"), true);
    QWidget::setFont(read.font(QStringLiteral("FONT"), font()));
    m_colorScheme = read.int32(QStringLiteral("COLTYPE"), 1);
    m_showFocusRect = read.boolean(QStringLiteral("FOCUSR"), true);
    m_backColor = read.colour(QStringLiteral("BCOL"), GetSysColor(ColorButtonFace));
    m_backOver = read.colour(QStringLiteral("BCOLO"), m_backColor);
    m_foreColor = read.colour(QStringLiteral("FCOL"), GetSysColor(ColorButtonText));
    m_foreOver = read.colour(QStringLiteral("FCOLO"), m_foreColor);
    m_maskColor = read.colour(QStringLiteral("MCOL"), 0xC0C0C0);
    m_mousePointer = static_cast<int>(read.integer(QStringLiteral("MPTR"), 0, INT16_MIN, INT16_MAX));
    m_mouseIcon = read.picture(QStringLiteral("MICON"));
    m_pictureNormal = read.picture(QStringLiteral("PICN"));
    m_pictureOver = read.picture(QStringLiteral("PICH"));
    m_useMaskColor = read.boolean(QStringLiteral("UMCOL"), true);
    m_softBevel = read.boolean(QStringLiteral("SOFT"), false);
    m_picturePosition = read.int32(QStringLiteral("PICPOS"), 0);
    m_useGreyscale = read.boolean(QStringLiteral("NGREY"), false);
    m_specialEffect = read.int32(QStringLiteral("FX"), 0);
    // The hand pointer setting decides the pointer: without it the arrow, whatever was stored above.
    applyHandPointer(read.boolean(QStringLiteral("HAND"), false));
    m_checkBoxBehaviour = read.boolean(QStringLiteral("CHECK"), false);
    m_value = read.boolean(QStringLiteral("VALUE"), false);
    QWidget::setEnabled(m_enabled);
    MeasurePicture(m_layout, m_pictureNormal);
    LayoutCaption();
    UpdateAccessKeys();
}

void SkinButton::WriteProperties(PropertyBag& bag) const
{
    auto colour = [](OleColor value) { return static_cast<qint32>(value); };
    bag.write(QStringLiteral("BTYPE"), m_buttonType);
    bag.write(QStringLiteral("TX"), m_caption);
    bag.write(QStringLiteral("ENAB"), m_enabled);
    bag.write(QStringLiteral("FONT"), font());
    bag.write(QStringLiteral("COLTYPE"), m_colorScheme);
    bag.write(QStringLiteral("FOCUSR"), m_showFocusRect);
    bag.write(QStringLiteral("BCOL"), colour(m_backColor));
    bag.write(QStringLiteral("BCOLO"), colour(m_backOver));
    bag.write(QStringLiteral("FCOL"), colour(m_foreColor));
    bag.write(QStringLiteral("FCOLO"), colour(m_foreOver));
    bag.write(QStringLiteral("MCOL"), colour(m_maskColor));
    bag.write(QStringLiteral("MPTR"), static_cast<qint16>(m_mousePointer));
    bag.write(QStringLiteral("MICON"), QVariant::fromValue(m_mouseIcon));
    bag.write(QStringLiteral("PICN"), QVariant::fromValue(m_pictureNormal));
    bag.write(QStringLiteral("PICH"), QVariant::fromValue(m_pictureOver));
    bag.write(QStringLiteral("UMCOL"), m_useMaskColor);
    bag.write(QStringLiteral("SOFT"), m_softBevel);
    bag.write(QStringLiteral("PICPOS"), m_picturePosition);
    bag.write(QStringLiteral("NGREY"), m_useGreyscale);
    bag.write(QStringLiteral("FX"), m_specialEffect);
    bag.write(QStringLiteral("HAND"), m_handPointer);
    bag.write(QStringLiteral("CHECK"), m_checkBoxBehaviour);
    bag.write(QStringLiteral("VALUE"), m_value);
}

void SkinButton::InitProperties()
{
    m_enabled = true;
    m_showFocusRect = true;
    m_useMaskColor = true;
    m_caption = m_ambient.displayName;
    QWidget::setFont(m_ambient.font);
    m_buttonType = 2;
    m_colorScheme = SchemeSystem;
    BuildPalette();
    m_backColor = m_backOver = m_palette.face;
    m_maskColor = 0xC0C0C0;
    m_foreColor = m_foreOver = m_palette.text;
    LayoutCaption();
}

} // namespace zendrix
