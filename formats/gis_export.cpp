#include "gis_export.h"

#include "gdal_support.h"
#include "map_georeference.h"

#include <ogrsf_frmts.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cmath>
#include <cstdio>
#include <map>
#include <numbers>
#include <vector>

namespace {

struct Format {
    const char* suffix;
    const char* driver;
    bool manyLayers;
    bool lonLat; // the format means longitude and latitude
    std::vector<const char*> datasetOptions;
    std::vector<const char*> layerOptions;
};

const Format kFormats[] = {
    {"geojson", "GeoJSON", false, true, {}, {}},
    {"gpkg", "GPKG", true, false, {}, {}},
    {"shp", "ESRI Shapefile", false, false, {}, {"ENCODING=UTF-8"}},
    {"kml", "KML", true, true, {"NameField=nombre"}, {}},
    {"csv", "CSV", false, false, {}, {"GEOMETRY=AS_WKT", "CREATE_CSVT=YES"}},
};

struct Field {
    const char* name;
    OGRFieldType type;
};

// One output layer: its rows hold the geometry in map units and the values as
// texts, which GDAL turns into the field's type.
struct Layer {
    const char* name;
    OGRwkbGeometryType type;
    std::vector<Field> fields;
    struct Row {
        std::unique_ptr<OGRGeometry> geometry;
        QStringList values;
    };
    std::vector<Row> rows;
};

QString Text(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

QString ColorText(Color c) {
    return QStringLiteral("#%1%2%3")
        .arg(c & 0xFF, 2, 16, QLatin1Char('0'))
        .arg((c >> 8) & 0xFF, 2, 16, QLatin1Char('0'))
        .arg((c >> 16) & 0xFF, 2, 16, QLatin1Char('0'));
}

std::unique_ptr<OGRGeometry> PointAt(std::int32_t x, std::int32_t y) {
    return std::make_unique<OGRPoint>(x, y);
}

std::unique_ptr<OGRGeometry> LineOf(const std::vector<MapPoint>& points) {
    if (points.size() < 2)
        return nullptr;
    auto line = std::make_unique<OGRLineString>();
    line->setNumPoints(static_cast<int>(points.size()), FALSE);
    for (std::size_t i = 0; i < points.size(); ++i)
        line->setPoint(static_cast<int>(i), points[i].x, points[i].y);
    return line;
}

std::vector<Layer> LayersOf(const MapStore& store) {
    std::vector<Layer> layers;

    std::map<std::uint32_t, QStringList> zonesOf;
    for (const auto& zone : store.m_listZones)
        for (std::uint32_t id : zone->m_blockIds)
            zonesOf[id].append(Text(zone->m_strName));
    Layer blocks{"manzanas",
                 wkbPolygon,
                 {{"id", OFTInteger}, {"tipo", OFTInteger}, {"zona", OFTString}},
                 {}};
    for (const CmBlock& block : store.m_blocks) {
        const std::span<const FloatPoint> outline = store.Outline(block);
        if (outline.size() < 3)
            continue;
        auto ring = std::make_unique<OGRLinearRing>();
        for (const FloatPoint& p : outline)
            ring->addPoint(p.x, p.y);
        ring->closeRings();
        auto polygon = std::make_unique<OGRPolygon>();
        polygon->addRingDirectly(ring.release());
        blocks.rows.push_back({std::move(polygon),
                               {QString::number(block.m_nId), QString::number(block.m_nType),
                                zonesOf[block.m_nId].join(QStringLiteral(", "))}});
    }
    layers.push_back(std::move(blocks));

    Layer labels{"etiquetas", wkbPoint, {{"texto", OFTString}, {"angulo", OFTReal}}, {}};
    for (const CmStname& label : store.m_labels)
        labels.rows.push_back(
            {PointAt(label.m_x, label.m_y),
             {Text(label.m_strText),
              QString::number(static_cast<double>(label.m_fAngle) * 180.0 / std::numbers::pi, 'g',
                              10)}});
    layers.push_back(std::move(labels));

    Layer streets{"calles", wkbLineString, {{"nombre", OFTString}}, {}};
    for (const auto& street : store.m_listStreets)
        if (auto line = LineOf(street->m_points))
            streets.rows.push_back({std::move(line), {Text(street->m_strName)}});
    layers.push_back(std::move(streets));

    Layer references{"referencias", wkbPoint, {{"nombre", OFTString}}, {}};
    for (const auto& r : store.m_listReferences)
        references.rows.push_back({PointAt(r->m_x, r->m_y), {Text(r->m_strName)}});
    layers.push_back(std::move(references));

    Layer colonies{"colonias", wkbPoint, {{"nombre", OFTString}}, {}};
    for (const auto& c : store.m_listColonies)
        colonies.rows.push_back({PointAt(c->m_x, c->m_y), {Text(c->m_strName)}});
    layers.push_back(std::move(colonies));

    Layer routes{"rutas",
                 wkbLineString,
                 {{"nombre", OFTString}, {"numero", OFTInteger}, {"color", OFTString}},
                 {}};
    Layer stations{"estaciones",
                   wkbPoint,
                   {{"ruta", OFTString}, {"orden", OFTInteger}, {"nombre", OFTString}},
                   {}};
    for (const auto& route : store.m_listRoutes) {
        if (auto line = LineOf(route->m_points))
            routes.rows.push_back({std::move(line),
                                   {Text(route->m_strName), QString::number(route->m_nRouteNo),
                                    ColorText(route->m_crColor)}});
        int order = 0;
        for (const Station& s : route->m_stations)
            stations.rows.push_back(
                {PointAt(s.pt.x, s.pt.y),
                 {Text(route->m_strName), QString::number(++order), Text(s.name)}});
    }
    layers.push_back(std::move(routes));
    layers.push_back(std::move(stations));

    Layer businesses{"negocios",
                     wkbPoint,
                     {{"nombre", OFTString},
                      {"categoria", OFTString},
                      {"telefono", OFTString},
                      {"comentario", OFTString},
                      {"numero", OFTInteger}},
                     {}};
    for (const auto& category : store.m_directory.m_listCategories)
        for (const auto& b : category->m_listBusinesses)
            // A business that was never placed keeps its row without a point.
            businesses.rows.push_back(
                {b->IsDrawable() ? PointAt(b->m_x, b->m_y) : nullptr,
                 {Text(b->m_strName), Text(category->m_strName), Text(b->m_strPhone),
                  Text(b->m_strComments), QString::number(b->m_nBusinessNo)}});
    layers.push_back(std::move(businesses));

    // The header travels as one point at the map's origin, the town's centre,
    // so that an import takes it back as the town's place in every format and
    // puts the origin where it was.
    Layer header{
        "mapa", wkbPoint, {{"pais", OFTString}, {"estado", OFTString}, {"ciudad", OFTString}}, {}};
    if (!store.m_strTown.empty() || !store.m_strState.empty() || !store.m_strCountry.empty())
        header.rows.push_back(
            {std::make_unique<OGRPoint>(0.0, 0.0),
             {Text(store.m_strCountry), Text(store.m_strState), Text(store.m_strTown)}});
    layers.push_back(std::move(header));
    return layers;
}

std::vector<const char*> Terminated(std::vector<const char*> options) {
    options.push_back(nullptr);
    return options;
}

} // namespace

CGisExport::CGisExport(const MapStore& store, QByteArray georeference)
    : m_store(store), m_georeference(std::move(georeference)) {}

QStringList CGisExport::Suffixes() {
    QStringList suffixes;
    for (const Format& f : kFormats)
        suffixes.append(QString::fromLatin1(f.suffix));
    return suffixes;
}

bool CGisExport::Write(const QString& path, const QString& crs) {
    EnsureGdalRegistered();
    CGdalErrorTrap trap;
    m_strError.clear();
    m_warnings.clear();
    m_files.clear();

    const QFileInfo target(path);
    const Format* format = nullptr;
    for (const Format& f : kFormats)
        if (target.suffix().compare(QLatin1String(f.suffix), Qt::CaseInsensitive) == 0)
            format = &f;
    if (!format) {
        m_strError =
            QStringLiteral("No se sabe escribir %1: use .geojson, .gpkg, .shp, .kml o .csv.")
                .arg(path);
        return false;
    }

    std::unique_ptr<OGRSpatialReference> mapCrs;
    if (!m_georeference.isEmpty()) {
        mapCrs = CrsFromWkt(m_georeference);
        if (!mapCrs) {
            m_strError = QStringLiteral("La georreferencia del mapa no es válida.");
            return false;
        }
    }
    QString wanted = crs;
    if (format->lonLat && !crs.isEmpty() && !crs.trimmed().startsWith(QLatin1String("EPSG:4326"))) {
        m_warnings.append(QStringLiteral("Aviso: %1 siempre va en longitud y latitud (EPSG:4326).")
                              .arg(format->driver));
        wanted = QStringLiteral("EPSG:4326");
    }
    if (format->lonLat && wanted.isEmpty() && mapCrs)
        wanted = QStringLiteral("EPSG:4326");
    std::unique_ptr<OGRSpatialReference> outCrs;
    if (!wanted.isEmpty()) {
        outCrs = CrsFromText(wanted);
        if (!outCrs) {
            m_strError =
                QStringLiteral("«%1» no es un sistema de coordenadas conocido.").arg(wanted);
            return false;
        }
        if (!mapCrs) {
            m_strError = QStringLiteral("El mapa no tiene georreferencia: no se puede pasar a %1.")
                             .arg(wanted);
            return false;
        }
    } else if (!mapCrs) {
        if (format->lonLat) {
            m_strError = QStringLiteral("%1 va en longitud y latitud, y el mapa no tiene "
                                        "georreferencia.")
                             .arg(format->driver);
            return false;
        }
        m_warnings.append(QStringLiteral("Aviso: el mapa no tiene georreferencia; las coordenadas "
                                         "quedan en unidades del mapa."));
    }
    // Without a georeference the layers still say what their numbers are: a
    // plane measured in map units, so that no tool takes them for degrees.
    OGRSpatialReference plane;
    plane.SetLocalCS("Veltrix: unidades del mapa");
    plane.SetLinearUnits("Veltrix map unit (2.001555 m)", kMetresPerMapUnit);
    OGRSpatialReference* layerCrs = outCrs ? outCrs.get() : mapCrs ? mapCrs.get() : &plane;
    std::unique_ptr<OGRCoordinateTransformation> transform;
    if (outCrs && !outCrs->IsSame(mapCrs.get())) {
        transform.reset(OGRCreateCoordinateTransformation(mapCrs.get(), outCrs.get()));
        if (!transform) {
            m_strError =
                QStringLiteral("No se pueden pasar las coordenadas del mapa a %1.").arg(wanted);
            return false;
        }
    }

    GDALDriver* driver = GetGDALDriverManager()->GetDriverByName(format->driver);
    if (!driver) {
        m_strError = QStringLiteral("Esta instalación de GDAL no escribe %1.").arg(format->driver);
        return false;
    }
    // Everything is written in a folder beside the output and moved into place
    // at the end, so a failure leaves no half-written file behind.
    const QString folder = target.absolutePath();
    QTemporaryDir work(QDir(folder).filePath(QStringLiteral(".veltrix-export-XXXXXX")));
    if (!work.isValid()) {
        m_strError = QStringLiteral("No se puede escribir en la carpeta %1.").arg(folder);
        return false;
    }

    std::vector<Layer> layers = LayersOf(m_store);
    std::erase_if(layers, [](const Layer& l) {
        return l.rows.empty() && std::string_view(l.name) != "manzanas";
    });
    const QString base = target.completeBaseName();
    const QString suffix = target.suffix();
    std::vector<std::pair<QString, std::vector<Layer*>>> datasets;
    if (format->manyLayers) {
        datasets.push_back({target.fileName(), {}});
        for (Layer& layer : layers)
            datasets.back().second.push_back(&layer);
    } else {
        for (Layer& layer : layers)
            datasets.push_back(
                {QStringLiteral("%1-%2.%3").arg(base, QString::fromLatin1(layer.name), suffix),
                 {&layer}});
    }

    const auto datasetOptions = Terminated(format->datasetOptions);
    const auto layerOptions = Terminated(format->layerOptions);
    for (const auto& [name, contents] : datasets) {
        const QByteArray local = QFile::encodeName(work.filePath(name));
        GDALDatasetUniquePtr dataset(driver->Create(local.constData(), 0, 0, 0, GDT_Unknown,
                                                    const_cast<char**>(datasetOptions.data())));
        if (!dataset) {
            m_strError = QStringLiteral("No se pudo crear %1: %2").arg(name, trap.LastError());
            return false;
        }
        for (Layer* layer : contents) {
            OGRLayer* out = dataset->CreateLayer(layer->name, layerCrs, layer->type,
                                                 const_cast<char**>(layerOptions.data()));
            bool ok = out != nullptr;
            for (std::size_t i = 0; ok && i < layer->fields.size(); ++i) {
                OGRFieldDefn field(layer->fields[i].name, layer->fields[i].type);
                ok = out->CreateField(&field) == OGRERR_NONE;
            }
            // Some drivers put fields of their own first (KML: Name, description).
            std::vector<int> index;
            for (std::size_t i = 0; ok && i < layer->fields.size(); ++i) {
                index.push_back(out->GetLayerDefn()->GetFieldIndex(layer->fields[i].name));
                ok = index.back() >= 0;
            }
            for (auto& row : layer->rows) {
                if (!ok)
                    break;
                OGRFeature feature(out->GetLayerDefn());
                for (qsizetype i = 0; i < row.values.size(); ++i)
                    feature.SetField(index[static_cast<std::size_t>(i)],
                                     row.values[i].toUtf8().constData());
                if (row.geometry) {
                    if (transform && row.geometry->transform(transform.get()) != OGRERR_NONE) {
                        m_strError =
                            QStringLiteral("No se pudo pasar a %1 un elemento de la capa %2.")
                                .arg(wanted, QString::fromLatin1(layer->name));
                        return false;
                    }
                    feature.SetGeometryDirectly(row.geometry.release());
                }
                ok = out->CreateFeature(&feature) == OGRERR_NONE;
            }
            if (!ok) {
                m_strError = QStringLiteral("No se pudo escribir la capa %1 en %2: %3")
                                 .arg(QString::fromLatin1(layer->name), name, trap.LastError());
                return false;
            }
        }
        dataset.reset(); // flushes and closes
        if (!trap.LastError().isEmpty()) {
            m_strError = QStringLiteral("No se pudo escribir %1: %2").arg(name, trap.LastError());
            return false;
        }
        m_files.append(QDir(folder).filePath(name));
    }

    for (const QFileInfo& file : QDir(work.path()).entryInfoList(QDir::Files | QDir::Hidden)) {
        const QByteArray from = QFile::encodeName(file.absoluteFilePath());
        const QByteArray to = QFile::encodeName(QDir(folder).filePath(file.fileName()));
        if (std::rename(from.constData(), to.constData()) != 0) {
            m_strError = QStringLiteral("No se pudo poner %1 en %2.").arg(file.fileName(), folder);
            return false;
        }
    }
    return true;
}
