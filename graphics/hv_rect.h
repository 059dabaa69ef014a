#pragma once
// HVRect: a rectangle of pixels, right and bottom exclusive, as the object model uses for boxes,
// invalid areas and clip rectangles. Portable; the Windows layer converts to and from RECT.
#include <algorithm>

struct HVRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    static HVRect FromSize(int x, int y, int width, int height) { return HVRect{x, y, x + width, y + height}; }

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool IsEmpty() const { return right <= left || bottom <= top; }
    bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }

    HVRect Offset(int dx, int dy) const { return HVRect{left + dx, top + dy, right + dx, bottom + dy}; }

    // The common part; empty (all zero) when they do not overlap.
    HVRect Intersect(const HVRect& other) const {
        HVRect r{std::max(left, other.left), std::max(top, other.top), std::min(right, other.right),
                 std::min(bottom, other.bottom)};
        return r.IsEmpty() ? HVRect{} : r;
    }
    bool Overlaps(const HVRect& other) const { return !Intersect(other).IsEmpty(); }

    // The smallest rectangle holding both; an empty rectangle adds nothing.
    HVRect Union(const HVRect& other) const {
        if (IsEmpty()) return other;
        if (other.IsEmpty()) return *this;
        return HVRect{std::min(left, other.left), std::min(top, other.top), std::max(right, other.right),
                      std::max(bottom, other.bottom)};
    }

    bool operator==(const HVRect& o) const {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
    bool operator!=(const HVRect& o) const { return !(*this == o); }
};
