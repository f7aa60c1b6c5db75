#include "street_network.h"

#include "gdal_support.h"

#include <ogr_geometry.h>

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

// Corners sharper than this (1 + cos of the turn) get a general offset instead.
constexpr double kMinCornerFactor = 0.3;
// Metres-scale wiggles (half a map unit) are not worth a corner.
constexpr double kRingTolerance = 0.5;
// Past this many corners the quadratic closeness check costs more than GEOS.
constexpr std::size_t kMaxFastCorners = 160;

Polyline RingPoints(const OGRLinearRing& ring) {
    Polyline points(static_cast<std::size_t>(ring.getNumPoints()));
    for (int i = 0; i < ring.getNumPoints(); ++i)
        points[static_cast<std::size_t>(i)] = {ring.getX(i), ring.getY(i)};
    return points;
}

// Closed and counter-clockwise, without repeated points.
Polyline Normalised(Polyline ring) {
    Polyline out;
    out.reserve(ring.size());
    for (const PlanePoint& p : ring)
        if (out.empty() || !(out.back() == p))
            out.push_back(p);
    if (out.size() > 1 && out.front() == out.back())
        out.pop_back();
    if (SignedArea(out) < 0.0)
        std::reverse(out.begin(), out.end());
    if (!out.empty())
        out.push_back(out.front());
    return out;
}

const OGRPolygon* LargestPolygon(const OGRGeometry& geometry) {
    const OGRwkbGeometryType type = wkbFlatten(geometry.getGeometryType());
    if (type == wkbPolygon)
        return geometry.toPolygon();
    if (type != wkbMultiPolygon && type != wkbGeometryCollection)
        return nullptr;
    const OGRPolygon* best = nullptr;
    double bestArea = 0.0;
    for (const OGRGeometry* part : *geometry.toGeometryCollection()) {
        if (wkbFlatten(part->getGeometryType()) != wkbPolygon)
            continue;
        const double area = part->toPolygon()->get_Area();
        if (area > bestArea) {
            bestArea = area;
            best = part->toPolygon();
        }
    }
    return best;
}

PlanePoint PointInside(const Polyline& ring, const OGRPolygon& polygon) {
    double cx = 0.0, cy = 0.0;
    const std::size_t n = ring.size() - 1;
    for (std::size_t i = 0; i < n; ++i) {
        cx += ring[i].x;
        cy += ring[i].y;
    }
    const PlanePoint mean{cx / static_cast<double>(n), cy / static_cast<double>(n)};
    if (RingContains(ring, mean))
        return mean;
    OGRPoint point;
    if (polygon.PointOnSurface(&point) == OGRERR_NONE)
        return {point.getX(), point.getY()};
    return ring.front();
}

} // namespace

std::optional<Polyline> InsetRing(const Polyline& ring, double distance) {
    if (ring.size() < 4)
        return std::nullopt;
    const std::size_t n = ring.size() - 1;
    if (n > kMaxFastCorners)
        return std::nullopt;
    std::vector<PlanePoint> normal(n);
    for (std::size_t i = 0; i < n; ++i) {
        const PlanePoint a = ring[i], b = ring[i + 1];
        const double length = Distance(a, b);
        if (length <= 0.0)
            return std::nullopt;
        normal[i] = {-(b.y - a.y) / length, (b.x - a.x) / length};
    }
    Polyline out(n + 1);
    for (std::size_t i = 0; i < n; ++i) {
        const PlanePoint n1 = normal[(i + n - 1) % n], n2 = normal[i];
        const double c = 1.0 + n1.x * n2.x + n1.y * n2.y;
        if (c < kMinCornerFactor)
            return std::nullopt;
        out[i] = {ring[i].x + distance * (n1.x + n2.x) / c,
                  ring[i].y + distance * (n1.y + n2.y) / c};
    }
    out[n] = out[0];
    for (std::size_t i = 0; i < n; ++i) {
        const double dot = (out[i + 1].x - out[i].x) * (ring[i + 1].x - ring[i].x) +
                           (out[i + 1].y - out[i].y) * (ring[i + 1].y - ring[i].y);
        if (dot <= 0.0)
            return std::nullopt;
    }
    // A neck narrower than both offsets together would fold over itself. Edges
    // near the corner along the ring are left out: a fold there turns an edge
    // around, which the check above sees.
    const double limit = 2.0 * distance;
    const double near = 2.0 * limit;
    std::vector<double> along(n + 1, 0.0);
    for (std::size_t i = 0; i < n; ++i)
        along[i + 1] = along[i] + Distance(ring[i], ring[i + 1]);
    const double perimeter = along[n];
    auto pathDistance = [&](std::size_t a, std::size_t b) {
        const double d = std::abs(along[a] - along[b]);
        return std::min(d, perimeter - d);
    };
    for (std::size_t i = 0; i < n; ++i) {
        const PlanePoint p = ring[i];
        for (std::size_t j = 0; j < n; ++j) {
            const PlanePoint a = ring[j], b = ring[j + 1];
            if (p.x < std::min(a.x, b.x) - limit || p.x > std::max(a.x, b.x) + limit ||
                p.y < std::min(a.y, b.y) - limit || p.y > std::max(a.y, b.y) + limit)
                continue;
            if (pathDistance(i, j) < near || pathDistance(i, j + 1) < near)
                continue;
            if (SquaredDistanceToSegment(p, a, b) < limit * limit)
                return std::nullopt;
        }
    }
    return out;
}

