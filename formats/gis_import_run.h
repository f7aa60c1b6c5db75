#pragma once

// What the stages of one import share: the features the rules took, by kind,
// the coordinate systems they come in, what the person should hear about, the
// progress and the failure that stopped it. Internal to the formats library.

#include "color.h"
#include "gis_import.h"
#include "plane_geometry.h"

#include <ogr_geometry.h>
#include <ogr_spatialref.h>

#include <QString>

#include <array>
#include <cstddef>
#include <memory>
#include <optional>
#include <vector>

// A feature a rule took, with the values the rule reads from it.
struct GisItem {
    std::unique_ptr<OGRGeometry> geometry;
    int crs = 0;   // index into CGisImportRun::CrsList()
    int order = 0; // the rule's place in the preset
    QString name;
    QString category;
    QString phone;
    QString comment;
    QString zone;
    QString state;
    QString country;
    QString route;
    int sequence = 0; // Stops: the station's place in its route, when the source says
    double angle = 0.0;
    double halfWidth = -1.0; // streets: metres from the centre line to a block; < 0 the preset's
    int adminLevel = 0;      // places: the boundary's administrative level, 0 for none
    double population = 0.0; // places
    QString placeClass;      // places: city, town, village...
    GisRule::Land land = GisRule::Land::Other;
    int blockType = 1;
    std::optional<Color> color;
    bool bounds = false;
    PlanePoint at; // kinds that are points, once projected
};

class CGisImportRun {
public:
    static constexpr std::size_t kKindCount = static_cast<std::size_t>(GisKind::Places) + 1;
    using ItemLists = std::array<std::vector<GisItem>, kKindCount>;

    CGisImportRun(const CGisPreset& preset, const GisImportOptions& options,
                  const GisProgress& progress, GisImportReport& report)
        : m_preset(preset), m_options(options), m_progress(progress), m_report(report) {}

    const CGisPreset& Preset() const { return m_preset; }
    const GisImportOptions& Options() const { return m_options; }
    GisImportReport& Report() { return m_report; }

    std::vector<GisItem>& Items(GisKind kind) { return m_items[static_cast<std::size_t>(kind)]; }
    ItemLists& AllItems() { return m_items; }

    // The index of `crs` among the systems the items are in; a copy is kept,
    // in longitude-latitude order for geographic ones.
    int CrsIndex(const OGRSpatialReference& crs);
    const std::vector<std::unique_ptr<OGRSpatialReference>>& CrsList() const { return m_crs; }

    // Notes why the import stops; always false, for the caller to return.
    bool Fail(GisImportError kind, const QString& message);
    // Tells the progress callback each new percentage; false (and Cancelled)
    // when the callback says stop.
    bool Tick(int percent);

    GisImportError Error() const { return m_error; }
    const QString& ErrorString() const { return m_strError; }

private:
    const CGisPreset& m_preset;
    const GisImportOptions& m_options;
    const GisProgress& m_progress;
    GisImportReport& m_report;
    ItemLists m_items;
    std::vector<std::unique_ptr<OGRSpatialReference>> m_crs;
    int m_nPercent = -1;
    GisImportError m_error = GisImportError::None;
    QString m_strError;
};
