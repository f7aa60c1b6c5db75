#include "street_network.h"

#include <QCoreApplication>

#include <geos_c.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <unordered_map>

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

GEOSGeometry* PolygonOf(GEOSContextHandle_t h, const Polyline& ring) {
    GEOSCoordSequence* points =
        GEOSCoordSeq_copyFromBuffer_r(h, &ring.front().x, static_cast<unsigned>(ring.size()), 0, 0);
    GEOSGeometry* shell = points ? GEOSGeom_createLinearRing_r(h, points) : nullptr;
    return shell ? GEOSGeom_createPolygon_r(h, shell, nullptr, 0) : nullptr;
}

// Every polygon of a geometry, as copies.
void TakePolygons(GEOSContextHandle_t h, const GEOSGeometry* geometry, std::vector<GeosPtr>& out) {
    if (!geometry)
        return;
    const int type = GEOSGeomTypeId_r(h, geometry);
    if (type == GEOS_POLYGON) {
        if (!GEOSisEmpty_r(h, geometry))
            out.emplace_back(GEOSGeom_clone_r(h, geometry), GeosDeleter{h});
        return;
    }
    if (type == GEOS_MULTIPOLYGON || type == GEOS_GEOMETRYCOLLECTION)
        for (int i = 0; i < GEOSGetNumGeometries_r(h, geometry); ++i)
            TakePolygons(h, GEOSGetGeometryN_r(h, geometry, i), out);
}

// A block has one outline, so a face around an island of other faces is cut
// into strips by a line across each hole: every hole then opens onto the
// edge of a strip, and none is left inside one.
std::vector<GeosPtr> WithoutHoles(GEOSContextHandle_t h, const GEOSGeometry* polygon) {
    std::vector<GeosPtr> pieces;
    const int holes = GEOSGetNumInteriorRings_r(h, polygon);
    if (holes == 0) {
        pieces.emplace_back(GEOSGeom_clone_r(h, polygon), GeosDeleter{h});
        return pieces;
    }
    double minX = 0, minY = 0, maxX = 0, maxY = 0;
    GEOSGeom_getXMin_r(h, polygon, &minX);
    GEOSGeom_getYMin_r(h, polygon, &minY);
    GEOSGeom_getXMax_r(h, polygon, &maxX);
    GEOSGeom_getYMax_r(h, polygon, &maxY);
    std::vector<double> cuts;
    for (int i = 0; i < holes; ++i) {
        const GEOSGeometry* hole = GEOSGetInteriorRingN_r(h, polygon, i);
        double x0 = 0, x1 = 0;
        GEOSGeom_getXMin_r(h, hole, &x0);
        GEOSGeom_getXMax_r(h, hole, &x1);
        cuts.push_back((x0 + x1) / 2);
    }
    std::sort(cuts.begin(), cuts.end());
    cuts.erase(std::unique(cuts.begin(), cuts.end()), cuts.end());
    cuts.insert(cuts.begin(), minX - 1.0);
    cuts.push_back(maxX + 1.0);
    for (std::size_t i = 0; i + 1 < cuts.size(); ++i) {
        const GeosPtr strip(
            GEOSClipByRect_r(h, polygon, cuts[i], minY - 1.0, cuts[i + 1], maxY + 1.0),
            GeosDeleter{h});
        std::vector<GeosPtr> parts;
        TakePolygons(h, strip.get(), parts);
        for (GeosPtr& part : parts) {
            if (GEOSGetNumInteriorRings_r(h, part.get()) == 0)
                pieces.push_back(std::move(part));
            else // a hole the cut missed: its outer ring is the best there is
                pieces.emplace_back(
                    GEOSGeom_createPolygon_r(
                        h, GEOSGeom_clone_r(h, GEOSGetExteriorRing_r(h, part.get())), nullptr, 0),
                    GeosDeleter{h});
        }
    }
    return pieces;
}