bool FacesOfStreets(const std::vector<Polyline>& lines, const StreetFaceLimits& limits,
                    std::vector<StreetFace>& faces, StreetFaceCounts& counts, QString& error) {
    CGdalErrorTrap trap;
    OGRMultiLineString network;
    for (const Polyline& line : lines) {
        if (line.size() < 2)
            continue;
        auto part = std::make_unique<OGRLineString>();
        part->setNumPoints(static_cast<int>(line.size()), FALSE);
        for (std::size_t i = 0; i < line.size(); ++i)
            part->setPoint(static_cast<int>(i), line[i].x, line[i].y);
        network.addGeometryDirectly(part.release());
    }
    if (network.IsEmpty())
        return true;
    // A union with one of its own points nodes the whole network: every
    // crossing, with or without a shared vertex, becomes a vertex of both lines.
    const OGRLineString* first = network.getGeometryRef(0);
    const OGRPoint seed(first->getX(0), first->getY(0));
    const std::unique_ptr<OGRGeometry> noded(network.Union(&seed));
    if (!noded) {
        error = QStringLiteral("No se pudieron cruzar las líneas de las calles: %1")
                    .arg(trap.LastError());
        return false;
    }
    // The union is lines only, unless the network was a single line or came
    // back with stray points: then the lines are gathered for the polygonizer.
    OGRMultiLineString gathered;
    const OGRGeometry* edges = noded.get();
    if (wkbFlatten(noded->getGeometryType()) != wkbMultiLineString) {
        const OGRwkbGeometryType type = wkbFlatten(noded->getGeometryType());
        if (type == wkbLineString) {
            gathered.addGeometry(noded.get());
        } else if (type == wkbGeometryCollection) {
            for (const OGRGeometry* part : *noded->toGeometryCollection())
                if (wkbFlatten(part->getGeometryType()) == wkbLineString)
                    gathered.addGeometry(part);
        }
        edges = &gathered;
    }
    const std::unique_ptr<OGRGeometry> polygons(edges->Polygonize());
    if (!polygons) {
        error = QStringLiteral("No se pudieron formar las manzanas con las calles: %1")
                    .arg(trap.LastError());
        return false;
    }
    const OGRwkbGeometryType polygonsType = wkbFlatten(polygons->getGeometryType());
    if (polygonsType != wkbGeometryCollection && polygonsType != wkbMultiPolygon)
        return true;
    for (const OGRGeometry* part : *polygons->toGeometryCollection()) {
        if (wkbFlatten(part->getGeometryType()) != wkbPolygon)
            continue;
        const OGRPolygon& face = *part->toPolygon();
        const OGRLinearRing* exterior = face.getExteriorRing();
        if (!exterior)
            continue;
        const double area = face.get_Area();
        if (area < limits.minArea) {
            ++counts.tooSmall;
            continue;
        }
        if (area > limits.maxArea) {
            ++counts.tooLarge;
            continue;
        }
        // Vertices the noding left on straight edges only make short edges that
        // a mitred offset cannot take.
        Polyline ring = SimplifyRing(Normalised(RingPoints(*exterior)), kRingTolerance);
        if (ring.size() < 4) {
            ++counts.tooSmall;
            continue;
        }
        const PlanePoint inside = PointInside(ring, face);
        if (limits.inset > 0.0) {
            if (auto shrunk = InsetRing(ring, limits.inset)) {
                ring = std::move(*shrunk);
            } else {
                const std::unique_ptr<OGRGeometry> buffered(face.Buffer(-limits.inset, 2));
                const OGRPolygon* largest = buffered ? LargestPolygon(*buffered) : nullptr;
                if (!largest || !largest->getExteriorRing()) {
                    ++counts.tooSmall;
                    continue;
                }
                ring = Normalised(RingPoints(*largest->getExteriorRing()));
            }
            if (ring.size() < 4 || SignedArea(ring) < limits.minArea) {
                ++counts.tooSmall;
                continue;
            }
        }
        faces.push_back({std::move(ring), inside});
    }
    return true;
}
