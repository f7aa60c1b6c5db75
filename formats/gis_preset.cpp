#include "gis_preset.h"

#include "gis_preset_reader.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include <algorithm>

namespace {

const char* const kKindNames[] = {"blocks",   "areas",      "streets", "labels", "references",
                                  "colonies", "businesses", "routes",  "stops",  "places"};

QJsonValue FieldToJson(const GisField& field) {
    const QString source = field.text.isEmpty() ? field.names.join(QLatin1Char('|')) : field.text;
    if (field.table.isEmpty() && !field.other && !field.optional &&
        field.match == GisField::Match::Exact)
        return source;
    QJsonObject object{{QStringLiteral("field"), source}};
    if (!field.table.isEmpty()) {
        QJsonObject table;
        for (const auto& [from, to] : field.table)
            table.insert(from, to);
        object.insert(QStringLiteral("map"), table);
    }
    if (field.match == GisField::Match::Prefix)
        object.insert(QStringLiteral("match"), QStringLiteral("prefix"));
    else if (field.match == GisField::Match::Contains)
        object.insert(QStringLiteral("match"), QStringLiteral("contains"));
    if (field.other)
        object.insert(QStringLiteral("other"), *field.other);
    if (field.optional)
        object.insert(QStringLiteral("optional"), true);
    return object;
}

} // namespace

QString GisKindName(GisKind kind) {
    return QString::fromLatin1(kKindNames[static_cast<int>(kind)]);
}

std::optional<GisKind> GisKindFromName(const QString& name) {
    for (int i = 0; i < static_cast<int>(std::size(kKindNames)); ++i)
        if (name == QLatin1String(kKindNames[i]))
            return static_cast<GisKind>(i);
    return std::nullopt;
}

QList<QStringList> GisField::FieldGroups() const {
    if (text.isEmpty())
        return names.isEmpty() ? QList<QStringList>{} : QList<QStringList>{names};
    QList<QStringList> groups;
    static const QRegularExpression holder(QStringLiteral("\\{([^{}]+)\\}"));
    for (auto it = holder.globalMatch(text); it.hasNext();) {
        QStringList group = it.next().captured(1).split(QLatin1Char('|'), Qt::SkipEmptyParts);
        for (QString& g : group)
            g = g.trimmed();
        groups.append(group);
    }
    return groups;
}

bool GisRule::MatchesLayer(const QString& layerName, const QStringList& fieldNames) const {
    for (const QString& glob : layer.split(QLatin1Char('|'), Qt::SkipEmptyParts))
        if (GisLayerPattern(glob.trimmed()).match(layerName).hasMatch())
            return true;
    if (layerFields.isEmpty())
        return false;
    for (const QString& need : layerFields) {
        const bool absent = need.startsWith(QLatin1Char('!'));
        const QStringList names = need.mid(absent ? 1 : 0).split(QLatin1Char('|'));
        const bool has = std::any_of(names.begin(), names.end(), [&](const QString& name) {
            return fieldNames.contains(name, Qt::CaseInsensitive);
        });
        if (has == absent)
            return false;
    }
    return true;
}

QStringList CGisPreset::BuiltinNames() {
    return {QStringLiteral("osm"), QStringLiteral("inegi"), QStringLiteral("veltrix")};
}

std::unique_ptr<CGisPreset> CGisPreset::Load(const QString& nameOrPath, QString& error) {
    const QString lower = nameOrPath.toLower();
    QString path = nameOrPath;
    QString label = nameOrPath;
    if (BuiltinNames().contains(lower)) {
        path = QStringLiteral(":/formats/presets/%1.json").arg(lower);
        label = lower;
    } else {
        label = QFileInfo(nameOrPath).fileName();
    }
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) {
        error = QCoreApplication::translate(
                    "Preset", "No se puede leer el preajuste «%1»: no es uno de los incluidos (%2) "
                              "ni un archivo que se pueda abrir.")
                    .arg(nameOrPath, BuiltinNames().join(QStringLiteral(", ")));
        return nullptr;
    }
    if (file.size() > kMaxPresetBytes) {
        error = QCoreApplication::translate("Preset", "El preajuste «%1» es demasiado grande.")
                    .arg(label);
        return nullptr;
    }
    return FromJson(file.readAll(), QFileInfo(path).absolutePath(), label, error);
}

std::unique_ptr<CGisPreset> CGisPreset::FromJson(const QByteArray& json, const QString& folder,
                                                 const QString& label, QString& error) {
    return ReadGisPreset(json, folder, label, error);
}

