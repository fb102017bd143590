#pragma once

#include "platform/Picture.h"

#include <QString>
#include <cstdint>
#include <functional>

namespace zendrix {

// The state of a window's simple controls as its logic sees them. A window's widget shows them and
// listens to `viewChanged`; tests read them directly. Each control behaves like the classic control it
// stands for: a scroll bar raises its change handling whenever its value changes, whoever changed it.

class LabelControl
{
public:
    explicit LabelControl(QString caption = {}) : m_caption(std::move(caption)) {}
    const QString& Caption() const { return m_caption; }
    void setCaption(const QString& caption);

    std::function<void()> viewChanged;

private:
    QString m_caption;
};

class ScrollBarControl
{
public:
    explicit ScrollBarControl(std::int16_t max) : m_max(max) {}
    std::int16_t Value() const { return m_value; }
    std::int16_t Max() const { return m_max; }
    std::int16_t Min() const { return 0; }
    // A value outside Min..Max throws Failure("Invalid property value"). A changed value runs Change.
    void setValue(int value);
    // A maximum outside the 16-bit range throws Failure("Overflow"). A value above the new maximum drops
    // to it, which runs Change.
    void setMax(int max);

    std::function<void()> Change;
    std::function<void()> viewChanged;

private:
    void changed();

    std::int16_t m_value = 0;
    std::int16_t m_max;
};

class TimerControl
{
public:
    explicit TimerControl(int interval) : m_interval(interval) {}
    bool Enabled() const { return m_enabled; }
    void setEnabled(bool enabled);
    int Interval() const { return m_interval; }

    std::function<void()> viewChanged;

private:
    int m_interval;
    bool m_enabled = false;
};

// What a window's logic sets on a button at run time: its picture (icon swaps) and caption.
class ButtonControl
{
public:
    const Picture& PictureNormal() const { return m_picture; }
    void setPictureNormal(const Picture& picture);
    const QString& Caption() const { return m_caption; }
    void setCaption(const QString& caption);

    std::function<void()> viewChanged;

private:
    Picture m_picture;
    QString m_caption;
};

// Loads a picture file for a run-time icon swap; a missing or unreadable file throws Failure with its
// description.
Picture LoadPicture(const QString& path);

}  // namespace zendrix
