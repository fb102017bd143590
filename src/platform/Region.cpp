#include "Region.h"

#include <algorithm>

namespace zendrix {

bool ellipseContains(const Rect& box, int x, int y)
{
    if (box.isEmpty() || x < box.left || y < box.top || x >= box.right || y >= box.bottom)
        return false;
    // Twice the coordinates keeps the centre of a pixel and the centre of the box whole numbers.
    const double rx = box.width();
    const double ry = box.height();
    const double dx = (2.0 * x + 1.0 - box.left - box.right) / rx;
    const double dy = (2.0 * y + 1.0 - box.top - box.bottom) / ry;
    return dx * dx + dy * dy <= 1.0;
}

Region Region::rectangle(const Rect& rect)
{
    Region region;
    region.m_rect = rect;
    return region;
}

Region Region::ellipse(const Rect& box)
{
    Region region;
    region.m_kind = Kind::Ellipse;
    region.m_rect = box;
    return region;
}

void Region::removePixel(int x, int y)
{
    if (contains(x, y))
        m_removed.emplace_back(x, y);
}

bool Region::contains(int x, int y) const
{
    if (std::find(m_removed.begin(), m_removed.end(), std::pair{x, y}) != m_removed.end())
        return false;
    if (m_kind == Kind::Ellipse)
        return ellipseContains(m_rect, x, y);
    return !m_rect.isEmpty() && x >= m_rect.left && y >= m_rect.top && x < m_rect.right && y < m_rect.bottom;
}

QRegion Region::toQRegion() const
{
    QRegion result;
    if (m_rect.isEmpty())
        return result;
    if (m_kind == Kind::Rectangle) {
        result = QRegion(m_rect.left, m_rect.top, m_rect.width(), m_rect.height());
    } else {
        // One span per row: an ellipse's row is a single run of pixels.
        for (int y = m_rect.top; y < m_rect.bottom; ++y) {
            int first = m_rect.left;
            while (first < m_rect.right && !ellipseContains(m_rect, first, y))
                ++first;
            int last = m_rect.right - 1;
            while (last >= first && !ellipseContains(m_rect, last, y))
                --last;
            if (last >= first)
                result += QRegion(first, y, last - first + 1, 1);
        }
    }
    for (const auto& [x, y] : m_removed)
        result -= QRegion(x, y, 1, 1);
    return result;
}

} // namespace zendrix
