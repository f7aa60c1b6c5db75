#pragma once

// Reading the values a preset's rules ask of a feature: a field among its
// alternatives, a template of several fields, a table from source values to
// results, and the conditions that pick features. Case and accents never tell
// two values apart. Internal to the formats library.

#include "color.h"
#include "gis_preset.h"

#include <ogr_feature.h>

#include <QString>
#include <QStringList>

#include <optional>
#include <utility>
#include <vector>

// Case and accents taken off: "Típica", "TIPICA" and "típica" are one value.
QString FoldValue(const QString& text);

// A value of a rule, with its field names found in one layer.
struct ResolvedField {
    const GisField* declared = nullptr;   // as the preset gives it
    std::vector<int> indexes;             // the alternatives the layer has, in order
    std::vector<std::vector<int>> groups; // a template's fields
    QStringList literals;                 // a template's text before each field, and after
    std::vector<std::pair<QString, QString>> table; // folded source value -> result
    // The export's CSV put an apostrophe before texts a spreadsheet would run
    // as formulas (and before one that began with an apostrophe): one comes off.
    bool spreadsheetSafe = false;
};

// A condition of a rule, with its field names found in one layer.
struct ResolvedCondition {
    const GisCondition* declared = nullptr; // as the preset gives it
    std::vector<int> indexes;
    QStringList values; // folded
};

QString ReadFieldValue(const OGRFeature& feature, const ResolvedField& field);
bool PassesCondition(const OGRFeature& feature, const ResolvedCondition& condition);

// "#rrggbb", "#rgb" or one of the preset's colour names; nothing for anything else.
std::optional<Color> ParseGisColor(const QString& text, const CGisPreset& preset);
