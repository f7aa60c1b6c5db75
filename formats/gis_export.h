#pragma once

// Gives a town back to GIS tools: every layer of the map (blocks with their id,
// type and zone; labels; streets; references; colonies; routes and their
// stations; businesses with their category; the header: country, state and
// town) written through GDAL as GeoJSON,
// GeoPackage, Shapefile, KML or CSV, in the map's own coordinate system or any
// other. Formats that hold one layer per file get one file per layer, named
// after the output: "pueblo.shp" gives "pueblo-manzanas.shp", "pueblo-calles.shp"...
// Nothing appears at the output until every file was written.

#include "map_store.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

class CGisExport {
public:
    // `georeference` is the map's coordinate system as WKT (TOWN.prj); empty
    // when the map has none, and the export is then in map units.
    CGisExport(const MapStore& store, QByteArray georeference);

    // Writes the layers. `crs` is the output's coordinate system ("EPSG:4326");
    // empty keeps the map's own, except GeoJSON and KML, which are longitude and
    // latitude by nature. False with ErrorString() in Spanish.
    bool Write(const QString& path, const QString& crs);

    const QString& ErrorString() const { return m_strError; }
    const QStringList& Warnings() const { return m_warnings; }
    // The files written, one per layer or one for all.
    const QStringList& Files() const { return m_files; }

    // The output kinds by their file suffix: geojson, gpkg, shp, kml, csv.
    static QStringList Suffixes();

private:
    const MapStore& m_store;
    QByteArray m_georeference;
    QString m_strError;
    QStringList m_warnings;
    QStringList m_files;
};
