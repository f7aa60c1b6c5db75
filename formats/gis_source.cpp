#include "gis_source.h"

#include "gdal_support.h"
#include "gis_preset.h"

#include <ogrsf_frmts.h>

#include <QCoreApplication>
#include <QMap>
#include <QRegularExpression>

namespace {

GisGeometry GeometryOf(OGRwkbGeometryType type) {
    switch (wkbFlatten(type)) {
    case wkbNone:
        return GisGeometry::None;
    case wkbPoint:
    case wkbMultiPoint:
        return GisGeometry::Points;
    case wkbLineString:
    case wkbMultiLineString:
    case wkbCircularString:
    case wkbCompoundCurve:
    case wkbMultiCurve:
        return GisGeometry::Lines;
    case wkbPolygon:
    case wkbMultiPolygon:
    case wkbCurvePolygon:
    case wkbMultiSurface:
        return GisGeometry::Polygons;
    default:
        return GisGeometry::Mixed;
    }
}

bool Matches(const QStringList& globs, const QString& name) {
    for (const QString& glob : globs) {
        const QRegularExpression re(QRegularExpression::wildcardToRegularExpression(glob),
                                    QRegularExpression::CaseInsensitiveOption);
        if (re.match(name).hasMatch())
            return true;
    }
    return false;
}

} // namespace

bool InspectGisSource(const QString& path, const CGisPreset* preset, GisSourceInfo& info,
                      QString& error, bool count, const std::function<bool()>& proceed) {
    const CPresetFiles files(preset);
    GDALDatasetUniquePtr dataset = OpenVectorSource(path, files, error);
    if (!dataset)
        return false;
    CGdalErrorTrap trap;
    info = {};
    info.path = path;
    info.driver = QString::fromUtf8(dataset->GetDriver()->GetDescription());
    const bool streamed = info.driver == QLatin1String("OSM");
    QMap<OGRLayer*, qint64> counts;
    bool counted = count;
    if (streamed && count) {
        // The OpenStreetMap reader builds every layer in one pass over the file.
        dataset->ResetReading();
        OGRLayer* layer = nullptr;
        std::size_t seen = 0;
        while (OGRFeatureUniquePtr feature{
            dataset->GetNextFeature(&layer, nullptr, nullptr, nullptr)}) {
            ++counts[layer];
            if (++seen % 4096 == 0 && proceed && !proceed()) {
                counted = false;
                break;
            }
        }
    }
    for (OGRLayer* layer : dataset->GetLayers()) {
        GisLayerInfo l;
        l.name = QString::fromUtf8(layer->GetName());
        l.geometry = GeometryOf(layer->GetGeomType());
        if (!streamed)
            l.features = layer->GetFeatureCount(count ? TRUE : FALSE);
        else if (counted)
            l.features = counts.value(layer);
        if (const OGRSpatialReference* crs = layer->GetSpatialRef())
            l.crs = DescribeCrs(*crs);
        OGRFeatureDefn* defn = layer->GetLayerDefn();
        for (int i = 0; i < defn->GetFieldCount(); ++i)
            l.fields.append(QString::fromUtf8(defn->GetFieldDefn(i)->GetNameRef()));
        info.layers.append(std::move(l));
    }
    return true;
}

QString GuessGisPreset(const QList<GisSourceInfo>& sources) {
    for (const QString& name : CGisPreset::BuiltinNames()) {
        QString error;
        const auto preset = CGisPreset::Load(name, error);
        if (!preset)
            continue;
        for (const GisSourceInfo& source : sources) {
            if (preset->m_detectDrivers.contains(source.driver, Qt::CaseInsensitive))
                return name;
            for (const GisLayerInfo& layer : source.layers) {
                if (Matches(preset->m_detectLayers, layer.name))
                    return name;
                for (const QString& field : preset->m_detectFields)
                    if (layer.fields.contains(field, Qt::CaseInsensitive))
                        return name;
                // A rule that chooses layers by their fields knows its source
                // whatever the layer is called.
                for (const GisRule& rule : preset->m_rules)
                    if (!rule.layerFields.isEmpty() && rule.MatchesLayer(layer.name, layer.fields))
                        return name;
            }
        }
    }
    return {};
}

QString GisLayerDisplayName(const QString& driver, const QString& layer) {
    if (driver != QLatin1String("OSM"))
        return layer;
    static const std::pair<const char*, const char*> kNames[] = {
        {"points", QT_TRANSLATE_NOOP("GisSource", "puntos")},
        {"lines", QT_TRANSLATE_NOOP("GisSource", "líneas")},
        {"multilinestrings", QT_TRANSLATE_NOOP("GisSource", "relaciones de líneas")},
        {"multipolygons", QT_TRANSLATE_NOOP("GisSource", "áreas")},
        {"other_relations", QT_TRANSLATE_NOOP("GisSource", "relaciones")},
    };
    for (const auto& [gdal, spanish] : kNames)
        if (layer == QLatin1String(gdal))
            return QCoreApplication::translate("GisSource", spanish);
    return layer;
}

QString GisGeometryName(GisGeometry geometry) {
    switch (geometry) {
    case GisGeometry::None:
        return QCoreApplication::translate("GisSource", "sin geometría");
    case GisGeometry::Points:
        return QCoreApplication::translate("GisSource", "puntos");
    case GisGeometry::Lines:
        return QCoreApplication::translate("GisSource", "líneas");
    case GisGeometry::Polygons:
        return QCoreApplication::translate("GisSource", "polígonos");
    case GisGeometry::Mixed:
        break;
    }
    return QCoreApplication::translate("GisSource", "mixta");
}
