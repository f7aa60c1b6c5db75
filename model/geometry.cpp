#include "geometry.h"

#include <algorithm>
#include <cmath>
#include <limits>

MapRect MapRect::Normalized() const {
    MapRect r = *this;
    if (r.left > r.right)
        std::swap(r.left, r.right);
    if (r.top > r.bottom)
        std::swap(r.top, r.bottom);
    return r;
}

bool PolygonContains(std::span<const MapPoint> vertices, std::int32_t x, std::int32_t y) {
    if (vertices.size() < 3)
        return false;
    const double px = x + 0.5;
    const double py = y + 0.5;
    bool inside = false;
    const std::size_t n = vertices.size();
    for (std::size_t i = 0, j = n - 1; i < n; j = i++) {
        const double xi = vertices[i].x, yi = vertices[i].y;
        const double xj = vertices[j].x, yj = vertices[j].y;
        if ((yi > py) != (yj > py)) {
            const double crossX = xj + (py - yj) * (xi - xj) / (yi - yj);
            if (px < crossX)
                inside = !inside;
        }
    }
    return inside;
}
