#include "town_area.h"

#include "gdal_support.h"
#include "gis_field_values.h"
#include "ogr_shapes.h"

#include <ogr_api.h>
#include <ogrsf_frmts.h>

#include <QCoreApplication>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

// A city before a town before a village: the class says how sure a place is
// the town a person means.
int ClassRank(const QString& placeClass) {
    static const QStringList order{QStringLiteral("city"),         QStringLiteral("town"),
                                   QStringLiteral("village"),      QStringLiteral("hamlet"),
                                   QStringLiteral("suburb"),       QStringLiteral("quarter"),
                                   QStringLiteral("neighbourhood")};
    const qsizetype rank = order.indexOf(placeClass.trimmed().toLower());
    return rank < 0 ? static_cast<int>(order.size()) : static_cast<int>(rank);
}

bool IsPoint(const GisItem& item) {
    return item.geometry && wkbFlatten(item.geometry->getGeometryType()) == wkbPoint;
}

double AreaOf(const OGRGeometry& geometry) {
    return OGR_G_Area(OGRGeometry::ToHandle(const_cast<OGRGeometry*>(&geometry)));
}

// Is `better` the surer place node of the two?
bool SurerNode(const GisItem& better, const GisItem& than) {
    if (better.order != than.order)
        return better.order < than.order;
    const int a = ClassRank(better.placeClass), b = ClassRank(than.placeClass);
    if (a != b)
        return a < b;
    return better.population > than.population;
}

} // namespace

std::optional<TownChoice> ChooseTown(CGisImportRun& run, const QString& town) {
    const QString wanted = FoldValue(town.trimmed());
    auto named = [&](const GisItem& item) {
        return wanted.isEmpty() || FoldValue(item.name.trimmed()) == wanted;
    };
    const GisItem* node = nullptr;
    for (const GisItem& item : run.Items(GisKind::Places))
        if (IsPoint(item) && named(item) && (!node || SurerNode(item, *node)))
            node = &item;
    const QString name = node ? node->name : town.trimmed();
    if (name.isEmpty())
        return std::nullopt;
    const QString folded = FoldValue(name);
    // The smallest polygon of that name that holds the node: a town's own
    // boundary rather than the district or the country that share its name.
    const GisItem* polygon = nullptr;
    double best = 0.0;
    bool holdsNode = false;
    for (const GisItem& item : run.Items(GisKind::Places)) {
        if (!item.geometry || !IsPolygonal(*item.geometry) ||
            FoldValue(item.name.trimmed()) != folded)
            continue;
        bool holds = false;
        if (node && node->crs == item.crs)
            holds = item.geometry->Contains(node->geometry.get());
        const double size = AreaOf(*item.geometry);
        if (!polygon || (holds && !holdsNode) || (holds == holdsNode && size < best)) {
            polygon = &item;
            best = size;
            holdsNode = holds;
        }
    }
    if (node && polygon && !holdsNode && node->crs == polygon->crs)
        polygon = nullptr; // a namesake somewhere else
    if (!node && !polygon)
        return std::nullopt;
    TownChoice choice;
    if (node) {
        choice.node.reset(node->geometry->clone());
        choice.nodeCrs = node->crs;
        choice.placeClass = node->placeClass;
        choice.population = node->population;
        choice.state = node->state;
        choice.country = node->country;
    }
    if (polygon) {
        choice.polygon.reset(polygon->geometry->clone());
        choice.polygonCrs = polygon->crs;
        if (choice.population <= 0.0)
            choice.population = polygon->population;
    }
    choice.name = node ? name : polygon->name;
    return choice;
}

double TownRadiusM(double population, const QString& placeClass) {
    if (population > 0.0 && std::isfinite(population)) {
        // A circle as large as the town would be at 3,000 people a square
        // kilometre, which holds the built-up land of most towns.
        const double r = 1000.0 * std::sqrt(population / (std::numbers::pi * 3000.0));
        return std::clamp(r, 300.0, 20000.0);
    }
    static const double byClass[] = {5000.0, 2000.0, 1000.0, 400.0, 1000.0, 700.0, 400.0};
    const int rank = ClassRank(placeClass);
    return rank < static_cast<int>(std::size(byClass)) ? byClass[rank] : 1000.0;
}

bool ParseTownArea(const QString& text, OGREnvelope& area) {
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 4)
        return false;
    double v[4];
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        v[i] = parts[i].trimmed().toDouble(&ok);
        if (!ok || !std::isfinite(v[i]))
            return false;
    }
    if (v[0] >= v[2] || v[1] >= v[3] || v[0] < -180 || v[2] > 180 || v[1] < -89 || v[3] > 89)
        return false;
    area.MinX = v[0], area.MinY = v[1], area.MaxX = v[2], area.MaxY = v[3];
    return true;
}

