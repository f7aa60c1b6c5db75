#include "point_index.h"

#include <algorithm>
#include <cmath>

void CPointIndex::Build(const std::vector<MapPoint>& points, const void* owner, std::size_t count) {
    *this = CPointIndex{};
    m_pOwner = owner;
    m_nCount = count;
    m_bBuilt = true;
    m_points = points;
    if (points.empty()) {
        m_grid.LayEmpty();
        return;
    }
    std::int64_t minX = INT64_MAX, minY = INT64_MAX, maxX = INT64_MIN, maxY = INT64_MIN;
    for (const MapPoint& p : points) {
        minX = std::min<std::int64_t>(minX, p.x);
        minY = std::min<std::int64_t>(minY, p.y);
        maxX = std::max<std::int64_t>(maxX, p.x);
        maxY = std::max<std::int64_t>(maxY, p.y);
    }
    // About four points to a cell on average, whatever the spread.
    const double area = static_cast<double>(maxX - minX + 1) * static_cast<double>(maxY - minY + 1);
    const auto cell =
        static_cast<std::int64_t>(std::sqrt(area * 4.0 / static_cast<double>(points.size())));
    m_grid.Lay(minX, minY, maxX, maxY, cell, static_cast<std::int64_t>(points.size()) + 16);
    m_grid.Fill([&](auto&& place) {
        for (std::size_t i = 0; i < points.size(); ++i)
            place(m_grid.CellAt(m_grid.CellX(points[i].x), m_grid.CellY(points[i].y)),
                  static_cast<std::uint32_t>(i));
    });
}

void CPointIndex::Query(const MapRect& rect, std::vector<std::uint32_t>& out) const {
    out.clear();
    if (m_points.empty() || rect.IsEmpty())
        return;
    const CUniformGrid::Range c = m_grid.CellsOf(rect.left, rect.top, std::int64_t{rect.right} - 1,
                                                 std::int64_t{rect.bottom} - 1);
    for (std::int64_t y = c.y0; y <= c.y1; ++y)
        for (std::int64_t x = c.x0; x <= c.x1; ++x)
            for (std::uint32_t i : m_grid.Items(m_grid.CellAt(x, y)))
                if (rect.Contains(m_points[i]))
                    out.push_back(i);
    std::sort(out.begin(), out.end());
}
