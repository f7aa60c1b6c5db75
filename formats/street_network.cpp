#include "street_network.h"

#include <geos_c.h>

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

// GEOS with a context of its own for each call, so that imports on several
// threads never share one; its last message is kept for ours. The network is
// handed to GEOS and read back directly: through OGR, every step would copy
// the whole network into OGR's geometries and back.
class CGeos {
public:
    CGeos() : m_handle(GEOS_init_r()) {
        GEOSContext_setErrorMessageHandler_r(m_handle, &CGeos::OnError, this);
    }
    ~CGeos() { GEOS_finish_r(m_handle); }
    CGeos(const CGeos&) = delete;
    CGeos& operator=(const CGeos&) = delete;

    GEOSContextHandle_t Handle() const { return m_handle; }
    const QString& LastError() const { return m_strError; }

private:
    static void OnError(const char* message, void* self) {
        static_cast<CGeos*>(self)->m_strError = QString::fromUtf8(message).trimmed();
    }

    GEOSContextHandle_t m_handle;
    QString m_strError;
};

struct GeosDeleter {
    GEOSContextHandle_t handle;
    void operator()(GEOSGeometry* geometry) const { GEOSGeom_destroy_r(handle, geometry); }
};
using GeosPtr = std::unique_ptr<GEOSGeometry, GeosDeleter>;

static_assert(sizeof(PlanePoint) == 2 * sizeof(double), "points are read as x, y pairs");

GEOSGeometry* LineOf(GEOSContextHandle_t h, const Polyline& line) {
    GEOSCoordSequence* points =
        GEOSCoordSeq_copyFromBuffer_r(h, &line.front().x, static_cast<unsigned>(line.size()), 0, 0);
    return points ? GEOSGeom_createLineString_r(h, points) : nullptr;
}

Polyline RingPoints(GEOSContextHandle_t h, const GEOSGeometry* ring) {
    const GEOSCoordSequence* sequence = ring ? GEOSGeom_getCoordSeq_r(h, ring) : nullptr;
    unsigned size = 0;
    if (!sequence || !GEOSCoordSeq_getSize_r(h, sequence, &size) || size == 0)
        return {};
    Polyline points(size);
    if (!GEOSCoordSeq_copyToBuffer_r(h, sequence, &points.front().x, 0, 0))
        return {};
    return points;
}

