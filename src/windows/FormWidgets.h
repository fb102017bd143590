#pragma once

#include "core/Arrangement.h"
#include "core/Controls.h"
#include "layouts/Layouts.h"
#include "platform/Picture.h"

#include <QLabel>
#include <QScrollBar>
#include <QTimer>
#include <QWidget>
#include <functional>

class QMimeData;

namespace zendrix {
class SkinButton;
}

namespace zendrix {

// A window of the player: borderless, a fixed client size, positions read and set in twips, and a
// background picture drawn at its top-left corner at natural size over the window's background colour.
class Form : public QWidget
{
    Q_OBJECT
public:
    enum class Kind { Main, Secondary };
    Form(const layouts::Window& layout, Kind kind);

    double Left() const;
    double Top() const;
    double Width() const;
    double Height() const;
    FormRect formRect() const { return {Left(), Top(), Width(), Height()}; }
    // Twips to the nearest pixel; a position no window can take throws Failure("Overflow").
    void setLeft(double twips);
    void setTop(double twips);
    void place(const Place& place) { setLeft(place.Left); setTop(place.Top); }

    void setPicture(const Picture& picture);
    const Picture& picture() const { return m_picture; }

    // What the window manager's close (Alt+F4, a taskbar's Close) does instead of closing the window;
    // unset, the window closes as any window does.
    std::function<void()> closeRequested;
    // Files and addresses dropped on the window: local files as their paths, anything else as its URL.
    // The window takes drops only while this is set.
    void setDropped(std::function<void(const QStringList&)> dropped);

protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    Picture m_picture;
    std::function<void(const QStringList&)> m_dropped;
};

// What a drop carries, as the player's arguments: the paths of local files, the text of other URLs.
QStringList droppedArguments(const QMimeData& data);

// An image control: a picture at natural size from its top-left corner, or stretched over the control.
class ImageBox : public QWidget
{
    Q_OBJECT
public:
    enum class Fit { Natural, Stretch, Centred };
    ImageBox(QWidget* parent, const QRect& rect, Fit fit);
    void setPicture(const Picture& picture);
    const Picture& picture() const { return m_picture; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Picture m_picture;
    Fit m_fit;
};

// A label from a layout, transparent over its window's picture, showing a LabelControl's caption. Like
// the classic label it takes the mouse presses that land on it, so they do not drag the window, and it
// draws its text from its top edge with the font's full line height (lineMetrics): capitals stand below
// the top with room for accents above them, and a label sized to its text is that line high.
//
// Text that fits keeps the label's alignment. Text wider than the label shows from its start, cut at
// the end with "…"; the whole text is then the label's tooltip, and it is always the accessible name.
// A label sized to its text grows to the right within its room (setRoom), and is cut only past it.
class BoundLabel : public QLabel
{
    Q_OBJECT
public:
    BoundLabel(QWidget* parent, const layouts::Label& layout, LabelControl* control = nullptr);
    void bind(LabelControl& control);

    // The span of its window, in the window's pixels, that a label sized to its text may take. It keeps
    // its place while its text ends before `right`; a longer text moves it left, as far as `left`, and
    // what is still too long is cut. Unset, the room runs from the label's place to the window's edge.
    void setRoom(int left, int right);
    // Whether the text is wider than the label, so that only its start is shown.
    bool isElided() const;
    // The text as the label draws it.
    QString shownText() const;

protected:
    bool event(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    // Sizes and places a label sized to its text for the text it holds.
    void fit();

    bool m_autoSize;
    QPoint m_place;
    int m_roomLeft = -1;
    int m_roomRight = -1;
};

// A horizontal scroll bar showing a ScrollBarControl; the user's moves go to the control, which runs
// its change handling. Turning the mouse wheel up moves it forwards (louder, later), down backwards;
// sideways scrolling keeps its own direction.
class BoundScrollBar : public QScrollBar
{
    Q_OBJECT
public:
    BoundScrollBar(QWidget* parent, const layouts::ScrollBar& layout, ScrollBarControl& control);

protected:
    void wheelEvent(QWheelEvent* event) override;

private:
    void showControl();
    ScrollBarControl& m_control;
};

// Drives a TimerControl: while it is enabled, `tick` runs every Interval milliseconds.
class BoundTimer : public QObject
{
    Q_OBJECT
public:
    BoundTimer(QObject* parent, TimerControl& control, std::function<void()> tick);
    bool isActive() const { return m_timer.isActive(); }

private:
    QTimer m_timer;
};

QFont layoutFont(const layouts::FontChoice& font);

// A button from its layout: its stored properties read, placed in its window.
SkinButton* makeButton(QWidget* parent, const layouts::Button& layout);

}  // namespace zendrix