std::unique_ptr<OGRGeometry>
ReadBoundaryFile(const QString& path, std::unique_ptr<OGRSpatialReference>& crs, QString& error) {
    EnsureGdalRegistered();
    CGdalErrorTrap trap;
    const GDALDatasetUniquePtr dataset(GDALDataset::Open(
        path.toUtf8().constData(), GDAL_OF_VECTOR | GDAL_OF_READONLY, nullptr, nullptr, nullptr));
    if (!dataset) {
        error =
            QCoreApplication::translate("GisImport", "No se puede leer el límite del pueblo %1.")
                .arg(path);
        return nullptr;
    }
    auto merged = std::make_unique<OGRMultiPolygon>();
    for (OGRLayer* layer : dataset->GetLayers()) {
        for (const OGRFeatureUniquePtr& feature : *layer) {
            const OGRGeometry* geometry = feature->GetGeometryRef();
            if (!geometry || !IsPolygonal(*geometry))
                continue;
            if (!crs && layer->GetSpatialRef()) {
                crs = std::make_unique<OGRSpatialReference>(*layer->GetSpatialRef());
                crs->SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
            }
            std::vector<const OGRPolygon*> polygons;
            std::vector<std::unique_ptr<OGRGeometry>> keep;
            CollectPolygons(*geometry, polygons, keep);
            for (const OGRPolygon* polygon : polygons)
                merged->addGeometry(polygon);
        }
    }
    if (merged->IsEmpty()) {
        error = QCoreApplication::translate(
                    "GisImport", "%1 no tiene ningún polígono que sirva de límite del pueblo.")
                    .arg(path);
        return nullptr;
    }
    if (!crs) {
        error = QCoreApplication::translate(
                    "GisImport", "El límite del pueblo %1 no dice su sistema de coordenadas.")
                    .arg(path);
        return nullptr;
    }
    std::unique_ptr<OGRGeometry> area(merged->UnionCascaded());
    if (!area || area->IsEmpty()) {
        std::unique_ptr<OGRGeometry> valid(merged->MakeValid());
        area.reset(valid ? valid->UnionCascaded() : nullptr);
    }
    if (!area || area->IsEmpty()) {
        error = QCoreApplication::translate("GisImport", "Los polígonos de %1 no forman un límite.")
                    .arg(path);
        return nullptr;
    }
    return area;
}

void ClipToTown(CGisImportRun& run, const OGRGeometry& area) {
    OGRPreparedGeometryUniquePtr prepared(
        OGRCreatePreparedGeometry(OGRGeometry::ToHandle(const_cast<OGRGeometry*>(&area))));
    if (!prepared)
        return;
    OGREnvelope box;
    area.getEnvelope(&box);
    auto relation = [&](const OGRGeometry& g, bool& inside) {
        OGREnvelope e;
        g.getEnvelope(&e);
        inside = false;
        if (!box.Intersects(e))
            return false;
        OGRGeometryH handle = OGRGeometry::ToHandle(const_cast<OGRGeometry*>(&g));
        if (OGRPreparedGeometryContains(prepared.get(), handle)) {
            inside = true;
            return true;
        }
        return OGRPreparedGeometryIntersects(prepared.get(), handle) != 0;
    };
    GisImportReport& report = run.Report();
    for (GisKind kind : {GisKind::Blocks, GisKind::Streets, GisKind::Routes}) {
        std::erase_if(run.Items(kind), [&](GisItem& item) {
            bool inside = false;
            if (!relation(*item.geometry, inside)) {
                ++report.outside;
                return true;
            }
            if (inside)
                return false;
            std::unique_ptr<OGRGeometry> cut(item.geometry->Intersection(&area));
            if (!cut || cut->IsEmpty()) {
                ++report.outside;
                return true;
            }
            item.geometry = std::move(cut);
            return false;
        });
    }
    std::erase_if(run.Items(GisKind::Areas), [&](GisItem& item) {
        bool inside = false;
        return !relation(*item.geometry, inside);
    });
    for (GisKind kind : {GisKind::Labels, GisKind::References, GisKind::Colonies,
                         GisKind::Businesses, GisKind::Stops}) {
        std::erase_if(run.Items(kind), [&](GisItem& item) {
            OGRPoint point(item.at.x, item.at.y);
            if (OGRPreparedGeometryContains(prepared.get(), OGRGeometry::ToHandle(&point)))
                return false;
            ++report.outside;
            return true;
        });
    }
}
