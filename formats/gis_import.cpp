#include "gis_import.h"

#include "block_rings.h"
#include "gdal_support.h"
#include "gis_import_run.h"
#include "gis_source_reader.h"
#include "map_georeference.h"
#include "ogr_shapes.h"
#include "town_builder.h"

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

// Reads the sources, projects what the rules took into a transverse Mercator
// centred on the town, and has the blocks and the other records made.
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
        if (!CheckSomethingToBuild() || !Project() || !m_run.Tick(CGisSourceReader::kReadShare + 5))
            return nullptr;
        std::vector<std::pair<Polyline, int>> rings;
        std::vector<QString> zones;
        if (!MakeBlockRings(m_run, rings, zones) || !m_run.Tick(85))
            return nullptr;

        auto store = std::make_unique<MapStore>();
        CTownBuilder builder(m_run);
        builder.PlaceBlocks(*store, rings, zones);
        builder.MakeStreets(*store);
        if (!m_run.Tick(92))
            return nullptr;
        builder.MakePlaces(*store);
        builder.MakeBusinesses(*store);
        builder.MakeRoutes(*store);
        builder.MakeHeader(*store);
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
        return m_run.Fail(
            GisImportError::NoGeometry,
            QStringLiteral("Las fuentes no tienen polígonos de manzanas ni líneas de calles "
                           "de donde sacarlas."));
    }

    bool Project() {
        const auto& crsList = m_run.CrsList();
        // The town's extent is that of what makes its blocks.
        const bool polygons = !m_run.Items(GisKind::Blocks).empty();
        std::vector<OGREnvelope> extents(crsList.size());
        std::vector<bool> has(crsList.size(), false);
        for (const GisItem& item : m_run.Items(polygons ? GisKind::Blocks : GisKind::Streets)) {
            if (!polygons && !item.bounds)
                continue;
            OGREnvelope box;
            item.geometry->getEnvelope(&box);
            extents[static_cast<std::size_t>(item.crs)].Merge(box);
            has[static_cast<std::size_t>(item.crs)] = true;
        }
        const OGRSpatialReference* firstCrs = nullptr;
        for (std::size_t i = 0; i < crsList.size() && !firstCrs; ++i)
            if (has[i])
                firstCrs = crsList[i].get();
        m_geographic = std::make_unique<OGRSpatialReference>();
        if (m_geographic->CopyGeogCSFrom(firstCrs) != OGRERR_NONE)
            return m_run.Fail(
                GisImportError::BadCrs,
                QStringLiteral("El sistema de coordenadas de las fuentes no tiene datum."));
        m_geographic->SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
        OGREnvelope lonlat;
        for (std::size_t i = 0; i < crsList.size(); ++i) {
            if (!has[i])
                continue;
            const std::unique_ptr<OGRCoordinateTransformation> ct(
                OGRCreateCoordinateTransformation(crsList[i].get(), m_geographic.get()));
            double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
            if (!ct || !ct->TransformBounds(extents[i].MinX, extents[i].MinY, extents[i].MaxX,
                                            extents[i].MaxY, &x0, &y0, &x1, &y1, 21))
                return m_run.Fail(
                    GisImportError::BadCrs,
                    QStringLiteral("No se pueden pasar las coordenadas de %1 a longitud y "
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
                QStringLiteral("Las coordenadas de las fuentes no están en la Tierra."));
        const auto local = LocalProjection(*m_geographic, m_dLon, m_dLat, 0.0, 0.0);

        std::vector<std::unique_ptr<OGRCoordinateTransformation>> toLocal;
        for (const auto& crs : crsList)
            toLocal.emplace_back(OGRCreateCoordinateTransformation(crs.get(), local.get()));
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

    bool MakeGeoreference(PlanePoint centre) {
        const auto crs = LocalProjection(*m_geographic, m_dLon, m_dLat, -centre.x, -centre.y);
        char* wkt = nullptr;
        if (crs->exportToWkt(&wkt) != OGRERR_NONE || !wkt) {
            CPLFree(wkt);
            return m_run.Fail(GisImportError::Failed,
                              QStringLiteral("No se pudo escribir la georreferencia del mapa."));
        }
        m_georeference = QByteArray(wkt);
        CPLFree(wkt);
        return true;
    }

    CGisImportRun& m_run;
    QByteArray& m_georeference;
    std::unique_ptr<OGRSpatialReference> m_geographic;
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
        m_strError = QStringLiteral("No se indicó ninguna fuente de datos.");
        return nullptr;
    }
    CGisImportRun run(m_preset, m_options, m_progress, m_report);
    std::unique_ptr<MapStore> store = Impl(run, m_georeference).Run();
    m_error = run.Error();
    m_strError = run.ErrorString();
    return store;
}
