#pragma once

// A town made from GIS sources and written to disk the one way the editor and
// the command-line tool both make it: the import, the overview picture, and
// the map saved atomically with its georeference (TOWN.prj) beside it, both
// files or neither. The picture is drawn by a function the caller gives (the
// renderer's overview, which lies in a layer this library does not reach).

#include "gis_import.h"
#include "map_store.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

// The overview picture of a town as JPEG bytes; empty when it cannot be made.
using GisTownPicture = std::function<std::vector<std::uint8_t>(const MapStore&)>;

struct GisTownResult {
    enum class Stage { Import, Picture, Georeference, Save, Done };

    // Where it stopped: Done when both files are written.
    Stage stage = Stage::Import;
    GisImportError importError = GisImportError::None;
    // In Spanish. For a failed save, the reason alone: callers put the save
    // error's heading above it, as for any other save.
    QString error;
    std::unique_ptr<MapStore> store; // the town as written
    GisImportReport report;

    bool Done() const { return stage == Stage::Done; }
};

// Imports `options.sources` as `preset` says and writes the town to `mapPath`.
// `progress` hears the import's percentages and may cancel it; once the
// import is done the rest cannot be cancelled. On any failure nothing new is
// left on disk and an existing map of that name stays as it was.
GisTownResult MakeGisTown(const CGisPreset& preset, const GisImportOptions& options,
                          const QString& mapPath, const GisTownPicture& picture,
                          const GisProgress& progress = {});

// What was made and what was left out, one line each: the counts, the title
// with the georeference's file, a warning per kind of feature left out or
// repaired, the layers no rule read.
QStringList GisTownSummary(const QString& mapPath, const MapStore& store,
                           const GisImportReport& report);
