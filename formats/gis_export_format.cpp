#include "gis_export_format.h"

std::span<const GisExportFormat> GisExportFormats() {
    static const GisExportFormat formats[] = {
        {"geojson", "GeoJSON", "GeoJSON", false, true, false, {}, {}},
        {"gpkg", "GeoPackage", "GPKG", true, false, true, {}, {}},
        {"shp", "Shapefile", "ESRI Shapefile", false, false, false, {}, {"ENCODING=UTF-8"}},
        {"kml", "KML", "KML", true, true, false, {"NameField=nombre"}, {}},
        {"csv", "CSV", "CSV", false, false, false, {}, {"GEOMETRY=AS_WKT", "CREATE_CSVT=YES"}},
    };
    return formats;
}

const GisExportFormat* GisExportFormatOf(const QString& suffix) {
    for (const GisExportFormat& format : GisExportFormats())
        if (suffix.compare(QLatin1String(format.suffix), Qt::CaseInsensitive) == 0)
            return &format;
    return nullptr;
}

QStringList GisExportSuffixes() {
    QStringList suffixes;
    for (const GisExportFormat& format : GisExportFormats())
        suffixes.append(QString::fromLatin1(format.suffix));
    return suffixes;
}
