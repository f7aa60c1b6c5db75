#pragma once

// The reading stage of an import: each layer of a source matched with the
// preset's rules, the fields they name found (or the missing one reported by
// name), its coordinate system settled, and the features the rules take kept
// with their values. Internal to the formats library.

#include "gis_field_values.h"
#include "gis_import_run.h"

#include <ogrsf_frmts.h>

#include <QString>

#include <set>
#include <tuple>
#include <vector>

class CPresetFiles;

class CGisSourceReader {
public:
    // Percent of the import's progress spent reading the sources.
    static constexpr int kReadShare = 60;

    explicit CGisSourceReader(CGisImportRun& run) : m_run(run), m_preset(run.Preset()) {}

    // Reads source number `source` of the import's options into the run's items.
    bool Read(int source, const CPresetFiles& files);

private:
    struct RulePlan;
    struct LayerPlan;

    bool ResolveNames(const QStringList& names, OGRFeatureDefn& defn, const QString& label,
                      bool optional, std::vector<int>& indexes);
    bool ResolveField(const GisField& declared, OGRFeatureDefn& defn, const QString& label,
                      ResolvedField& field);
    // `driver` is GDAL's short name for the source's format.
    bool PlanLayer(OGRLayer& layer, const QString& sourceName, const QString& driver,
                   LayerPlan& plan);
    bool TakeFeature(const LayerPlan& plan, const OGRFeature& feature);
    // The part of the rules that OGR SQL can check before a feature is built.
    static QString AttributeFilter(const LayerPlan& plan, OGRFeatureDefn& defn);

    CGisImportRun& m_run;
    const CGisPreset& m_preset;
    // The places without a name already taken, by rule, state and country.
    std::set<std::tuple<int, QString, QString>> m_nameless;
};
