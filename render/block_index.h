#pragma once

// A uniform grid over the boxes of the blocks, built once per loaded map (the
// block set never changes between loads). Drawing asks it for the blocks that
// meet the visible rectangle and the tools ask it for the block under a point,
// so neither walks a million blocks.

#include "geometry.h"
#include "map_store.h"
#include "uniform_grid.h"

#include <cstdint>
#include <vector>

class CBlockIndex {
public:
    void Build(const MapStore& store);
    void Clear();
    // True when the index was built over exactly these blocks as they are now.
    bool Matches(const MapStore& store) const {
        return m_pBuiltFor == store.m_blocks.data() && m_nBuiltCount == store.m_blocks.size() &&
               m_pBuiltPoints == store.m_blockPoints.data();
    }

    // Positions of the blocks whose box (truncated points, edges included) meets
    // `rect` (edges included), in list order, so later blocks paint over earlier ones.
    void Query(const MapRect& rect, std::vector<std::uint32_t>& out) const;
    // Position of the topmost block (the latest in the list) whose region holds
    // the point, or -1.
    std::int64_t Hit(const MapStore& store, MapPoint p) const;

    // The box of a block's drawable outline: edges included, empty (left >
    // right) for fewer than two points.
    const MapRect& Box(std::uint32_t i) const { return m_boxes[i]; }

private:
    bool Overlaps(const MapRect& box, const MapRect& rect) const {
        return box.left <= rect.right && rect.left <= box.right && box.top <= rect.bottom &&
               rect.top <= box.bottom;
    }
    CUniformGrid::Range CellsOf(const MapRect& r) const {
        return m_grid.CellsOf(r.left, r.top, r.right, r.bottom);
    }

    const CmBlock* m_pBuiltFor = nullptr;
    const FloatPoint* m_pBuiltPoints = nullptr;
    std::size_t m_nBuiltCount = 0;
    std::vector<MapRect> m_boxes;
    // Blocks spanning many cells are kept aside and always checked.
    std::vector<std::uint32_t> m_big;
    CUniformGrid m_grid;
    // The first cell of each block, which alone reports it.
    struct FirstCell {
        std::int32_t x = 0, y = 0;
    };
    std::vector<FirstCell> m_firstCells;
};
