#include "PixelIcon.h"

#include <QPainterPath>
#include <QPolygonF>
#include <cmath>
#include <numbers>

namespace zendrix::assetgen {

namespace {

QRgb mix(QRgb from, QRgb to, double t)
{
    auto channel = [t](int a, int b) { return int(std::lround(a + (b - a) * t)); };
    return qRgba(channel(qRed(from), qRed(to)), channel(qGreen(from), qGreen(to)),
                 channel(qBlue(from), qBlue(to)), channel(qAlpha(from), qAlpha(to)));
}

} // namespace

PixelIcon::PixelIcon(int width, int height)
    : m_width(width), m_height(height), m_cells(size_t(width) * size_t(height), '.')
{}

char PixelIcon::at(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return '.';
    return m_cells[size_t(y) * size_t(m_width) + size_t(x)];
}

void PixelIcon::set(int x, int y, char region)
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return;
    m_cells[size_t(y) * size_t(m_width) + size_t(x)] = region == 0 ? '.' : region;
}

PixelIcon& PixelIcon::rows(std::initializer_list<const char*> lines, int left, int top)
{
    int y = top;
    for (const char* line : lines) {
        for (int x = left; *line; ++line, ++x) {
            if (*line != '.' && *line != ' ')
                set(x, y, *line);
        }
        ++y;
    }
    return *this;
}

PixelIcon& PixelIcon::rect(int x, int y, int w, int h, char region)
{
    for (int row = y; row < y + h; ++row) {
        for (int column = x; column < x + w; ++column)
            set(column, row, region);
    }
    return *this;
}

PixelIcon& PixelIcon::polygon(std::initializer_list<QPointF> points, char region)
{
    QPainterPath path;
    path.addPolygon(QPolygonF(QList<QPointF>(points)));
    path.closeSubpath();
    path.setFillRule(Qt::WindingFill);
    for (int y = 0; y < m_height; ++y) {
        for (int x = 0; x < m_width; ++x) {
            if (path.contains(QPointF(x + 0.5, y + 0.5)))
                set(x, y, region);
        }
    }
    return *this;
}

PixelIcon& PixelIcon::disc(QPointF centre, double radius, char region)
{
    return arc(centre, -1.0, radius, -180.0, 180.0, region);
}

PixelIcon& PixelIcon::arc(QPointF centre, double innerRadius, double outerRadius, double fromDegrees,
                          double toDegrees, char region)
{
    for (int y = 0; y < m_height; ++y) {
        for (int x = 0; x < m_width; ++x) {
            const double dx = x + 0.5 - centre.x();
            const double dy = centre.y() - (y + 0.5);
            const double r = std::hypot(dx, dy);
            const double degrees = std::atan2(dy, dx) * 180.0 / std::numbers::pi;
            const bool inSweep = (degrees >= fromDegrees && degrees <= toDegrees) ||
                                 (degrees + 360.0 >= fromDegrees && degrees + 360.0 <= toDegrees) ||
                                 (degrees - 360.0 >= fromDegrees && degrees - 360.0 <= toDegrees);
            if (r > innerRadius && r <= outerRadius && inSweep)
                set(x, y, region);
        }
    }
    return *this;
}

PixelIcon& PixelIcon::mirrored()
{
    for (int y = 0; y < m_height; ++y) {
        auto row = m_cells.begin() + std::ptrdiff_t(y) * m_width;
        std::reverse(row, row + m_width);
    }
    return *this;
}

QImage PixelIcon::render(const std::map<char, Material>& materials) const
{
    // Each region's vertical extent, for its shading.
    std::map<char, std::pair<int, int>> extent;
    for (int y = 0; y < m_height; ++y) {
        for (int x = 0; x < m_width; ++x) {
            const char region = at(x, y);
            if (region == '.')
                continue;
            auto [it, inserted] = extent.try_emplace(region, y, y);
            if (!inserted)
                it->second.second = y;
        }
    }

    QImage image(m_width, m_height, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    auto isEdge = [this](int x, int y) {
        const char region = at(x, y);
        return at(x - 1, y) != region || at(x + 1, y) != region || at(x, y - 1) != region ||
               at(x, y + 1) != region;
    };
    for (int y = 0; y < m_height; ++y) {
        for (int x = 0; x < m_width; ++x) {
            const char region = at(x, y);
            if (region == '.')
                continue;
            const auto found = materials.find(region);
            if (found == materials.end()) {
                image.setPixel(x, y, 0xffff00ff);
                continue;
            }
            const Material& material = found->second;
            QRgb colour;
            if (material.outlined && isEdge(x, y)) {
                colour = material.outline;
            } else if (material.lit && material.outlined && at(x, y - 1) == region && isEdge(x, y - 1)) {
                colour = material.highlight;
            } else {
                const auto [top, bottom] = extent[region];
                const double t = bottom > top ? double(y - top) / double(bottom - top) : 0.0;
                colour = mix(material.top, material.bottom, t);
            }
            image.setPixel(x, y, colour | 0xff000000u);
        }
    }
    return image;
}

QImage reserveMaskColour(QImage image)
{
    image = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) == kButtonMaskColour)
                image.setPixel(x, y, 0xffc1c1c1);
        }
    }
    return image;
}

} // namespace zendrix::assetgen
