#pragma once

#include "platform/Picture.h"

#include <QPainter>

namespace zendrix::fixtures {

// A 16 x 16 icon like the player's transport icons: a play triangle, dark blue with a black edge and a
// white highlight, on a transparent ground.
inline Picture playIcon()
{
    QImage image(16, 16, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    const QPoint triangle[] = {{4, 2}, {12, 8}, {4, 14}};
    painter.setPen(Qt::black);
    painter.setBrush(QColor(20, 40, 160));
    painter.drawPolygon(triangle, 3);
    painter.setPen(Qt::white);
    painter.drawLine(5, 5, 5, 9);
    painter.end();
    return Picture(image, Picture::Type::Icon);
}

} // namespace zendrix::fixtures
