#include "Skins.h"

#include "Colour.h"
#include "Logo.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPathStroker>
#include <cmath>

namespace zendrix::assetgen {

namespace {

constexpr int kPanelWidth = 425;
constexpr int kPanelHeight = 71;
constexpr int kTitleHeight = 28;

enum class Side { Top, Left, Right, Bottom };

// Light falls from the top left: the top of the frame is brightest, the bottom darkest.
double sideLight(Side side)
{
    switch (side) {
    case Side::Top:
        return 1.0;
    case Side::Left:
        return 0.94;
    case Side::Right:
        return 0.8;
    case Side::Bottom:
        return 0.7;
    }
    return 1.0;
}

// A soft sheen that wanders along the metal keeps it from looking flat; `along` runs from 0 to 1.
double sheen(double along)
{
    return 1.0 + 0.045 * std::exp(-std::pow((along - 0.28) / 0.22, 2.0)) -
           0.03 * std::exp(-std::pow((along - 0.8) / 0.2, 2.0));
}

// One pixel of a bevelled frame band, `depth` pixels in from the outer edge of a band `thickness` wide.
QRgb framePixel(const SkinScheme& scheme, Side side, int depth, int thickness, double along)
{
    if (depth == 0)
        return scheme.outline;
    const bool lit = side == Side::Top || side == Side::Left;
    if (depth == thickness - 1)
        return lit ? scheme.panelShadow : scheme.panelRim;
    const double light = sideLight(side) * sheen(along);
    if (depth == 1)
        return scaleColour(scheme.ridge, lit ? 1.0 : light * 1.05);
    const double t = thickness > 3 ? double(depth - 2) / double(thickness - 3) : 0.0;
    return scaleColour(mixColour(scheme.metalLight, scheme.metalDark, 0.15 + 0.85 * t), light);
}

// Darker outer corners read as slightly rounded.
void darkenCorners(QImage& image, const SkinScheme& scheme)
{
    const int w = image.width();
    const int h = image.height();
    for (const QPoint corner : {QPoint(0, 0), QPoint(w - 1, 0), QPoint(0, h - 1), QPoint(w - 1, h - 1)})
        image.setPixel(corner, scaleColour(scheme.outline, 0.5));
}

void paintFrame(QImage& image, const SkinScheme& scheme, int top, int left, int right, int bottom)
{
    const int w = image.width();
    const int h = image.height();
    for (int y = 0; y < h; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < w; ++x) {
            // A pixel belongs to the band whose outer edge is nearest, counted in that band's widths;
            // that mitres the corners.
            struct Band
            {
                Side side;
                int depth;
                int thickness;
            };
            const Band bands[] = {{Side::Top, y, top},
                                  {Side::Left, x, left},
                                  {Side::Right, w - 1 - x, right},
                                  {Side::Bottom, h - 1 - y, bottom}};
            const Band* nearest = nullptr;
            double nearestRatio = 1.0;
            for (const Band& band : bands) {
                const double ratio = (band.depth + 0.5) / band.thickness;
                if (ratio < nearestRatio) {
                    nearestRatio = ratio;
                    nearest = &band;
                }
            }
            if (!nearest)
                continue;
            const bool horizontal = nearest->side == Side::Top || nearest->side == Side::Bottom;
            const double along = horizontal ? double(x) / (w - 1) : double(y) / (h - 1);
            line[x] = framePixel(scheme, nearest->side, nearest->depth, nearest->thickness, along);
        }
    }
    darkenCorners(image, scheme);
}

void paintPanel(QImage& image, const SkinScheme& scheme, const QRect& area)
{
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const double v = double(y - area.top()) / std::max(1, area.height() - 1);
        const QRgb colour = mixColour(scheme.panelTop, scheme.panelBottom, smoothStep(0.0, 0.6, v));
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = area.left(); x <= area.right(); ++x)
            line[x] = colour;
    }
}

} // namespace

