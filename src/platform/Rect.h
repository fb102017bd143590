#pragma once

namespace zendrix {

// A rectangle as the drawing layer takes it: the pixels from (left, top) up to, but not including,
// (right, bottom). A rectangle whose right is not past its left, or whose bottom is not below its top,
// holds no pixel.
struct Rect
{
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    static constexpr Rect fromSize(int x, int y, int width, int height)
    {
        return {x, y, x + width, y + height};
    }
    constexpr int width() const { return right - left; }
    constexpr int height() const { return bottom - top; }
    constexpr bool isEmpty() const { return right <= left || bottom <= top; }
    constexpr Rect translated(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
    constexpr Rect inset(int by) const { return {left + by, top + by, right - by, bottom - by}; }
    constexpr bool operator==(const Rect&) const = default;
};

} // namespace zendrix
