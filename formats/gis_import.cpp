#include "gis_import.h"

#include "block_rings.h"
#include "gdal_support.h"
#include "gis_import_run.h"
#include "gis_source_reader.h"
#include "map_georeference.h"
#include "ogr_shapes.h"
#include "town_area.h"
#include "town_builder.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <algorithm>
#include <cmath>

namespace {

std::unique_ptr<OGRSpatialReference> LocalProjection(const OGRSpatialReference& geographic,
                                                     double lon, double lat, double eastUnits,
                                                     double northUnits) {
    auto local = std::make_unique<OGRSpatialReference>();
    local->SetProjCS("Veltrix: transversa de Mercator local");
    local->CopyGeogCSFrom(&geographic);
    local->SetLinearUnits("Veltrix map unit (2.001555 m)", kMetresPerMapUnit);
    // GDAL takes the false origin in metres whatever the unit.
    local->SetTM(lat, lon, 1.0, eastUnits * kMetresPerMapUnit, northUnits * kMetresPerMapUnit);
    local->SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    return local;
}

} // namespace

// Reads the sources, finds the town in them, projects what the rules took into
// a transverse Mercator centred on the town, cuts it to the town and has the
// blocks and the other records made.
class CGisImport::Impl {
public:
    Impl(CGisImportRun& run, QByteArray& georeference) : m_run(run), m_georeference(georeference) {}

    std::unique_ptr<MapStore> Run() {
        EnsureGdalRegistered();
        CGdalErrorTrap trap;
        const CPresetFiles files(&m_run.Preset());
        CGisSourceReader reader(m_run);
        for (int s = 0; s < m_run.Options().sources.size(); ++s)
            if (!reader.Read(s, files))
                return nullptr;
        if (!CheckSomethingToBuild() || !ChooseArea() || !Project() || !CutToTown() ||
            !m_run.Tick(CGisSourceReader::kReadShare + 5))
            return nullptr;
        std::vector<std::pair<Polyline, int>> rings;
        std::vector<QString> zones;
        if (!MakeBlockRings(m_run, rings, zones) || !m_run.Tick(85))
            return nullptr;

        auto store = std::make_unique<MapStore>();
        CTownBuilder builder(m_run);
        builder.PlaceBlocks(*store, rings, zones, m_centre);
        builder.MakeStreets(*store);
        if (!m_run.Tick(92))
            return nullptr;
        builder.MakePlaces(*store);
        builder.MakeBusinesses(*store);
        builder.MakeRoutes(*store);
        builder.MakeHeader(*store, m_town ? &*m_town : nullptr);
        if (!MakeGeoreference(builder.Centre()) || !m_run.Tick(100))
            return nullptr;
        return store;
    }

private:
    bool CheckSomethingToBuild() {
        const bool polygons = !m_run.Items(GisKind::Blocks).empty();
        const bool lines =
            m_run.Preset().m_bBlocksFromStreets &&
            std::any_of(m_run.Items(GisKind::Streets).begin(), m_run.Items(GisKind::Streets).end(),
                        [](const GisItem& i) { return i.bounds; });
        if (polygons || lines)
            return true;
        return m_run.Fail(GisImportError::NoGeometry,
                          QCoreApplication::translate(
                              "GisImport",
                              "Las fuentes no tienen polígonos de manzanas ni líneas de calles "
                              "de donde sacarlas."));
    }

