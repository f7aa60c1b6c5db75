#pragma once

// Layers written through GDAL for the import tests, placed by metres from the
// test town's origin, and the imports the tests run.

#include "gis_import.h"
#include "gis_preset.h"

#include <ogrsf_frmts.h>

#include <QString>

#include <memory>
#include <string>
#include <vector>

// Geometries in longitude and latitude, from metres east and north of the origin.
std::unique_ptr<OGRGeometry> PointAt(double east, double north);
std::unique_ptr<OGRGeometry> LineThrough(std::initializer_list<double> eastNorth);
std::unique_ptr<OGRGeometry> PolygonOf(std::initializer_list<double> eastNorth);
// A square block from (x0, y0) to (x1, y1).
std::unique_ptr<OGRGeometry> Square(double x0, double y0, double x1, double y1);

struct TestFeature {
    std::unique_ptr<OGRGeometry> geometry;
    std::vector<std::string> values; // one per field, in order
};

struct TestLayer {
    std::string name;
    OGRwkbGeometryType type = wkbUnknown;
    std::vector<std::string> fields; // all text
    std::vector<TestFeature> features;
};

// Writes the layers with `driver` to `path` ("ESRI Shapefile" to a folder puts
// one file per layer there). `epsg` 0 leaves the layers without a coordinate
// system; the geometries are projected to it otherwise.
void WriteLayers(const QString& driver, const QString& path, int epsg,
                 std::vector<TestLayer>& layers);

// A shipped preset; fails the test when it does not load.
std::unique_ptr<CGisPreset> ShippedPreset(const char* name);

// Runs an import that must work.
std::unique_ptr<MapStore> ImportOk(const CGisPreset& preset, const QStringList& sources,
                                   GisImportReport* report = nullptr, const QString& crs = {});
