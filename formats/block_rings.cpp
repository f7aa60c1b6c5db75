#include "block_rings.h"

#include "area_index.h"
#include "map_georeference.h"
#include "ogr_shapes.h"
#include "street_network.h"

namespace {

CAreaIndex AreaIndexOf(CGisImportRun& run) {
    CAreaIndex areas;
    for (const GisItem& item : run.Items(GisKind::Areas))
        areas.Add(*item.geometry, item.blockType);
    return areas;
}

} // namespace

bool MakeBlockRings(CGisImportRun& run, std::vector<std::pair<Polyline, int>>& rings,
                    std::vector<QString>& zones) {
    GisImportReport& report = run.Report();
    const CGisPreset& preset = run.Preset();
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
                            QStringLiteral("Ningún polígono de las fuentes sirve de manzana."));
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

    std::vector<Polyline> lines;
    for (const GisItem& item : run.Items(GisKind::Streets))
        if (item.bounds)
            CollectLines(*item.geometry, lines);
    const double unit2 = kMetresPerMapUnit * kMetresPerMapUnit;
    const StreetFaceLimits limits{preset.m_dMinBlockM2 / unit2, preset.m_dMaxBlockM2 / unit2,
                                  preset.m_dStreetHalfWidthM / kMetresPerMapUnit};
    std::vector<StreetFace> faces;
    StreetFaceCounts counts;
    QString error;
    if (!FacesOfStreets(lines, limits, faces, counts, error))
        return run.Fail(GisImportError::Failed, error);
    report.tinyFaces += counts.tooSmall;
    report.hugeFaces += counts.tooLarge;
    if (faces.empty())
        return run.Fail(GisImportError::NoBlocks,
                        QStringLiteral("Las calles de las fuentes no encierran ninguna manzana."));
    const CAreaIndex areas = AreaIndexOf(run);
    for (StreetFace& face : faces) {
        const int type = areas.Empty() ? 0 : areas.TypeAt(face.inside);
        rings.emplace_back(std::move(face.ring), type > 0 ? type : 1);
        zones.emplace_back();
    }
    return true;
}
