#include "gis_preset_reader.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>

namespace {

// The value fields each kind reads, and the one it cannot do without.
struct KindRoles {
    QStringList roles;
    QString required;
};

KindRoles RolesOf(GisKind kind) {
    switch (kind) {
    case GisKind::Blocks:
        return {{QStringLiteral("type"), QStringLiteral("zone")}, {}};
    case GisKind::Areas:
        return {{QStringLiteral("type")}, {}};
    case GisKind::Streets:
        return {{QStringLiteral("name"), QStringLiteral("width")}, {}};
    case GisKind::Labels:
        return {{QStringLiteral("text"), QStringLiteral("angle")}, QStringLiteral("text")};
    case GisKind::References:
    case GisKind::Colonies:
        return {{QStringLiteral("name")}, QStringLiteral("name")};
    case GisKind::Businesses:
        return {{QStringLiteral("name"), QStringLiteral("category"), QStringLiteral("phone"),
                 QStringLiteral("comment")},
                QStringLiteral("name")};
    case GisKind::Routes:
        return {{QStringLiteral("name"), QStringLiteral("color")}, QStringLiteral("name")};
    case GisKind::Stops:
        return {{QStringLiteral("name"), QStringLiteral("route"), QStringLiteral("order")},
                QStringLiteral("name")};
    case GisKind::Places:
        // A place may give only the state or the country (a state layer, the
        // state's code on every block); the check is in ReadRule.
        return {{QStringLiteral("name"), QStringLiteral("state"), QStringLiteral("country"),
                 QStringLiteral("level"), QStringLiteral("population"), QStringLiteral("class")},
                {}};
    }
    return {};
}

const QStringList& RuleKeys() {
    static const QStringList keys{QStringLiteral("kind"),       QStringLiteral("layer"),
                                  QStringLiteral("fields"),     QStringLiteral("where"),
                                  QStringLiteral("block_type"), QStringLiteral("bounds_blocks"),
                                  QStringLiteral("crs"),        QStringLiteral("land")};
    return keys;
}

// Reading one preset; every failure names the preset and where in it.
class PresetReader {
public:
    PresetReader(QString label, QString folder)
        : m_strLabel(std::move(label)), m_strFolder(std::move(folder)) {}

    std::unique_ptr<CGisPreset> Read(const QByteArray& json, QString& error) {
        QJsonParseError parse{};
        const QJsonDocument doc = QJsonDocument::fromJson(json, &parse);
        if (parse.error != QJsonParseError::NoError) {
            error = QCoreApplication::translate(
                        "Preset", "El preajuste «%1» no es JSON válido: %2 (posición %3).")
                        .arg(m_strLabel, parse.errorString())
                        .arg(parse.offset);
            return nullptr;
        }
        if (!doc.isObject()) {
            Fail(QCoreApplication::translate("Preset", "debe ser un objeto JSON"));
            error = m_strError;
            return nullptr;
        }
        auto preset = std::make_unique<CGisPreset>();
        if (!ReadTop(doc.object(), *preset)) {
            error = m_strError;
            return nullptr;
        }
        return preset;
    }

private:
    bool Fail(const QString& what) {
        m_strError = QCoreApplication::translate("Preset", "El preajuste «%1» no es válido: %2.")
                         .arg(m_strLabel, what);
        return false;
    }

    bool CheckKeys(const QJsonObject& object, const QStringList& allowed, const QString& where) {
        for (auto it = object.begin(); it != object.end(); ++it) {
            if (!allowed.contains(it.key())) {
                Fail(QCoreApplication::translate("Preset", "clave desconocida «%1» %2")
                         .arg(it.key(), where));
                return false;
            }
        }
        return true;
    }

    bool ReadString(const QJsonObject& object, const QString& key, QString& out,
                    const QString& where) {
        const QJsonValue v = object.value(key);
        if (v.isUndefined())
            return true;
        if (!v.isString()) {
            Fail(
                QCoreApplication::translate("Preset", "«%1» %2 debe ser un texto").arg(key, where));
            return false;
        }
        out = v.toString();
        return true;
    }

