#pragma once

// Plane geometry in the local projection, where the import shapes streets,
// labels and routes after GDAL has projected them: polylines, their
// simplification and joining, distances, and a grid of points for nearness
// queries.

#include <cstddef>
#include <functional>
#include <unordered_map>
#include <vector>

struct PlanePoint {
    double x = 0.0;
    double y = 0.0;
    friend bool operator==(const PlanePoint&, const PlanePoint&) = default;
};
using Polyline = std::vector<PlanePoint>;

double Distance(PlanePoint a, PlanePoint b);
double PolylineLength(const Polyline& line);

// Douglas-Peucker: the fewest points that stay within `tolerance` of the line,
// both ends kept.
Polyline SimplifyPolyline(const Polyline& line, double tolerance);

// The same for a closed ring (last point = first): it stays closed and keeps at
// least its three farthest-apart corners.
Polyline SimplifyRing(const Polyline& ring, double tolerance);

// Positive for a counter-clockwise ring (y up); the closing point may be given
// or not.
double SignedArea(const Polyline& ring);
// Even-odd rule; a point on the edge may fall either way.
bool RingContains(const Polyline& ring, PlanePoint p);

// Distance from p to the segment ab; `along` gets the fraction of ab at the
// nearest point (0 at a, 1 at b).
double DistanceToSegment(PlanePoint p, PlanePoint a, PlanePoint b, double* along = nullptr);
// Its square, which comparisons need without the root.
double SquaredDistanceToSegment(PlanePoint p, PlanePoint a, PlanePoint b, double* along = nullptr);

// Joins lines whose ends meet exactly (shared nodes give the same projected
// point) into the longest chains that never pass a fork: where three or more
// ends meet, chains stop. Closed loops come out closed.
std::vector<Polyline> ChainLines(std::vector<Polyline> lines);

// Points bucketed by square cells, for "which points lie near here".
class CPointGrid {
public:
    CPointGrid(const std::vector<PlanePoint>& points, double cell);
    // Calls `visit` with the index of every point in the cells the rectangle
    // touches (a superset of the points inside it).
    void Visit(double minX, double minY, double maxX, double maxY,
               const std::function<void(std::size_t)>& visit) const;

private:
    static long long Key(long long cx, long long cy) { return cx * 73856093LL ^ cy * 19349663LL; }
    long long Cell(double v) const;

    double m_dCell = 1.0;
    std::unordered_map<long long, std::vector<std::size_t>> m_cells;
};
