#pragma once

// The pieces of one street name as networks: lines that share a point, or come
// within a few metres of each other, are one street; farther apart they are
// two streets of the same name. A network is drawn as one line that walks every
// piece, and read as strokes (the pieces joined where the street goes straight
// on) for its labels.

#include "plane_geometry.h"

#include <cstddef>
#include <functional>
#include <map>
#include <utility>
#include <vector>

struct StreetGraph {
    // The source of an edge that is no piece of the street.
    static constexpr std::size_t kBridge = static_cast<std::size_t>(-1); // across a gap
    static constexpr std::size_t kLink = static_cast<std::size_t>(-2);   // along other streets
    struct Edge {
        std::size_t from = 0;
        std::size_t to = 0;
        Polyline line; // from nodes[from] to nodes[to]
        double length = 0.0;
        std::size_t source = kBridge; // the index of the line it is part of
    };
    std::vector<PlanePoint> nodes;
    std::vector<Edge> edges;

    double Length() const;
    // Without the links along other streets.
    double OwnLength() const;
};

// Every street line of a town, whatever its name, joined where lines share a
// vertex: the ways between two pieces of one street that a crossing, a square
// or a roundabout of another name keeps apart.
class CTownStreets {
public:
    explicit CTownStreets(const std::vector<Polyline>& lines);

    // The shortest ways no longer than `reach` from any of the points `from`
    // to the points `groupOf` puts in a group (a number from 0; -1 for none):
    // one line per group reached, from a point of `from` to one of the group.
    std::vector<std::pair<long, Polyline>>
    Ways(const std::vector<PlanePoint>& from, double reach,
         const std::function<long(PlanePoint)>& groupOf) const;

private:
    struct Way {
        std::size_t to = 0;
        std::size_t line = 0;
        bool forward = true;
        double length = 0.0;
    };
    std::vector<PlanePoint> m_nodes;
    std::map<std::pair<double, double>, std::size_t> m_nodeAt;
    std::vector<std::vector<Way>> m_ways; // by node
    std::vector<Polyline> m_lines;        // each between two nodes
};

// The networks of `lines`: pieces meet where they share a vertex; pieces that
// do not meet but come within `gap` of each other are bridged by the shortest
// segment between them, and those `town` joins by a way of other streets no
// longer than `reach` are linked along it (bridges and links are edges of no
// source line). One graph per network, in the order of the first line each
// holds.
std::vector<StreetGraph> StreetNetworks(std::vector<Polyline> lines, double gap,
                                        const CTownStreets* town = nullptr, double reach = 0.0);

// One line along every piece of the network that never leaves it: it starts
// half-way along the network's longest path, so that locating the street shows
// it around the middle, walks each branch and back, and ends at one end of
// that path. Empty for a network without edges.
Polyline WalkStreet(const StreetGraph& graph);

// The network as the fewest lines a reader would follow: at a junction the
// piece that goes on straightest (turning at most `maxTurn` radians) continues
// the line; where a street merely bends between two pieces it always does.
// A line that comes back to its start is closed (last point = first). Links
// along other streets are left out: they carry other streets' names.
std::vector<Polyline> StreetStrokes(const StreetGraph& graph, double maxTurn);