    bool ReadStringList(const QJsonValue& v, QStringList& out, const QString& what) {
        if (v.isUndefined())
            return true;
        if (v.isString()) {
            out = {v.toString()};
            return true;
        }
        if (!v.isArray()) {
            Fail(QCoreApplication::translate("Preset", "%1 debe ser un texto o una lista de textos")
                     .arg(what));
            return false;
        }
        out.clear();
        for (const QJsonValue item : v.toArray()) {
            if (!item.isString()) {
                Fail(QCoreApplication::translate("Preset", "%1 debe ser una lista de textos")
                         .arg(what));
                return false;
            }
            out.append(item.toString());
        }
        return true;
    }

    bool ReadPositive(const QJsonObject& object, const QString& key, double& out,
                      const QString& where) {
        const QJsonValue v = object.value(key);
        if (v.isUndefined())
            return true;
        if (!v.isDouble() || !std::isfinite(v.toDouble()) || v.toDouble() <= 0.0) {
            Fail(QCoreApplication::translate("Preset", "«%1» %2 debe ser un número mayor que cero")
                     .arg(key, where));
            return false;
        }
        out = v.toDouble();
        return true;
    }

    bool ReadTop(const QJsonObject& top, CGisPreset& preset) {
        if (!CheckKeys(top,
                       {QStringLiteral("name"), QStringLiteral("description"),
                        QStringLiteral("rules"), QStringLiteral("blocks"), QStringLiteral("labels"),
                        QStringLiteral("stops"), QStringLiteral("open_options"),
                        QStringLiteral("colors"), QStringLiteral("detect")},
                       QCoreApplication::translate("Preset", "en el nivel superior")))
            return false;
        preset.m_strName = m_strLabel;
        return ReadString(top, QStringLiteral("name"), preset.m_strName, {}) &&
               ReadString(top, QStringLiteral("description"), preset.m_strDescription, {}) &&
               ReadBlocks(top.value(QStringLiteral("blocks")), preset) &&
               ReadSpacings(top, preset) &&
               ReadOpenOptions(top.value(QStringLiteral("open_options")), preset) &&
               ReadColors(top.value(QStringLiteral("colors")), preset) &&
               ReadDetect(top.value(QStringLiteral("detect")), preset) &&
               ReadRules(top.value(QStringLiteral("rules")), preset);
    }

    bool ReadBlocks(const QJsonValue& blocks, CGisPreset& preset) {
        if (blocks.isUndefined())
            return true;
        if (!blocks.isObject())
            return Fail(QCoreApplication::translate("Preset", "«blocks» debe ser un objeto"));
        const QJsonObject b = blocks.toObject();
        const QString where = QCoreApplication::translate("Preset", "en «blocks»");
        if (!CheckKeys(b,
                       {QStringLiteral("from_streets"), QStringLiteral("min_area_m2"),
                        QStringLiteral("max_area_m2"), QStringLiteral("street_half_width_m")},
                       where))
            return false;
        const QJsonValue from = b.value(QStringLiteral("from_streets"));
        if (!from.isUndefined() && !from.isBool())
            return Fail(
                QCoreApplication::translate("Preset", "«from_streets» debe ser true o false"));
        preset.m_bBlocksFromStreets = from.toBool(true);
        if (!ReadPositive(b, QStringLiteral("min_area_m2"), preset.m_dMinBlockM2, where) ||
            !ReadPositive(b, QStringLiteral("max_area_m2"), preset.m_dMaxBlockM2, where) ||
            !ReadPositive(b, QStringLiteral("street_half_width_m"), preset.m_dStreetHalfWidthM,
                          where))
            return false;
        if (preset.m_dMinBlockM2 >= preset.m_dMaxBlockM2)
            return Fail(QCoreApplication::translate(
                "Preset", "«min_area_m2» debe ser menor que «max_area_m2»"));
        return true;
    }

