#pragma once

// The last stage of an import: the projected features made into the records
// of a map. Blocks are centred on (0,0) and fix where the town is; what lies
// farther than a kilometre from them, or beyond what a map file holds, is left
// out and counted. Streets get their labels, points of interest become
// references, colonies and businesses, routes get their stations, and the
// header comes from the options or the data. Internal to the formats library.

#include "gis_import_run.h"
#include "map_store.h"
#include "town_area.h"

#include <ogr_core.h>

#include <QString>

#include <optional>
#include <utility>
#include <vector>

class CTownBuilder {
public:
    explicit CTownBuilder(CGisImportRun& run) : m_run(run) {}

    // Makes the blocks from their outlines (and zones) and puts the map's
    // origin at `centre` (the town's centre), or else at the centre of the
    // blocks; everything after places itself by it.
    void PlaceBlocks(MapStore& store, const std::vector<std::pair<Polyline, int>>& rings,
                     const std::vector<QString>& zones, std::optional<PlanePoint> centre);
    void MakeStreets(MapStore& store);
    void MakePlaces(MapStore& store);
    void MakeBusinesses(MapStore& store);
    void MakeRoutes(MapStore& store);
    // The header from the options, else from the town and the boundaries
    // around its centre, else from the data's largest place; no part is left
    // empty.
    void MakeHeader(MapStore& store, const TownChoice* town);

    // Where the map's (0,0) lies in the local projection, in map units.
    PlanePoint Centre() const { return {m_dCentreX, m_dCentreY}; }

private:
    bool InTown(PlanePoint p) const;
    // Map units relative to the town's centre; false beyond what a map holds.
    bool ToMap(PlanePoint p, MapPoint& out) const;
    bool ToMapPoints(const Polyline& line, double toleranceUnits, std::vector<MapPoint>& out);
    // Points of one kind inside the town, one per name within a short distance
    // (a school mapped both as a point and as its grounds).
    std::vector<const GisItem*> TownPoints(GisKind kind);

    CGisImportRun& m_run;
    double m_dCentreX = 0.0;
    double m_dCentreY = 0.0;
    OGREnvelope m_town;
};
