#include "town_builder.h"

#include "bus_routes.h"
#include "map_georeference.h"
#include "ogr_shapes.h"
#include "street_labels.h"

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
constexpr double kStraightToleranceM = 3.0;
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
    std::map<QString, std::vector<Polyline>> byName;
    for (const GisItem& item : m_run.Items(GisKind::Streets)) {
        if (item.name.isEmpty())
            continue;
        std::vector<Polyline> lines;
        CollectLines(*item.geometry, lines);
        auto& all = byName[item.name];
        all.insert(all.end(), std::make_move_iterator(lines.begin()),
                   std::make_move_iterator(lines.end()));
    }
    const bool labelsGiven = !m_run.Items(GisKind::Labels).empty();
    const double tolerance = kStreetToleranceM / kMetresPerMapUnit;
    const double spacing = m_run.Preset().m_dLabelSpacingM / kMetresPerMapUnit;
    const double straight = kStraightToleranceM / kMetresPerMapUnit;
    std::vector<MapPoint> points;
    for (auto& [name, lines] : byName) {
        std::vector<Polyline> chains;
        for (Polyline& chain : ChainLines(std::move(lines))) {
            OGREnvelope box;
            for (const PlanePoint& p : chain)
                box.Merge(p.x, p.y);
            if (!box.Intersects(m_town) || !ToMapPoints(chain, tolerance, points)) {
                ++m_run.Report().outside;
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
        const SharedText text = name.toStdString();
        for (const LabelPlacement& placed :
             PlaceStreetLabels(chains, static_cast<std::size_t>(name.size()), spacing, straight)) {
            MapPoint at;
            if (!ToMap(placed.anchor, at))
                continue;
            CmStname label;
            label.m_x = at.x;
            label.m_y = at.y;
            label.m_fAngle = placed.angle;
            label.m_strText = text;
            store.m_labels.push_back(std::move(label));
        }
    }
    for (const GisItem& item : m_run.Items(GisKind::Labels)) {
        MapPoint at;
        if (!InTown(item.at) || !ToMap(item.at, at)) {
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
    for (const GisItem* item : TownPoints(GisKind::Stops)) {
        stops.push_back({item->at, item->name, item->route});
        stopPoints.push_back(item->at);
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
            for (std::size_t s : StationsOnRoute(line, item.name, stops, grid, reach, 2 * reach)) {
                MapPoint at;
                ToMap(stops[s].at, at);
                trace.AddStation(at, stops[s].name.toStdString());
            }
            MapStore::AddHead(store.m_listRoutes,
                              std::make_unique<CmVias>(trace, store.m_counters));
        }
    }
}

void CTownBuilder::MakeHeader(MapStore& store) {
    const GisImportOptions& options = m_run.Options();
    const GisItem* place = nullptr;
    double best = std::numeric_limits<double>::infinity();
    for (const GisItem& item : m_run.Items(GisKind::Places)) {
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
    store.m_strTitle = MapStore::MakeTitle(store.m_strTown, store.m_strState, store.m_strCountry);
}