    // The town: given by hand as an area or a boundary file, else found in
    // the data by its name.
    bool ChooseArea() {
        const GisImportOptions& options = m_run.Options();
        if (!options.area.isEmpty()) {
            if (!ParseTownArea(options.area, m_lonLatArea))
                return m_run.Fail(GisImportError::BadArea,
                                  QCoreApplication::translate(
                                      "GisImport", "«%1» no es un área lon0,lat0,lon1,lat1 en "
                                                   "grados.")
                                      .arg(options.area));
            m_bHandArea = true;
        } else if (!options.boundaryFile.isEmpty()) {
            QString error;
            m_boundary = ReadBoundaryFile(options.boundaryFile, m_boundaryCrs, error);
            if (!m_boundary)
                return m_run.Fail(GisImportError::BadArea, error);
        }
        m_town = ChooseTown(m_run, options.town);
        if (!options.town.isEmpty() && !m_town && !m_bHandArea && !m_boundary)
            m_run.Report().notes.append(
                QCoreApplication::translate(
                    "GisImport", "«%1» no está en los datos como lugar: el mapa abarca todas "
                                 "las fuentes.")
                    .arg(options.town));
        return true;
    }

    bool Project() {
        const auto& crsList = m_run.CrsList();
        // The projection is centred on the town when it is known, else on
        // what makes the blocks.
        std::vector<OGREnvelope> extents(crsList.size());
        std::vector<bool> has(crsList.size(), false);
        auto add = [&](const OGRGeometry& geometry, int crs) {
            OGREnvelope box;
            geometry.getEnvelope(&box);
            extents[static_cast<std::size_t>(crs)].Merge(box);
            has[static_cast<std::size_t>(crs)] = true;
        };
        if (m_boundary) {
            m_boundaryCrsIndex = m_run.CrsIndex(*m_boundaryCrs);
            extents.resize(crsList.size());
            has.resize(crsList.size(), false);
            add(*m_boundary, m_boundaryCrsIndex);
        } else if (m_town && !m_bHandArea) {
            if (m_town->polygon)
                add(*m_town->polygon, m_town->polygonCrs);
            else
                add(*m_town->node, m_town->nodeCrs);
        } else if (!m_bHandArea) {
            const bool polygons = !m_run.Items(GisKind::Blocks).empty();
            for (const GisItem& item : m_run.Items(polygons ? GisKind::Blocks : GisKind::Streets))
                if (polygons || item.bounds)
                    add(*item.geometry, item.crs);
        }
        const OGRSpatialReference* firstCrs = nullptr;
        for (std::size_t i = 0; i < crsList.size() && !firstCrs; ++i)
            if (has[i] || m_bHandArea)
                firstCrs = crsList[i].get();
        m_geographic = std::make_unique<OGRSpatialReference>();
        if (!firstCrs || m_geographic->CopyGeogCSFrom(firstCrs) != OGRERR_NONE)
            return m_run.Fail(
                GisImportError::BadCrs,
                QCoreApplication::translate(
                    "GisImport", "El sistema de coordenadas de las fuentes no tiene datum."));
        m_geographic->SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
        OGREnvelope lonlat = m_lonLatArea;
        for (std::size_t i = 0; i < crsList.size() && !m_bHandArea; ++i) {
            if (!has[i])
                continue;
            const std::unique_ptr<OGRCoordinateTransformation> ct(
                OGRCreateCoordinateTransformation(crsList[i].get(), m_geographic.get()));
            double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
            if (!ct || !ct->TransformBounds(extents[i].MinX, extents[i].MinY, extents[i].MaxX,
                                            extents[i].MaxY, &x0, &y0, &x1, &y1, 21))
                return m_run.Fail(GisImportError::BadCrs,
                                  QCoreApplication::translate(
                                      "GisImport",
                                      "No se pueden pasar las coordenadas de %1 a longitud y "
                                      "latitud.")
                                      .arg(DescribeCrs(*crsList[i])));
            OGREnvelope box;
            box.MinX = x0, box.MinY = y0, box.MaxX = x1, box.MaxY = y1;
            lonlat.Merge(box);
        }
        m_dLon = (lonlat.MinX + lonlat.MaxX) / 2;
        m_dLat = (lonlat.MinY + lonlat.MaxY) / 2;
        if (!std::isfinite(m_dLon) || !std::isfinite(m_dLat) || std::abs(m_dLat) > 89.0)
            return m_run.Fail(
                GisImportError::BadCrs,
                QCoreApplication::translate(
                    "GisImport", "Las coordenadas de las fuentes no están en la Tierra."));
        m_local = LocalProjection(*m_geographic, m_dLon, m_dLat, 0.0, 0.0);

        std::vector<std::unique_ptr<OGRCoordinateTransformation>> toLocal;
        for (const auto& crs : crsList)
            toLocal.emplace_back(OGRCreateCoordinateTransformation(crs.get(), m_local.get()));
        if (m_boundary &&
            m_boundary->transform(toLocal[static_cast<std::size_t>(m_boundaryCrsIndex)].get()) !=
                OGRERR_NONE)
            return m_run.Fail(GisImportError::BadArea,
                              QCoreApplication::translate(
                                  "GisImport", "El límite del pueblo no se puede proyectar."));
        if (m_town) {
            auto project = [&](std::unique_ptr<OGRGeometry>& g, int crs) {
                if (g && g->transform(toLocal[static_cast<std::size_t>(crs)].get()) != OGRERR_NONE)
                    g.reset();
            };
            project(m_town->node, m_town->nodeCrs);
            project(m_town->polygon, m_town->polygonCrs);
        }
        for (auto& items : m_run.AllItems()) {
            std::erase_if(items, [&](GisItem& item) {
                OGRCoordinateTransformation* ct = toLocal[static_cast<std::size_t>(item.crs)].get();
                if (!ct || item.geometry->transform(ct) != OGRERR_NONE) {
                    ++m_run.Report().outside;
                    return true;
                }
                return false;
            });
        }
        for (GisKind kind : {GisKind::Labels, GisKind::References, GisKind::Colonies,
                             GisKind::Businesses, GisKind::Stops, GisKind::Places}) {
            std::erase_if(m_run.Items(kind), [&](GisItem& item) {
                const auto p = RepresentativePoint(*item.geometry);
                // The places keep their shapes: the town's boundary cuts the
                // map, and the boundaries around it give the state and country.
                if (kind != GisKind::Places)
                    item.geometry.reset();
                if (!p)
                    ++m_run.Report().outside;
                else
                    item.at = *p;
                return !p;
            });
        }
        return true;
    }