// The bounding lines by cells, to find how far a block keeps from the line
// that makes one of its edges.
class CLineWidths {
public:
    explicit CLineWidths(const std::vector<BoundLine>& lines) : m_lines(lines) {
        for (std::size_t l = 0; l < lines.size(); ++l) {
            const Polyline& line = lines[l].line;
            for (std::size_t i = 0; i + 1 < line.size(); ++i) {
                const PlanePoint a = line[i], b = line[i + 1];
                const double length = Distance(a, b);
                const int steps = 1 + static_cast<int>(length / (kCell / 4));
                long long last = std::numeric_limits<long long>::min();
                for (int k = 0; k <= steps; ++k) {
                    const double t = static_cast<double>(k) / steps;
                    const long long key =
                        Key(Cell(a.x + (b.x - a.x) * t), Cell(a.y + (b.y - a.y) * t));
                    if (key != last)
                        m_cells[key].push_back({l, i});
                    last = key;
                }
            }
        }
    }

    // The widest half width of the lines through p (an edge may lie on a
    // street and on the town's edge at once); 0 on none.
    double At(PlanePoint p) const {
        // The outline was simplified by half a unit, so its edges lie that near.
        constexpr double kOn = kRingTolerance + 0.25;
        double width = 0.0;
        const long long cx = Cell(p.x), cy = Cell(p.y);
        for (long long dx = -1; dx <= 1; ++dx)
            for (long long dy = -1; dy <= 1; ++dy) {
                const auto it = m_cells.find(Key(cx + dx, cy + dy));
                if (it == m_cells.end())
                    continue;
                for (const auto& [l, i] : it->second) {
                    const Polyline& line = m_lines[l].line;
                    if (m_lines[l].halfWidth > width &&
                        SquaredDistanceToSegment(p, line[i], line[i + 1]) < kOn * kOn)
                        width = m_lines[l].halfWidth;
                }
            }
        return width;
    }

private:
    static constexpr double kCell = 20.0;
    static long long Cell(double v) { return static_cast<long long>(std::floor(v / kCell)); }
    static long long Key(long long cx, long long cy) { return cx * 73856093LL ^ cy * 19349663LL; }

    const std::vector<BoundLine>& m_lines;
    std::unordered_map<long long, std::vector<std::pair<std::size_t, std::size_t>>> m_cells;
};

} // namespace

std::optional<Polyline> InsetRing(const Polyline& ring, double distance) {
    return InsetRing(ring, std::vector<double>(ring.empty() ? 0 : ring.size() - 1, distance));
}

