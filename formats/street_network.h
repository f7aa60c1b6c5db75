#pragma once

// Blocks from a street network: the faces of the noded street lines, without
// the slivers and the open land around the town, each shrunk by half a street
// so that streets show between blocks.

#include "plane_geometry.h"

#include <QString>

#include <cstddef>
#include <functional>
#include <optional>
#include <vector>

struct StreetFace {
    Polyline ring;     // closed (last point = first), counter-clockwise
    PlanePoint inside; // a point inside the face, for the areas that give it a type
};

// A line that bounds blocks, and how far blocks keep from its centre line (half
// the street, the railway or the river; nothing for a town's edge).
struct BoundLine {
    Polyline line;
    double halfWidth = 0.0; // map units
};

struct StreetFaceLimits {
    double minArea = 0.0; // in square map units, before and after shrinking
    double maxArea = 0.0; // past this a face is cut down to its built land
    double grow = 0.0;    // how far built land reaches around a building's outline
};

// What the land of one face is, as the caller knows from the areas of the data.
struct FaceLand {
    bool keep = false; // it holds something built, or lies in a site (a park, a lake)
    bool open = false; // not kept for being too large to be a block (the land around a town)
    // When the face is only partly built (open land around a few houses):
    // the outlines of its built land; only what lies within `grow` of them
    // stays a block.
    std::vector<Polyline> built;
};
using FaceJudge = std::function<FaceLand(const Polyline& ring, PlanePoint inside, double area)>;

struct StreetFaceCounts {
    std::size_t tooSmall = 0;
    std::size_t tooLarge = 0; // too large to be a block
    std::size_t trimmed = 0;  // cut down to their built land
    std::size_t empty = 0;    // nothing built: open land, the sea
};

// Nodes the lines (a union of all of them, so that every crossing becomes a
// vertex) and polygonizes them. Each face the judge keeps loses the strip
// along its bounding lines (each by its own half width) and along the dead ends
// that run into it, faces with holes are cut into pieces without, and every
// piece of at least the minimum area is a block. False with a Spanish message
// when the geometry library could not do it.
bool FacesOfStreets(const std::vector<BoundLine>& lines, const StreetFaceLimits& limits,
                    const FaceJudge& judge, std::vector<StreetFace>& faces,
                    StreetFaceCounts& counts, QString& error);

// The ring moved inwards, each edge by its own distance (`distances[i]` for
// the edge from point i to i + 1), with mitred corners, when that is safe to do
// without a general offset (no corner too sharp, no part of the ring closer
// than twice the distance to another); nothing otherwise. `ring` is closed and
// counter-clockwise.
std::optional<Polyline> InsetRing(const Polyline& ring, const std::vector<double>& distances);
// Every edge by the same distance.
std::optional<Polyline> InsetRing(const Polyline& ring, double distance);
