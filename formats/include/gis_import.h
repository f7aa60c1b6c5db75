#pragma once

// Makes a town from GIS sources (OpenStreetMap extracts, shapefiles,
// GeoPackage, GeoJSON, KML, CSV) as a preset says: blocks, labels, traced
// streets, references, colonies, the business directory and routes, projected
// into a local transverse Mercator centred on the town, where one map unit is
// 2.001555 m, y points north and the blocks are centred on (0,0). The result is
// a store and its georeference; drawing the overview picture and saving are the
// caller's, so that the editor and the command-line tool save the same way.

#include "gis_preset.h"
#include "map_store.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstddef>
#include <functional>
#include <memory>

struct GisImportOptions {
    QStringList sources{};
    // Header texts; empty ones come from the data, the town at last from the
    // first source's file name.
    QString country{};
    QString state{};
    QString town{};
    // The coordinate system of layers that do not say theirs ("EPSG:32614").
    QString crs{};
    // The part of the sources that is the town, chosen by hand: a rectangle
    // "lon0,lat0,lon1,lat1", or a file of polygons; else the place named
    // `town` (or the largest place) in the data, else everything.
    QString area{};
    QString boundaryFile{};
    // A map of that name the user may not write (mode 0444) is replaced all
    // the same, keeping its mode.
    bool replaceReadOnly = false;
};

// What a person should hear about an import besides its counts.
struct GisImportReport {
    std::size_t repairedRings = 0; // invalid polygons made valid
    std::size_t skippedRings = 0;  // polygons that could not be used
    std::size_t tinyFaces = 0;     // street faces too small or gone when shrunk
    std::size_t hugeFaces = 0;     // street faces too large for a block (the open land)
    std::size_t trimmedFaces = 0;  // street faces of open land, cut down to their built land
    std::size_t emptyFaces = 0;    // street faces with nothing built: open land, the sea
    std::size_t outside = 0;       // features far from the blocks or beyond the map's range
    std::size_t unnamed = 0;       // features that needed a name and had none
    QStringList unusedLayers;      // "source: layer" that no rule reads, as the person reads it
    QString townArea;              // what the map was cut to: "Recortado al límite de Tal."
    QStringList notes;             // what the data lacked and what stands in for it

    // Routes whose pieces no street joins: short pieces left out, and the
    // names of routes made into several.
    std::size_t droppedRouteParts = 0;
    QStringList splitRoutes;
};

enum class GisImportError {
    None,
    Unreadable,   // a source cannot be read or is in no known format
    NoGeometry,   // neither polygons nor street lines to make blocks from
    NoBlocks,     // lines that enclose no block
    MissingCrs,   // a layer without coordinate system and no --crs
    BadCrs,       // a coordinate system GDAL does not know
    BadArea,      // a town area or boundary file that cannot be used
    MissingField, // the preset names a field the layer does not have
    Cancelled,
    Failed, // the geometry library failed
};

// Called with the percentage done (0 to 100, each value once at most); false
// cancels the import.
using GisProgress = std::function<bool(int percent)>;

class CGisImport {
public:
    CGisImport(const CGisPreset& preset, GisImportOptions options);
    ~CGisImport();

    void SetProgress(GisProgress progress) { m_progress = std::move(progress); }

    // The new town, or nullptr with ErrorString() in Spanish, or in English
    // where the editor has installed its English catalogue.
    std::unique_ptr<MapStore> Run();

    GisImportError Error() const { return m_error; }
    const QString& ErrorString() const { return m_strError; }
    // WKT of the map's coordinate system, for TOWN.prj.
    const QByteArray& Georeference() const { return m_georeference; }
    const GisImportReport& Report() const { return m_report; }

private:
    class Impl;

    const CGisPreset& m_preset;
    GisImportOptions m_options;
    GisProgress m_progress;
    GisImportError m_error = GisImportError::None;
    QString m_strError;
    QByteArray m_georeference;
    GisImportReport m_report;
};
