#pragma once

#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>

namespace zendrix::test {

// How wide a picture is drawn across the middle row of the X window `window`: the span of its light
// pixels (the test films are light on black).
inline int drawnWidth(WId window)
{
    const QImage shot = QGuiApplication::primaryScreen()->grabWindow(window).toImage();
    int left = -1, right = -1;
    for (int x = 0; x < shot.width(); ++x) {
        if (qGray(shot.pixel(x, shot.height() / 2)) > 200) {
            left = left < 0 ? x : left;
            right = x;
        }
    }
    return left < 0 ? 0 : right - left + 1;
}

} // namespace zendrix::test
