#include "block_shape.h"

#include <algorithm>
#include <cmath>

namespace {

MapPoint TruncPoint(FloatPoint p) {
    return {TruncToInt(p.x), TruncToInt(p.y)};
}

} // namespace

MapRect BlockShape::PointBox() const {
    if (m_points.size() < 2)
        return {1, 1, 0, 0};
    // Truncation never reverses an order, so the box of the truncated points is
    // the truncated box of the floats; NaN truncates to 0 and counts as that.
    float minX = INFINITY, maxX = -INFINITY, minY = INFINITY, maxY = -INFINITY;
    bool nanX = false, nanY = false;
    for (const FloatPoint& p : m_points) {
        minX = p.x < minX ? p.x : minX;
        maxX = p.x > maxX ? p.x : maxX;
        minY = p.y < minY ? p.y : minY;
        maxY = p.y > maxY ? p.y : maxY;
        nanX |= p.x != p.x;
        nanY |= p.y != p.y;
    }
    MapRect r{TruncToInt(minX), TruncToInt(minY), TruncToInt(maxX), TruncToInt(maxY)};
    if (nanX) {
        r.left = minX <= maxX ? std::min(r.left, 0) : 0;
        r.right = minX <= maxX ? std::max(r.right, 0) : 0;
    }
    if (nanY) {
        r.top = minY <= maxY ? std::min(r.top, 0) : 0;
        r.bottom = minY <= maxY ? std::max(r.bottom, 0) : 0;
    }
    return r;
}

MapRect BlockShape::GetBounds() const {
    if (m_points.size() < 2)
        return {};
    const MapRect box = PointBox();
    return {std::min(box.left, 0), std::min(box.top, 0), std::max(box.right, 0),
            std::max(box.bottom, 0)};
}

bool BlockShape::AnyPointIn(const MapRect& rect) const {
    return std::any_of(m_points.begin(), m_points.end(),
                       [&](FloatPoint p) { return rect.Contains(TruncPoint(p)); });
}

bool BlockShape::AllPointsIn(const MapRect& rect) const {
    return std::all_of(m_points.begin(), m_points.end(),
                       [&](FloatPoint p) { return rect.Contains(TruncPoint(p)); });
}

std::vector<MapPoint> BlockShape::RegionVertices() const {
    std::vector<MapPoint> v;
    if (m_points.size() <= 2)
        return v;
    v.reserve(m_points.size());
    for (const auto& p : m_points)
        v.push_back(TruncPoint(p));
    return v;
}

bool BlockShape::HitTest(std::int32_t x, std::int32_t y) const {
    if (m_points.size() < 3)
        return false;
    // Cheap rejection before building the polygon.
    float minX = m_points[0].x, maxX = minX, minY = m_points[0].y, maxY = minY;
    for (const auto& p : m_points) {
        minX = std::min(minX, p.x);
        maxX = std::max(maxX, p.x);
        minY = std::min(minY, p.y);
        maxY = std::max(maxY, p.y);
    }
    if (x + 1.0 < minX || x - 1.0 > maxX || y + 1.0 < minY || y - 1.0 > maxY)
        return false;
    const auto v = RegionVertices();
    return PolygonContains(v, x, y);
}

MapRect BlockShape::RegionBox() const {
    if (m_points.size() <= 2)
        return {};
    const MapRect box = PointBox();
    return {box.left, box.top, box.right, box.bottom};
}
