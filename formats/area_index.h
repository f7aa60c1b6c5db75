#pragma once

// The areas (parks, school grounds, industry...) that give a type to the
// blocks lying in them, bucketed by cells of their bounding boxes so that a
// town of many blocks asks only the areas near each one. Internal to the
// formats library.

#include "plane_geometry.h"

#include <ogr_geometry.h>

#include <cstddef>
#include <map>
#include <utility>
#include <vector>

class CAreaIndex {
public:
    void Add(const OGRGeometry& geometry, int type);
    bool Empty() const { return m_areas.empty(); }
    // The type of the smallest area holding p, or 0.
    int TypeAt(PlanePoint p) const;

private:
    struct Area {
        OGRPreparedGeometryUniquePtr prepared;
        double size = 0.0;
        int type = 1;
    };

    static constexpr double kCell = 100.0;
    static long long Cell(double v);

    std::vector<Area> m_areas;
    std::map<std::pair<long long, long long>, std::vector<std::size_t>> m_cells;
    // Areas too large for buckets, checked for every block.
    std::vector<std::size_t> m_large;
};
