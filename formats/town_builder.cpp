#include "town_builder.h"

#include "bus_routes.h"
#include "map_georeference.h"
#include "ogr_shapes.h"
#include "street_labels.h"
#include "street_pieces.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QHash>

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <numbers>

namespace {

constexpr double kMaxCoordinate = 1.0e9; // well inside the file's 32-bit points
constexpr double kTownMarginM = 1000.0;  // what lies farther from the blocks is another town
constexpr double kStreetToleranceM = 1.0;
// Pieces of one name closer than the width of a street are one street (twin
// bridges, the tubes of a tunnel), and so are pieces that a crossing, square
// or roundabout of another name keeps apart by no more than a way this long;
// farther apart, they are two streets.
constexpr double kSameStreetGapM = 15.0;
constexpr double kSameStreetWayM = 60.0;
// How far a label's text may stray from its street's centre line.
constexpr double kLabelToleranceM = 2.5;
// A street goes straight on through a junction when it turns no more than this.
constexpr double kStraightOnTurn = 40.0 * std::numbers::pi / 180.0;
constexpr double kSamePlaceM = 100.0;
// The zoom each kind is shown at when chosen from its page, as in generated towns.
constexpr int kStreetZoom = 3;
constexpr int kReferenceZoom = 5;
constexpr int kColonyZoom = 3;
constexpr int kBusinessZoom = 5;
constexpr float kRouteZoom = 3.0f;
// Ways of different sources that meet are rarely the very same point.
constexpr double kSameVertexM = 0.5;
// How far the end of a route's piece may lie from the streets that join it on.
constexpr double kRouteReachM = 20.0;
// Longer straight steps would cut across blocks.
constexpr double kMaxRouteChordM = 50.0;
// A piece of a route cut off from the rest is a route of its own from here on.
constexpr double kMinRouteAloneM = 300.0;

} // namespace

bool CTownBuilder::InTown(PlanePoint p) const {
    return p.x >= m_town.MinX && p.x <= m_town.MaxX && p.y >= m_town.MinY && p.y <= m_town.MaxY;
}

bool CTownBuilder::ToMap(PlanePoint p, MapPoint& out) const {
    const double x = std::round(p.x - m_dCentreX), y = std::round(p.y - m_dCentreY);
    if (!std::isfinite(x) || !std::isfinite(y) || std::abs(x) > kMaxCoordinate ||
        std::abs(y) > kMaxCoordinate)
        return false;
    out = {static_cast<std::int32_t>(x), static_cast<std::int32_t>(y)};
    return true;
}

