#include "block_rings.h"

#include <QCoreApplication>

#include "area_index.h"
#include "map_georeference.h"
#include "ogr_shapes.h"
#include "street_network.h"

#include <algorithm>
#include <optional>

namespace {

// How far a building's land reaches around it where the face around it is
// open land: a yard and a driveway.
constexpr double kBuiltReachM = 15.0;

// The areas that give blocks a type (built land without a type gives none).
CAreaIndex AreaIndexOf(CGisImportRun& run) {
    CAreaIndex areas;
    for (const GisItem& item : run.Items(GisKind::Areas))
        if (item.blockType > 0)
            areas.Add(*item.geometry, item.blockType);
    return areas;
}

// The buildings and built land of the data, for telling the faces of the network that are
// part of the town from the open land and the sea around it.
class CBuiltLand {
public:
    explicit CBuiltLand(CGisImportRun& run) {
        std::vector<PlanePoint> points;
        for (const GisItem& item : run.Items(GisKind::Areas)) {
            if (item.land == GisRule::Land::Site && item.blockType > 0)
                m_sites.Add(*item.geometry, item.blockType);
            if (item.land != GisRule::Land::Built && item.land != GisRule::Land::Building)
                continue;
            if (item.land == GisRule::Land::Built) {
                m_areas.Add(*item.geometry, 1);
                continue;
            }
            std::vector<const OGRPolygon*> polygons;
            std::vector<std::unique_ptr<OGRGeometry>> keep;
            CollectPolygons(*item.geometry, polygons, keep);
            for (const OGRPolygon* polygon : polygons) {
                const OGRLinearRing* exterior = polygon->getExteriorRing();
                if (!exterior || exterior->getNumPoints() < 4)
                    continue;
                Polyline ring;
                for (int i = 0; i < exterior->getNumPoints(); ++i)
                    ring.push_back({exterior->getX(i), exterior->getY(i)});
                if (SignedArea(ring) < 0.0)
                    std::reverse(ring.begin(), ring.end());
                OGREnvelope box;
                exterior->getEnvelope(&box);
                points.push_back({(box.MinX + box.MaxX) / 2, (box.MinY + box.MaxY) / 2});
                m_outlines.push_back(std::move(ring));
            }
        }
        m_grid.emplace(points, 50.0);
        m_points = std::move(points);
    }

    // Whether the face (`ring`, with `inside` inside it) is part of the town,
    // and when it is larger than `cutArea`, the built land it should be cut to.
    FaceLand Judge(const Polyline& ring, PlanePoint inside, double area, double cutArea) const {
        FaceLand land;
        // Data that maps no buildings (streets and land use only, as many
        // towns are mapped) cannot tell a yard from a field: every face short
        // of open-land size is a block.
        if (m_points.empty()) {
            land.keep = area <= cutArea || m_sites.TypeAt(inside) > 0;
            land.open = !land.keep;
            return land;
        }
        if (m_sites.TypeAt(inside) > 0) {
            land.keep = true;
            return land;
        }
        const bool withinBuilt = m_areas.TypeAt(inside) > 0;
        OGREnvelope box;
        for (const PlanePoint& p : ring)
            box.Merge(p.x, p.y);
        std::vector<std::size_t> held;
        m_grid->Visit(box.MinX, box.MinY, box.MaxX, box.MaxY, [&](std::size_t i) {
            if (RingContains(ring, m_points[i]))
                held.push_back(i);
        });
        land.keep = withinBuilt || !held.empty();
        // Where the buildings are mapped, a face too large for a block holds
        // open land (a hillside, a field) besides them, whatever land use
        // covers it; where they are not, the land use is all there is.
        if (area > cutArea)
            for (std::size_t i : held)
                land.built.push_back(m_outlines[i]);
        return land;
    }

private:
    CAreaIndex m_sites;
    CAreaIndex m_areas;
    std::vector<Polyline> m_outlines;
    std::vector<PlanePoint> m_points;
    std::optional<CPointGrid> m_grid;
};

// Blocks as the faces of the lines that bound land: streets of every class,
// railways, water and the town's edge, kept where the town is built or the
// data names a site, each sitting back from the lines around it.
bool BlocksFromStreets(CGisImportRun& run, std::vector<std::pair<Polyline, int>>& rings,
                       std::vector<QString>& zones) {
    GisImportReport& report = run.Report();
    const CGisPreset& preset = run.Preset();
    const double defaultWidth = preset.m_dStreetHalfWidthM / kMetresPerMapUnit;
    std::vector<BoundLine> lines;
    for (const GisItem& item : run.Items(GisKind::Streets)) {
        if (!item.bounds)
            continue;
        std::vector<Polyline> parts;
        CollectLines(*item.geometry, parts);
        const double width =
            item.halfWidth >= 0.0 ? item.halfWidth / kMetresPerMapUnit : defaultWidth;
        for (Polyline& part : parts)
            lines.push_back({std::move(part), width});
    }
    // A park, a school's grounds or a lake is a block of its own.
    for (const GisItem& item : run.Items(GisKind::Areas)) {
        if (item.land != GisRule::Land::Site)
            continue;
        std::vector<Polyline> outlines;
        CollectLines(*item.geometry, outlines);
        for (Polyline& outline : outlines)
            lines.push_back({std::move(outline), 0.0});
    }
    const double unit2 = kMetresPerMapUnit * kMetresPerMapUnit;
    const StreetFaceLimits limits{preset.m_dMinBlockM2 / unit2, preset.m_dMaxBlockM2 / unit2,
                                  kBuiltReachM / kMetresPerMapUnit};
    const CBuiltLand built(run);
    const FaceJudge judge = [&](const Polyline& ring, PlanePoint inside, double area) {
        return built.Judge(ring, inside, area, limits.maxArea);
    };
    std::vector<StreetFace> faces;
    StreetFaceCounts counts;
    QString error;
    if (!FacesOfStreets(lines, limits, judge, faces, counts, error))
        return run.Fail(GisImportError::Failed, error);
    report.tinyFaces += counts.tooSmall;
    report.hugeFaces += counts.tooLarge;
    report.emptyFaces += counts.empty;
    report.trimmedFaces += counts.trimmed;
    if (faces.empty())
        return run.Fail(
            GisImportError::NoBlocks,
            QCoreApplication::translate("GisImport",
                                        "Las calles de las fuentes no encierran ninguna manzana."));
    const CAreaIndex areas = AreaIndexOf(run);
    for (StreetFace& face : faces) {
        const int type = areas.Empty() ? 0 : areas.TypeAt(face.inside);
        rings.emplace_back(std::move(face.ring), type > 0 ? type : 1);
        zones.emplace_back();
    }
    return true;
}

} // namespace

