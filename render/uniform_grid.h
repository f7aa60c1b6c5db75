#pragma once

// A uniform grid of square cells over the bounds of a set of items, the items
// of every cell kept in one shared array (counted first, then placed), so that
// a query looks at the few cells it meets instead of every item. The block
// and label indexes are built on it.

#include <algorithm>
#include <cstdint>
#include <span>
#include <vector>

class CUniformGrid {
public:
    // The cells from (x0, y0) to (x1, y1), both corners included.
    struct Range {
        std::int64_t x0 = 0, y0 = 0, x1 = 0, y1 = 0;
        std::int64_t Count() const { return (x1 - x0 + 1) * (y1 - y0 + 1); }
    };

    // One empty cell, for a set with nothing to place.
    void LayEmpty();
    // Cells of `cell` map units from (minX, minY) to (maxX, maxY), both included,
    // doubled in size until there are no more than `maxCells`, whatever the spread.
    void Lay(std::int64_t minX, std::int64_t minY, std::int64_t maxX, std::int64_t maxY,
             std::int64_t cell, std::int64_t maxCells);
    bool IsLaid() const { return !m_cellStart.empty(); }

    // The column and row of a map coordinate, the outermost for one outside the grid.
    std::int64_t CellX(std::int64_t x) const {
        return std::clamp(FloorDiv(x - m_originX, m_cell), std::int64_t{0}, m_nx - 1);
    }
    std::int64_t CellY(std::int64_t y) const {
        return std::clamp(FloorDiv(y - m_originY, m_cell), std::int64_t{0}, m_ny - 1);
    }
    // The cells that hold (left, top) to (right, bottom), both corners included.
    Range CellsOf(std::int64_t left, std::int64_t top, std::int64_t right,
                  std::int64_t bottom) const {
        return {CellX(left), CellY(top), CellX(right), CellY(bottom)};
    }
    std::size_t CellAt(std::int64_t x, std::int64_t y) const {
        return static_cast<std::size_t>(y * m_nx + x);
    }
    // The items of one cell, in the order they were placed.
    std::span<const std::uint32_t> Items(std::size_t cell) const {
        return std::span<const std::uint32_t>(m_items).subspan(
            m_cellStart[cell], m_cellStart[cell + 1] - m_cellStart[cell]);
    }

    // Places the items. `visit(place)` calls place(cell, item) for every cell
    // of every item, the same each time: once to count, once to place.
    template <typename Visit>
    void Fill(Visit&& visit) {
        const std::size_t cells = m_cellStart.size() - 1;
        std::fill(m_cellStart.begin(), m_cellStart.end(), 0);
        visit([&](std::size_t cell, std::uint32_t) { ++m_cellStart[cell + 1]; });
        for (std::size_t k = 0; k < cells; ++k)
            m_cellStart[k + 1] += m_cellStart[k];
        m_items.resize(m_cellStart[cells]);
        std::vector<std::uint32_t> next(m_cellStart.begin(), m_cellStart.end() - 1);
        visit([&](std::size_t cell, std::uint32_t item) { m_items[next[cell]++] = item; });
    }

private:
    static std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
        std::int64_t q = a / b;
        if ((a % b != 0) && ((a < 0) != (b < 0)))
            --q;
        return q;
    }

    std::int64_t m_originX = 0;
    std::int64_t m_originY = 0;
    std::int64_t m_cell = 1;
    std::int64_t m_nx = 1;
    std::int64_t m_ny = 1;
    std::vector<std::uint32_t> m_cellStart; // m_nx * m_ny + 1 offsets into m_items
    std::vector<std::uint32_t> m_items;
};
