#include "block_index.h"

#include "block_shape.h"

#include <algorithm>
#include <cmath>

namespace {

// A block over more cells than this is checked on every query instead.
constexpr std::int64_t kMaxCellsPerBlock = 64;

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    std::int64_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0)))
        --q;
    return q;
}

} // namespace

void CBlockIndex::Clear() {
    *this = CBlockIndex{};
}

CBlockIndex::Cells CBlockIndex::CellsOf(const MapRect& r) const {
    Cells c;
    c.x0 = std::clamp(FloorDiv(r.left - m_originX, m_cell), std::int64_t{0}, m_nx - 1);
    c.x1 = std::clamp(FloorDiv(r.right - m_originX, m_cell), std::int64_t{0}, m_nx - 1);
    c.y0 = std::clamp(FloorDiv(r.top - m_originY, m_cell), std::int64_t{0}, m_ny - 1);
    c.y1 = std::clamp(FloorDiv(r.bottom - m_originY, m_cell), std::int64_t{0}, m_ny - 1);
    return c;
}

void CBlockIndex::Build(const MapStore& store) {
    const std::vector<CmBlock>& blocks = store.m_blocks;
    Clear();
    m_pBuiltFor = blocks.data();
    m_nBuiltCount = blocks.size();
    m_pBuiltPoints = store.m_blockPoints.data();
    m_boxes.resize(blocks.size(), MapRect{1, 1, 0, 0});

    std::int64_t minX = INT64_MAX, minY = INT64_MAX, maxX = INT64_MIN, maxY = INT64_MIN;
    std::int64_t sumW = 0, sumH = 0, counted = 0;
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        const MapRect b = store.Shape(blocks[i]).PointBox();
        if (b.left > b.right)
            continue;
        m_boxes[i] = b;
        minX = std::min<std::int64_t>(minX, b.left);
        minY = std::min<std::int64_t>(minY, b.top);
        maxX = std::max<std::int64_t>(maxX, b.right);
        maxY = std::max<std::int64_t>(maxY, b.bottom);
        sumW += b.Width();
        sumH += b.Height();
        ++counted;
    }
    if (counted == 0) {
        m_nx = m_ny = 1;
        m_cellStart.assign(2, 0);
        return;
    }

    // Cells about twice the size of an average block: a handful of blocks per
    // cell, and a block in at most a few cells.
    const std::int64_t avg = std::max<std::int64_t>(1, (sumW + sumH) / (2 * counted));
    const std::int64_t spanX = maxX - minX + 1, spanY = maxY - minY + 1;
    m_cell = std::max<std::int64_t>(1, 2 * avg);
    // Keep the grid within a few cells per block, whatever the spread.
    const std::int64_t maxCells = 4 * counted + 16;
    while ((spanX / m_cell + 1) * (spanY / m_cell + 1) > maxCells)
        m_cell *= 2;
    m_originX = minX;
    m_originY = minY;
    m_nx = spanX / m_cell + 1;
    m_ny = spanY / m_cell + 1;

    const std::size_t cellCount = static_cast<std::size_t>(m_nx * m_ny);
    m_cellStart.assign(cellCount + 1, 0);
    auto forEachCell = [&](const Cells& c, auto&& fn) {
        for (std::int64_t y = c.y0; y <= c.y1; ++y)
            for (std::int64_t x = c.x0; x <= c.x1; ++x)
                fn(static_cast<std::size_t>(y * m_nx + x));
    };
    std::vector<char> big(blocks.size(), 0);
    m_firstCells.resize(blocks.size());
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        const MapRect& b = m_boxes[i];
        if (b.left > b.right)
            continue;
        const Cells c = CellsOf(b);
        m_firstCells[i] = {static_cast<std::int32_t>(c.x0), static_cast<std::int32_t>(c.y0)};
        if ((c.x1 - c.x0 + 1) * (c.y1 - c.y0 + 1) > kMaxCellsPerBlock) {
            big[i] = 1;
            m_big.push_back(static_cast<std::uint32_t>(i));
            continue;
        }
        forEachCell(c, [&](std::size_t cell) { ++m_cellStart[cell + 1]; });
    }
    for (std::size_t k = 0; k < cellCount; ++k)
        m_cellStart[k + 1] += m_cellStart[k];
    m_cellBlocks.resize(m_cellStart[cellCount]);
    std::vector<std::uint32_t> fill(m_cellStart.begin(), m_cellStart.end() - 1);
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        const MapRect& b = m_boxes[i];
        if (b.left > b.right || big[i])
            continue;
        forEachCell(CellsOf(b), [&](std::size_t cell) {
            m_cellBlocks[fill[cell]++] = static_cast<std::uint32_t>(i);
        });
    }
}

void CBlockIndex::Query(const MapRect& rect, std::vector<std::uint32_t>& out) const {
    out.clear();
    if (m_cellStart.size() < 2)
        return;
    const Cells c = CellsOf(rect);
    for (std::int64_t y = c.y0; y <= c.y1; ++y) {
        for (std::int64_t x = c.x0; x <= c.x1; ++x) {
            const std::size_t cell = static_cast<std::size_t>(y * m_nx + x);
            for (std::uint32_t k = m_cellStart[cell]; k < m_cellStart[cell + 1]; ++k) {
                const std::uint32_t i = m_cellBlocks[k];
                const MapRect& b = m_boxes[i];
                if (!Overlaps(b, rect))
                    continue;
                // A block in several cells is reported once: by the first cell,
                // in both directions, that the query and the block share.
                const FirstCell& first = m_firstCells[i];
                if (std::max<std::int64_t>(first.x, c.x0) != x ||
                    std::max<std::int64_t>(first.y, c.y0) != y)
                    continue;
                out.push_back(i);
            }
        }
    }
    for (std::uint32_t i : m_big)
        if (Overlaps(m_boxes[i], rect))
            out.push_back(i);
    std::sort(out.begin(), out.end());
}

std::int64_t CBlockIndex::Hit(const MapStore& store, MapPoint p) const {
    if (!Matches(store))
        return -1;
    std::vector<std::uint32_t> candidates;
    Query(MapRect{p.x, p.y, p.x, p.y}, candidates);
    for (auto it = candidates.rbegin(); it != candidates.rend(); ++it)
        if (store.Shape(store.m_blocks[*it]).HitTest(p.x, p.y))
            return *it;
    return -1;
}