// A polygon's area: its outer ring's less its holes'.
double PolygonArea(GEOSContextHandle_t h, const GEOSGeometry* polygon) {
    double area = std::abs(SignedArea(RingPoints(h, GEOSGetExteriorRing_r(h, polygon))));
    const int holes = GEOSGetNumInteriorRings_r(h, polygon);
    for (int i = 0; i < holes; ++i)
        area -= std::abs(SignedArea(RingPoints(h, GEOSGetInteriorRingN_r(h, polygon, i))));
    return area;
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

const GEOSGeometry* LargestPolygon(GEOSContextHandle_t h, const GEOSGeometry* geometry) {
    const int type = GEOSGeomTypeId_r(h, geometry);
    if (type == GEOS_POLYGON)
        return geometry;
    if (type != GEOS_MULTIPOLYGON && type != GEOS_GEOMETRYCOLLECTION)
        return nullptr;
    const GEOSGeometry* best = nullptr;
    double bestArea = 0.0;
    for (int i = 0; i < GEOSGetNumGeometries_r(h, geometry); ++i) {
        const GEOSGeometry* part = GEOSGetGeometryN_r(h, geometry, i);
        if (GEOSGeomTypeId_r(h, part) != GEOS_POLYGON)
            continue;
        const double area = PolygonArea(h, part);
        if (area > bestArea) {
            bestArea = area;
            best = part;
        }
    }
    return best;
}

PlanePoint PointInside(GEOSContextHandle_t h, const Polyline& ring, const GEOSGeometry* polygon) {
    double cx = 0.0, cy = 0.0;
    const std::size_t n = ring.size() - 1;
    for (std::size_t i = 0; i < n; ++i) {
        cx += ring[i].x;
        cy += ring[i].y;
    }
    const PlanePoint mean{cx / static_cast<double>(n), cy / static_cast<double>(n)};
    if (RingContains(ring, mean))
        return mean;
    const GeosPtr point(GEOSPointOnSurface_r(h, polygon), GeosDeleter{h});
    double x = 0.0, y = 0.0;
    if (point && GEOSGeomGetX_r(h, point.get(), &x) && GEOSGeomGetY_r(h, point.get(), &y))
        return {x, y};
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
    const CGeos geos;
    const GEOSContextHandle_t h = geos.Handle();
    std::vector<GEOSGeometry*> parts;
    parts.reserve(lines.size());
    PlanePoint start;
    for (const Polyline& line : lines) {
        if (line.size() < 2)
            continue;
        if (parts.empty())
            start = line.front();
        if (GEOSGeometry* part = LineOf(h, line)) {
            parts.push_back(part);
        } else {
            for (GEOSGeometry* made : parts)
                GEOSGeom_destroy_r(h, made);
            error = QStringLiteral("No se pudieron cruzar las líneas de las calles: %1")
                        .arg(geos.LastError());
            return false;
        }
    }
    if (parts.empty())
        return true;
    const GeosPtr network(GEOSGeom_createCollection_r(h, GEOS_MULTILINESTRING, parts.data(),
                                                      static_cast<unsigned>(parts.size())),
                          GeosDeleter{h});
    // A union with one of its own points nodes the whole network: every
    // crossing, with or without a shared vertex, becomes a vertex of both lines.
    const GeosPtr seed(GEOSGeom_createPointFromXY_r(h, start.x, start.y), GeosDeleter{h});
    const GeosPtr noded(network && seed ? GEOSUnion_r(h, network.get(), seed.get()) : nullptr,
                        GeosDeleter{h});
    if (!noded) {
        error = QStringLiteral("No se pudieron cruzar las líneas de las calles: %1")
                    .arg(geos.LastError());
        return false;
    }
    // The union is lines only, unless the network was a single line or came
    // back with stray points: only the lines go to the polygonizer.
    std::vector<const GEOSGeometry*> edges;
    const int nodedType = GEOSGeomTypeId_r(h, noded.get());
    if (nodedType == GEOS_LINESTRING) {
        edges.push_back(noded.get());
    } else if (nodedType == GEOS_MULTILINESTRING || nodedType == GEOS_GEOMETRYCOLLECTION) {
        for (int i = 0; i < GEOSGetNumGeometries_r(h, noded.get()); ++i) {
            const GEOSGeometry* part = GEOSGetGeometryN_r(h, noded.get(), i);
            if (GEOSGeomTypeId_r(h, part) == GEOS_LINESTRING)
                edges.push_back(part);
        }
    }
    if (edges.empty())
        return true;
    const GeosPtr polygons(GEOSPolygonize_r(h, edges.data(), static_cast<unsigned>(edges.size())),
                           GeosDeleter{h});
    if (!polygons) {
        error = QStringLiteral("No se pudieron formar las manzanas con las calles: %1")
                    .arg(geos.LastError());
        return false;
    }
    for (int i = 0; i < GEOSGetNumGeometries_r(h, polygons.get()); ++i) {
        const GEOSGeometry* face = GEOSGetGeometryN_r(h, polygons.get(), i);
        if (GEOSGeomTypeId_r(h, face) != GEOS_POLYGON)
            continue;
        const Polyline exterior = RingPoints(h, GEOSGetExteriorRing_r(h, face));
        if (exterior.empty())
            continue;
        const double area = PolygonArea(h, face);
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
        Polyline ring = SimplifyRing(Normalised(exterior), kRingTolerance);
        if (ring.size() < 4) {
            ++counts.tooSmall;
            continue;
        }
        const PlanePoint inside = PointInside(h, ring, face);
        if (limits.inset > 0.0) {
            if (auto shrunk = InsetRing(ring, limits.inset)) {
                ring = std::move(*shrunk);
            } else {
                const GeosPtr buffered(GEOSBuffer_r(h, face, -limits.inset, 2), GeosDeleter{h});
                const GEOSGeometry* largest =
                    buffered ? LargestPolygon(h, buffered.get()) : nullptr;
                const Polyline outline =
                    largest ? RingPoints(h, GEOSGetExteriorRing_r(h, largest)) : Polyline();
                if (outline.empty()) {
                    ++counts.tooSmall;
                    continue;
                }
                ring = Normalised(outline);
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
