#pragma once

#include <QList>
#include <QPoint>
#include <QRect>

namespace zendrix {

// The window group around the main window: the title strip on top, the video window below it when
// shown, the main window below that, the playlist window to its right and the information window to its
// left, both with their bottom edges on the main window's. Outer screen coordinates in twips.
struct FormRect
{
    double Left = 0;
    double Top = 0;
    double Width = 0;
    double Height = 0;
};

struct Place
{
    double Left = 0;
    double Top = 0;
};

constexpr Place playlistPlace(const FormRect& main, double playlistHeight)
{
    return {main.Left + main.Width, main.Top + main.Height - playlistHeight};
}

constexpr Place infoPlace(const FormRect& main, double infoWidth, double infoHeight)
{
    return {main.Left - infoWidth, main.Top + main.Height - infoHeight};
}

constexpr Place titlePlace(const FormRect& main, double titleHeight, bool videoShown, double videoHeight)
{
    return {main.Left, videoShown ? main.Top - titleHeight - videoHeight : main.Top - titleHeight};
}

// The video window stands directly above the main window, left edges aligned, shown or not.
constexpr Place videoPlace(const FormRect& main, double videoHeight)
{
    return {main.Left, main.Top - videoHeight};
}

// How far the window group moves so that it can be seen and reached. `main` and `title` are the main
// window and the title strip, `others` the other shown windows of the group, each where the arrangement
// puts it, and `screens` the areas of the desktop's screens, all in pixels.
// - While every point of every window lies on some screen (one screen, or several side by side), the
//   group stays: the result is (0, 0).
// - Otherwise the group moves as one, the least way that brings every window whole onto the screen
//   nearest the main window: the one the main window overlaps most or, overlapping none, the closest
//   (the first listed of equals).
// - Along an axis where the group is larger than that screen, the column from the title strip down to
//   the main window is kept whole first; the group then covers as much of the screen as it can, moving
//   the least way. A column larger than the screen keeps its top or left edge on it.
// Without screens the group stays.
QPoint groupOntoScreen(const QRect& main, const QRect& title, const QList<QRect>& others,
                       const QList<QRect>& screens);

}  // namespace zendrix
