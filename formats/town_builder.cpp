#include "town_builder.h"

#include "bus_routes.h"
#include "map_georeference.h"
#include "ogr_shapes.h"
#include "street_graph.h"
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
constexpr Color kDefaultRouteColor = Rgb(255, 0, 0);

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
    const double reach = m_run.Preset().m_dStopDistanceM / kMetresPerMapUnit;
    const CPointGrid grid(stopPoints, std::max(reach, 1.0) * 2);
    const double tolerance = kStreetToleranceM / kMetresPerMapUnit;
    std::vector<MapPoint> points;
    for (const GisItem& item : m_run.Items(GisKind::Routes)) {
        std::vector<Polyline> parts;
        CollectLines(*item.geometry, parts);
        const Polyline line = AssembleRoute(parts);
        OGREnvelope box;
        for (const PlanePoint& p : line)
            box.Merge(p.x, p.y);
        if (line.size() < 2 || !box.Intersects(m_town) || !ToMapPoints(line, tolerance, points)) {
            ++m_run.Report().outside;
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
        MapStore::AddHead(store.m_listRoutes, std::make_unique<CmVias>(trace, store.m_counters));
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