bool CTownBuilder::ToMapPoints(const Polyline& line, double toleranceUnits,
                               std::vector<MapPoint>& out) {
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

void CTownBuilder::PlaceBlocks(MapStore& store, const std::vector<std::pair<Polyline, int>>& rings,
                               const std::vector<QString>& zones,
                               std::optional<PlanePoint> centre) {
    OGREnvelope bounds;
    for (const auto& [ring, type] : rings)
        for (const PlanePoint& p : ring)
            bounds.Merge(p.x, p.y);
    if (!centre)
        centre = PlanePoint{(bounds.MinX + bounds.MaxX) / 2, (bounds.MinY + bounds.MaxY) / 2};
    // A whole unit keeps every integer point where it was.
    m_dCentreX = std::round(centre->x);
    m_dCentreY = std::round(centre->y);
    const double margin = kTownMarginM / kMetresPerMapUnit;
    m_town = bounds;
    m_town.MinX -= margin, m_town.MinY -= margin, m_town.MaxX += margin, m_town.MaxY += margin;

    std::map<QString, std::vector<std::uint32_t>> zoneBlocks;
    store.m_blocks.reserve(rings.size());
    std::vector<FloatPoint> outline;
    for (std::size_t i = 0; i < rings.size(); ++i) {
        outline.clear();
        bool fits = true;
        for (const PlanePoint& p : rings[i].first) {
            const double x = p.x - m_dCentreX, y = p.y - m_dCentreY;
            fits = fits && std::abs(x) <= kMaxCoordinate && std::abs(y) <= kMaxCoordinate;
            outline.push_back({static_cast<float>(x), static_cast<float>(y)});
        }
        if (!fits) {
            ++m_run.Report().outside;
            continue;
        }
        const std::uint32_t id = store.AddBlock(outline, rings[i].second).m_nId;
        if (!zones[i].isEmpty())
            zoneBlocks[zones[i]].push_back(id);
    }
    for (auto& [name, ids] : zoneBlocks) {
        auto zone = std::make_unique<CmZonas>(name.toStdString(), std::string(), store.m_counters);
        zone->m_blockIds = std::move(ids);
        MapStore::AddHead(store.m_listZones, std::move(zone));
    }
}

void CTownBuilder::MakeStreets(MapStore& store) {
    struct Named {
        std::vector<Polyline> lines;
        std::vector<int> ranks; // the preset's order of the rule that gave each line
    };
    std::map<QString, Named> byName;
    std::vector<Polyline> all;
    for (const GisItem& item : m_run.Items(GisKind::Streets)) {
        const std::size_t first = all.size();
        CollectLines(*item.geometry, all);
        if (item.name.isEmpty())
            continue;
        Named& named = byName[item.name];
        named.lines.insert(named.lines.end(), all.begin() + static_cast<std::ptrdiff_t>(first),
                           all.end());
        named.ranks.resize(named.lines.size(), item.order);
    }
    const CTownStreets town(std::move(all));
    const bool labelsGiven = !m_run.Items(GisKind::Labels).empty();
    const double tolerance = kStreetToleranceM / kMetresPerMapUnit;
    const double gap = kSameStreetGapM / kMetresPerMapUnit;
    const double reach = kSameStreetWayM / kMetresPerMapUnit;
    std::vector<StreetForLabels> toLabel;
    std::vector<SharedText> texts;
    std::vector<MapPoint> points;
    OGREnvelope kept; // labels a source gives may lie as far from the streets kept
    for (auto& [name, named] : byName) {
        const SharedText text = name.toStdString();
        const double width = LabelTextWidth(text.str());
        for (const StreetGraph& network :
             StreetNetworks(std::move(named.lines), gap, &town, reach)) {
            const Polyline walk = WalkStreet(network);
            OGREnvelope box;
            for (const PlanePoint& p : walk)
                box.Merge(p.x, p.y);
            if (!box.Intersects(m_town) || !ToMapPoints(walk, tolerance, points)) {
                ++m_run.Report().outside;
                continue;
            }
            auto street = std::make_unique<CmCalles>();
            street->m_strName = text.str();
            street->m_fZoom = static_cast<float>(kStreetZoom);
            street->m_points = points;
            store.m_listStreets.push_back(std::move(street));
            kept.Merge(box);
            if (labelsGiven)
                continue;
            StreetForLabels labelled;
            labelled.strokes = StreetStrokes(network, kStraightOnTurn);
            labelled.width = width;
            labelled.length = network.OwnLength();
            labelled.rank = std::numeric_limits<int>::max();
            for (const StreetGraph::Edge& e : network.edges)
                if (e.source < named.ranks.size())
                    labelled.rank = std::min(labelled.rank, named.ranks[e.source]);
            toLabel.push_back(std::move(labelled));
            texts.push_back(text);
        }
    }
    const LabelRules rules{m_run.Preset().m_dLabelSpacingM / kMetresPerMapUnit,
                           kLabelToleranceM / kMetresPerMapUnit};
    const std::vector<std::vector<LabelPlacement>> placed = PlaceStreetLabels(toLabel, rules);
    for (std::size_t i = 0; i < placed.size(); ++i) {
        for (const LabelPlacement& at : placed[i]) {
            MapPoint anchor;
            if (!ToMap(at.anchor, anchor))
                continue;
            CmStname label;
            label.m_x = anchor.x;
            label.m_y = anchor.y;
            label.m_fAngle = at.angle;
            label.m_strText = texts[i];
            store.m_labels.push_back(std::move(label));
        }
    }
    for (const GisItem& item : m_run.Items(GisKind::Labels)) {
        MapPoint at;
        const double margin = kTownMarginM / kMetresPerMapUnit;
        const bool along = kept.IsInit() && item.at.x >= kept.MinX - margin &&
                           item.at.x <= kept.MaxX + margin && item.at.y >= kept.MinY - margin &&
                           item.at.y <= kept.MaxY + margin;
        if (!(InTown(item.at) || along) || !ToMap(item.at, at)) {
            ++m_run.Report().outside;
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

std::vector<const GisItem*> CTownBuilder::TownPoints(GisKind kind) {
    std::vector<const GisItem*> kept;
    QHash<QString, std::vector<PlanePoint>> seen;
    const double same = kSamePlaceM / kMetresPerMapUnit;
    for (const GisItem& item : m_run.Items(kind)) {
        MapPoint m;
        if (!InTown(item.at) || !ToMap(item.at, m)) {
            ++m_run.Report().outside;
            continue;
        }
        // A stop serving several routes is given once for each (an exported map).
        auto& places = seen[item.route.isEmpty() ? item.name : item.name + u'\n' + item.route];
        if (kind != GisKind::Businesses &&
            std::any_of(places.begin(), places.end(),
                        [&](PlanePoint p) { return Distance(p, item.at) < same; }))
            continue;
        places.push_back(item.at);
        kept.push_back(&item);
    }
    return kept;
}

void CTownBuilder::MakePlaces(MapStore& store) {
    MapPoint m;
    for (const GisItem* item : TownPoints(GisKind::References)) {
        ToMap(item->at, m);
        MapStore::AddHead(
            store.m_listReferences,
            std::make_unique<CmRefe>(m.x, m.y, kReferenceZoom, item->name.toStdString()));
    }
    for (const GisItem* item : TownPoints(GisKind::Colonies)) {
        ToMap(item->at, m);
        MapStore::AddHead(
            store.m_listColonies,
            std::make_unique<CmColonias>(m.x, m.y, kColonyZoom, item->name.toStdString()));
    }
}

void CTownBuilder::MakeBusinesses(MapStore& store) {
    CmDirectorio& directory = store.m_directory;
    MapPoint m;
    for (const GisItem* item : TownPoints(GisKind::Businesses)) {
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

void CTownBuilder::MakeRoutes(MapStore& store) {
    std::vector<RouteStop> stops;
    std::vector<PlanePoint> stopPoints;
    std::vector<int> sequence;
    for (const GisItem* item : TownPoints(GisKind::Stops)) {
        stops.push_back({item->at, item->name, item->route});
        stopPoints.push_back(item->at);
        sequence.push_back(item->sequence);
    }
    const std::vector<GisItem>& routes = m_run.Items(GisKind::Routes);
    if (routes.empty())
        return;
    // The ways of the routes are roads the buses take, whether or not a rule
    // took them as streets (a busway, an unnamed bridge), so they join too.
    std::vector<std::vector<Polyline>> parts(routes.size());
    std::vector<Polyline> roads;
    for (const GisItem& item : m_run.Items(GisKind::Streets))
        CollectLines(*item.geometry, roads);
    for (std::size_t r = 0; r < routes.size(); ++r) {
        CollectLines(*routes[r].geometry, parts[r]);
        roads.insert(roads.end(), parts[r].begin(), parts[r].end());
    }
    const CStreetGraph streets(roads, kSameVertexM / kMetresPerMapUnit,
                               kRouteReachM / kMetresPerMapUnit);
    roads.clear();
    const RouteJoinLimits limits{kMaxRouteChordM / kMetresPerMapUnit,
                                 kMinRouteAloneM / kMetresPerMapUnit};

    std::vector<std::optional<Color>> given;
    std::vector<QString> names;
    for (const GisItem& item : routes) {
        given.push_back(item.color);
        names.push_back(item.name);
    }
    const std::vector<Color> colors = RouteColors(given, names);

    const double reach = m_run.Preset().m_dStopDistanceM / kMetresPerMapUnit;
    const CPointGrid grid(stopPoints, std::max(reach, 1.0) * 2);
    const double tolerance = kStreetToleranceM / kMetresPerMapUnit;
    std::vector<MapPoint> points;
    for (std::size_t r = 0; r < routes.size(); ++r) {
        const GisItem& item = routes[r];
        const RouteLines made = AssembleRoute(parts[r], streets, limits);
        m_run.Report().droppedRouteParts += made.dropped;
        if (made.lines.size() > 1)
            m_run.Report().splitRoutes.append(item.name);
        for (std::size_t k = 0; k < made.lines.size(); ++k) {
            const Polyline& line = made.lines[k];
            OGREnvelope box;
            for (const PlanePoint& p : line)
                box.Merge(p.x, p.y);
            if (line.size() < 2 || !box.Intersects(m_town) ||
                !ToMapPoints(line, tolerance, points)) {
                ++m_run.Report().outside;
                continue;
            }
            CmVias trace(colors[r]);
            trace.m_strName =
                (made.lines.size() == 1 ? item.name
                                        : QStringLiteral("%1 (%2)").arg(item.name).arg(k + 1))
                    .toStdString();
            trace.m_fZoom = kRouteZoom;
            trace.m_points = points;
            // Stations that give their route and place in it (a map exported
            // by Veltrix) keep them, wherever they lie.
            std::vector<std::size_t> listed;
            for (std::size_t s = 0; s < stops.size() && made.lines.size() == 1; ++s)
                if (sequence[s] > 0 && stops[s].route.compare(item.name, Qt::CaseInsensitive) == 0)
                    listed.push_back(s);
            std::stable_sort(listed.begin(), listed.end(), [&](std::size_t p, std::size_t q) {
                return sequence[p] < sequence[q];
            });
            if (listed.empty())
                listed = StationsOnRoute(line, item.name, stops, grid, reach, 2 * reach);
            for (std::size_t s : listed) {
                MapPoint at;
                ToMap(stops[s].at, at);
                trace.AddStation(at, stops[s].name.toStdString());
            }
            MapStore::AddHead(store.m_listRoutes,
                              std::make_unique<CmVias>(trace, store.m_counters));
        }
    }
}

void CTownBuilder::MakeHeader(MapStore& store, const TownChoice* town) {
    const GisImportOptions& options = m_run.Options();
    QString name = options.town, state = options.state, country = options.country;
    if (town) {
        if (name.isEmpty())
            name = town->name;
        // The boundaries around the town's centre: the country's at level 2,
        // the state's at 4 where the country has states (else the nearest
        // level under the country's).
        OGRPoint at(m_dCentreX, m_dCentreY);
        const GisItem* countryArea = nullptr;
        const GisItem* stateArea = nullptr;
        auto rank = [](int level) { return level == 4 ? 0 : level; };
        for (const GisItem& item : m_run.Items(GisKind::Places)) {
            if (item.adminLevel < 2 || item.adminLevel > 6 || !item.geometry ||
                item.name.isEmpty() || !item.geometry->Contains(&at))
                continue;
            if (item.adminLevel == 2)
                countryArea = &item;
            else if (!stateArea || rank(item.adminLevel) < rank(stateArea->adminLevel))
                stateArea = &item;
        }
        if (state.isEmpty())
            state = stateArea ? stateArea->name : town->state;
        if (country.isEmpty())
            country = countryArea ? countryArea->name : town->country;
    } else {
        const GisItem* place = nullptr;
        double best = std::numeric_limits<double>::infinity();
        for (const GisItem& item : m_run.Items(GisKind::Places)) {
            if (item.adminLevel > 0)
                continue;
            // Earlier rules are surer (a city before a village); then the nearest.
            const double d = Distance(item.at, {m_dCentreX, m_dCentreY});
            if (!place || item.order < place->order || (item.order == place->order && d < best)) {
                place = &item;
                best = d;
            }
        }
        if (name.isEmpty() && place)
            name = place->name;
        if (state.isEmpty() && place)
            state = place->state;
        if (country.isEmpty() && place)
            country = place->country;
    }
    // What the surest place leaves unsaid comes from the surest one that says
    // it (a state layer, the state's code on the blocks).
    auto surest = [&](QString GisItem::*part) {
        const GisItem* best = nullptr;
        for (const GisItem& item : m_run.Items(GisKind::Places))
            if (item.adminLevel == 0 && !(item.*part).isEmpty() &&
                (!best || item.order < best->order))
                best = &item;
        return best ? best->*part : QString();
    };
    for (auto [value, part] : {std::pair{&name, &GisItem::name}, std::pair{&state, &GisItem::state},
                               std::pair{&country, &GisItem::country}})
        if (value->isEmpty())
            *value = surest(part);
    if (name.isEmpty() && !options.sources.isEmpty())
        name = QFileInfo(options.sources.first()).fileName().section(QLatin1Char('.'), 0, 0);
    // A title with an empty part reads as a mistake: what is missing takes the
    // nearest name the map has, and the person is told.
    QStringList& notes = m_run.Report().notes;
    if (state.trimmed().isEmpty()) {
        state = country.trimmed().isEmpty() ? name : country;
        notes.append(
            QCoreApplication::translate("GisImport", "El estado no está en los datos: se usa «%1».")
                .arg(state));
    }
    if (country.trimmed().isEmpty()) {
        country = state;
        notes.append(
            QCoreApplication::translate("GisImport", "El país no está en los datos: se usa «%1».")
                .arg(country));
    }
    store.m_strTown = name.toStdString();
    store.m_strState = state.toStdString();
    store.m_strCountry = country.toStdString();
    store.m_strTitle = MapStore::MakeTitle(store.m_strTown, store.m_strState, store.m_strCountry);
}