std::optional<Polyline> InsetRing(const Polyline& ring, const std::vector<double>& distances) {
    if (ring.size() < 4 || distances.size() != ring.size() - 1)
        return std::nullopt;
    const std::size_t n = ring.size() - 1;
    if (n > kMaxFastCorners)
        return std::nullopt;
    std::vector<PlanePoint> normal(n);
    for (std::size_t i = 0; i < n; ++i) {
        const PlanePoint a = ring[i], b = ring[i + 1];
        const double length = Distance(a, b);
        if (length <= 0.0 || distances[i] < 0.0)
            return std::nullopt;
        normal[i] = {-(b.y - a.y) / length, (b.x - a.x) / length};
    }
    // Corner i joins the offset of edge i - 1 to that of edge i: where two
    // straight edges of different streets meet in line, it is a step.
    std::vector<PlanePoint> out;
    std::vector<std::size_t> first(n), last(n);
    for (std::size_t i = 0; i < n; ++i) {
        const std::size_t before = (i + n - 1) % n;
        const PlanePoint n1 = normal[before], n2 = normal[i];
        const double d1 = distances[before], d2 = distances[i];
        const double c = n1.x * n2.x + n1.y * n2.y;
        first[i] = out.size();
        if (1.0 + c < kMinCornerFactor)
            return std::nullopt;
        if (1.0 - c * c < 1e-9) {
            out.push_back({ring[i].x + d1 * n1.x, ring[i].y + d1 * n1.y});
            if (std::abs(d1 - d2) > 1e-9)
                out.push_back({ring[i].x + d2 * n2.x, ring[i].y + d2 * n2.y});
        } else {
            const double alpha = (d1 - c * d2) / (1.0 - c * c);
            const double beta = (d2 - c * d1) / (1.0 - c * c);
            out.push_back(
                {ring[i].x + alpha * n1.x + beta * n2.x, ring[i].y + alpha * n1.y + beta * n2.y});
        }
        last[i] = out.size() - 1;
    }
    for (std::size_t i = 0; i < n; ++i) {
        const PlanePoint from = out[last[i]], to = out[first[(i + 1) % n]];
        const double dot = (to.x - from.x) * (ring[i + 1].x - ring[i].x) +
                           (to.y - from.y) * (ring[i + 1].y - ring[i].y);
        if (dot <= 0.0)
            return std::nullopt;
    }
    out.push_back(out.front());
    // A neck narrower than both offsets together would fold over itself. Edges
    // near the corner along the ring are left out: a fold there turns an edge
    // around, which the check above sees.
    const double widest = *std::max_element(distances.begin(), distances.end());
    const double limit = 2.0 * widest;
    const double near = 2.0 * limit;
    std::vector<double> along(n + 1, 0.0);
    for (std::size_t i = 0; i < n; ++i)
        along[i + 1] = along[i] + Distance(ring[i], ring[i + 1]);
    const double perimeter = along[n];
    auto pathDistance = [&](std::size_t a, std::size_t b) {
        const double d = std::abs(along[a] - along[b]);
        return std::min(d, perimeter - d);
    };
    for (std::size_t i = 0; i < n && limit > 0.0; ++i) {
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

namespace {

// The lines inside faces that bound no face: dead ends and the lines that
// join an island of faces to the rest. Blocks keep clear of them as of any
// street.
class CInnerLines {
public:
    CInnerLines(GEOSContextHandle_t h, const CLineWidths& widths) : m_h(h), m_widths(widths) {}

    void Add(const GEOSGeometry* geometry) {
        if (!geometry)
            return;
        for (int i = 0; i < GEOSGetNumGeometries_r(m_h, geometry); ++i) {
            const GEOSGeometry* line = GEOSGetGeometryN_r(m_h, geometry, i);
            const Polyline points = RingPoints(m_h, line);
            if (points.size() < 2)
                continue;
            const double width =
                m_widths.At({(points[0].x + points[1].x) / 2, (points[0].y + points[1].y) / 2});
            if (width <= 0.0)
                continue;
            GEOSGeometry* grown = GEOSBuffer_r(m_h, line, width, 2);
            if (!grown)
                continue;
            Inner inner{GeosPtr(grown, GeosDeleter{m_h}), {}, {}};
            GEOSGeom_getXMin_r(m_h, grown, &inner.min.x);
            GEOSGeom_getYMin_r(m_h, grown, &inner.min.y);
            GEOSGeom_getXMax_r(m_h, grown, &inner.max.x);
            GEOSGeom_getYMax_r(m_h, grown, &inner.max.y);
            const std::size_t index = m_inner.size();
            m_inner.push_back(std::move(inner));
            for (long long cx = Cell(m_inner[index].min.x); cx <= Cell(m_inner[index].max.x); ++cx)
                for (long long cy = Cell(m_inner[index].min.y); cy <= Cell(m_inner[index].max.y);
                     ++cy)
                    m_cells[Key(cx, cy)].push_back(index);
        }
    }

    // The grown lines that may cut into the box.
    std::vector<const GEOSGeometry*> Near(PlanePoint min, PlanePoint max) const {
        std::vector<std::size_t> found;
        for (long long cx = Cell(min.x); cx <= Cell(max.x); ++cx)
            for (long long cy = Cell(min.y); cy <= Cell(max.y); ++cy) {
                const auto it = m_cells.find(Key(cx, cy));
                if (it != m_cells.end())
                    found.insert(found.end(), it->second.begin(), it->second.end());
            }
        std::sort(found.begin(), found.end());
        found.erase(std::unique(found.begin(), found.end()), found.end());
        std::vector<const GEOSGeometry*> near;
        for (std::size_t i : found) {
            const Inner& inner = m_inner[i];
            if (inner.max.x >= min.x && inner.min.x <= max.x && inner.max.y >= min.y &&
                inner.min.y <= max.y)
                near.push_back(inner.grown.get());
        }
        return near;
    }

private:
    struct Inner {
        GeosPtr grown;
        PlanePoint min, max;
    };
    static constexpr double kCell = 100.0;
    static long long Cell(double v) { return static_cast<long long>(std::floor(v / kCell)); }
    static long long Key(long long cx, long long cy) { return cx * 73856093LL ^ cy * 19349663LL; }

    GEOSContextHandle_t m_h;
    const CLineWidths& m_widths;
    std::vector<Inner> m_inner;
    std::unordered_map<long long, std::vector<std::size_t>> m_cells;
};

// Turns the faces of the network into blocks.
class CFaceBlocks {
public:
    CFaceBlocks(GEOSContextHandle_t h, const StreetFaceLimits& limits, const FaceJudge& judge,
                const CLineWidths& widths, const CInnerLines& inner, std::vector<StreetFace>& faces,
                StreetFaceCounts& counts)
        : m_h(h), m_limits(limits), m_judge(judge), m_widths(widths), m_inner(inner),
          m_faces(faces), m_counts(counts) {}

    void Face(const GEOSGeometry* face) {
        if (PolygonArea(m_h, face) < m_limits.minArea) {
            ++m_counts.tooSmall;
            return;
        }
        for (const GeosPtr& piece : WithoutHoles(m_h, face))
            Piece(piece.get());
    }

private:
    void Piece(const GEOSGeometry* piece) {
        Polyline ring = Outline(piece);
        if (ring.size() < 4 || std::abs(SignedArea(ring)) < m_limits.minArea) {
            ++m_counts.tooSmall;
            return;
        }
        const PlanePoint inside = PointInside(m_h, ring, piece);
        FaceLand land = m_judge(ring, inside, std::abs(SignedArea(ring)));
        if (!land.keep) {
            ++(land.open ? m_counts.tooLarge : m_counts.empty);
            return;
        }
        if (land.built.empty()) {
            Block(piece, std::move(ring), inside);
            return;
        }
        // Open land around a few buildings: only the land near them stays.
        ++m_counts.trimmed;
        std::vector<GEOSGeometry*> grown;
        for (const Polyline& outline : land.built) {
            const GeosPtr polygon(PolygonOf(m_h, outline), GeosDeleter{m_h});
            if (GEOSGeometry* g =
                    polygon ? GEOSBuffer_r(m_h, polygon.get(), m_limits.grow, 2) : nullptr)
                grown.push_back(g);
        }
        if (grown.empty())
            return;
        const GeosPtr all(GEOSGeom_createCollection_r(m_h, GEOS_GEOMETRYCOLLECTION, grown.data(),
                                                      static_cast<unsigned>(grown.size())),
                          GeosDeleter{m_h});
        const GeosPtr merged(all ? GEOSUnaryUnion_r(m_h, all.get()) : nullptr, GeosDeleter{m_h});
        const GeosPtr kept(merged ? GEOSIntersection_r(m_h, piece, merged.get()) : nullptr,
                           GeosDeleter{m_h});
        std::vector<GeosPtr> parts;
        TakePolygons(m_h, kept.get(), parts);
        for (const GeosPtr& part : parts)
            for (const GeosPtr& whole : WithoutHoles(m_h, part.get())) {
                Polyline outline = Outline(whole.get());
                if (outline.size() < 4 || std::abs(SignedArea(outline)) < m_limits.minArea)
                    continue;
                const PlanePoint at = PointInside(m_h, outline, whole.get());
                Block(whole.get(), std::move(outline), at);
            }
    }

    // Closed, counter-clockwise, without the vertices the noding left on
    // straight edges, which only make short edges a mitred offset cannot take.
    Polyline Outline(const GEOSGeometry* polygon) const {
        return SimplifyRing(Normalised(RingPoints(m_h, GEOSGetExteriorRing_r(m_h, polygon))),
                            kRingTolerance);
    }

    // The block that stays of a piece once the streets along it and into it
    // have their room.
    void Block(const GEOSGeometry* piece, Polyline ring, PlanePoint inside) {
        PlanePoint min{ring[0].x, ring[0].y}, max = min;
        for (const PlanePoint& p : ring) {
            min = {std::min(min.x, p.x), std::min(min.y, p.y)};
            max = {std::max(max.x, p.x), std::max(max.y, p.y)};
        }
        std::vector<double> widths(ring.size() - 1);
        for (std::size_t i = 0; i + 1 < ring.size(); ++i)
            widths[i] =
                m_widths.At({(ring[i].x + ring[i + 1].x) / 2, (ring[i].y + ring[i + 1].y) / 2});
        std::vector<const GEOSGeometry*> into;
        for (const GEOSGeometry* line : m_inner.Near(min, max))
            if (GEOSIntersects_r(m_h, piece, line) == 1)
                into.push_back(line);
        if (into.empty()) {
            if (auto shrunk = InsetRing(ring, widths)) {
                if (SignedArea(*shrunk) >= m_limits.minArea)
                    m_faces.push_back({std::move(*shrunk), inside});
                else
                    ++m_counts.tooSmall;
                return;
            }
        }
        // The general way: the piece less the strips along its edges and the
        // lines that run into it.
        std::vector<GEOSGeometry*> strips;
        for (std::size_t i = 0; i + 1 < ring.size(); ++i) {
            if (widths[i] <= 0.0)
                continue;
            const GeosPtr edge(LineOf(m_h, Polyline{ring[i], ring[i + 1]}), GeosDeleter{m_h});
            if (GEOSGeometry* strip = edge ? GEOSBuffer_r(m_h, edge.get(), widths[i], 2) : nullptr)
                strips.push_back(strip);
        }
        for (const GEOSGeometry* line : into)
            strips.push_back(GEOSGeom_clone_r(m_h, line));
        const GeosPtr shape(PolygonOf(m_h, ring), GeosDeleter{m_h});
        GeosPtr rest;
        if (strips.empty()) {
            rest.reset(shape ? GEOSGeom_clone_r(m_h, shape.get()) : nullptr);
        } else {
            const GeosPtr all(GEOSGeom_createCollection_r(m_h, GEOS_GEOMETRYCOLLECTION,
                                                          strips.data(),
                                                          static_cast<unsigned>(strips.size())),
                              GeosDeleter{m_h});
            const GeosPtr merged(all ? GEOSUnaryUnion_r(m_h, all.get()) : nullptr,
                                 GeosDeleter{m_h});
            rest.reset(shape && merged ? GEOSDifference_r(m_h, shape.get(), merged.get())
                                       : nullptr);
        }
        std::vector<GeosPtr> parts;
        TakePolygons(m_h, rest.get(), parts);
        bool any = false;
        for (const GeosPtr& part : parts) {
            const Polyline outline =
                Normalised(RingPoints(m_h, GEOSGetExteriorRing_r(m_h, part.get())));
            if (outline.size() < 4 || SignedArea(outline) < m_limits.minArea)
                continue;
            const PlanePoint at =
                RingContains(outline, inside) ? inside : PointInside(m_h, outline, part.get());
            m_faces.push_back({outline, at});
            any = true;
        }
        if (!any)
            ++m_counts.tooSmall;
    }

    GEOSContextHandle_t m_h;
    const StreetFaceLimits& m_limits;
    const FaceJudge& m_judge;
    const CLineWidths& m_widths;
    const CInnerLines& m_inner;
    std::vector<StreetFace>& m_faces;
    StreetFaceCounts& m_counts;
};

// The lines noded: a union with one of their own points makes every
// crossing, with or without a shared vertex, a vertex of both lines. Null when
// the geometry library could not do it, and also when there is no line to
// node, which `none` tells apart.
GeosPtr NodedLines(GEOSContextHandle_t h, const std::vector<BoundLine>& lines, bool& none) {
    std::vector<GEOSGeometry*> parts;
    parts.reserve(lines.size());
    PlanePoint start;
    for (const BoundLine& bound : lines) {
        const Polyline& line = bound.line;
        if (line.size() < 2)
            continue;
        if (parts.empty())
            start = line.front();
        GEOSGeometry* part = LineOf(h, line);
        if (!part) {
            for (GEOSGeometry* made : parts)
                GEOSGeom_destroy_r(h, made);
            return GeosPtr(nullptr, GeosDeleter{h});
        }
        parts.push_back(part);
    }
    none = parts.empty();
    if (none)
        return GeosPtr(nullptr, GeosDeleter{h});
    const GeosPtr network(GEOSGeom_createCollection_r(h, GEOS_MULTILINESTRING, parts.data(),
                                                      static_cast<unsigned>(parts.size())),
                          GeosDeleter{h});
    const GeosPtr seed(GEOSGeom_createPointFromXY_r(h, start.x, start.y), GeosDeleter{h});
    return GeosPtr(network && seed ? GEOSUnion_r(h, network.get(), seed.get()) : nullptr,
                   GeosDeleter{h});
}

// The union is lines only, unless the network was a single line or came back
// with stray points: only the lines go to the polygonizer. Copies the caller
// owns.
std::vector<GEOSGeometry*> LinesOfUnion(GEOSContextHandle_t h, const GEOSGeometry* noded) {
    std::vector<GEOSGeometry*> edges;
    const int type = GEOSGeomTypeId_r(h, noded);
    if (type == GEOS_LINESTRING) {
        edges.push_back(GEOSGeom_clone_r(h, noded));
    } else if (type == GEOS_MULTILINESTRING || type == GEOS_GEOMETRYCOLLECTION) {
        for (int i = 0; i < GEOSGetNumGeometries_r(h, noded); ++i) {
            const GEOSGeometry* part = GEOSGetGeometryN_r(h, noded, i);
            if (GEOSGeomTypeId_r(h, part) == GEOS_LINESTRING)
                edges.push_back(GEOSGeom_clone_r(h, part));
        }
    }
    return edges;
}

// What the polygonizer makes of the noded edges: the faces, and the lines
// that bound no face (cuts through a face, dead ends), which still take room
// from the blocks they run into.
struct Polygonized {
    GeosPtr faces;
    GeosPtr cuts;
    GeosPtr dangles;
    GeosPtr invalid;
};

// Takes the edges; `faces` is null when the geometry library failed.
Polygonized Polygonize(GEOSContextHandle_t h, std::vector<GEOSGeometry*> edges) {
    const GeosPtr edgeSet(GEOSGeom_createCollection_r(h, GEOS_MULTILINESTRING, edges.data(),
                                                      static_cast<unsigned>(edges.size())),
                          GeosDeleter{h});
    GEOSGeometry* cuts = nullptr;
    GEOSGeometry* dangles = nullptr;
    GEOSGeometry* invalid = nullptr;
    GEOSGeometry* faces =
        edgeSet ? GEOSPolygonize_full_r(h, edgeSet.get(), &cuts, &dangles, &invalid) : nullptr;
    return {GeosPtr(faces, GeosDeleter{h}), GeosPtr(cuts, GeosDeleter{h}),
            GeosPtr(dangles, GeosDeleter{h}), GeosPtr(invalid, GeosDeleter{h})};
}

void BlocksOfFaces(GEOSContextHandle_t h, const std::vector<BoundLine>& lines,
                   const Polygonized& network, const StreetFaceLimits& limits,
                   const FaceJudge& judge, std::vector<StreetFace>& faces,
                   StreetFaceCounts& counts) {
    const CLineWidths widths(lines);
    CInnerLines inner(h, widths);
    inner.Add(network.cuts.get());
    inner.Add(network.dangles.get());
    CFaceBlocks blocks(h, limits, judge, widths, inner, faces, counts);
    for (int i = 0; i < GEOSGetNumGeometries_r(h, network.faces.get()); ++i) {
        const GEOSGeometry* face = GEOSGetGeometryN_r(h, network.faces.get(), i);
        if (GEOSGeomTypeId_r(h, face) == GEOS_POLYGON)
            blocks.Face(face);
    }
}

} // namespace

bool FacesOfStreets(const std::vector<BoundLine>& lines, const StreetFaceLimits& limits,
                    const FaceJudge& judge, std::vector<StreetFace>& faces,
                    StreetFaceCounts& counts, QString& error) {
    const CGeos geos;
    const GEOSContextHandle_t h = geos.Handle();
    bool none = false;
    const GeosPtr noded = NodedLines(h, lines, none);
    if (none)
        return true;
    if (!noded) {
        error = QCoreApplication::translate("GisImport",
                                            "No se pudieron cruzar las líneas de las calles: %1")
                    .arg(geos.LastError());
        return false;
    }
    std::vector<GEOSGeometry*> edges = LinesOfUnion(h, noded.get());
    if (edges.empty())
        return true;
    const Polygonized network = Polygonize(h, std::move(edges));
    if (!network.faces) {
        error = QCoreApplication::translate("GisImport",
                                            "No se pudieron formar las manzanas con las calles: %1")
                    .arg(geos.LastError());
        return false;
    }
    BlocksOfFaces(h, lines, network, limits, judge, faces, counts);
    return true;
}
