#pragma once

// The kinds of file an export writes, in one table for the export itself, its
// dialog and the command-line tool, so that a format is added in one place.

#include <QString>
#include <QStringList>

#include <span>
#include <vector>

struct GisExportFormat {
    const char* suffix; // the file ending that chooses it: "gpkg"
    const char* name;   // as lists and file filters show it: "GeoPackage"
    const char* driver; // GDAL's writer, as the export's messages name it
    bool oneFile;       // every layer in one file; else one file per layer
    bool lonLat;        // longitude and latitude whatever is asked
    bool preferred;     // offered first, and the dialog's starting choice
    std::vector<const char*> datasetOptions;
    std::vector<const char*> layerOptions;
};

// Every format, in the order messages name them.
std::span<const GisExportFormat> GisExportFormats();
// The format a file ending chooses, any case; null when none does.
const GisExportFormat* GisExportFormatOf(const QString& suffix);
// The endings, in table order: geojson, gpkg, shp, kml, csv.
QStringList GisExportSuffixes();
