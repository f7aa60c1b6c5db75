#include "gis_import.h"

#include "bus_routes.h"
#include "gdal_support.h"
#include "map_georeference.h"
#include "plane_geometry.h"
#include "street_labels.h"
#include "street_network.h"

#include <ogr_api.h>
#include <ogrsf_frmts.h>

#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <map>
#include <numbers>

namespace {

constexpr double kMaxCoordinate = 1.0e9; // well inside the file's 32-bit points
constexpr double kTownMarginM = 1000.0;  // what lies farther from the blocks is another town
constexpr double kStreetToleranceM = 1.0;
constexpr double kStraightToleranceM = 3.0;
constexpr double kSamePlaceM = 100.0;
// The zoom each kind is shown at when chosen from its page, as in generated towns.
constexpr int kStreetZoom = 3;
constexpr int kReferenceZoom = 5;
constexpr int kColonyZoom = 3;
constexpr int kBusinessZoom = 5;
constexpr float kRouteZoom = 3.0f;
constexpr Color kDefaultRouteColor = Rgb(255, 0, 0);
constexpr int kReadShare = 60; // percent of the progress spent reading the sources
constexpr std::size_t kKindCount = static_cast<std::size_t>(GisKind::Places) + 1;

// Case and accents do not tell values apart: "Típica", "TIPICA" and "típica".
QString Fold(const QString& text) {
    // Most values (OpenStreetMap tags) are plain ASCII: no accents to take off.
    if (std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; }))
        return text.toLower().trimmed();
    const QString decomposed = text.normalized(QString::NormalizationForm_D);
    QString out;
    out.reserve(decomposed.size());
    for (const QChar c : decomposed)
        if (c.category() != QChar::Mark_NonSpacing)
            out.append(c);
    return out.toCaseFolded().trimmed();
}

struct ResolvedField {
    const GisField* spec = nullptr;
    std::vector<int> indexes;             // the alternatives the layer has, in order
    std::vector<std::vector<int>> groups; // a template's fields
    QStringList literals;                 // a template's text before each field, and after
    std::vector<std::pair<QString, QString>> table; // folded source value -> result
};

struct ResolvedCondition {
    const GisCondition* spec = nullptr;
    std::vector<int> indexes;
    QStringList values; // folded
};

struct RulePlan {
    const GisRule* rule = nullptr;
    int order = 0;
    std::vector<ResolvedCondition> where;
    std::map<QString, ResolvedField> fields;
};

struct LayerPlan {
    OGRLayer* layer = nullptr;
    QString label;
    int crs = -1;
    std::vector<RulePlan> rules;
};

struct Item {
    std::unique_ptr<OGRGeometry> geometry;
    int crs = 0;
    int order = 0;
    QString name;
    QString category;
    QString phone;
    QString comment;
    QString zone;
    QString state;
    QString country;
    QString route;
    double angle = 0.0;
    int blockType = 1;
    std::optional<Color> color;
    bool bounds = false;
    PlanePoint at; // kinds that are points, once projected
};

QString FieldText(const OGRFeature& feature, int index) {
    if (!feature.IsFieldSetAndNotNull(index))
        return {};
    return TextFromGdal(feature.GetFieldAsString(index));
}

QString FirstOf(const OGRFeature& feature, const std::vector<int>& indexes) {
    for (int index : indexes) {
        QString value = FieldText(feature, index);
        if (!value.isEmpty())
            return value;
    }
    return {};
}

QString ReadValue(const OGRFeature& feature, const ResolvedField& field) {
    QString value;
    if (field.spec->text.isEmpty()) {
        value = FirstOf(feature, field.indexes);
    } else {
        // Empty fields drop out with the separator before them.
        for (std::size_t k = 0; k < field.groups.size(); ++k) {
            const QString part = FirstOf(feature, field.groups[k]);
            if (part.isEmpty())
                continue;
            if (!value.isEmpty() || k == 0)
                value += field.literals[static_cast<qsizetype>(k)];
            value += part;
        }
        if (!value.isEmpty())
            value += field.literals.last();
        value = value.trimmed();
    }
    if (field.table.empty() && !field.spec->other)
        return value;
    const QString folded = Fold(value);
    const std::pair<QString, QString>* best = nullptr;
    if (!folded.isEmpty()) {
        for (const auto& entry : field.table) {
            bool hit = false;
            switch (field.spec->match) {
            case GisField::Match::Exact:
                hit = folded == entry.first;
                break;
            case GisField::Match::Prefix:
                hit = folded.startsWith(entry.first);
                break;
            case GisField::Match::Contains:
                hit = folded.contains(entry.first);
                break;
            }
            // The longest key that fits wins, so "farmacia veterinaria" beats "farmacia".
            if (hit && (!best || entry.first.size() > best->first.size()))
                best = &entry;
        }
    }
    if (best)
        return best->second;
    return field.spec->other ? *field.spec->other : value;
}

bool Passes(const OGRFeature& feature, const ResolvedCondition& condition) {
    const QString value = Fold(FirstOf(feature, condition.indexes));
    const bool hit =
        condition.values.isEmpty() ? !value.isEmpty() : condition.values.contains(value);
    return hit != condition.spec->negate;
}

