#include "gis_source_reader.h"

#include "gdal_support.h"
#include "gis_field_values.h"
#include "gis_source.h"
#include "ogr_shapes.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <map>

struct CGisSourceReader::RulePlan {
    const GisRule* rule = nullptr;
    int order = 0;
    std::vector<ResolvedCondition> where;
    std::map<QString, ResolvedField> fields;
};

struct CGisSourceReader::LayerPlan {
    OGRLayer* layer = nullptr;
    QString label;
    int crs = -1;
    std::vector<RulePlan> rules;
};

namespace {

QString QuoteSql(const QString& text) {
    QString quoted = text;
    quoted.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

} // namespace

// The part of the rules that OGR SQL can check before a feature is built; what
// passes is a superset of what the rules take (for ASCII values: OGR SQL's IN
// ignores case), which are still checked one by one.
QString CGisSourceReader::AttributeFilter(const LayerPlan& plan, OGRFeatureDefn& defn) {
    QStringList ruleFilters;
    for (const RulePlan& rule : plan.rules) {
        QStringList terms;
        for (const ResolvedCondition& condition : rule.where) {
            if (condition.declared->negate)
                continue;
            QStringList alternatives;
            for (int index : condition.indexes) {
                const QString name = QStringLiteral("\"%1\"").arg(
                    QString::fromUtf8(defn.GetFieldDefn(index)->GetNameRef()));
                if (defn.GetFieldDefn(index)->GetType() != OFTString)
                    return {};
                if (condition.declared->values.isEmpty()) {
                    alternatives.append(QStringLiteral("(%1 IS NOT NULL AND %1 <> '')").arg(name));
                } else {
                    QStringList values;
                    for (const QString& v : condition.declared->values)
                        values.append(QuoteSql(v));
                    alternatives.append(
                        QStringLiteral("%1 IN (%2)").arg(name, values.join(QLatin1Char(','))));
                }
            }
            if (alternatives.isEmpty())
                return {};
            terms.append(QLatin1Char('(') + alternatives.join(QLatin1String(" OR ")) +
                         QLatin1Char(')'));
        }
        if (terms.isEmpty())
            return {}; // this rule takes every feature
        ruleFilters.append(QLatin1Char('(') + terms.join(QLatin1String(" AND ")) +
                           QLatin1Char(')'));
    }
    return ruleFilters.join(QLatin1String(" OR "));
}

bool CGisSourceReader::ResolveNames(const QStringList& names, OGRFeatureDefn& defn,
                                    const QString& label, bool optional,
                                    std::vector<int>& indexes) {
    for (const QString& name : names) {
        int index = defn.GetFieldIndex(name.toUtf8().constData());
        // Some readers turn "addr:street" into "addr_street".
        if (index < 0)
            index = defn.GetFieldIndex(
                QString(name).replace(QLatin1Char(':'), QLatin1Char('_')).toUtf8().constData());
        if (index >= 0)
            indexes.push_back(index);
    }
    if (!indexes.empty() || optional)
        return true;
    if (names.size() == 1)
        return m_run.Fail(
            GisImportError::MissingField,
            QCoreApplication::translate(
                "GisImport", "En la capa %1 falta el campo %2 que pide el preajuste «%3».")
                .arg(label, names.first(), m_preset.m_strName));
    return m_run.Fail(GisImportError::MissingField,
                      QCoreApplication::translate(
                          "GisImport", "En la capa %1 falta el campo %2 (o %3) que pide el "
                                       "preajuste «%4».")
                          .arg(label, names.first(), names.mid(1).join(QStringLiteral(", ")),
                               m_preset.m_strName));
}

bool CGisSourceReader::ResolveField(const GisField& declared, OGRFeatureDefn& defn,
                                    const QString& label, ResolvedField& field) {
    field.declared = &declared;
    if (declared.text.isEmpty()) {
        if (!ResolveNames(declared.names, defn, label, declared.optional, field.indexes))
            return false;
    } else {
        static const QRegularExpression holder(QStringLiteral("\\{([^{}]+)\\}"));
        qsizetype last = 0;
        const QList<QStringList> groups = declared.FieldGroups();
        std::size_t k = 0;
        for (auto it = holder.globalMatch(declared.text); it.hasNext(); ++k) {
            const QRegularExpressionMatch m = it.next();
            field.literals.append(declared.text.mid(last, m.capturedStart() - last));
            last = m.capturedEnd();
            std::vector<int> indexes;
            if (!ResolveNames(groups[static_cast<qsizetype>(k)], defn, label, declared.optional,
                              indexes))
                return false;
            field.groups.push_back(std::move(indexes));
        }
        field.literals.append(declared.text.mid(last));
    }
    for (const auto& [from, to] : declared.table)
        field.table.emplace_back(FoldValue(from), to);
    return true;
}

bool CGisSourceReader::PlanLayer(OGRLayer& layer, const QString& sourceName, const QString& driver,
                                 LayerPlan& plan) {
    const QString name = QString::fromUtf8(layer.GetName());
    plan.layer = &layer;
    plan.label = QCoreApplication::translate("GisImport", "«%1» de %2").arg(name, sourceName);
    OGRFeatureDefn& defn = *layer.GetLayerDefn();
    QStringList fieldNames;
    for (int i = 0; i < defn.GetFieldCount(); ++i)
        fieldNames.append(QString::fromUtf8(defn.GetFieldDefn(i)->GetNameRef()));
    const QList<const GisRule*> rules = m_preset.RulesForLayer(name, fieldNames);
    if (rules.isEmpty()) {
        m_run.Report().unusedLayers.append(
            QStringLiteral("%1: %2").arg(sourceName, GisLayerDisplayName(driver, name)));
        return true;
    }
    for (const GisRule* rule : rules) {
        RulePlan rulePlan;
        rulePlan.rule = rule;
        rulePlan.order = static_cast<int>(rule - m_preset.m_rules.constData());
        for (const GisCondition& condition : rule->where) {
            ResolvedCondition resolved;
            resolved.declared = &condition;
            if (!ResolveNames(condition.fields, defn, plan.label, false, resolved.indexes))
                return false;
            for (const QString& v : condition.values)
                resolved.values.append(FoldValue(v));
            rulePlan.where.push_back(std::move(resolved));
        }
        for (auto it = rule->fields.begin(); it != rule->fields.end(); ++it) {
            ResolvedField field;
            if (!ResolveField(it.value(), defn, plan.label, field))
                return false;
            // Only the export's own CSV, read back with its own preset, is
            // known to carry the apostrophes; anyone else's keeps every one.
            field.spreadsheetSafe =
                driver == QLatin1String("CSV") && m_preset.m_strName == QLatin1String("veltrix");
            rulePlan.fields.emplace(it.key(), std::move(field));
        }
        plan.rules.push_back(std::move(rulePlan));
    }

    if (wkbFlatten(layer.GetGeomType()) == wkbNone &&
        layer.GetLayerDefn()->GetGeomFieldCount() == 0)
        return m_run.Fail(GisImportError::NoGeometry,
                          QCoreApplication::translate("GisImport", "La capa %1 no tiene geometría.")
                              .arg(plan.label));
    const OGRSpatialReference* crs = layer.GetSpatialRef();
    std::unique_ptr<OGRSpatialReference> given;
    if (!crs) {
        QString text;
        for (const RulePlan& rule : plan.rules)
            if (text.isEmpty())
                text = rule.rule->crs;
        if (!m_run.Options().crs.isEmpty())
            text = m_run.Options().crs;
        if (text.isEmpty())
            return m_run.Fail(GisImportError::MissingCrs,
                              QCoreApplication::translate(
                                  "GisImport", "La capa %1 no dice su sistema de coordenadas: "
                                               "indíquelo con --crs EPSG:N.")
                                  .arg(plan.label));
        given = CrsFromText(text);
        if (!given)
            return m_run.Fail(GisImportError::BadCrs,
                              QCoreApplication::translate(
                                  "GisImport", "«%1» no es un sistema de coordenadas conocido.")
                                  .arg(text));
        crs = given.get();
    }
    plan.crs = m_run.CrsIndex(*crs);
    return true;
}

bool CGisSourceReader::TakeFeature(const LayerPlan& plan, const OGRFeature& feature) {
    const OGRGeometry* geometry = feature.GetGeometryRef();
    if (!geometry || geometry->IsEmpty())
        return true;
    for (const RulePlan& rule : plan.rules) {
        if (!std::all_of(rule.where.begin(), rule.where.end(),
                         [&](const ResolvedCondition& c) { return PassesCondition(feature, c); }))
            continue;
        const GisKind kind = rule.rule->kind;
        const bool polygonal = IsPolygonal(*geometry);
        const bool linear = IsLinear(*geometry);
        if ((kind == GisKind::Blocks || kind == GisKind::Areas) && !polygonal)
            continue;
        if ((kind == GisKind::Streets || kind == GisKind::Routes) && !linear)
            continue;
        GisItem item;
        item.crs = plan.crs;
        item.order = rule.order;
        auto value = [&](const char* role) {
            const auto it = rule.fields.find(QString::fromLatin1(role));
            return it == rule.fields.end() ? QString() : ReadFieldValue(feature, it->second);
        };
        item.name = value("name");
        if (kind == GisKind::Labels)
            item.name = value("text");
        item.state = value("state");
        item.country = value("country");
        const bool needsName =
            kind != GisKind::Blocks && kind != GisKind::Areas && kind != GisKind::Streets;
        if (needsName && item.name.isEmpty()) {
            if (kind != GisKind::Places || (item.state.isEmpty() && item.country.isEmpty())) {
                ++m_run.Report().unnamed;
                continue;
            }
            // A state or country without a town is said by every block of a
            // layer; once is enough.
            if (!m_nameless.insert({rule.order, item.state, item.country}).second)
                continue;
        }
        item.category = value("category");
        item.phone = value("phone");
        item.comment = value("comment");
        item.zone = value("zone");
        item.route = value("route");
        item.sequence = std::max(0, value("order").toInt());
        item.angle = value("angle").toDouble();
        item.bounds = rule.rule->boundsBlocks;
        item.blockType = rule.rule->blockType;
        if (item.blockType == 0) {
            const int type = value("type").toInt();
            item.blockType = type >= 1 && type <= 6 ? type : (kind == GisKind::Areas ? 0 : 1);
        }
        item.land = rule.rule->land;
        if (kind == GisKind::Areas && item.blockType == 0 && item.land == GisRule::Land::Other)
            continue;
        bool number = false;
        if (const double w = value("width").toDouble(&number); number && w >= 0.0)
            item.halfWidth = w;
        item.adminLevel = value("level").toInt();
        item.population = value("population").toDouble();
        item.placeClass = value("class");
        const QString color = value("color");
        if (!color.isEmpty())
            item.color = ParseGisColor(color, m_preset);
        item.geometry.reset(geometry->clone());
        m_run.Items(kind).push_back(std::move(item));
    }
    return true;
}

bool CGisSourceReader::Read(int s, const CPresetFiles& files) {
    const QString path = m_run.Options().sources[s];
    QString error;
    GDALDatasetUniquePtr dataset = OpenVectorSource(path, files, error);
    if (!dataset)
        return m_run.Fail(GisImportError::Unreadable, error);
    const QString sourceName = QFileInfo(path).fileName();
    const QString driver = QString::fromUtf8(dataset->GetDriver()->GetDescription());
    std::vector<LayerPlan> plans;
    for (OGRLayer* layer : dataset->GetLayers()) {
        LayerPlan plan;
        if (!PlanLayer(*layer, sourceName, driver, plan))
            return false;
        if (!plan.rules.empty())
            plans.push_back(std::move(plan));
    }
    const int sources = static_cast<int>(m_run.Options().sources.size());
    const double base = static_cast<double>(kReadShare) * s / sources;
    const double share = static_cast<double>(kReadShare) / sources;
    const bool streamed = driver == QLatin1String("OSM");
    // OpenStreetMap tag values are plain ASCII words, so GDAL's own filter
    // (blind to case, not to accents) takes what the rules take, and the
    // reader then builds only those features. Other sources are read whole.
    if (streamed) {
        for (LayerPlan& plan : plans) {
            const QString filter = AttributeFilter(plan, *plan.layer->GetLayerDefn());
            if (!filter.isEmpty() &&
                plan.layer->SetAttributeFilter(filter.toUtf8().constData()) != OGRERR_NONE)
                plan.layer->SetAttributeFilter(nullptr);
        }
    }
    std::size_t seen = 0;
    CGdalErrorTrap trap;
    if (streamed) {
        // The OpenStreetMap reader builds all layers in one pass; only the
        // layers the preset reads are built at all.
        QStringList names;
        for (const LayerPlan& plan : plans)
            names.append(QString::fromUtf8(plan.layer->GetName()));
        if (!names.isEmpty()) {
            OGRLayer* result = dataset->ExecuteSQL(QStringLiteral("SET interest_layers = %1")
                                                       .arg(names.join(QLatin1Char(',')))
                                                       .toUtf8()
                                                       .constData(),
                                                   nullptr, nullptr);
            if (result)
                dataset->ReleaseResultSet(result);
        }
        std::map<OGRLayer*, const LayerPlan*> byLayer;
        for (const LayerPlan& plan : plans)
            byLayer[plan.layer] = &plan;
        dataset->ResetReading();
        OGRLayer* layer = nullptr;
        double done = 0.0;
        for (;;) {
            OGRFeatureUniquePtr feature(dataset->GetNextFeature(&layer, &done, nullptr, nullptr));
            if (!feature)
                break;
            const auto it = byLayer.find(layer);
            if (it != byLayer.end() && !TakeFeature(*it->second, *feature))
                return false;
            if (++seen % 512 == 0 && !m_run.Tick(static_cast<int>(base + share * done)))
                return false;
        }
    } else {
        std::size_t total = 0;
        for (const LayerPlan& plan : plans)
            total +=
                static_cast<std::size_t>(std::max<GIntBig>(0, plan.layer->GetFeatureCount(FALSE)));
        for (const LayerPlan& plan : plans) {
            plan.layer->ResetReading();
            for (const OGRFeatureUniquePtr& feature : *plan.layer) {
                if (!TakeFeature(plan, *feature))
                    return false;
                if (++seen % 512 == 0 && total > 0 &&
                    !m_run.Tick(static_cast<int>(
                        base + share * std::min(1.0, double(seen) / double(total)))))
                    return false;
            }
        }
    }
    // A reader that stops on damaged data only says so through GDAL's errors.
    if (!trap.LastError().isEmpty())
        return m_run.Fail(GisImportError::Unreadable,
                          QCoreApplication::translate("GisImport", "%1 está dañado: %2")
                              .arg(path, trap.LastError()));
    return m_run.Tick(static_cast<int>(base + share));
}