bool MakeBlockRings(CGisImportRun& run, std::vector<std::pair<Polyline, int>>& rings,
                    std::vector<QString>& zones) {
    GisImportReport& report = run.Report();
    if (!run.Items(GisKind::Blocks).empty()) {
        for (GisItem& item : run.Items(GisKind::Blocks)) {
            std::unique_ptr<OGRGeometry> geometry = std::move(item.geometry);
            if (!geometry->IsValid()) {
                std::unique_ptr<OGRGeometry> valid(geometry->MakeValid());
                if (!valid || valid->IsEmpty()) {
                    ++report.skippedRings;
                    continue;
                }
                ++report.repairedRings;
                geometry = std::move(valid);
            }
            std::vector<const OGRPolygon*> polygons;
            std::vector<std::unique_ptr<OGRGeometry>> keep;
            CollectPolygons(*geometry, polygons, keep);
            for (const OGRPolygon* polygon : polygons) {
                const OGRLinearRing* exterior = polygon->getExteriorRing();
                Polyline ring;
                if (exterior)
                    for (int i = 0; i < exterior->getNumPoints(); ++i)
                        ring.push_back({exterior->getX(i), exterior->getY(i)});
                if (ring.size() < 4 || SignedArea(ring) == 0.0) {
                    ++report.skippedRings;
                    continue;
                }
                rings.emplace_back(std::move(ring), item.blockType);
                zones.push_back(item.zone);
            }
        }
        if (rings.empty())
            return run.Fail(GisImportError::NoBlocks,
                            QCoreApplication::translate(
                                "GisImport", "Ningún polígono de las fuentes sirve de manzana."));
        // Blocks of the plain type take the type of the area (a park, a
        // school's grounds) they lie in.
        const CAreaIndex areas = AreaIndexOf(run);
        if (!areas.Empty()) {
            for (auto& [ring, type] : rings) {
                if (type != 1)
                    continue;
                OGRLinearRing outline;
                for (const PlanePoint& p : ring)
                    outline.addPoint(p.x, p.y);
                OGRPolygon polygon;
                polygon.addRing(&outline);
                if (const auto inside = RepresentativePoint(polygon)) {
                    const int area = areas.TypeAt(*inside);
                    type = area > 0 ? area : type;
                }
            }
        }
        return true;
    }

    return BlocksFromStreets(run, rings, zones);
}
