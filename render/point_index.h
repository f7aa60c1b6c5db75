#pragma once

// A uniform grid over anchor points (the street-name labels of a town, which
// never change between loads): drawing asks it for the points in the view
// instead of walking a million of them.

#include "geometry.h"
#include "uniform_grid.h"

#include <cstdint>
#include <vector>

class CPointIndex {
public:
    // Indexes the points; `owner` and `count` say what the index was built for.
    void Build(const std::vector<MapPoint>& points, const void* owner, std::size_t count);
    bool Matches(const void* owner, std::size_t count) const {
        return m_pOwner == owner && m_nCount == count && m_bBuilt;
    }
    // Positions of the points inside `rect` (left and top inclusive, right and
    // bottom exclusive), in list order.
    void Query(const MapRect& rect, std::vector<std::uint32_t>& out) const;

private:
    const void* m_pOwner = nullptr;
    std::size_t m_nCount = 0;
    bool m_bBuilt = false;
    std::vector<MapPoint> m_points;
    CUniformGrid m_grid;
};