std::vector<SkinScheme> skinSchemes()
{
    return {
        {QStringLiteral("Zendrix"), 0xff18263a, 0xfff6f9fd, 0xffdce5f1, 0xff8ea4c2, 0xff2a3a52, 0xff5d7597,
         0xff142033, 0xff010204, 0xffffffff, 0xff8cc4ff, 0xff2f7fff},
        {QStringLiteral("Ember"), 0xff2a1206, 0xfffff0d6, 0xfff5c27e, 0xffb9652a, 0xff4a2008, 0xff8a4a1c,
         0xff2a1308, 0xff030100, 0xfffffbe8, 0xffffb347, 0xffff6a00},
        // Light in tone: pearl metal around a sky-blue panel, still dark enough for the windows' white
        // lettering.
        {QStringLiteral("Daylight"), 0xff7d8b99, 0xffffffff, 0xfffbfcfe, 0xffc9d3de, 0xff3d5f80, 0xffa9bfd3,
         0xff4d78a0, 0xff34597c, 0xffffffff, 0xffdff0ff, 0xff9fd4ff},
    };
}

QImage mainPanel(const SkinScheme& scheme)
{
    QImage image(kPanelWidth, kPanelHeight, QImage::Format_RGB32);
    constexpr int top = 6, left = 5, right = 5, bottom = 5;
    paintFrame(image, scheme, top, left, right, bottom);
    paintPanel(image, scheme, QRect(left, top, kPanelWidth - left - right, kPanelHeight - top - bottom));
    return image;
}

QImage titleStrip(const SkinScheme& scheme)
{
    QImage image(kPanelWidth, kTitleHeight, QImage::Format_RGB32);
    // One rail of metal: outline, a bright ridge along the top, the body shaded from top to bottom, a
    // darker line along the bottom; lit from the left.
    constexpr int w = kPanelWidth;
    constexpr int h = kTitleHeight;
    for (int y = 0; y < h; ++y) {
        const QRgb body = mixColour(scheme.metalLight, scheme.metalDark, 0.1 + 0.8 * double(y - 2) / (h - 5));
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < w; ++x) {
            const QRgb shaded = scaleColour(body, sheen(double(x) / (w - 1)));
            if (x == 0 || y == 0 || x == w - 1 || y == h - 1)
                line[x] = scheme.outline;
            else if (y == 1)
                line[x] = scheme.ridge;
            else if (y == h - 2)
                line[x] = scaleColour(scheme.metalDark, 0.8);
            else if (x == 1)
                line[x] = mixColour(scheme.ridge, shaded, 0.5);
            else if (x == w - 2)
                line[x] = scaleColour(shaded, 0.8);
            else
                line[x] = shaded;
        }
    }
    darkenCorners(image, scheme);

    // The name slot: a rounded, sunken window of the panel's black in the middle of the bar.
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    const QRectF slot(kPanelWidth / 2.0 - 56, 5, 112, 18);
    painter.setBrush(QColor::fromRgb(scheme.panelRim));
    painter.drawRoundedRect(slot.adjusted(-1, -1, 1, 1.5), 9.5, 9.5);
    painter.setBrush(QColor::fromRgb(scheme.panelShadow));
    painter.drawRoundedRect(slot.adjusted(-1, -1, 1, 0.5), 9.5, 9.5);
    QLinearGradient glass(0, slot.top(), 0, slot.bottom());
    glass.setColorAt(0.0, QColor::fromRgb(scheme.panelTop));
    glass.setColorAt(0.6, QColor::fromRgb(scheme.panelBottom));
    painter.setBrush(glass);
    painter.drawRoundedRect(slot, 8.5, 8.5);

    const QPainterPath name = logotype(8.0, 2.0);
    const QRectF bounds = name.boundingRect();
    const QPainterPath placed = name.translated(std::round(kPanelWidth / 2.0 - bounds.center().x()),
                                                std::round(slot.center().y() + 5.6));
    for (int ring = 3; ring >= 1; --ring) {
        QPainterPathStroker glow;
        glow.setWidth(ring * 1.6);
        glow.setJoinStyle(Qt::RoundJoin);
        QColor colour = QColor::fromRgb(scheme.nameGlow);
        colour.setAlpha(20 + 14 * (3 - ring));
        painter.setBrush(colour);
        painter.drawPath(glow.createStroke(placed));
    }
    QLinearGradient fill(0, placed.boundingRect().top(), 0, placed.boundingRect().bottom());
    fill.setColorAt(0.0, QColor::fromRgb(scheme.nameLight));
    fill.setColorAt(1.0, QColor::fromRgb(scheme.nameDark));
    painter.setBrush(fill);
    painter.drawPath(placed);
    painter.end();
    return image;
}

} // namespace zendrix::assetgen
