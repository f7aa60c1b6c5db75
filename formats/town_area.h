#pragma once

// Which part of the sources is the town. An extract holds the town and its
// neighbours: the town is its administrative boundary or place polygon when the
// data has one under the town's name, else a circle around its place node that
// grows with its population and class; an area in longitude and latitude or a
// boundary file chooses it by hand. Everything the import makes is clipped to
// it, and the state and country come from the boundaries that enclose it.
// Internal to the formats library.

#include "gis_import_run.h"

#include <ogr_geometry.h>

#include <QString>

#include <memory>
#include <optional>

// The town as the sources name it: copies of its place node and of its
// boundary or place polygon, as far as the data has them, each in the
// coordinate system of its source until the import projects them.
struct TownChoice {
    std::unique_ptr<OGRGeometry> node;
    int nodeCrs = 0;
    std::unique_ptr<OGRGeometry> polygon;
    int polygonCrs = 0;
    QString name;
    QString placeClass;
    double population = 0.0;
    QString state; // what the place node says of its state and country
    QString country;
};

// The place the import is about: the one named `town` (case and accents
// aside), or without a name the largest place of the data (a city before a
// town, then the most people). Nothing when the data names no such place.
std::optional<TownChoice> ChooseTown(CGisImportRun& run, const QString& town);

// The radius of the town around its place node, in metres, when it has no
// polygon: from its population where the data gives it, else from its class.
double TownRadiusM(double population, const QString& placeClass);

// "lon0,lat0,lon1,lat1" into its corners; false when it is not four numbers
// on the Earth with lon0 < lon1 and lat0 < lat1.
bool ParseTownArea(const QString& text, OGREnvelope& area);

// The polygons of a GIS file (any format GDAL reads), merged, in its own
// coordinate system. Null with a Spanish message.
std::unique_ptr<OGRGeometry>
ReadBoundaryFile(const QString& path, std::unique_ptr<OGRSpatialReference>& crs, QString& error);

// Cuts everything the rules took to `area` (in the local projection, as the
// items are once projected): lines and block polygons are cut at the edge,
// points and areas beyond it are left out and counted.
void ClipToTown(CGisImportRun& run, const OGRGeometry& area);
