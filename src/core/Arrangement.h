#pragma once

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

}  // namespace zendrix
