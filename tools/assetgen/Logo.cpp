#include "Logo.h"

#include "Colour.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPathStroker>
#include <QTransform>

namespace zendrix::assetgen {

namespace {

constexpr double kCapHeight = 1.4; // in x-heights
constexpr double kSlant = 0.14;

// The letters' centre lines in x-height units, baseline at y 0, y pointing down. A stroke of weight w
// centred on them reaches w / 2 to either side; letters are clipped to the lines they stand between.
QPainterPath zLine(double left, double w)
{
    QPainterPath path;
    path.moveTo(left, -kCapHeight + w / 2);
    path.lineTo(left + 0.95, -kCapHeight + w / 2);
    path.lineTo(left, -w / 2);
    path.lineTo(left + 0.95, -w / 2);
    return path;
}

QPainterPath stroked(const QPainterPath& centreLine, double weight)
{
    QPainterPathStroker stroker;
    stroker.setWidth(weight);
    stroker.setCapStyle(Qt::FlatCap);
    stroker.setJoinStyle(Qt::MiterJoin);
    stroker.setMiterLimit(3.0);
    return stroker.createStroke(centreLine);
}

QPainterPath clipped(const QPainterPath& shape, double top)
{
    QPainterPath band;
    band.addRect(QRectF(-10, top, 100, -top));
    return shape.intersected(band);
}

QPainterPath slanted(const QPainterPath& shape, double scale)
{
    QTransform transform;
    transform.scale(scale, scale);
    transform.shear(-kSlant, 0);
    return transform.map(shape).simplified();
}

} // namespace

QPainterPath logotype(double xHeight, double weight)
{
    const double w = weight / xHeight; // stroke weight in x-height units
    const double half = w / 2;
    const double gap = 0.32;
    QPainterPath tall;   // strokes that reach the cap height
    QPainterPath short_; // strokes between baseline and x-height
    QPainterPath solid;  // shapes filled as they are

    double x = 0;
    tall.addPath(zLine(x, w));
    x += 0.95 + gap;

    // e: a round bowl cut by a bar, open at the lower right.
    const QRectF eBowl(x + half, -1 + half, 1 - w, 1 - w);
    QPainterPath e;
    e.moveTo(eBowl.left(), eBowl.center().y());
    e.lineTo(eBowl.right(), eBowl.center().y());
    e.arcTo(eBowl, 0, 180);
    e.arcTo(eBowl, 180, 140);
    short_.addPath(e);
    x += 1 + gap;

    // n: a stem and an arch.
    const QRectF nArch(x + half, -1 + half, 0.92 - w, 1.0);
    QPainterPath n;
    n.moveTo(nArch.left(), 0);
    n.lineTo(nArch.left(), -1.5);
    n.moveTo(nArch.left(), nArch.center().y());
    n.arcTo(nArch, 180, -180);
    n.lineTo(nArch.right(), 0.5);
    short_.addPath(n);
    x += 0.92 + gap;

    // d: a bowl and a tall stem on its right.
    const QRectF dBowl(x + half, -1 + half, 1 - w, 1 - w);
    QPainterPath d;
    d.addEllipse(dBowl);
    short_.addPath(d);
    QPainterPath dStem;
    dStem.moveTo(dBowl.right(), -kCapHeight);
    dStem.lineTo(dBowl.right(), 0.5);
    tall.addPath(dStem);
    x += 1 + gap;

    // r: a stem and a shoulder.
    const QRectF rArch(x + half, -1 + half, 1.0, 1.1);
    QPainterPath r;
    r.moveTo(rArch.left(), 0.5);
    r.lineTo(rArch.left(), -1.5);
    r.moveTo(rArch.left(), rArch.center().y());
    r.arcTo(rArch, 180, -80);
    short_.addPath(r);
    x += 0.62 + gap;

    // i: a stem and a square dot.
    QPainterPath i;
    i.moveTo(x + half, 0.5);
    i.lineTo(x + half, -1.5);
    short_.addPath(i);
    solid.addRect(QRectF(x, -kCapHeight, w, w));
    x += w + gap;

    // x: two crossing strokes.
    QPainterPath cross;
    cross.moveTo(x - 0.1, -1.15);
    cross.lineTo(x + 1.0, 0.15);
    cross.moveTo(x - 0.1, 0.15);
    cross.lineTo(x + 1.0, -1.15);
    short_.addPath(cross);

    QPainterPath letters = clipped(stroked(tall, w), -kCapHeight);
    letters = letters.united(clipped(stroked(short_, w), -1.0));
    letters = letters.united(solid);
    return slanted(letters, xHeight);
}

QPainterPath logoZ(double height, double weight)
{
    const double scale = height / kCapHeight;
    const QPainterPath z =
        slanted(clipped(stroked(zLine(0, weight / scale), weight / scale), -kCapHeight), scale);
    return z.translated(-z.boundingRect().center());
}

QImage programIcon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);

    const double s = size;
    const double radius = s * 0.2;
    const double rim = std::max(1.0, std::round(s / 12.0));
    const QRectF tile(0, 0, s, s);

    // The bevelled blue-silver rim: dark outline, metal lit from the top left.
    painter.setBrush(QColor(0x1b, 0x2c, 0x45));
    painter.drawRoundedRect(tile, radius, radius);
    QLinearGradient metal(0, 0, s, s);
    metal.setColorAt(0.0, QColor(0xf4, 0xf8, 0xfd));
    metal.setColorAt(0.45, QColor(0xa9, 0xbd, 0xd8));
    metal.setColorAt(1.0, QColor(0x4a, 0x63, 0x88));
    painter.setBrush(metal);
    const QRectF metalRect = tile.adjusted(s / 48.0 + 0.5, s / 48.0 + 0.5, -s / 48.0 - 0.5, -s / 48.0 - 0.5);
    painter.drawRoundedRect(metalRect, radius * 0.9, radius * 0.9);

    // The black face, sunk into the metal.
    const QRectF face = tile.adjusted(rim + 1, rim + 1, -rim - 1, -rim - 1);
    QLinearGradient faceShade(0, face.top(), 0, face.bottom());
    faceShade.setColorAt(0.0, QColor(0x1d, 0x28, 0x3a));
    faceShade.setColorAt(0.5, QColor(0x04, 0x06, 0x0a));
    faceShade.setColorAt(1.0, QColor(0x00, 0x00, 0x00));
    painter.setBrush(QColor(0x0d, 0x16, 0x24));
    painter.drawRoundedRect(face.adjusted(-0.75, -0.75, 0.75, 0.75), radius * 0.6, radius * 0.6);
    painter.setBrush(faceShade);
    painter.drawRoundedRect(face, radius * 0.55, radius * 0.55);

    // The Z, with a soft glow behind it.
    const double zHeight = face.height() * (size <= 16 ? 0.84 : 0.7);
    const double weight = std::max(1.6, zHeight * 0.2);
    const QPainterPath z = logoZ(zHeight, weight).translated(face.center());
    for (int ring = 3; ring >= 1; --ring) {
        QPainterPathStroker glow;
        glow.setWidth(ring * s / 24.0);
        glow.setJoinStyle(Qt::RoundJoin);
        painter.setBrush(QColor(0x3d, 0x8b, 0xff, 18 + 10 * (3 - ring)));
        painter.drawPath(glow.createStroke(z).united(z));
    }
    QLinearGradient ice(0, z.boundingRect().top(), 0, z.boundingRect().bottom());
    ice.setColorAt(0.0, QColor(0xff, 0xff, 0xff));
    ice.setColorAt(0.55, QColor(0xa8, 0xd8, 0xff));
    ice.setColorAt(1.0, QColor(0x4d, 0x9c, 0xf5));
    painter.setBrush(ice);
    painter.drawPath(z);
    painter.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

} // namespace zendrix::assetgen