QByteArray CGisPreset::ToJson() const {
    QJsonObject top{{QStringLiteral("name"), m_strName}};
    if (!m_strDescription.isEmpty())
        top.insert(QStringLiteral("description"), m_strDescription);
    top.insert(QStringLiteral("blocks"),
               QJsonObject{{QStringLiteral("from_streets"), m_bBlocksFromStreets},
                           {QStringLiteral("min_area_m2"), m_dMinBlockM2},
                           {QStringLiteral("max_area_m2"), m_dMaxBlockM2},
                           {QStringLiteral("street_half_width_m"), m_dStreetHalfWidthM}});
    top.insert(QStringLiteral("labels"),
               QJsonObject{{QStringLiteral("spacing_m"), m_dLabelSpacingM}});
    top.insert(QStringLiteral("stops"),
               QJsonObject{{QStringLiteral("max_distance_m"), m_dStopDistanceM}});
    if (!m_openOptions.isEmpty()) {
        QJsonObject options;
        for (auto it = m_openOptions.begin(); it != m_openOptions.end(); ++it)
            options.insert(it.key(), QJsonArray::fromStringList(it.value()));
        top.insert(QStringLiteral("open_options"), options);
    }
    if (!m_colors.isEmpty()) {
        QJsonObject colors;
        for (auto it = m_colors.begin(); it != m_colors.end(); ++it)
            colors.insert(it.key(), it.value());
        top.insert(QStringLiteral("colors"), colors);
    }
    QJsonObject detect;
    if (!m_detectDrivers.isEmpty())
        detect.insert(QStringLiteral("drivers"), QJsonArray::fromStringList(m_detectDrivers));
    if (!m_detectLayers.isEmpty())
        detect.insert(QStringLiteral("layers"), QJsonArray::fromStringList(m_detectLayers));
    if (!m_detectFields.isEmpty())
        detect.insert(QStringLiteral("fields"), QJsonArray::fromStringList(m_detectFields));
    if (!detect.isEmpty())
        top.insert(QStringLiteral("detect"), detect);

    QJsonArray rules;
    for (const GisRule& rule : m_rules) {
        QJsonObject object{{QStringLiteral("kind"), GisKindName(rule.kind)}};
        if (!rule.layer.isEmpty())
            object.insert(QStringLiteral("layer"), rule.layer);
        if (!rule.layerFields.isEmpty())
            object.insert(QStringLiteral("fields"), QJsonArray::fromStringList(rule.layerFields));
        if (!rule.where.isEmpty()) {
            QJsonObject where;
            for (const GisCondition& c : rule.where) {
                const QString key = c.fields.join(QLatin1Char('|'));
                const QJsonValue values = c.values.size() == 1
                                              ? QJsonValue(c.values.first())
                                              : QJsonValue(QJsonArray::fromStringList(c.values));
                if (c.values.isEmpty())
                    where.insert(key, !c.negate);
                else if (c.negate)
                    where.insert(key, QJsonObject{{QStringLiteral("not"), values}});
                else
                    where.insert(key, values);
            }
            object.insert(QStringLiteral("where"), where);
        }
        for (auto it = rule.fields.begin(); it != rule.fields.end(); ++it)
            object.insert(it.key(), FieldToJson(it.value()));
        if (rule.blockType != 0)
            object.insert(QStringLiteral("block_type"), rule.blockType);
        if (rule.boundsBlocks)
            object.insert(QStringLiteral("bounds_blocks"), true);
        if (rule.land != GisRule::Land::Other)
            object.insert(QStringLiteral("land"), LandNames().at(static_cast<int>(rule.land)));
        if (!rule.crs.isEmpty())
            object.insert(QStringLiteral("crs"), rule.crs);
        rules.append(object);
    }
    top.insert(QStringLiteral("rules"), rules);
    return QJsonDocument(top).toJson(QJsonDocument::Indented);
}

const QStringList& LandNames() {
    static const QStringList names{QString(), QStringLiteral("built"), QStringLiteral("building"),
                                   QStringLiteral("site")};
    return names;
}

QList<const GisRule*> CGisPreset::RulesForLayer(const QString& layerName,
                                                const QStringList& fieldNames) const {
    QList<const GisRule*> rules;
    for (const GisRule& rule : m_rules)
        if (rule.MatchesLayer(layerName, fieldNames))
            rules.append(&rule);
    return rules;
}
