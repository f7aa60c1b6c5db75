#pragma once

// The streets a bus can take as a graph of their vertices, so that the pieces
// of a route are joined along the streets rather than across the blocks.
// Vertices closer than a small tolerance are one: lines from different
// sources rarely share their points exactly.

#include "plane_geometry.h"

#include <cstddef>
#include <cstdint>
#include <vector>

class CStreetGraph {
public:
    // `mergeDistance` and `reach` are in the units of the lines; `reach` is how
    // far a point may lie from the streets and still join them.
    CStreetGraph(const std::vector<Polyline>& lines, double mergeDistance, double reach);

    // The shortest way along the streets from `from` to `to`, each end joining
    // the graph at a vertex within reach of it; given up once it would be
    // longer than `maxLength`, the joins counted. The points run from `from` to
    // `to`, both included; empty when there is no such way.
    Polyline ShortestPath(PlanePoint from, PlanePoint to, double maxLength) const;

    std::size_t VertexCount() const { return m_points.size(); }
    double Reach() const { return m_dReach; }

private:
    struct Edge {
        std::uint32_t to;
        double length;
    };

    // The vertices within reach of p, with their distance to it.
    std::vector<std::pair<std::uint32_t, double>> Near(PlanePoint p) const;

    double m_dReach = 0.0;
    std::vector<PlanePoint> m_points;
    // Each vertex's edges are m_edges[m_first[v]] up to m_edges[m_first[v + 1]].
    std::vector<std::size_t> m_first;
    std::vector<Edge> m_edges;
    CPointGrid m_grid{{}, 1.0};
};
