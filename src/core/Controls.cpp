#include "Controls.h"

#include "Conversions.h"
#include "Failure.h"

namespace zendrix {

namespace {
void notify(const std::function<void()>& callback)
{
    if (callback)
        callback();
}
}  // namespace

void LabelControl::setCaption(const QString& caption)
{
    if (caption == m_caption)
        return;
    m_caption = caption;
    notify(viewChanged);
}

void ScrollBarControl::setValue(int value)
{
    if (value < Min() || value > m_max)
        throw Failure(QStringLiteral("Invalid property value"));
    if (value == m_value)
        return;
    m_value = static_cast<std::int16_t>(value);
    changed();
}

void ScrollBarControl::setMax(int max)
{
    const std::int16_t newMax = checkedInteger16(max);
    if (newMax < Min())
        throw Failure(QStringLiteral("Invalid property value"));
    m_max = newMax;
    if (m_value > m_max) {
        m_value = m_max;
        changed();
    } else {
        notify(viewChanged);
    }
}

void ScrollBarControl::changed()
{
    notify(viewChanged);
    notify(Change);
}

void TimerControl::setEnabled(bool enabled)
{
    if (enabled == m_enabled)
        return;
    m_enabled = enabled;
    notify(viewChanged);
}

void ButtonControl::setPictureNormal(const Picture& picture)
{
    m_picture = picture;
    notify(viewChanged);
}

void ButtonControl::setCaption(const QString& caption)
{
    m_caption = caption;
    notify(viewChanged);
}

Picture LoadPicture(const QString& path)
{
    QString error;
    auto picture = Picture::load(path, &error);
    if (!picture)
        throw Failure(error);
    return *picture;
}

}  // namespace zendrix
