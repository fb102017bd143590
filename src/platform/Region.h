#pragma once

#include "platform/Rect.h"

#include <QRegion>
#include <utility>
#include <vector>

namespace zendrix {

// Whether pixel (x, y) lies inside the ellipse inscribed in box: its centre point is inside or on the
// ellipse. Shared by the elliptic region and the drawn ellipse, so an ellipse fills its region exactly.
bool ellipseContains(const Rect& box, int x, int y);

// A window shape: a rectangle with single pixels removed, or an ellipse. It becomes a widget's mask.
class Region
{
public:
    static Region rectangle(const Rect& rect);
    static Region ellipse(const Rect& box);

    // Removes one pixel (the platform's difference with a 1 x 1 region); a pixel outside changes nothing.
    void removePixel(int x, int y);
    bool contains(int x, int y) const;
    QRegion toQRegion() const;

private:
    enum class Kind { Rectangle, Ellipse };
    Kind m_kind = Kind::Rectangle;
    Rect m_rect;
    std::vector<std::pair<int, int>> m_removed;
};

} // namespace zendrix