    // The objects that each hold one distance: labels' spacing, stops' reach.
    bool ReadSpacings(const QJsonObject& top, CGisPreset& preset) {
        for (const auto& [key, sub, target] :
             {std::tuple{QStringLiteral("labels"), QStringLiteral("spacing_m"),
                         &preset.m_dLabelSpacingM},
              std::tuple{QStringLiteral("stops"), QStringLiteral("max_distance_m"),
                         &preset.m_dStopDistanceM}}) {
            const QJsonValue v = top.value(key);
            if (v.isUndefined())
                continue;
            if (!v.isObject())
                return Fail(
                    QCoreApplication::translate("Preset", "«%1» debe ser un objeto").arg(key));
            const QString where = QCoreApplication::translate("Preset", "en «%1»").arg(key);
            if (!CheckKeys(v.toObject(), {sub}, where) ||
                !ReadPositive(v.toObject(), sub, *target, where))
                return false;
        }
        return true;
    }

    bool ReadColors(const QJsonValue& colors, CGisPreset& preset) {
        if (colors.isUndefined())
            return true;
        if (!colors.isObject())
            return Fail(QCoreApplication::translate("Preset", "«colors» debe ser un objeto"));
        static const QRegularExpression hex(QStringLiteral("^#[0-9a-fA-F]{6}$"));
        const QJsonObject c = colors.toObject();
        for (auto it = c.begin(); it != c.end(); ++it) {
            if (!it.value().isString() || !hex.match(it.value().toString()).hasMatch())
                return Fail(QCoreApplication::translate(
                                "Preset", "el color «%1» debe escribirse como \"#rrggbb\"")
                                .arg(it.key()));
            preset.m_colors.insert(it.key().toCaseFolded(), it.value().toString());
        }
        return true;
    }

    bool ReadDetect(const QJsonValue& detect, CGisPreset& preset) {
        if (detect.isUndefined())
            return true;
        if (!detect.isObject())
            return Fail(QCoreApplication::translate("Preset", "«detect» debe ser un objeto"));
        const QJsonObject d = detect.toObject();
        return CheckKeys(
                   d,
                   {QStringLiteral("drivers"), QStringLiteral("layers"), QStringLiteral("fields")},
                   QCoreApplication::translate("Preset", "en «detect»")) &&
               ReadStringList(d.value(QStringLiteral("drivers")), preset.m_detectDrivers,
                              QStringLiteral("«detect.drivers»")) &&
               ReadStringList(d.value(QStringLiteral("layers")), preset.m_detectLayers,
                              QStringLiteral("«detect.layers»")) &&
               ReadStringList(d.value(QStringLiteral("fields")), preset.m_detectFields,
                              QStringLiteral("«detect.fields»"));
    }

    bool ReadRules(const QJsonValue& rules, CGisPreset& preset) {
        if (!rules.isArray() || rules.toArray().isEmpty())
            return Fail(
                QCoreApplication::translate("Preset", "falta la lista de reglas («rules»)"));
        int index = 0;
        for (const QJsonValue rule : rules.toArray()) {
            ++index;
            GisRule parsed;
            if (!ReadRule(rule, index, parsed))
                return false;
            preset.m_rules.append(std::move(parsed));
        }
        return true;
    }

    bool ReadOpenOptions(const QJsonValue& value, CGisPreset& preset) {
        if (value.isUndefined())
            return true;
        if (!value.isObject())
            return Fail(QCoreApplication::translate("Preset", "«open_options» debe ser un objeto"));
        const QJsonObject options = value.toObject();
        for (auto it = options.begin(); it != options.end(); ++it) {
            QStringList list;
            if (!ReadStringList(it.value(), list,
                                QStringLiteral("«open_options.%1»").arg(it.key())))
                return false;
            for (const QString& option : list) {
                const qsizetype eq = option.indexOf(QLatin1Char('='));
                if (eq <= 0)
                    return Fail(QCoreApplication::translate(
                                    "Preset", "la opción «%1» debe tener la forma NOMBRE=VALOR")
                                    .arg(option));
                const QString v = option.mid(eq + 1);
                if (v.startsWith(QLatin1String("preset:")) && !ReadPresetFile(v.mid(7), preset))
                    return false;
            }
            preset.m_openOptions.insert(it.key().toUpper(), list);
        }
        return true;
    }

