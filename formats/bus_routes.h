#pragma once

// A bus route from the lines of its relation, joined along the streets, its
// colour, and its stations: the named stops that lie on it, in the order the
// bus meets them.

#include "color.h"
#include "plane_geometry.h"
#include "street_graph.h"

#include <QString>

#include <cstddef>
#include <optional>
#include <vector>

// How far the pieces of a route may be bridged, in the units of the lines.
struct RouteJoinLimits {
    // The longest straight step drawn where no street joins two pieces.
    double maxChord = 0.0;
    // A piece that no street joins to the rest and shorter than this is left
    // out; a longer one becomes a route of its own.
    double minAlone = 0.0;
};

struct RouteLines {
    // In the route's order; more than one where no street joins its pieces.
    std::vector<Polyline> lines;
    std::size_t dropped = 0; // parts left out, cut off from the rest and short
};

// The parts of a route in their given order, each turned to continue the one
// before (the turns that leave the smallest gaps win), and every gap joined
// by the shortest way along `streets`; a gap no street joins within a sensible
// detour gets a straight step only when it is short.
RouteLines AssembleRoute(const std::vector<Polyline>& parts, const CStreetGraph& streets,
                         const RouteJoinLimits& limits);

// Colours for routes whose source gives none: `given` holds each route's own
// colour or none, `names` its name. Routes without one get the entries of a
// fixed palette of distinct, readable colours in the order of their names,
// the colours other routes already have used last, so that neighbouring
// routes can be told apart for as long as the palette lasts.
std::vector<Color> RouteColors(const std::vector<std::optional<Color>>& given,
                               const std::vector<QString>& names);

struct RouteStop {
    PlanePoint at;
    QString name;
    QString route; // the only route it serves, when the source says; empty for any
};

// The stops within `maxDistance` of the route, ordered along it; the same name
// met again within `mergeDistance` along the route (a stop mapped on both sides
// of the street, or as a pole and a platform) counts once. `grid` indexes the
// stops' points.
std::vector<std::size_t> StationsOnRoute(const Polyline& route, const QString& routeName,
                                         const std::vector<RouteStop>& stops,
                                         const CPointGrid& grid, double maxDistance,
                                         double mergeDistance);
