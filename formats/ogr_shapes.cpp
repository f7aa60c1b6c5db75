#include "ogr_shapes.h"

#include <ogr_api.h>

void CollectLines(const OGRGeometry& geometry, std::vector<Polyline>& lines) {
    const OGRwkbGeometryType type = wkbFlatten(geometry.getGeometryType());
    if (type == wkbLineString || type == wkbLinearRing) {
        const OGRSimpleCurve& line = *geometry.toSimpleCurve();
        Polyline points(static_cast<std::size_t>(line.getNumPoints()));
        for (int i = 0; i < line.getNumPoints(); ++i)
            points[static_cast<std::size_t>(i)] = {line.getX(i), line.getY(i)};
        if (points.size() >= 2)
            lines.push_back(std::move(points));
    } else if (OGR_GT_IsSubClassOf(type, wkbGeometryCollection)) {
        for (const OGRGeometry* part : *geometry.toGeometryCollection())
            CollectLines(*part, lines);
    } else if (type == wkbCircularString || type == wkbCompoundCurve) {
        const std::unique_ptr<OGRGeometry> linear(geometry.getLinearGeometry());
        if (linear)
            CollectLines(*linear, lines);
    }
}

void CollectPolygons(const OGRGeometry& geometry, std::vector<const OGRPolygon*>& polygons,
                     std::vector<std::unique_ptr<OGRGeometry>>& keep) {
    const OGRwkbGeometryType type = wkbFlatten(geometry.getGeometryType());
    if (type == wkbPolygon) {
        polygons.push_back(geometry.toPolygon());
    } else if (type == wkbCurvePolygon || type == wkbMultiSurface) {
        keep.emplace_back(geometry.getLinearGeometry());
        if (keep.back())
            CollectPolygons(*keep.back(), polygons, keep);
    } else if (OGR_GT_IsSubClassOf(type, wkbGeometryCollection)) {
        for (const OGRGeometry* part : *geometry.toGeometryCollection())
            CollectPolygons(*part, polygons, keep);
    }
}

bool IsPolygonal(const OGRGeometry& geometry) {
    return OGR_GT_IsSurface(wkbFlatten(geometry.getGeometryType())) ||
           wkbFlatten(geometry.getGeometryType()) == wkbMultiPolygon ||
           wkbFlatten(geometry.getGeometryType()) == wkbMultiSurface;
}

bool IsLinear(const OGRGeometry& geometry) {
    const OGRwkbGeometryType type = wkbFlatten(geometry.getGeometryType());
    return OGR_GT_IsCurve(type) || type == wkbMultiLineString || type == wkbMultiCurve;
}

std::optional<PlanePoint> RepresentativePoint(const OGRGeometry& geometry) {
    const OGRwkbGeometryType type = wkbFlatten(geometry.getGeometryType());
    if (type == wkbPoint)
        return PlanePoint{geometry.toPoint()->getX(), geometry.toPoint()->getY()};
    if (type == wkbMultiPoint && !geometry.IsEmpty()) {
        const OGRPoint* p = geometry.toMultiPoint()->getGeometryRef(0);
        return PlanePoint{p->getX(), p->getY()};
    }
    if (IsLinear(geometry)) {
        std::vector<Polyline> lines;
        CollectLines(geometry, lines);
        if (lines.empty())
            return std::nullopt;
        return lines.front()[lines.front().size() / 2];
    }
    OGRGeometryH point =
        OGR_G_PointOnSurface(OGRGeometry::ToHandle(const_cast<OGRGeometry*>(&geometry)));
    if (!point)
        return std::nullopt;
    const std::unique_ptr<OGRGeometry> owned(OGRGeometry::FromHandle(point));
    if (owned->IsEmpty() || wkbFlatten(owned->getGeometryType()) != wkbPoint)
        return std::nullopt;
    return PlanePoint{owned->toPoint()->getX(), owned->toPoint()->getY()};
}
