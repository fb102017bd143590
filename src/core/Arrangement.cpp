#include "Arrangement.h"

#include <QRegion>
#include <algorithm>
#include <limits>

namespace zendrix {

namespace {

// How far apart two rectangles are, squared; 0 when they touch or overlap.
qint64 squaredGap(const QRect& a, const QRect& b)
{
    const qint64 dx = std::max<qint64>({0, qint64(b.left()) - a.right(), qint64(a.left()) - b.right()});
    const qint64 dy = std::max<qint64>({0, qint64(b.top()) - a.bottom(), qint64(a.top()) - b.bottom()});
    return dx * dx + dy * dy;
}

qint64 area(const QRect& rect)
{
    return rect.isEmpty() ? 0 : qint64(rect.width()) * rect.height();
}

const QRect& nearestScreen(const QRect& main, const QList<QRect>& screens)
{
    const QRect* nearest = &screens.first();
    qint64 mostOverlap = -1;
    qint64 leastGap = std::numeric_limits<qint64>::max();
    for (const QRect& screen : screens) {
        const qint64 overlap = area(main.intersected(screen));
        const qint64 gap = squaredGap(main, screen);
        if (overlap > mostOverlap || (overlap == 0 && mostOverlap == 0 && gap < leastGap)) {
            nearest = &screen;
            mostOverlap = overlap;
            leastGap = gap;
        }
    }
    return *nearest;
}

// A span along one axis: its first point and its length.
struct Span
{
    qint64 start = 0;
    qint64 length = 0;
};

// The shifts that put `span` inside `room`, from `low` to `high`; for a span longer than the room,
// those that make it cover the room.
std::pair<qint64, qint64> shiftsInto(Span span, Span room)
{
    const qint64 first = room.start - span.start;
    const qint64 last = room.start + room.length - (span.start + span.length);
    return {std::min(first, last), std::max(first, last)};
}

// The least shift along one axis that brings the group onto the screen, the column kept whole first.
qint64 axisShift(Span group, Span column, Span screen)
{
    const auto [groupLow, groupHigh] = shiftsInto(group, screen);
    const qint64 shift = std::clamp<qint64>(0, groupLow, groupHigh);
    if (column.length > screen.length)
        return screen.start - column.start;
    const auto [columnLow, columnHigh] = shiftsInto(column, screen);
    return std::clamp(shift, columnLow, columnHigh);
}

int toInt(qint64 value)
{
    return static_cast<int>(
        std::clamp<qint64>(value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

}  // namespace

QPoint groupOntoScreen(const QRect& main, const QRect& title, const QList<QRect>& others,
                       const QList<QRect>& screens)
{
    if (screens.isEmpty())
        return {};
    QRegion desktop;
    for (const QRect& screen : screens)
        desktop += screen;
    QList<QRect> windows{main, title};
    windows += others;
    QRect group;
    bool onScreens = true;
    for (const QRect& window : windows) {
        group = group.united(window);
        onScreens = onScreens && QRegion(window).subtracted(desktop).isEmpty();
    }
    if (onScreens)
        return {};

    const QRect column = main.united(title);
    const QRect& screen = nearestScreen(main, screens);
    const auto horizontal = [](const QRect& r) { return Span{r.left(), r.width()}; };
    const auto vertical = [](const QRect& r) { return Span{r.top(), r.height()}; };
    return {toInt(axisShift(horizontal(group), horizontal(column), horizontal(screen))),
            toInt(axisShift(vertical(group), vertical(column), vertical(screen)))};
}

}  // namespace zendrix
