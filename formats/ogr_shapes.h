#pragma once

// What the import asks of any OGR geometry, whatever its exact type: its
// lines, its polygons, whether it is an area or a line, and one point that
// stands for it. Internal to the formats library.

#include "plane_geometry.h"

#include <ogr_geometry.h>

#include <memory>
#include <optional>
#include <vector>

// The lines of a geometry and of all its parts, curves made straight; lines
// of fewer than two points are left out.
void CollectLines(const OGRGeometry& geometry, std::vector<Polyline>& lines);
// The polygons of a geometry and of all its parts; curved ones are made
// straight into `keep`, which must outlive `polygons`.
void CollectPolygons(const OGRGeometry& geometry, std::vector<const OGRPolygon*>& polygons,
                     std::vector<std::unique_ptr<OGRGeometry>>& keep);

bool IsPolygonal(const OGRGeometry& geometry);
bool IsLinear(const OGRGeometry& geometry);

// A point that stands for the feature: itself, a point inside a polygon, the
// middle vertex of a line.
std::optional<PlanePoint> RepresentativePoint(const OGRGeometry& geometry);
