#include "point_index.h"

#include <algorithm>
#include <cmath>

namespace {

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    std::int64_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0)))
        --q;
    return q;
}

} // namespace

std::int64_t CPointIndex::CellX(std::int64_t x) const {
    return std::clamp(FloorDiv(x - m_originX, m_cell), std::int64_t{0}, m_nx - 1);
}

std::int64_t CPointIndex::CellY(std::int64_t y) const {
    return std::clamp(FloorDiv(y - m_originY, m_cell), std::int64_t{0}, m_ny - 1);
}

void CPointIndex::Build(const std::vector<MapPoint>& points, const void* owner, std::size_t count) {
    *this = CPointIndex{};
    m_pOwner = owner;
    m_nCount = count;
    m_bBuilt = true;
    m_points = points;
    if (points.empty()) {
        m_cellStart.assign(2, 0);
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
    const std::int64_t spanX = maxX - minX + 1, spanY = maxY - minY + 1;
    const double area = static_cast<double>(spanX) * static_cast<double>(spanY);
    m_cell = std::max<std::int64_t>(
        1, static_cast<std::int64_t>(std::sqrt(area * 4.0 / static_cast<double>(points.size()))));
    while ((spanX / m_cell + 1) * (spanY / m_cell + 1) >
           static_cast<std::int64_t>(points.size()) + 16)
        m_cell *= 2;
    m_originX = minX;
    m_originY = minY;
    m_nx = spanX / m_cell + 1;
    m_ny = spanY / m_cell + 1;
    const std::size_t cells = static_cast<std::size_t>(m_nx * m_ny);
    m_cellStart.assign(cells + 1, 0);
    auto cellOf = [&](const MapPoint& p) {
        return static_cast<std::size_t>(CellY(p.y) * m_nx + CellX(p.x));
    };
    for (const MapPoint& p : points)
        ++m_cellStart[cellOf(p) + 1];
    for (std::size_t k = 0; k < cells; ++k)
        m_cellStart[k + 1] += m_cellStart[k];
    m_cellPoints.resize(points.size());
    std::vector<std::uint32_t> fill(m_cellStart.begin(), m_cellStart.end() - 1);
    for (std::size_t i = 0; i < points.size(); ++i)
        m_cellPoints[fill[cellOf(points[i])]++] = static_cast<std::uint32_t>(i);
}

void CPointIndex::Query(const MapRect& rect, std::vector<std::uint32_t>& out) const {
    out.clear();
    if (m_points.empty() || rect.IsEmpty())
        return;
    const std::int64_t x0 = CellX(rect.left), x1 = CellX(std::int64_t{rect.right} - 1);
    const std::int64_t y0 = CellY(rect.top), y1 = CellY(std::int64_t{rect.bottom} - 1);
    for (std::int64_t y = y0; y <= y1; ++y) {
        for (std::int64_t x = x0; x <= x1; ++x) {
            const std::size_t cell = static_cast<std::size_t>(y * m_nx + x);
            for (std::uint32_t k = m_cellStart[cell]; k < m_cellStart[cell + 1]; ++k) {
                const std::uint32_t i = m_cellPoints[k];
                if (rect.Contains(m_points[i]))
                    out.push_back(i);
            }
        }
    }
    std::sort(out.begin(), out.end());
}
