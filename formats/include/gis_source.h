#pragma once

// What a GIS source holds, for choosing a preset and for the import dialog's
// table of layers: each layer's name, geometry, feature count, coordinate
// system and fields.

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

class CGisPreset;

enum class GisGeometry { None, Points, Lines, Polygons, Mixed };

struct GisLayerInfo {
    QString name;
    GisGeometry geometry = GisGeometry::None;
    qint64 features = -1;
    QString crs; // empty when the layer does not say
    QStringList fields;
};

struct GisSourceInfo {
    QString path;
    QString driver; // GDAL's short name: "OSM", "ESRI Shapefile", "GPKG", "CSV"...
    QList<GisLayerInfo> layers;
};

// Lists the layers of a source read with the preset's open options (a CSV only
// has points when the preset names its coordinate columns). Counting the
// features of an OpenStreetMap file reads it once; without `count` they stay
// -1 where that would cost a pass over the data. That pass asks `proceed` now
// and then, and stops, leaving the counts at -1, when it says no. False with a
// Spanish message when the file cannot be read or is in no known format.
bool InspectGisSource(const QString& path, const CGisPreset* preset, GisSourceInfo& info,
                      QString& error, bool count = true, const std::function<bool()>& proceed = {});

// The first shipped preset whose signs (driver, layer names, fields, or a layer
// that one of its rules chooses by its fields) one of the sources shows; empty
// when none does.
QString GuessGisPreset(const QList<GisSourceInfo>& sources);

// The name a person reads for a source's layer: the OpenStreetMap reader's
// layers in the program's language ("puntos", "líneas", "relaciones de líneas", "áreas",
// "relaciones"), any other layer by its own name. Rules keep reading the
// reader's own names.
QString GisLayerDisplayName(const QString& driver, const QString& layer);

// "polígonos", "líneas", "puntos", "sin geometría", "mixta".
QString GisGeometryName(GisGeometry geometry);
