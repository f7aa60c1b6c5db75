#pragma once

// Blocks from a street network: the faces of the noded street lines, without
// the slivers and the open land around the town, each shrunk by half a street
// so that streets show between blocks.

#include "plane_geometry.h"

#include <QString>

#include <cstddef>
#include <optional>
#include <vector>

struct StreetFace {
    Polyline ring;     // closed (last point = first), counter-clockwise
    PlanePoint inside; // a point inside the face, for the areas that give it a type
};

struct StreetFaceLimits {
    double minArea = 0.0; // in square map units, before and after shrinking
    double maxArea = 0.0;
    double inset = 0.0; // map units
};

struct StreetFaceCounts {
    std::size_t tooSmall = 0;
    std::size_t tooLarge = 0;
};

// Nodes the lines (a union of all of them, so that every crossing becomes a
// vertex), polygonizes them and keeps the faces within the limits. False with a
// Spanish message when the geometry library could not do it.
bool FacesOfStreets(const std::vector<Polyline>& lines, const StreetFaceLimits& limits,
                    std::vector<StreetFace>& faces, StreetFaceCounts& counts, QString& error);

// The ring moved inwards by `distance` with mitred corners, when that is safe
// to do without a general offset (no corner too sharp, no part of the ring
// closer than twice the distance to another); nothing otherwise. `ring` is
// closed and counter-clockwise.
std::optional<Polyline> InsetRing(const Polyline& ring, double distance);
