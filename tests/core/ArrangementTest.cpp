// Keeping the window group on the screens: which places stand as they are, and how far the others move.
#include "core/Arrangement.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

using namespace zendrix;

namespace {

enum Shown { None = 0, Video = 1, Info = 2, Playlist = 4 };

// The offset for the group around a main window (425 x 71) at `main`: the title strip (425 x 28) on it
// or on the video window (425 x 239), the information window (233 x 169) to its left and the playlist
// window (233 x 338) to its right, bottoms on the main window's bottom.
QPoint offset(QPoint main, int shown, const QList<QRect>& screens)
{
    const QRect mainRect(main, QSize(425, 71));
    const int video = shown & Video ? 239 : 0;
    const QRect title(main - QPoint(0, 28 + video), QSize(425, 28));
    QList<QRect> others;
    if (shown & Video)
        others.append(QRect(main - QPoint(0, 239), QSize(425, 239)));
    if (shown & Info)
        others.append(QRect(main + QPoint(-233, 71 - 169), QSize(233, 169)));
    if (shown & Playlist)
        others.append(QRect(main + QPoint(425, 71 - 338), QSize(233, 338)));
    return groupOntoScreen(mainRect, title, others, screens);
}

TEST(Arrangement, AGroupOnTheScreensStandsAndOnePartlyOffMovesTheLeastWayWholeOntoTheMainWindowsScreen)
{
    const QRect left(0, 0, 1280, 1024);
    const QRect right(1280, 0, 1920, 1080); // taller: below the left screen's bottom lies no screen
    const QRect small(0, 0, 800, 200);
    const struct
    {
        const char* what;
        QPoint main;
        int shown;
        QList<QRect> screens;
        QPoint expected;
    } cases[] = {
        {"the first start's place", {0, 28}, None, {left}, {0, 0}},
        {"the first start, then Information", {0, 28}, Info, {left}, {233, 70}},
        {"the first start, then Video", {0, 28}, Video, {left}, {0, 239}},
        {"every window, whole on one screen", {300, 400}, Video | Info | Playlist, {left}, {0, 0}},
        {"across the seam of two screens", {1100, 400}, Playlist, {left, right}, {0, 0}},
        {"the playlist past the right edge", {700, 500}, Playlist, {left}, {-78, 0}},
        {"below the shorter screen, onto the one holding most of the main window",
         {1100, 1000},
         Playlist,
         {left, right},
         {180, 0}},
        {"a damaged Left=-999999", {-66666, 500}, None, {left, right}, {66666, 0}},
        {"a screen unplugged", {3500, 900}, None, {left, right}, {3200 - 425 - 3500, 0}},
        {"a screen lower than the column keeps the title strip's top on it",
         {0, 500},
         Video,
         {small},
         {0, 267 - 500}},
        {"a group wider than the screen covers it the least way, the main window whole",
         {100, 300},
         Info | Playlist,
         {small},
         {42, -171}},
        {"no screens known", {-5000, -5000}, Info, {}, {0, 0}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(offset(c.main, c.shown, c.screens), c.expected) << c.what;
        EXPECT_EQ(offset(c.main + c.expected, c.shown, c.screens), QPoint())
            << c.what << ": placed again, it stays";
    }
}

} // namespace
