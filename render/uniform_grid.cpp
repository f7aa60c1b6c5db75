#include "uniform_grid.h"

void CUniformGrid::LayEmpty() {
    *this = CUniformGrid{};
    m_cellStart.assign(2, 0);
}

void CUniformGrid::Lay(std::int64_t minX, std::int64_t minY, std::int64_t maxX, std::int64_t maxY,
                       std::int64_t cell, std::int64_t maxCells) {
    *this = CUniformGrid{};
    const std::int64_t spanX = maxX - minX + 1, spanY = maxY - minY + 1;
    m_cell = std::max<std::int64_t>(1, cell);
    while ((spanX / m_cell + 1) * (spanY / m_cell + 1) > maxCells)
        m_cell *= 2;
    m_originX = minX;
    m_originY = minY;
    m_nx = spanX / m_cell + 1;
    m_ny = spanY / m_cell + 1;
    m_cellStart.assign(static_cast<std::size_t>(m_nx * m_ny) + 1, 0);
}
