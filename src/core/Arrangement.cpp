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

const QRect& nearestScreen(const QRect& column, const QList<QRect>& screens)
{
    const QRect* nearest = &screens.first();
    qint64 mostOverlap = -1;
    qint64 leastGap = std::numeric_limits<qint64>::max();
    for (const QRect& screen : screens) {
        const qint64 overlap = area(column.intersected(screen));
        const qint64 gap = squaredGap(column, screen);
        if (overlap > mostOverlap || (overlap == 0 && mostOverlap == 0 && gap < leastGap)) {
            nearest = &screen;
            mostOverlap = overlap;
            leastGap = gap;
        }
    }
    return *nearest;
}

// The start of a span of `length` moved the least way into [first, first + room); a span longer than
// the room starts at its first point.
int clampedStart(int start, int length, int first, int room)
{
    if (length >= room)
        return first;
    return std::clamp(start, first, first + room - length);
}

}  // namespace

QPoint reachableMainPosition(const QRect& main, const QRect& title, const QList<QRect>& screens)
{
    if (screens.isEmpty())
        return main.topLeft();
    QRegion desktop;
    for (const QRect& screen : screens)
        desktop += screen;
    if (QRegion(main).subtracted(desktop).isEmpty() && QRegion(title).subtracted(desktop).isEmpty())
        return main.topLeft();

    const QRect column = main.united(title);
    const QRect& screen = nearestScreen(column, screens);
    const QPoint moved(clampedStart(column.left(), column.width(), screen.left(), screen.width()),
                       clampedStart(column.top(), column.height(), screen.top(), screen.height()));
    return main.topLeft() + (moved - column.topLeft());
}

}  // namespace zendrix
