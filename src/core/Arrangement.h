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

// Where the main window stands so that the group can always be reached. `main` and `title` are the
// main window and the title strip as the arrangement puts them, `screens` the areas of the desktop's
// screens, all in pixels. While every point of both windows lies on some screen (one screen, or several
// side by side) the main window keeps its place. Otherwise the column from the title strip down to the
// main window moves the shortest way until it lies whole on the screen nearest to it: the one it
// overlaps most, or when it overlaps none, the closest. A column larger than that screen keeps its
// top-left corner on it. Without screens the place is kept.
QPoint reachableMainPosition(const QRect& main, const QRect& title, const QList<QRect>& screens);

}  // namespace zendrix
