#pragma once

// A bus route from the lines of its relation, and its stations: the named
// stops that lie on it, in the order the bus meets them.

#include "plane_geometry.h"

#include <QString>

#include <cstddef>
#include <vector>

// One line through the parts in their given order, each turned to continue
// from the end of the one before; gaps are bridged by a straight step.
Polyline AssembleRoute(const std::vector<Polyline>& parts);

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
