// Keeping the window group reachable: which stored places stand as they are, and where the others go.
#include "core/Arrangement.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

using namespace zendrix;

namespace {

// The main window (425 x 71) with the title strip (425 x 28) on it, or on a 239-pixel video window.
QPoint reachable(QPoint main, const QList<QRect>& screens, bool video = false)
{
    const QRect mainRect(main, QSize(425, 71));
    const QRect title(main - QPoint(0, 28 + (video ? 239 : 0)), QSize(425, 28));
    return reachableMainPosition(mainRect, title, screens);
}

TEST(Arrangement, APlaceOnTheScreensStandsAndOneOffThemMovesTheShortestWayOntoTheNearest)
{
    const QRect left(0, 0, 1280, 1024);
    const QRect right(1280, 0, 1920, 1080); // taller: below the left screen's bottom lies no screen
    const struct
    {
        const char* what;
        QPoint stored;
        QList<QRect> screens;
        QPoint expected;
        bool video = false;
    } cases[] = {
        {"whole on one screen", {300, 400}, {left}, {300, 400}},
        {"across the seam of two screens", {1100, 400}, {left, right}, {1100, 400}},
        {"the title strip above the screen", {0, 0}, {left}, {0, 28}},
        {"the title strip above, on the video window", {0, 28}, {left}, {0, 28 + 239}, true},
        {"partly past the right edge", {1000, 500}, {left}, {1280 - 425, 500}},
        {"a damaged Left=-999999", {-66666, 500}, {left, right}, {0, 500}},
        {"a screen unplugged", {3500, 900}, {left, right}, {3200 - 425, 900}},
        {"in the corner no screen covers, onto the one it overlaps most", {1000, 1000}, {left, right},
         {1280 - 425, 1024 - 71}},
        {"a screen smaller than the group", {50, 50}, {QRect(0, 0, 400, 80)}, {0, 28}},
        {"no screens known", {-5000, -5000}, {}, {-5000, -5000}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(reachable(c.stored, c.screens, c.video), c.expected) << c.what;
}

} // namespace