    // Cuts the sources to the town and puts the map's origin at its centre.
    bool CutToTown() {
        std::unique_ptr<OGRGeometry> area;
        const OGRPoint* node =
            m_town && m_town->node ? dynamic_cast<const OGRPoint*>(m_town->node.get()) : nullptr;
        GisImportReport& report = m_run.Report();
        if (m_bHandArea) {
            OGRLinearRing ring;
            ring.addPoint(m_lonLatArea.MinX, m_lonLatArea.MinY);
            ring.addPoint(m_lonLatArea.MaxX, m_lonLatArea.MinY);
            ring.addPoint(m_lonLatArea.MaxX, m_lonLatArea.MaxY);
            ring.addPoint(m_lonLatArea.MinX, m_lonLatArea.MaxY);
            ring.closeRings();
            auto polygon = std::make_unique<OGRPolygon>();
            polygon->addRing(&ring);
            polygon->segmentize(0.001);
            polygon->assignSpatialReference(m_geographic.get());
            const std::unique_ptr<OGRCoordinateTransformation> ct(
                OGRCreateCoordinateTransformation(m_geographic.get(), m_local.get()));
            if (!ct || polygon->transform(ct.get()) != OGRERR_NONE)
                return m_run.Fail(GisImportError::BadArea,
                                  QCoreApplication::translate(
                                      "GisImport", "El área del pueblo no se puede proyectar."));
            polygon->assignSpatialReference(nullptr);
            area = std::move(polygon);
            report.townArea = QCoreApplication::translate("GisImport", "Recortado al área %1.")
                                  .arg(m_run.Options().area);
        } else if (m_boundary) {
            area = std::move(m_boundary);
            report.townArea = QCoreApplication::translate("GisImport", "Recortado al límite de %1.")
                                  .arg(QFileInfo(m_run.Options().boundaryFile).fileName());
        } else if (m_town && m_town->polygon) {
            area = std::move(m_town->polygon);
            report.townArea = QCoreApplication::translate("GisImport", "Recortado al límite de %1.")
                                  .arg(m_town->name);
        } else if (node && (!m_town->placeClass.isEmpty() || m_town->population > 0.0)) {
            const double radius = TownRadiusM(m_town->population, m_town->placeClass);
            area.reset(node->Buffer(radius / kMetresPerMapUnit, 16));
            report.townArea =
                QCoreApplication::translate("GisImport", "Recortado a %1 m alrededor de %2.")
                    .arg(std::lround(radius))
                    .arg(m_town->name);
        }
        if (!area) {
            // A place without a class or people to size the town by (a map's
            // own header point) only says where the town's centre is.
            if (node)
                m_centre = PlanePoint{node->getX(), node->getY()};
            return true;
        }
        if (!area->IsValid()) {
            std::unique_ptr<OGRGeometry> valid(area->MakeValid());
            if (valid && !valid->IsEmpty())
                area = std::move(valid);
        }
        ClipToTown(m_run, *area);
        // The town's edge bounds the blocks it cuts.
        GisItem edge;
        std::unique_ptr<OGRGeometry> outline(area->Boundary());
        if (outline) {
            edge.geometry = std::move(outline);
            edge.bounds = true;
            edge.halfWidth = 0.0;
            edge.order = -1;
            m_run.Items(GisKind::Streets).push_back(std::move(edge));
        }
        OGREnvelope box;
        area->getEnvelope(&box);
        m_centre = PlanePoint{(box.MinX + box.MaxX) / 2, (box.MinY + box.MaxY) / 2};
        if (node && area->Contains(node))
            m_centre = PlanePoint{node->getX(), node->getY()};
        return true;
    }

