#include "block_index.h"

#include "block_shape.h"

#include <algorithm>

namespace {

// A block over more cells than this is checked on every query instead.
constexpr std::int64_t kMaxCellsPerBlock = 64;

} // namespace

void CBlockIndex::Clear() {
    *this = CBlockIndex{};
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
        m_grid.LayEmpty();
        return;
    }

    // Cells about twice the size of an average block, a handful of blocks per
    // cell and a block in at most a few cells, within a few cells per block.
    const std::int64_t avg = std::max<std::int64_t>(1, (sumW + sumH) / (2 * counted));
    m_grid.Lay(minX, minY, maxX, maxY, 2 * avg, 4 * counted + 16);

    std::vector<char> big(blocks.size(), 0);
    m_firstCells.resize(blocks.size());
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        const MapRect& b = m_boxes[i];
        if (b.left > b.right)
            continue;
        const CUniformGrid::Range c = CellsOf(b);
        m_firstCells[i] = {static_cast<std::int32_t>(c.x0), static_cast<std::int32_t>(c.y0)};
        if (c.Count() > kMaxCellsPerBlock) {
            big[i] = 1;
            m_big.push_back(static_cast<std::uint32_t>(i));
        }
    }
    m_grid.Fill([&](auto&& place) {
        for (std::size_t i = 0; i < blocks.size(); ++i) {
            const MapRect& b = m_boxes[i];
            if (b.left > b.right || big[i])
                continue;
            const CUniformGrid::Range c = CellsOf(b);
            for (std::int64_t y = c.y0; y <= c.y1; ++y)
                for (std::int64_t x = c.x0; x <= c.x1; ++x)
                    place(m_grid.CellAt(x, y), static_cast<std::uint32_t>(i));
        }
    });
}

void CBlockIndex::Query(const MapRect& rect, std::vector<std::uint32_t>& out) const {
    out.clear();
    if (!m_grid.IsLaid())
        return;
    const CUniformGrid::Range c = CellsOf(rect);
    for (std::int64_t y = c.y0; y <= c.y1; ++y) {
        for (std::int64_t x = c.x0; x <= c.x1; ++x) {
            for (std::uint32_t i : m_grid.Items(m_grid.CellAt(x, y))) {
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
