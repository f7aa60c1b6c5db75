#pragma once

// Points, rectangles and the polygon hit test shared by the records, the map
// window and the tools. Rectangles follow the desktop convention the map files
// were made with: left and top inclusive, right and bottom exclusive, and an
// empty rectangle is ignored by a union.

#include <cstdint>
#include <span>

struct MapPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
    friend bool operator==(const MapPoint&, const MapPoint&) = default;
};

struct FloatPoint {
    float x = 0.0f;
    float y = 0.0f;
    friend bool operator==(const FloatPoint&, const FloatPoint&) = default;
};

struct MapRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    friend bool operator==(const MapRect&, const MapRect&) = default;

    std::int64_t Width() const { return std::int64_t{right} - left; }
    std::int64_t Height() const { return std::int64_t{bottom} - top; }
    bool IsEmpty() const { return right <= left || bottom <= top; }
    // Swaps the edges so that left <= right and top <= bottom.
    MapRect Normalized() const;
    // Left and top inclusive, right and bottom exclusive.
    bool Contains(std::int32_t x, std::int32_t y) const {
        return x >= left && x < right && y >= top && y < bottom;
    }
    bool Contains(MapPoint p) const { return Contains(p.x, p.y); }
    bool Intersects(const MapRect& other) const {
        return left < other.right && other.left < right && top < other.bottom && other.top < bottom;
    }
};

// The union of two rectangles; an empty one contributes nothing, and two empty
// ones give the empty rectangle (0,0,0,0).
inline MapRect UnionRect(const MapRect& a, const MapRect& b) {
    if (a.IsEmpty())
        return b.IsEmpty() ? MapRect{} : b;
    if (b.IsEmpty())
        return a;
    return {a.left < b.left ? a.left : b.left, a.top < b.top ? a.top : b.top,
            a.right > b.right ? a.right : b.right, a.bottom > b.bottom ? a.bottom : b.bottom};
}

// Float to integer as the map arithmetic does it: toward zero. Values outside the
// 32-bit range saturate and NaN becomes 0, so damaged coordinates in a file can
// never trigger undefined behaviour.
inline std::int32_t TruncToInt(double value) {
    // Written so that NaN fails both comparisons and lands on 0.
    if (value > -2147483648.0 && value < 2147483647.0)
        return static_cast<std::int32_t>(value);
    if (value >= 2147483647.0)
        return INT32_MAX;
    if (value <= -2147483648.0)
        return INT32_MIN;
    return 0;
}

// Even-odd (alternate) fill rule over integer vertices. A point is inside when
// the centre of its unit cell, (x + 0.5, y + 0.5), is; this puts the left and
// top edges of an axis-aligned polygon inside and the right and bottom edges
// outside, like a filled region. Fewer than three vertices never contain a point.
bool PolygonContains(std::span<const MapPoint> vertices, std::int32_t x, std::int32_t y);