    bool MakeGeoreference(PlanePoint centre) {
        const auto crs = LocalProjection(*m_geographic, m_dLon, m_dLat, -centre.x, -centre.y);
        char* wkt = nullptr;
        if (crs->exportToWkt(&wkt) != OGRERR_NONE || !wkt) {
            CPLFree(wkt);
            return m_run.Fail(GisImportError::Failed,
                              QCoreApplication::translate(
                                  "GisImport", "No se pudo escribir la georreferencia del mapa."));
        }
        m_georeference = QByteArray(wkt);
        CPLFree(wkt);
        return true;
    }

    CGisImportRun& m_run;
    QByteArray& m_georeference;
    std::unique_ptr<OGRSpatialReference> m_geographic;
    std::unique_ptr<OGRSpatialReference> m_local;
    std::optional<TownChoice> m_town;
    OGREnvelope m_lonLatArea;
    bool m_bHandArea = false;
    std::unique_ptr<OGRGeometry> m_boundary;
    std::unique_ptr<OGRSpatialReference> m_boundaryCrs;
    int m_boundaryCrsIndex = 0;
    std::optional<PlanePoint> m_centre;
    double m_dLon = 0.0;
    double m_dLat = 0.0;
};

CGisImport::CGisImport(const CGisPreset& preset, GisImportOptions options)
    : m_preset(preset), m_options(std::move(options)) {}

CGisImport::~CGisImport() = default;

std::unique_ptr<MapStore> CGisImport::Run() {
    m_error = GisImportError::None;
    m_strError.clear();
    m_georeference.clear();
    m_report = {};
    if (m_options.sources.isEmpty()) {
        m_error = GisImportError::Unreadable;
        m_strError =
            QCoreApplication::translate("GisImport", "No se indicó ninguna fuente de datos.");
        return nullptr;
    }
    CGisImportRun run(m_preset, m_options, m_progress, m_report);
    std::unique_ptr<MapStore> store = Impl(run, m_georeference).Run();
    m_error = run.Error();
    m_strError = run.ErrorString();
    return store;
}