QString QuoteSql(const QString& text) {
    QString quoted = text;
    quoted.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

// The part of the rules that OGR SQL can check before a feature is built; what
// passes is a superset of what the rules take (for ASCII values: OGR SQL's IN
// ignores case), which are still checked one by one.
QString AttributeFilter(const LayerPlan& plan, OGRFeatureDefn& defn) {
    QStringList ruleFilters;
    for (const RulePlan& rule : plan.rules) {
        QStringList terms;
        for (const ResolvedCondition& condition : rule.where) {
            if (condition.spec->negate)
                continue;
            QStringList alternatives;
            for (int index : condition.indexes) {
                const QString name = QStringLiteral("\"%1\"").arg(
                    QString::fromUtf8(defn.GetFieldDefn(index)->GetNameRef()));
                if (defn.GetFieldDefn(index)->GetType() != OFTString)
                    return {};
                if (condition.spec->values.isEmpty()) {
                    alternatives.append(QStringLiteral("(%1 IS NOT NULL AND %1 <> '')").arg(name));
                } else {
                    QStringList values;
                    for (const QString& v : condition.spec->values)
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

std::optional<Color> ParseColor(const QString& text, const CGisPreset& preset) {
    QString value = text.trimmed();
    if (!value.startsWith(QLatin1Char('#')))
        value = preset.m_colors.value(Fold(value));
    if (value.size() == 4 && value.startsWith(QLatin1Char('#'))) // #rgb
        value = QStringLiteral("#%1%1%2%2%3%3").arg(value[1]).arg(value[2]).arg(value[3]);
    bool ok = false;
    const uint rgb = value.mid(1).toUInt(&ok, 16);
    if (value.size() != 7 || !value.startsWith(QLatin1Char('#')) || !ok)
        return std::nullopt;
    return Rgb(static_cast<int>(rgb >> 16), static_cast<int>(rgb >> 8), static_cast<int>(rgb));
}

void CollectLines(const OGRGeometry& geometry, std::vector<Polyline>& lines) {
    const OGRwkbGeometryType type = wkbFlatten(geometry.getGeometryType());
    if (type == wkbLineString || type == wkbLinearRing) {
        const OGRSimpleCurve& line = *geometry.toSimpleCurve();
        Polyline points(static_cast<std::size_t>(line.getNumPoints()));
        for (int i = 0; i < line.getNumPoints(); ++i)
            points[static_cast<std::size_t>(i)] = {line.getX(i), line.getY(i)};
        if (points.size() >= 2)
            lines.push_back(std::move(points));
    } else if (OGR_GT_IsSubClassOf(type, wkbGeometryCollection)) {
        for (const OGRGeometry* part : *geometry.toGeometryCollection())
            CollectLines(*part, lines);
    } else if (type == wkbCircularString || type == wkbCompoundCurve) {
        const std::unique_ptr<OGRGeometry> linear(geometry.getLinearGeometry());
        if (linear)
            CollectLines(*linear, lines);
    }
}

void CollectPolygons(const OGRGeometry& geometry, std::vector<const OGRPolygon*>& polygons,
                     std::vector<std::unique_ptr<OGRGeometry>>& keep) {
    const OGRwkbGeometryType type = wkbFlatten(geometry.getGeometryType());
    if (type == wkbPolygon) {
        polygons.push_back(geometry.toPolygon());
    } else if (type == wkbCurvePolygon || type == wkbMultiSurface) {
        keep.emplace_back(geometry.getLinearGeometry());
        if (keep.back())
            CollectPolygons(*keep.back(), polygons, keep);
    } else if (OGR_GT_IsSubClassOf(type, wkbGeometryCollection)) {
        for (const OGRGeometry* part : *geometry.toGeometryCollection())
            CollectPolygons(*part, polygons, keep);
    }
}

bool IsPolygonal(const OGRGeometry& geometry) {
    return OGR_GT_IsSurface(wkbFlatten(geometry.getGeometryType())) ||
           wkbFlatten(geometry.getGeometryType()) == wkbMultiPolygon ||
           wkbFlatten(geometry.getGeometryType()) == wkbMultiSurface;
}

bool IsLinear(const OGRGeometry& geometry) {
    const OGRwkbGeometryType type = wkbFlatten(geometry.getGeometryType());
    return OGR_GT_IsCurve(type) || type == wkbMultiLineString || type == wkbMultiCurve;
}

// A point that stands for the feature: itself, a point inside a polygon, the
// middle vertex of a line.
std::optional<PlanePoint> RepresentativePoint(const OGRGeometry& geometry) {
    const OGRwkbGeometryType type = wkbFlatten(geometry.getGeometryType());
    if (type == wkbPoint)
        return PlanePoint{geometry.toPoint()->getX(), geometry.toPoint()->getY()};
    if (type == wkbMultiPoint && !geometry.IsEmpty()) {
        const OGRPoint* p = geometry.toMultiPoint()->getGeometryRef(0);
        return PlanePoint{p->getX(), p->getY()};
    }
    if (IsLinear(geometry)) {
        std::vector<Polyline> lines;
        CollectLines(geometry, lines);
        if (lines.empty())
            return std::nullopt;
        return lines.front()[lines.front().size() / 2];
    }
    OGRGeometryH point =
        OGR_G_PointOnSurface(OGRGeometry::ToHandle(const_cast<OGRGeometry*>(&geometry)));
    if (!point)
        return std::nullopt;
    const std::unique_ptr<OGRGeometry> owned(OGRGeometry::FromHandle(point));
    if (owned->IsEmpty() || wkbFlatten(owned->getGeometryType()) != wkbPoint)
        return std::nullopt;
    return PlanePoint{owned->toPoint()->getX(), owned->toPoint()->getY()};
}

// The areas that type the blocks made from streets, bucketed by cells of their
// bounding boxes; an area too large for buckets is checked for every block.
class AreaIndex {
public:
    struct Area {
        OGRPreparedGeometryUniquePtr prepared;
        double size = 0.0;
        int type = 1;
    };

    void Add(const OGRGeometry& geometry, int type) {
        OGRPreparedGeometryUniquePtr prepared(
            OGRCreatePreparedGeometry(OGRGeometry::ToHandle(const_cast<OGRGeometry*>(&geometry))));
        if (!prepared)
            return;
        OGREnvelope box;
        geometry.getEnvelope(&box);
        const std::size_t index = m_areas.size();
        m_areas.push_back({std::move(prepared),
                           OGR_G_Area(OGRGeometry::ToHandle(const_cast<OGRGeometry*>(&geometry))),
                           type});
        const long long x0 = Cell(box.MinX), x1 = Cell(box.MaxX);
        const long long y0 = Cell(box.MinY), y1 = Cell(box.MaxY);
        if ((x1 - x0 + 1) * (y1 - y0 + 1) > 4096) {
            m_large.push_back(index);
            return;
        }
        for (long long cx = x0; cx <= x1; ++cx)
            for (long long cy = y0; cy <= y1; ++cy)
                m_cells[{cx, cy}].push_back(index);
    }

    bool Empty() const { return m_areas.empty(); }

    // The type of the smallest area holding p, or 0.
    int TypeAt(PlanePoint p) const {
        OGRPoint point(p.x, p.y);
        const Area* best = nullptr;
        auto consider = [&](std::size_t index) {
            const Area& area = m_areas[index];
            if (best && area.size >= best->size)
                return;
            if (OGRPreparedGeometryContains(area.prepared.get(), OGRGeometry::ToHandle(&point)))
                best = &area;
        };
        const auto it = m_cells.find({Cell(p.x), Cell(p.y)});
        if (it != m_cells.end())
            for (std::size_t index : it->second)
                consider(index);
        for (std::size_t index : m_large)
            consider(index);
        return best ? best->type : 0;
    }

private:
    static constexpr double kCell = 100.0;
    static long long Cell(double v) { return static_cast<long long>(std::floor(v / kCell)); }

    std::vector<Area> m_areas;
    std::map<std::pair<long long, long long>, std::vector<std::size_t>> m_cells;
    std::vector<std::size_t> m_large;
};

std::unique_ptr<OGRSpatialReference> LocalProjection(const OGRSpatialReference& geographic,
                                                     double lon, double lat, double eastUnits,
                                                     double northUnits) {
    auto local = std::make_unique<OGRSpatialReference>();
    local->SetProjCS("Veltrix: transversa de Mercator local");
    local->CopyGeogCSFrom(&geographic);
    local->SetLinearUnits("Veltrix map unit (2.001555 m)", kMetresPerMapUnit);
    // GDAL takes the false origin in metres whatever the unit.
    local->SetTM(lat, lon, 1.0, eastUnits * kMetresPerMapUnit, northUnits * kMetresPerMapUnit);
    local->SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    return local;
}

} // namespace

class CGisImport::Impl {
public:
    explicit Impl(CGisImport& owner) : m_owner(owner), m_preset(owner.m_preset) {}

    std::unique_ptr<MapStore> Run() {
        EnsureGdalRegistered();
        CGdalErrorTrap trap;
        const CPresetFiles files(&m_preset);
        for (int s = 0; s < m_owner.m_options.sources.size(); ++s)
            if (!ReadSource(s, files))
                return nullptr;
        if (!CheckSomethingToBuild() || !Project() || !Tick(kReadShare + 5))
            return nullptr;
        std::vector<std::pair<Polyline, int>> rings;
        std::vector<QString> zones;
        if (!MakeBlockRings(rings, zones) || !Tick(85))
            return nullptr;

        auto store = std::make_unique<MapStore>();
        PlaceBlocks(*store, rings, zones);
        MakeStreets(*store);
        if (!Tick(92))
            return nullptr;
        MakePlaces(*store);
        MakeBusinesses(*store);
        MakeRoutes(*store);
        MakeHeader(*store);
        if (!MakeGeoreference() || !Tick(100))
            return nullptr;
        return store;
    }

private:
    bool Fail(GisImportError kind, const QString& message) {
        m_owner.m_error = kind;
        m_owner.m_strError = message;
        return false;
    }

    bool Tick(int percent) {
        percent = std::clamp(percent, 0, 100);
        if (percent <= m_nPercent)
            return true;
        m_nPercent = percent;
        if (m_owner.m_progress && !m_owner.m_progress(percent))
            return Fail(GisImportError::Cancelled, QStringLiteral("Importación cancelada."));
        return true;
    }

    std::vector<Item>& Items(GisKind kind) { return m_items[static_cast<std::size_t>(kind)]; }

    // ---- reading ----

    int CrsIndex(const OGRSpatialReference& crs) {
        for (std::size_t i = 0; i < m_crs.size(); ++i)
            if (m_crs[i]->IsSame(&crs))
                return static_cast<int>(i);
        auto copy = std::make_unique<OGRSpatialReference>(crs);
        copy->SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
        m_crs.push_back(std::move(copy));
        return static_cast<int>(m_crs.size() - 1);
    }

    bool ResolveNames(const QStringList& names, OGRFeatureDefn& defn, const QString& label,
                      bool optional, std::vector<int>& indexes) {
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
        QString what = names.first();
        if (names.size() > 1)
            what += QStringLiteral(" (o %1)").arg(names.mid(1).join(QStringLiteral(", ")));
        return Fail(GisImportError::MissingField,
                    QStringLiteral("En la capa %1 falta el campo %2 que pide el preajuste «%3».")
                        .arg(label, what, m_preset.m_strName));
    }

    bool ResolveField(const GisField& spec, OGRFeatureDefn& defn, const QString& label,
                      ResolvedField& field) {
        field.spec = &spec;
        if (spec.text.isEmpty()) {
            if (!ResolveNames(spec.names, defn, label, spec.optional, field.indexes))
                return false;
        } else {
            static const QRegularExpression holder(QStringLiteral("\\{([^{}]+)\\}"));
            qsizetype last = 0;
            const QList<QStringList> groups = spec.FieldGroups();
            std::size_t k = 0;
            for (auto it = holder.globalMatch(spec.text); it.hasNext(); ++k) {
                const QRegularExpressionMatch m = it.next();
                field.literals.append(spec.text.mid(last, m.capturedStart() - last));
                last = m.capturedEnd();
                std::vector<int> indexes;
                if (!ResolveNames(groups[static_cast<qsizetype>(k)], defn, label, spec.optional,
                                  indexes))
                    return false;
                field.groups.push_back(std::move(indexes));
            }
            field.literals.append(spec.text.mid(last));
        }
        for (const auto& [from, to] : spec.table)
            field.table.emplace_back(Fold(from), to);
        return true;
    }

    bool PlanLayer(OGRLayer& layer, const QString& sourceName, LayerPlan& plan) {
        const QString name = QString::fromUtf8(layer.GetName());
        plan.layer = &layer;
        plan.label = QStringLiteral("«%1» de %2").arg(name, sourceName);
        const QList<const GisRule*> rules = m_preset.RulesForLayer(name);
        if (rules.isEmpty()) {
            m_owner.m_report.unusedLayers.append(QStringLiteral("%1: %2").arg(sourceName, name));
            return true;
        }
        OGRFeatureDefn& defn = *layer.GetLayerDefn();
        for (const GisRule* rule : rules) {
            RulePlan rulePlan;
            rulePlan.rule = rule;
            rulePlan.order = static_cast<int>(rule - m_preset.m_rules.constData());
            for (const GisCondition& condition : rule->where) {
                ResolvedCondition resolved;
                resolved.spec = &condition;
                if (!ResolveNames(condition.fields, defn, plan.label, false, resolved.indexes))
                    return false;
                for (const QString& v : condition.values)
                    resolved.values.append(Fold(v));
                rulePlan.where.push_back(std::move(resolved));
            }
            for (auto it = rule->fields.begin(); it != rule->fields.end(); ++it) {
                ResolvedField field;
                if (!ResolveField(it.value(), defn, plan.label, field))
                    return false;
                rulePlan.fields.emplace(it.key(), std::move(field));
            }
            plan.rules.push_back(std::move(rulePlan));
        }

        if (wkbFlatten(layer.GetGeomType()) == wkbNone &&
            layer.GetLayerDefn()->GetGeomFieldCount() == 0)
            return Fail(GisImportError::NoGeometry,
                        QStringLiteral("La capa %1 no tiene geometría.").arg(plan.label));
        const OGRSpatialReference* crs = layer.GetSpatialRef();
        std::unique_ptr<OGRSpatialReference> given;
        if (!crs) {
            QString text;
            for (const RulePlan& rule : plan.rules)
                if (text.isEmpty())
                    text = rule.rule->crs;
            if (!m_owner.m_options.crs.isEmpty())
                text = m_owner.m_options.crs;
            if (text.isEmpty())
                return Fail(GisImportError::MissingCrs,
                            QStringLiteral("La capa %1 no dice su sistema de coordenadas: "
                                           "indíquelo con --crs EPSG:N.")
                                .arg(plan.label));
            given = CrsFromText(text);
            if (!given)
                return Fail(
                    GisImportError::BadCrs,
                    QStringLiteral("«%1» no es un sistema de coordenadas conocido.").arg(text));
            crs = given.get();
        }
        plan.crs = CrsIndex(*crs);
        return true;
    }

    bool TakeFeature(const LayerPlan& plan, const OGRFeature& feature) {
        const OGRGeometry* geometry = feature.GetGeometryRef();
        if (!geometry || geometry->IsEmpty())
            return true;
        for (const RulePlan& rule : plan.rules) {
            if (!std::all_of(rule.where.begin(), rule.where.end(),
                             [&](const ResolvedCondition& c) { return Passes(feature, c); }))
                continue;
            const GisKind kind = rule.rule->kind;
            const bool polygonal = IsPolygonal(*geometry);
            const bool linear = IsLinear(*geometry);
            if ((kind == GisKind::Blocks || kind == GisKind::Areas) && !polygonal)
                continue;
            if ((kind == GisKind::Streets || kind == GisKind::Routes) && !linear)
                continue;
            Item item;
            item.crs = plan.crs;
            item.order = rule.order;
            auto value = [&](const char* role) {
                const auto it = rule.fields.find(QString::fromLatin1(role));
                return it == rule.fields.end() ? QString() : ReadValue(feature, it->second);
            };
            item.name = value("name");
            if (kind == GisKind::Labels)
                item.name = value("text");
            const bool needsName =
                kind != GisKind::Blocks && kind != GisKind::Areas && kind != GisKind::Streets;
            if (needsName && item.name.isEmpty()) {
                ++m_owner.m_report.unnamed;
                continue;
            }
            item.category = value("category");
            item.phone = value("phone");
            item.comment = value("comment");
            item.zone = value("zone");
            item.state = value("state");
            item.country = value("country");
            item.route = value("route");
            item.angle = value("angle").toDouble();
            item.bounds = rule.rule->boundsBlocks;
            item.blockType = rule.rule->blockType;
            if (item.blockType == 0) {
                const int type = value("type").toInt();
                item.blockType = type >= 1 && type <= 6 ? type : (kind == GisKind::Areas ? 0 : 1);
            }
            if (kind == GisKind::Areas && item.blockType == 0)
                continue;
            const QString color = value("color");
            if (!color.isEmpty())
                item.color = ParseColor(color, m_preset);
            item.geometry.reset(geometry->clone());
            Items(kind).push_back(std::move(item));
        }
        return true;
    }

    bool ReadSource(int s, const CPresetFiles& files) {
        const QString path = m_owner.m_options.sources[s];
        QString error;
        GDALDatasetUniquePtr dataset = OpenVectorSource(path, files, error);
        if (!dataset)
            return Fail(GisImportError::Unreadable, error);
        const QString sourceName = QFileInfo(path).fileName();
        std::vector<LayerPlan> plans;
        for (OGRLayer* layer : dataset->GetLayers()) {
            LayerPlan plan;
            if (!PlanLayer(*layer, sourceName, plan))
                return false;
            if (!plan.rules.empty())
                plans.push_back(std::move(plan));
        }
        const int sources = static_cast<int>(m_owner.m_options.sources.size());
        const double base = static_cast<double>(kReadShare) * s / sources;
        const double share = static_cast<double>(kReadShare) / sources;
        const bool streamed =
            QString::fromUtf8(dataset->GetDriver()->GetDescription()) == QLatin1String("OSM");
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
                OGRFeatureUniquePtr feature(
                    dataset->GetNextFeature(&layer, &done, nullptr, nullptr));
                if (!feature)
                    break;
                const auto it = byLayer.find(layer);
                if (it != byLayer.end() && !TakeFeature(*it->second, *feature))
                    return false;
                if (++seen % 512 == 0 && !Tick(static_cast<int>(base + share * done)))
                    return false;
            }
        } else {
            std::size_t total = 0;
            for (const LayerPlan& plan : plans)
                total += static_cast<std::size_t>(
                    std::max<GIntBig>(0, plan.layer->GetFeatureCount(FALSE)));
            for (const LayerPlan& plan : plans) {
                plan.layer->ResetReading();
                for (const OGRFeatureUniquePtr& feature : *plan.layer) {
                    if (!TakeFeature(plan, *feature))
                        return false;
                    if (++seen % 512 == 0 && total > 0 &&
                        !Tick(static_cast<int>(
                            base + share * std::min(1.0, double(seen) / double(total)))))
                        return false;
                }
            }
        }
        // A reader that stops on damaged data only says so through GDAL's errors.
        if (!trap.LastError().isEmpty())
            return Fail(GisImportError::Unreadable,
                        QStringLiteral("%1 está dañado: %2").arg(path, trap.LastError()));
        return Tick(static_cast<int>(base + share));
    }

    bool CheckSomethingToBuild() {
        const bool polygons = !Items(GisKind::Blocks).empty();
        const bool lines =
            m_preset.m_bBlocksFromStreets &&
            std::any_of(Items(GisKind::Streets).begin(), Items(GisKind::Streets).end(),
                        [](const Item& i) { return i.bounds; });
        if (polygons || lines)
            return true;
        return Fail(
            GisImportError::NoGeometry,
            QStringLiteral("Las fuentes no tienen polígonos de manzanas ni líneas de calles "
                           "de donde sacarlas."));
    }

    // ---- projection ----

    bool Project() {
        // The town's extent is that of what makes its blocks.
        const bool polygons = !Items(GisKind::Blocks).empty();
        std::vector<OGREnvelope> extents(m_crs.size());
        std::vector<bool> has(m_crs.size(), false);
        for (const Item& item : Items(polygons ? GisKind::Blocks : GisKind::Streets)) {
            if (!polygons && !item.bounds)
                continue;
            OGREnvelope box;
            item.geometry->getEnvelope(&box);
            extents[static_cast<std::size_t>(item.crs)].Merge(box);
            has[static_cast<std::size_t>(item.crs)] = true;
        }
        const OGRSpatialReference* firstCrs = nullptr;
        for (std::size_t i = 0; i < m_crs.size() && !firstCrs; ++i)
            if (has[i])
                firstCrs = m_crs[i].get();
        m_geographic = std::make_unique<OGRSpatialReference>();
        if (m_geographic->CopyGeogCSFrom(firstCrs) != OGRERR_NONE)
            return Fail(GisImportError::BadCrs,
                        QStringLiteral("El sistema de coordenadas de las fuentes no tiene datum."));
        m_geographic->SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
        OGREnvelope lonlat;
        for (std::size_t i = 0; i < m_crs.size(); ++i) {
            if (!has[i])
                continue;
            const std::unique_ptr<OGRCoordinateTransformation> ct(
                OGRCreateCoordinateTransformation(m_crs[i].get(), m_geographic.get()));
            double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
            if (!ct || !ct->TransformBounds(extents[i].MinX, extents[i].MinY, extents[i].MaxX,
                                            extents[i].MaxY, &x0, &y0, &x1, &y1, 21))
                return Fail(GisImportError::BadCrs,
                            QStringLiteral("No se pueden pasar las coordenadas de %1 a longitud y "
                                           "latitud.")
                                .arg(DescribeCrs(*m_crs[i])));
            OGREnvelope box;
            box.MinX = x0, box.MinY = y0, box.MaxX = x1, box.MaxY = y1;
            lonlat.Merge(box);
        }
        m_dLon = (lonlat.MinX + lonlat.MaxX) / 2;
        m_dLat = (lonlat.MinY + lonlat.MaxY) / 2;
        if (!std::isfinite(m_dLon) || !std::isfinite(m_dLat) || std::abs(m_dLat) > 89.0)
            return Fail(GisImportError::BadCrs,
                        QStringLiteral("Las coordenadas de las fuentes no están en la Tierra."));
        const auto local = LocalProjection(*m_geographic, m_dLon, m_dLat, 0.0, 0.0);

        std::vector<std::unique_ptr<OGRCoordinateTransformation>> toLocal;
        for (const auto& crs : m_crs)
            toLocal.emplace_back(OGRCreateCoordinateTransformation(crs.get(), local.get()));
        for (auto& items : m_items) {
            std::erase_if(items, [&](Item& item) {
                OGRCoordinateTransformation* ct = toLocal[static_cast<std::size_t>(item.crs)].get();
                if (!ct || item.geometry->transform(ct) != OGRERR_NONE) {
                    ++m_owner.m_report.outside;
                    return true;
                }
                return false;
            });
        }
        for (GisKind kind : {GisKind::Labels, GisKind::References, GisKind::Colonies,
                             GisKind::Businesses, GisKind::Stops, GisKind::Places}) {
            std::erase_if(Items(kind), [&](Item& item) {
                const auto p = RepresentativePoint(*item.geometry);
                item.geometry.reset();
                if (!p)
                    ++m_owner.m_report.outside;
                else
                    item.at = *p;
                return !p;
            });
        }
        return true;
    }

    // ---- blocks ----

    bool MakeBlockRings(std::vector<std::pair<Polyline, int>>& rings, std::vector<QString>& zones) {
        GisImportReport& report = m_owner.m_report;
        if (!Items(GisKind::Blocks).empty()) {
            for (Item& item : Items(GisKind::Blocks)) {
                std::unique_ptr<OGRGeometry> geometry = std::move(item.geometry);
                if (!geometry->IsValid()) {
                    std::unique_ptr<OGRGeometry> valid(geometry->MakeValid());
                    if (!valid || valid->IsEmpty()) {
                        ++report.skippedRings;
                        continue;
                    }
                    ++report.repairedRings;
                    geometry = std::move(valid);
                }
                std::vector<const OGRPolygon*> polygons;
                std::vector<std::unique_ptr<OGRGeometry>> keep;
                CollectPolygons(*geometry, polygons, keep);
                for (const OGRPolygon* polygon : polygons) {
                    const OGRLinearRing* exterior = polygon->getExteriorRing();
                    Polyline ring;
                    if (exterior)
                        for (int i = 0; i < exterior->getNumPoints(); ++i)
                            ring.push_back({exterior->getX(i), exterior->getY(i)});
                    if (ring.size() < 4 || SignedArea(ring) == 0.0) {
                        ++report.skippedRings;
                        continue;
                    }
                    rings.emplace_back(std::move(ring), item.blockType);
                    zones.push_back(item.zone);
                }
            }
            if (rings.empty())
                return Fail(GisImportError::NoBlocks,
                            QStringLiteral("Ningún polígono de las fuentes sirve de manzana."));
            // Blocks of the plain type take the type of the area (a park, a
            // school's grounds) they lie in.
            const AreaIndex areas = MakeAreaIndex();
            if (!areas.Empty()) {
                for (auto& [ring, type] : rings) {
                    if (type != 1)
                        continue;
                    OGRLinearRing outline;
                    for (const PlanePoint& p : ring)
                        outline.addPoint(p.x, p.y);
                    OGRPolygon polygon;
                    polygon.addRing(&outline);
                    if (const auto inside = RepresentativePoint(polygon)) {
                        const int area = areas.TypeAt(*inside);
                        type = area > 0 ? area : type;
                    }
                }
            }
            return true;
        }

        std::vector<Polyline> lines;
        for (const Item& item : Items(GisKind::Streets))
            if (item.bounds)
                CollectLines(*item.geometry, lines);
        const double unit2 = kMetresPerMapUnit * kMetresPerMapUnit;
        const StreetFaceLimits limits{m_preset.m_dMinBlockM2 / unit2,
                                      m_preset.m_dMaxBlockM2 / unit2,
                                      m_preset.m_dStreetHalfWidthM / kMetresPerMapUnit};
        std::vector<StreetFace> faces;
        StreetFaceCounts counts;
        QString error;
        if (!FacesOfStreets(lines, limits, faces, counts, error))
            return Fail(GisImportError::Failed, error);
        report.tinyFaces += counts.tooSmall;
        report.hugeFaces += counts.tooLarge;
        if (faces.empty())
            return Fail(GisImportError::NoBlocks,
                        QStringLiteral("Las calles de las fuentes no encierran ninguna manzana."));
        const AreaIndex areas = MakeAreaIndex();
        for (StreetFace& face : faces) {
            const int type = areas.Empty() ? 0 : areas.TypeAt(face.inside);
            rings.emplace_back(std::move(face.ring), type > 0 ? type : 1);
            zones.emplace_back();
        }
        return true;
    }

    AreaIndex MakeAreaIndex() {
        AreaIndex areas;
        for (const Item& item : Items(GisKind::Areas))
            areas.Add(*item.geometry, item.blockType);
        return areas;
    }

    // ---- the store ----

    bool InTown(PlanePoint p) const {
        return p.x >= m_town.MinX && p.x <= m_town.MaxX && p.y >= m_town.MinY && p.y <= m_town.MaxY;
    }

    // Map units relative to the town's centre; false beyond what a map holds.
    bool ToMap(PlanePoint p, MapPoint& out) const {
        const double x = std::round(p.x - m_dCentreX), y = std::round(p.y - m_dCentreY);
        if (!std::isfinite(x) || !std::isfinite(y) || std::abs(x) > kMaxCoordinate ||
            std::abs(y) > kMaxCoordinate)
            return false;
        out = {static_cast<std::int32_t>(x), static_cast<std::int32_t>(y)};
        return true;
    }

    bool ToMapPoints(const Polyline& line, double toleranceUnits, std::vector<MapPoint>& out) {
        out.clear();
        for (const PlanePoint& p : SimplifyPolyline(line, toleranceUnits)) {
            MapPoint m;
            if (!ToMap(p, m))
                return false;
            if (out.empty() || !(out.back() == m))
                out.push_back(m);
        }
        return out.size() >= 2;
    }

    void PlaceBlocks(MapStore& store, std::vector<std::pair<Polyline, int>>& rings,
                     const std::vector<QString>& zones) {
        OGREnvelope bounds;
        for (const auto& [ring, type] : rings)
            for (const PlanePoint& p : ring)
                bounds.Merge(p.x, p.y);
        // A whole unit keeps every integer point where it was.
        m_dCentreX = std::round((bounds.MinX + bounds.MaxX) / 2);
        m_dCentreY = std::round((bounds.MinY + bounds.MaxY) / 2);
        const double margin = kTownMarginM / kMetresPerMapUnit;
        m_town = bounds;
        m_town.MinX -= margin, m_town.MinY -= margin, m_town.MaxX += margin, m_town.MaxY += margin;

        std::map<QString, std::vector<std::uint32_t>> zoneBlocks;
        store.m_blocks.reserve(rings.size());
        for (std::size_t i = 0; i < rings.size(); ++i) {
            CmBlock block;
            block.m_points.reserve(rings[i].first.size());
            bool fits = true;
            for (const PlanePoint& p : rings[i].first) {
                const double x = p.x - m_dCentreX, y = p.y - m_dCentreY;
                fits = fits && std::abs(x) <= kMaxCoordinate && std::abs(y) <= kMaxCoordinate;
                block.m_points.push_back({static_cast<float>(x), static_cast<float>(y)});
            }
            if (!fits) {
                ++m_owner.m_report.outside;
                continue;
            }
            block.SetType(rings[i].second);
            const auto id = static_cast<std::uint32_t>(store.m_blocks.size() + 1);
            block.SetId(id);
            store.m_rcBlocks = UnionRect(store.m_rcBlocks, block.GetBounds());
            store.m_blocks.push_back(std::move(block));
            if (!zones[i].isEmpty())
                zoneBlocks[zones[i]].push_back(id);
        }
        for (auto& [name, ids] : zoneBlocks) {
            auto zone =
                std::make_unique<CmZonas>(name.toStdString(), std::string(), store.m_counters);
            zone->m_blockIds = std::move(ids);
            MapStore::AddHead(store.m_listZones, std::move(zone));
        }
    }

    void MakeStreets(MapStore& store) {
        std::map<QString, std::vector<Polyline>> byName;
        for (const Item& item : Items(GisKind::Streets)) {
            if (item.name.isEmpty())
                continue;
            std::vector<Polyline> lines;
            CollectLines(*item.geometry, lines);
            auto& all = byName[item.name];
            all.insert(all.end(), std::make_move_iterator(lines.begin()),
                       std::make_move_iterator(lines.end()));
        }
        const bool labelsGiven = !Items(GisKind::Labels).empty();
        const double tolerance = kStreetToleranceM / kMetresPerMapUnit;
        const double spacing = m_preset.m_dLabelSpacingM / kMetresPerMapUnit;
        const double straight = kStraightToleranceM / kMetresPerMapUnit;
        std::vector<MapPoint> points;
        for (auto& [name, lines] : byName) {
            std::vector<Polyline> chains;
            for (Polyline& chain : ChainLines(std::move(lines))) {
                OGREnvelope box;
                for (const PlanePoint& p : chain)
                    box.Merge(p.x, p.y);
                if (!box.Intersects(m_town) || !ToMapPoints(chain, tolerance, points)) {
                    ++m_owner.m_report.outside;
                    continue;
                }
                auto street = std::make_unique<CmCalles>();
                street->m_strName = name.toStdString();
                street->m_fZoom = static_cast<float>(kStreetZoom);
                street->m_points = points;
                store.m_listStreets.push_back(std::move(street));
                chains.push_back(std::move(chain));
            }
            if (labelsGiven || chains.empty())
                continue;
            for (const LabelPlacement& placed : PlaceStreetLabels(
                     chains, static_cast<std::size_t>(name.size()), spacing, straight)) {
                MapPoint at;
                if (!ToMap(placed.anchor, at))
                    continue;
                CmStname label;
                label.m_x = at.x;
                label.m_y = at.y;
                label.m_fAngle = placed.angle;
                label.m_strText = name.toStdString();
                store.m_labels.push_back(std::move(label));
            }
        }
        for (const Item& item : Items(GisKind::Labels)) {
            MapPoint at;
            if (!InTown(item.at) || !ToMap(item.at, at)) {
                ++m_owner.m_report.outside;
                continue;
            }
            CmStname label;
            label.m_x = at.x;
            label.m_y = at.y;
            label.m_fAngle = static_cast<float>(item.angle * std::numbers::pi / 180.0);
            label.m_strText = item.name.toStdString();
            store.m_labels.push_back(std::move(label));
        }
    }

    // Points of one kind inside the town, one per name within a short distance
    // (a school mapped both as a point and as its grounds).
    std::vector<const Item*> TownPoints(GisKind kind) {
        std::vector<const Item*> kept;
        QHash<QString, std::vector<PlanePoint>> seen;
        const double same = kSamePlaceM / kMetresPerMapUnit;
        for (const Item& item : Items(kind)) {
            MapPoint m;
            if (!InTown(item.at) || !ToMap(item.at, m)) {
                ++m_owner.m_report.outside;
                continue;
            }
            auto& places = seen[item.name];
            if (kind != GisKind::Businesses &&
                std::any_of(places.begin(), places.end(),
                            [&](PlanePoint p) { return Distance(p, item.at) < same; }))
                continue;
            places.push_back(item.at);
            kept.push_back(&item);
        }
        return kept;
    }

    void MakePlaces(MapStore& store) {
        MapPoint m;
        for (const Item* item : TownPoints(GisKind::References)) {
            ToMap(item->at, m);
            MapStore::AddHead(
                store.m_listReferences,
                std::make_unique<CmRefe>(m.x, m.y, kReferenceZoom, item->name.toStdString()));
        }
        for (const Item* item : TownPoints(GisKind::Colonies)) {
            ToMap(item->at, m);
            MapStore::AddHead(
                store.m_listColonies,
                std::make_unique<CmColonias>(m.x, m.y, kColonyZoom, item->name.toStdString()));
        }
    }

    void MakeBusinesses(MapStore& store) {
        CmDirectorio& directory = store.m_directory;
        MapPoint m;
        for (const Item* item : TownPoints(GisKind::Businesses)) {
            ToMap(item->at, m);
            const std::string category =
                (item->category.isEmpty() ? QStringLiteral("Sin categoría") : item->category)
                    .toStdString();
            if (!directory.FindCategory(category))
                directory.AddCategory(category);
            directory.SelectCategory(category);
            directory.AddBusiness(m.x, m.y, kBusinessZoom, item->name.toStdString(),
                                  item->comment.toStdString(), item->phone.toStdString(),
                                  store.m_counters);
        }
        // As after opening a map: no category is chosen yet.
        directory.m_pCurrent = nullptr;
    }

    void MakeRoutes(MapStore& store) {
        std::vector<RouteStop> stops;
        std::vector<PlanePoint> stopPoints;
        for (const Item* item : TownPoints(GisKind::Stops)) {
            stops.push_back({item->at, item->name, item->route});
            stopPoints.push_back(item->at);
        }
        const double reach = m_preset.m_dStopDistanceM / kMetresPerMapUnit;
        const CPointGrid grid(stopPoints, std::max(reach, 1.0) * 2);
        const double tolerance = kStreetToleranceM / kMetresPerMapUnit;
        std::vector<MapPoint> points;
        for (const Item& item : Items(GisKind::Routes)) {
            std::vector<Polyline> parts;
            CollectLines(*item.geometry, parts);
            const Polyline line = AssembleRoute(parts);
            OGREnvelope box;
            for (const PlanePoint& p : line)
                box.Merge(p.x, p.y);
            if (line.size() < 2 || !box.Intersects(m_town) ||
                !ToMapPoints(line, tolerance, points)) {
                ++m_owner.m_report.outside;
                continue;
            }
            CmVias trace(item.color.value_or(kDefaultRouteColor));
            trace.m_strName = item.name.toStdString();
            trace.m_fZoom = kRouteZoom;
            trace.m_points = points;
            for (std::size_t s : StationsOnRoute(line, item.name, stops, grid, reach, 2 * reach)) {
                MapPoint at;
                ToMap(stops[s].at, at);
                trace.AddStation(at, stops[s].name.toStdString());
            }
            MapStore::AddHead(store.m_listRoutes,
                              std::make_unique<CmVias>(trace, store.m_counters));
        }
    }

    void MakeHeader(MapStore& store) {
        const GisImportOptions& options = m_owner.m_options;
        const Item* place = nullptr;
        double best = std::numeric_limits<double>::infinity();
        for (const Item& item : Items(GisKind::Places)) {
            // Earlier rules are surer (a city before a village); then the nearest.
            const double d = Distance(item.at, {m_dCentreX, m_dCentreY});
            if (!place || item.order < place->order || (item.order == place->order && d < best)) {
                place = &item;
                best = d;
            }
        }
        QString town = options.town, state = options.state, country = options.country;
        if (town.isEmpty() && place)
            town = place->name;
        if (state.isEmpty() && place)
            state = place->state;
        if (country.isEmpty() && place)
            country = place->country;
        if (town.isEmpty() && !options.sources.isEmpty())
            town = QFileInfo(options.sources.first()).fileName().section(QLatin1Char('.'), 0, 0);
        store.m_strTown = town.toStdString();
        store.m_strState = state.toStdString();
        store.m_strCountry = country.toStdString();
        store.m_strTitle =
            MapStore::MakeTitle(store.m_strTown, store.m_strState, store.m_strCountry);
    }

    bool MakeGeoreference() {
        const auto crs = LocalProjection(*m_geographic, m_dLon, m_dLat, -m_dCentreX, -m_dCentreY);
        char* wkt = nullptr;
        if (crs->exportToWkt(&wkt) != OGRERR_NONE || !wkt) {
            CPLFree(wkt);
            return Fail(GisImportError::Failed,
                        QStringLiteral("No se pudo escribir la georreferencia del mapa."));
        }
        m_owner.m_georeference = QByteArray(wkt);
        CPLFree(wkt);
        return true;
    }

    CGisImport& m_owner;
    const CGisPreset& m_preset;
    int m_nPercent = -1;
    std::vector<std::unique_ptr<OGRSpatialReference>> m_crs;
    std::array<std::vector<Item>, kKindCount> m_items;
    std::unique_ptr<OGRSpatialReference> m_geographic;
    double m_dLon = 0.0;
    double m_dLat = 0.0;
    double m_dCentreX = 0.0;
    double m_dCentreY = 0.0;
    OGREnvelope m_town;
};

CGisImport::CGisImport(const CGisPreset& preset, GisImportOptions options)
    : m_preset(preset), m_options(std::move(options)) {}

CGisImport::~CGisImport() = default;

std::unique_ptr<MapStore> CGisImport::Run() {
    m_error = GisImportError::None;
    m_strError.clear();
    m_georeference.clear();
    m_report = {};
    if (m_options.sources.isEmpty()) {
        m_error = GisImportError::Unreadable;
        m_strError = QStringLiteral("No se indicó ninguna fuente de datos.");
        return nullptr;
    }
    return Impl(*this).Run();
}