    bool ReadPresetFile(const QString& name, CGisPreset& preset) {
        if (name.isEmpty() || name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')) ||
            name.startsWith(QLatin1Char('.')))
            return Fail(QCoreApplication::translate(
                            "Preset", "«preset:%1» debe nombrar un archivo junto al preajuste")
                            .arg(name));
        QFile file(QDir(m_strFolder).filePath(name));
        if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxPresetBytes)
            return Fail(
                QCoreApplication::translate("Preset", "no se puede leer el archivo «%1» que nombra")
                    .arg(name));
        preset.m_files.insert(name, file.readAll());
        return true;
    }

    bool ReadField(const QJsonValue& value, const QString& role, const QString& where,
                   GisField& field) {
        auto fromText = [&](const QString& text) {
            if (text.contains(QLatin1Char('{'))) {
                static const QRegularExpression holder(QStringLiteral("\\{([^{}]+)\\}"));
                if (!holder.match(text).hasMatch())
                    return Fail(QCoreApplication::translate(
                                    "Preset", "la plantilla «%1» %2 no nombra ningún campo")
                                    .arg(text, where));
                field.text = text;
                return true;
            }
            field.names = text.split(QLatin1Char('|'), Qt::SkipEmptyParts);
            for (QString& n : field.names)
                n = n.trimmed();
            if (field.names.isEmpty())
                return Fail(QCoreApplication::translate("Preset", "«%1» %2 no nombra ningún campo")
                                .arg(role, where));
            return true;
        };
        if (value.isString())
            return fromText(value.toString());
        if (!value.isObject())
            return Fail(QCoreApplication::translate(
                            "Preset", "«%1» %2 debe ser un nombre de campo o un objeto")
                            .arg(role, where));
        const QJsonObject object = value.toObject();
        const QString inner = QCoreApplication::translate("Preset", "en «%1» %2").arg(role, where);
        if (!CheckKeys(object,
                       {QStringLiteral("field"), QStringLiteral("map"), QStringLiteral("match"),
                        QStringLiteral("other"), QStringLiteral("optional")},
                       inner))
            return false;
        const QJsonValue name = object.value(QStringLiteral("field"));
        if (!name.isString())
            return Fail(QCoreApplication::translate("Preset", "falta «field» %1").arg(inner));
        if (!fromText(name.toString()))
            return false;
        const QString match =
            object.value(QStringLiteral("match")).toString(QStringLiteral("exact"));
        if (match == QLatin1String("exact"))
            field.match = GisField::Match::Exact;
        else if (match == QLatin1String("prefix"))
            field.match = GisField::Match::Prefix;
        else if (match == QLatin1String("contains"))
            field.match = GisField::Match::Contains;
        else
            return Fail(QCoreApplication::translate("Preset",
                                                    "«match» %1 debe ser exact, prefix o contains")
                            .arg(inner));
        auto scalar = [](const QJsonValue& v, QString& out) {
            if (v.isString())
                out = v.toString();
            else if (v.isDouble() && v.toDouble() == std::floor(v.toDouble()))
                out = QString::number(static_cast<qint64>(v.toDouble()));
            else
                return false;
            return true;
        };
        const QJsonValue map = object.value(QStringLiteral("map"));
        if (!map.isUndefined()) {
            if (!map.isObject())
                return Fail(QCoreApplication::translate("Preset", "«map» %1 debe ser un objeto")
                                .arg(inner));
            const QJsonObject table = map.toObject();
            for (auto it = table.begin(); it != table.end(); ++it) {
                QString out;
                if (!scalar(it.value(), out))
                    return Fail(QCoreApplication::translate(
                                    "Preset", "el valor de «%1» %2 debe ser un texto o un entero")
                                    .arg(it.key(), inner));
                field.table.append({it.key(), out});
            }
        }
        const QJsonValue other = object.value(QStringLiteral("other"));
        if (!other.isUndefined() && !other.isNull()) {
            QString out;
            if (!scalar(other, out))
                return Fail(QCoreApplication::translate("Preset",
                                                        "«other» %1 debe ser un texto o un entero")
                                .arg(inner));
            field.other = out;
        }
        const QJsonValue optional = object.value(QStringLiteral("optional"));
        if (!optional.isUndefined() && !optional.isBool())
            return Fail(QCoreApplication::translate("Preset", "«optional» %1 debe ser true o false")
                            .arg(inner));
        field.optional = optional.toBool(false);
        if (role == QLatin1String("type")) {
            QStringList types;
            for (const auto& entry : field.table)
                types.append(entry.second);
            if (field.other)
                types.append(*field.other);
            for (const QString& t : types) {
                bool ok = false;
                const int n = t.toInt(&ok);
                if (!ok || n < 1 || n > 6)
                    return Fail(QCoreApplication::translate(
                                    "Preset", "el tipo de manzana «%1» %2 no está entre 1 y 6")
                                    .arg(t, inner));
            }
        }
        return true;
    }

