#pragma once

// The geometry of one block outline: bounds, the hit test and the polygon the
// fill and the hit test share. A view over points kept elsewhere (a map's
// point pool, a vector), valid while they are.

#include "geometry.h"

#include <cstddef>
#include <span>
#include <vector>

class BlockShape {
public:
    BlockShape() = default;
    explicit BlockShape(std::span<const FloatPoint> points) : m_points(points) {}

    std::span<const FloatPoint> Points() const { return m_points; }
    std::size_t Size() const { return m_points.size(); }

    // The box of the truncated points, always including the origin; empty for
    // fewer than two points.
    MapRect GetBounds() const;
    // The box of the truncated points alone, edges included (left <= right,
    // top <= bottom); left > right for fewer than two points.
    MapRect PointBox() const;
    bool AnyPointIn(const MapRect& rect) const;
    bool AllPointsIn(const MapRect& rect) const;
    // The polygon as the fill and the hit test see it: truncated vertices, none
    // for two points or fewer.
    std::vector<MapPoint> RegionVertices() const;
    bool HitTest(std::int32_t x, std::int32_t y) const;
    // Bounding box of the region (right and bottom exclusive); empty when there
    // is no region.
    MapRect RegionBox() const;

private:
    std::span<const FloatPoint> m_points;
};
