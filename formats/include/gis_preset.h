#pragma once

// A preset says how the layers of GIS sources become a town: which layer (and
// which features of it) gives each kind of record, which fields give names,
// categories, phones and addresses, and the tables from source values to block
// types and Spanish category names. Presets are JSON: the shipped ones are
// resources (":/formats/presets/NAME.json"), and a person can write their own.
// The import dialog edits the rules directly, so they are plain data.

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QPair>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

// What a rule makes of the features it takes.
enum class GisKind {
    Blocks,     // polygons, one block per outer ring
    Areas,      // polygons that give a type to the blocks made from the street network
    Streets,    // lines: named ones become traced streets and labels; some bound blocks
    Labels,     // points with a text and an angle (a map exported by Veltrix)
    References, // named landmarks
    Colonies,   // named neighbourhoods
    Businesses, // the directory, by category
    Routes,     // bus routes
    Stops,      // named stops, which become the stations of the routes they lie on
    Places,     // the town itself: its name, state and country
};

// The JSON names of the kinds of land, in the order of GisRule::Land
// (the first, for no kind, is empty).
const QStringList& LandNames();

// The JSON names of the kinds ("blocks", "streets", ...) in the order above.
QString GisKindName(GisKind kind);
std::optional<GisKind> GisKindFromName(const QString& name);

// Where a value comes from. `names` are alternatives for the same field across
// editions of a source ("NOMVIAL|NOM_VIAL"): the first one the layer has is
// read. A template ("{nom_vial} {numero_ext}, {nomb_asent}") joins several
// fields, dropping empty ones with the text before them. A table translates the
// value (case and accents ignored); values it does not know become `other`, or
// stay as they are when `other` is unset.
struct GisField {
    enum class Match { Exact, Prefix, Contains };

    QStringList names;
    QString text; // the template, when the value joins several fields
    bool optional = false;
    Match match = Match::Exact;
    QList<QPair<QString, QString>> table; // first match wins
    std::optional<QString> other;

    // Every field the value reads, as the alternatives of each.
    QList<QStringList> FieldGroups() const;
};

// A feature passes when one of the alternative fields has one of `values`; with
// no values, when it has any non-empty value. `negate` turns it around (a
// missing field then passes).
struct GisCondition {
    QStringList fields;
    QStringList values;
    bool negate = false;
};

struct GisRule {
    GisKind kind = GisKind::Blocks;
    // Layer names, case-insensitive, with * ? [...] wildcards; "a|b" for either.
    QString layer;
    // Or else the fields a layer must have ("a|b": either of them) and lack
    // ("!a"), case-insensitive: a layer keeps its fields whatever it is called,
    // a cut-out "16m-morelia" as much as "16m". A layer the name chooses must
    // have what the rule reads; one the fields choose is known to.
    QStringList layerFields;
    QList<GisCondition> where;
    // name, category, phone, comment, type, zone, text, angle, color, route,
    // order, state, country: which ones a kind reads is checked when the preset
    // loads.
    QMap<QString, GisField> fields;
    int blockType = 0;         // Blocks and Areas: a fixed type, 0 when the "type" field says
    bool boundsBlocks = false; // Streets: these lines bound the blocks made from the network
    // Areas: what the land is. Built land (homes, shops, industry) and
    // buildings make a block of the street face that holds them, and a face
    // of open land is cut down to the land around its buildings; a site (a
    // park, a school's grounds, a lake) is a block of its type even with
    // nothing built on it; other areas only give their type to blocks.
    enum class Land { Other, Built, Building, Site };
    Land land = Land::Other;
    QString crs; // for a layer that does not say its coordinate system

    bool MatchesLayer(const QString& layerName, const QStringList& fieldNames) const;
};

class CGisPreset {
public:
    QString m_strName;
    QString m_strDescription;
    QList<GisRule> m_rules;

    // Blocks from the street network, used when no rule gives block polygons.
    bool m_bBlocksFromStreets = true;
    double m_dMinBlockM2 = 20.0;
    double m_dMaxBlockM2 = 250000.0;
    // Half the width of a street: the faces of the network shrink by this much
    // so that streets show between the blocks.
    double m_dStreetHalfWidthM = 5.0;
    // One more label for every stretch this long.
    double m_dLabelSpacingM = 400.0;
    // A stop farther than this from a route's line is not one of its stations.
    double m_dStopDistanceM = 25.0;

    // Open options per GDAL driver ("OSM": ["CONFIG_FILE=preset:osmconf.ini"]);
    // "preset:NAME" stands for a file beside the preset, held in m_files.
    QMap<QString, QStringList> m_openOptions;
    QMap<QString, QByteArray> m_files;
    // Colour names a source may use instead of "#rrggbb".
    QMap<QString, QString> m_colors;
    // How the preset is recognised when none is named: a source read by one of
    // these drivers, a layer matching one of these names, a layer with one of
    // these fields.
    QStringList m_detectDrivers;
    QStringList m_detectLayers;
    QStringList m_detectFields;

    // The presets shipped with Veltrix: "osm", "inegi", "veltrix".
    static QStringList BuiltinNames();
    // A shipped preset by name, or else a preset file. nullptr with a Spanish
    // message when it does not exist or does not hold a valid preset.
    static std::unique_ptr<CGisPreset> Load(const QString& nameOrPath, QString& error);
    // `folder` is where "preset:NAME" files are read from.
    static std::unique_ptr<CGisPreset> FromJson(const QByteArray& json, const QString& folder,
                                                const QString& label, QString& error);
    // The preset as JSON that FromJson reads back (files beside it are not
    // written: the open options keep naming them).
    QByteArray ToJson() const;

    // The rules that read a layer of this name and these fields, in preset order.
    QList<const GisRule*> RulesForLayer(const QString& layerName,
                                        const QStringList& fieldNames) const;
};