    bool ReadCondition(const QString& key, const QJsonValue& value, const QString& where,
                       GisCondition& condition) {
        condition.fields.clear();
        for (const QString& f : key.split(QLatin1Char('|'))) {
            if (!f.trimmed().isEmpty())
                condition.fields << f.trimmed();
        }
        if (condition.fields.isEmpty())
            return Fail(
                QCoreApplication::translate("Preset", "una condición %1 no nombra ningún campo")
                    .arg(where));
        const QString what =
            QCoreApplication::translate("Preset", "la condición «%1» %2").arg(key, where);
        if (value.isBool()) {
            condition.negate = !value.toBool();
            return true;
        }
        QJsonValue values = value;
        if (value.isObject()) {
            const QJsonObject object = value.toObject();
            if (object.size() != 1 || !object.contains(QStringLiteral("not")))
                return Fail(QCoreApplication::translate("Preset", "%1 solo admite {\"not\": ...}")
                                .arg(what));
            condition.negate = true;
            values = object.value(QStringLiteral("not"));
        }
        if (!ReadStringList(values, condition.values, what))
            return false;
        if (condition.values.isEmpty())
            return Fail(QCoreApplication::translate("Preset", "%1 no da ningún valor").arg(what));
        return true;
    }

    bool ReadRule(const QJsonValue& value, int index, GisRule& rule) {
        const QString where = QCoreApplication::translate("Preset", "en la regla %1").arg(index);
        if (!value.isObject())
            return Fail(
                QCoreApplication::translate("Preset", "la regla %1 debe ser un objeto").arg(index));
        const QJsonObject object = value.toObject();
        const QJsonValue kind = object.value(QStringLiteral("kind"));
        if (!kind.isString())
            return Fail(QCoreApplication::translate("Preset", "falta «kind» %1").arg(where));
        const auto parsedKind = GisKindFromName(kind.toString());
        if (!parsedKind)
            return Fail(
                QCoreApplication::translate("Preset", "«kind» %1 no es un tipo conocido: «%2»")
                    .arg(where, kind.toString()));
        rule.kind = *parsedKind;
        const KindRoles roles = RolesOf(rule.kind);
        if (!CheckKeys(object, RuleKeys() + roles.roles, where))
            return false;
        const QJsonValue fields = object.value(QStringLiteral("fields"));
        if (!ReadStringList(fields, rule.layerFields, QStringLiteral("«fields» %1").arg(where)))
            return false;
        if (!fields.isUndefined() && rule.layerFields.isEmpty())
            return Fail(QCoreApplication::translate("Preset", "«fields» %1 no nombra ningún campo")
                            .arg(where));
        for (QString& need : rule.layerFields) {
            const bool absent = need.trimmed().startsWith(QLatin1Char('!'));
            QStringList names;
            for (const QString& name : need.trimmed().mid(absent ? 1 : 0).split(QLatin1Char('|')))
                if (!name.trimmed().isEmpty())
                    names.append(name.trimmed());
            if (names.isEmpty())
                return Fail(
                    QCoreApplication::translate("Preset", "«fields» %1 tiene un campo en blanco")
                        .arg(where));
            need = (absent ? QStringLiteral("!") : QString()) + names.join(QLatin1Char('|'));
        }
        const QJsonValue layer = object.value(QStringLiteral("layer"));
        if (layer.isUndefined() && !rule.layerFields.isEmpty()) {
            // The fields alone choose the layers.
        } else if (!layer.isString() || layer.toString().trimmed().isEmpty()) {
            return Fail(
                QCoreApplication::translate("Preset", "falta «layer» o «fields» %1").arg(where));
        } else {
            rule.layer = layer.toString().trimmed();
        }
        for (const QString& glob : rule.layer.split(QLatin1Char('|'), Qt::SkipEmptyParts))
            if (!GisLayerPattern(glob.trimmed()).isValid())
                return Fail(
                    QCoreApplication::translate("Preset", "«layer» %1 no es un nombre válido")
                        .arg(where));

        const QJsonValue whereValue = object.value(QStringLiteral("where"));
        if (!whereValue.isUndefined()) {
            if (!whereValue.isObject())
                return Fail(QCoreApplication::translate("Preset", "«where» %1 debe ser un objeto")
                                .arg(where));
            const QJsonObject conditions = whereValue.toObject();
            for (auto it = conditions.begin(); it != conditions.end(); ++it) {
                GisCondition condition;
                if (!ReadCondition(it.key(), it.value(), where, condition))
                    return false;
                rule.where.append(std::move(condition));
            }
        }
        for (const QString& role : roles.roles) {
            const QJsonValue v = object.value(role);
            if (v.isUndefined())
                continue;
            GisField field;
            if (!ReadField(v, role, where, field))
                return false;
            rule.fields.insert(role, std::move(field));
        }
        if (!roles.required.isEmpty() && !rule.fields.contains(roles.required))
            return Fail(QCoreApplication::translate("Preset", "falta «%1» %2 (%3)")
                            .arg(roles.required, where, GisKindName(rule.kind)));
        if (rule.kind == GisKind::Places && rule.fields.isEmpty())
            return Fail(QCoreApplication::translate("Preset",
                                                    "falta «name», «state» o «country» %1 (places)")
                            .arg(where));

        const QJsonValue type = object.value(QStringLiteral("block_type"));
        if (!type.isUndefined()) {
            if (rule.kind != GisKind::Blocks && rule.kind != GisKind::Areas)
                return Fail(QCoreApplication::translate(
                                "Preset", "«block_type» %1 solo vale para blocks y areas")
                                .arg(where));
            const double t = type.toDouble(-1);
            if (!type.isDouble() || t != std::floor(t) || t < 1 || t > 6)
                return Fail(QCoreApplication::translate(
                                "Preset", "«block_type» %1 debe ser un entero de 1 a 6")
                                .arg(where));
            rule.blockType = static_cast<int>(t);
        }
        const QJsonValue land = object.value(QStringLiteral("land"));
        if (!land.isUndefined()) {
            const qsizetype value = LandNames().indexOf(land.toString());
            if (rule.kind != GisKind::Areas || value <= 0)
                return Fail(QCoreApplication::translate(
                                "Preset", "«land» %1 solo vale \"built\", \"building\" o "
                                          "\"site\" en areas")
                                .arg(where));
            rule.land = static_cast<GisRule::Land>(value);
        }
        if (rule.kind == GisKind::Areas && rule.blockType == 0 &&
            rule.land == GisRule::Land::Other && !rule.fields.contains(QStringLiteral("type")))
            return Fail(
                QCoreApplication::translate("Preset", "falta «block_type» o «type» %1 (areas)")
                    .arg(where));

        const QJsonValue bounds = object.value(QStringLiteral("bounds_blocks"));
        if (!bounds.isUndefined()) {
            if (rule.kind != GisKind::Streets || !bounds.isBool())
                return Fail(QCoreApplication::translate(
                                "Preset", "«bounds_blocks» %1 solo vale true o false en streets")
                                .arg(where));
            rule.boundsBlocks = bounds.toBool();
        }
        return ReadString(object, QStringLiteral("crs"), rule.crs, where);
    }

    QString m_strLabel;
    QString m_strFolder;
    QString m_strError;
};

} // namespace

QRegularExpression GisLayerPattern(const QString& glob) {
    return QRegularExpression(QRegularExpression::wildcardToRegularExpression(glob),
                              QRegularExpression::CaseInsensitiveOption);
}

std::unique_ptr<CGisPreset> ReadGisPreset(const QByteArray& json, const QString& folder,
                                          const QString& label, QString& error) {
    return PresetReader(label, folder).Read(json, error);
}
