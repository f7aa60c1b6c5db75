// Bus routes that follow the roads: the pieces of a relation turned and
// chained, gaps joined along the streets and never by a long straight step,
// pieces no street reaches left out or made routes of their own, distinct
// colours for routes that bring none; and on a real extract, routes that lie
// on its roads.

#include "bus_routes.h"
#include "gis_import.h"
#include "gis_town.h"
#include "osm_town.h"
#include "street_graph.h"

#include <gtest/gtest.h>

#include <ogr_spatialref.h>
#include <ogrsf_frmts.h>

#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <unordered_map>

namespace {

// The longest step that may cut across, and how close "along a street" is,
// in the units of the lines (metres here).
constexpr double kChord = 50.0;
constexpr RouteJoinLimits kLimits{kChord, 300.0};

double DistanceToLines(PlanePoint p, const std::vector<Polyline>& lines) {
    double best = 1e300;
    for (const Polyline& line : lines)
        for (std::size_t i = 1; i < line.size(); ++i)
            best = std::min(best, DistanceToSegment(p, line[i - 1], line[i]));
    return best;
}

// Every point of every step of `route` lies within `slack` of `lines`, tested
// every metre: the route never leaves them.
bool RunsAlong(const Polyline& route, const std::vector<Polyline>& lines, double slack) {
    for (std::size_t i = 1; i < route.size(); ++i) {
        const double length = Distance(route[i - 1], route[i]);
        for (double t = 0; t <= length; t += 1.0) {
            const double f = length > 0 ? t / length : 0.0;
            const PlanePoint p{route[i - 1].x + f * (route[i].x - route[i - 1].x),
                               route[i - 1].y + f * (route[i].y - route[i - 1].y)};
            if (DistanceToLines(p, lines) > slack)
                return false;
        }
    }
    return true;
}

// A grid of 100 m blocks: streets x = 0, 100, ... and y = 0, 100, ..., each
// street one line across the whole grid with a vertex at every crossing.
std::vector<Polyline> Grid(int blocks) {
    std::vector<Polyline> streets;
    for (int k = 0; k <= blocks; ++k) {
        Polyline across, up;
        for (int j = 0; j <= blocks; ++j) {
            across.push_back({100.0 * j, 100.0 * k});
            up.push_back({100.0 * k, 100.0 * j});
        }
        streets.push_back(across);
        streets.push_back(up);
    }
    return streets;
}

TEST(BusRouteChain, TurnsReversedPartsToFollowOn) {
    const std::vector<Polyline> streets = Grid(3);
    const CStreetGraph graph(streets, 0.5, 20.0);
    // Along y = 0 to the east, then north along x = 300; the relation lists
    // the ways in order, but the first and the last backwards.
    const std::vector<Polyline> parts{
        {{100, 0}, {0, 0}}, {{100, 0}, {200, 0}, {300, 0}}, {{300, 200}, {300, 100}, {300, 0}}};
    const RouteLines made = AssembleRoute(parts, graph, kLimits);
    ASSERT_EQ(made.lines.size(), 1u);
    EXPECT_EQ(made.dropped, 0u);
    EXPECT_EQ(made.lines[0],
              (Polyline{{0, 0}, {100, 0}, {200, 0}, {300, 0}, {300, 100}, {300, 200}}));
}

TEST(BusRouteChain, GapIsJoinedAlongTheStreetsAroundTheBlock) {
    const std::vector<Polyline> streets = Grid(3);
    const CStreetGraph graph(streets, 0.5, 20.0);
    // The way along the block's south side is missing from the extract: the
    // route goes round by the streets, not 100 m straight across.
    const std::vector<Polyline> parts{{{0, 0}, {100, 0}}, {{200, 0}, {300, 0}}};
    const std::vector<Polyline> withoutTheSide{{{0, 0}, {100, 0}},
                                               {{200, 0}, {300, 0}},
                                               {{100, 0}, {100, 100}},
                                               {{100, 100}, {200, 100}},
                                               {{200, 100}, {200, 0}}};
    const CStreetGraph around(withoutTheSide, 0.5, 20.0);
    const RouteLines made = AssembleRoute(parts, around, kLimits);
    ASSERT_EQ(made.lines.size(), 1u);
    EXPECT_EQ(SimplifyPolyline(made.lines[0], 1e-6),
              (Polyline{{0, 0}, {100, 0}, {100, 100}, {200, 100}, {200, 0}, {300, 0}}));

    // Where the street is there, the way along it is the straight one.
    const RouteLines direct = AssembleRoute(parts, graph, kLimits);
    ASSERT_EQ(direct.lines.size(), 1u);
    EXPECT_NEAR(PolylineLength(direct.lines[0]), 300.0, 1e-9);

    // Ends that are near the streets but not on them join them there.
    const std::vector<Polyline> offStreet{{{0, 5}, {100, 5}}, {{200, -5}, {300, -5}}};
    const RouteLines joined = AssembleRoute(offStreet, around, kLimits);
    ASSERT_EQ(joined.lines.size(), 1u);
    EXPECT_TRUE(RunsAlong(joined.lines[0], withoutTheSide, 5.5));
}

TEST(BusRouteChain, NoLongStraightStepWhereNoStreetJoins) {
    // Two stretches of road 400 m apart with nothing between them, and a
    // short stray piece off by itself.
    const std::vector<Polyline> roads{{{0, 0}, {500, 0}}, {{900, 0}, {1500, 0}}};
    const CStreetGraph graph(roads, 0.5, 20.0);

    // Both stretches are long: the route becomes two, in its order.
    const RouteLines split =
        AssembleRoute({{{0, 0}, {500, 0}}, {{900, 0}, {1500, 0}}}, graph, kLimits);
    ASSERT_EQ(split.lines.size(), 2u);
    EXPECT_EQ(split.lines[0].front(), (PlanePoint{0, 0}));
    EXPECT_EQ(split.lines[1].back(), (PlanePoint{1500, 0}));
    EXPECT_EQ(split.dropped, 0u);

    // A short piece no street reaches is left out, and the route that goes on
    // past it stays one.
    const CStreetGraph joined({{{0, 0}, {1500, 0}}}, 0.5, 20.0);
    const RouteLines stray = AssembleRoute(
        {{{0, 0}, {500, 0}}, {{700, 400}, {760, 400}}, {{900, 0}, {1500, 0}}}, joined, kLimits);
    ASSERT_EQ(stray.lines.size(), 1u);
    EXPECT_EQ(stray.dropped, 1u);
    EXPECT_TRUE(RunsAlong(stray.lines[0], {{{0, 0}, {1500, 0}}}, 1e-6));

    // A gap shorter than the longest allowed step is stepped over.
    const RouteLines stepped =
        AssembleRoute({{{0, 0}, {500, 0}}, {{540, 0}, {900, 0}}}, graph, kLimits);
    ASSERT_EQ(stepped.lines.size(), 1u);
    EXPECT_EQ(stepped.lines[0], (Polyline{{0, 0}, {500, 0}, {540, 0}, {900, 0}}));
}

TEST(BusRouteChain, AbsurdDetourIsNotTaken) {
    // The two ends are 120 m apart across a river; the only bridge is 5 km
    // away. The route is split rather than sent on a 10 km tour.
    const std::vector<Polyline> roads{
        {{0, 0}, {5000, 0}}, {{0, 120}, {5000, 120}}, {{5000, 0}, {5000, 120}}};
    const CStreetGraph graph(roads, 0.5, 20.0);
    const RouteLines made =
        AssembleRoute({{{-600, 0}, {0, 0}}, {{0, 120}, {-600, 120}}}, graph, kLimits);
    EXPECT_EQ(made.lines.size(), 2u);
}

TEST(BusRouteColors, DistinctInNameOrderAndKeepTheirOwn) {
    const std::vector<std::optional<Color>> given{std::nullopt, Rgb(1, 2, 3), std::nullopt,
                                                  std::nullopt};
    const std::vector<QString> names{QStringLiteral("L3"), QStringLiteral("Verde"),
                                     QStringLiteral("L1"), QStringLiteral("L2")};
    const std::vector<Color> colors = RouteColors(given, names);
    ASSERT_EQ(colors.size(), 4u);
    EXPECT_EQ(colors[1], Rgb(1, 2, 3));
    EXPECT_EQ(std::set<Color>(colors.begin(), colors.end()).size(), 4u);
    // The same routes listed in another order keep their colours.
    const std::vector<Color> again =
        RouteColors({std::nullopt, std::nullopt, std::nullopt}, {names[3], names[0], names[2]});
    EXPECT_EQ(again, (std::vector<Color>{colors[3], colors[0], colors[2]}));

    // A palette colour a route brings is given to others only when the
    // palette has run out.
    std::vector<std::optional<Color>> many(13);
    many[0] = RouteColors({std::nullopt}, {QStringLiteral("A")})[0];
    std::vector<QString> manyNames;
    for (int i = 0; i < 13; ++i)
        manyNames.push_back(QStringLiteral("R%1").arg(i, 2, 10, QLatin1Char('0')));
    const std::vector<Color> spread = RouteColors(many, manyNames);
    EXPECT_EQ(std::count(spread.begin(), spread.end(), *many[0]), 2);
    EXPECT_EQ(spread.back(), *many[0]);
}

// A town of one block with a bus route whose ways come in three pieces no
// street joins: 400 m along the block, a 500 m road 600 m east of it, and a
// stray 60 m way between them.
QByteArray BrokenRouteTown() {
    QString nodes, ways;
    int id = 0;
    auto way = [&](std::initializer_list<double> eastNorth, const QString& tags) {
        QString refs;
        for (auto it = eastNorth.begin(); it != eastNorth.end(); it += 2) {
            const LonLat p = TownPoint(*it, *(it + 1));
            nodes += QStringLiteral("<node id=\"%1\" lat=\"%2\" lon=\"%3\"/>\n")
                         .arg(++id)
                         .arg(p.lat, 0, 'f', 9)
                         .arg(p.lon, 0, 'f', 9);
            refs += QStringLiteral("<nd ref=\"%1\"/>").arg(id);
        }
        ways += QStringLiteral("<way id=\"%1\">%2%3</way>\n").arg(++id).arg(refs, tags);
        return id;
    };
    const QString street =
        QStringLiteral("<tag k=\"highway\" v=\"residential\"/><tag k=\"name\" v=\"Calle %1\"/>");
    const int south = way({0, 0, 400, 0}, street.arg(1));
    way({400, 0, 400, 100, 0, 100, 0, 0}, street.arg(2));
    const int east = way({1000, 0, 1500, 0}, street.arg(3));
    const int stray = way({700, 500, 760, 500}, street.arg(4));
    QString members;
    for (int w : {south, stray, east})
        members += QStringLiteral("<member type=\"way\" ref=\"%1\" role=\"\"/>").arg(w);
    const QString relation =
        QStringLiteral("<relation id=\"%1\">%2<tag k=\"type\" v=\"route\"/>"
                       "<tag k=\"route\" v=\"bus\"/><tag k=\"name\" v=\"Ruta Rota\"/></relation>\n")
            .arg(++id)
            .arg(members);
    return (QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<osm version=\"0.6\">\n") +
            nodes + ways + relation + QStringLiteral("</osm>\n"))
        .toUtf8();
}

TEST(BusRouteImport, PiecesNoStreetJoinsAreSaidInTheSummary) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString osm = dir.filePath(QStringLiteral("rota.osm"));
    QFile file(osm);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(BrokenRouteTown());
    file.close();
    QString error;
    const auto preset = CGisPreset::Load(QStringLiteral("osm"), error);
    ASSERT_TRUE(preset) << error.toStdString();
    GisImportOptions options;
    options.sources = {osm};
    CGisImport importer(*preset, options);
    const auto store = importer.Run();
    ASSERT_TRUE(store) << importer.ErrorString().toStdString();

    // The two long pieces are routes of their own, the stray one is gone,
    // and no step of either crosses the 600 m between them.
    std::vector<std::string> names;
    for (const auto& route : store->m_listRoutes) {
        names.push_back(route->m_strName);
        for (std::size_t i = 1; i < route->m_points.size(); ++i)
            EXPECT_LE(std::abs(route->m_points[i].y - route->m_points[i - 1].y) * kMetresPerMapUnit,
                      1.0);
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"Ruta Rota (1)", "Ruta Rota (2)"}));
    const QStringList summary =
        GisTownSummary(QStringLiteral("rota.map"), *store, importer.Report());
    EXPECT_TRUE(summary.contains(QStringLiteral(
        "Aviso: 1 tramos cortos de rutas que ninguna calle une al resto, descartados.")))
        << summary.join('\n').toStdString();
    EXPECT_TRUE(summary.contains(QStringLiteral(
        "Aviso: rutas partidas en varias porque ninguna calle une sus tramos: Ruta Rota.")));
}

// The roads of the extract in the map's own units and position: every line
// with a highway tag, put where the map's georeference says.
std::vector<Polyline> ExtractRoads(const QString& path, const QByteArray& georeference) {
    GDALAllRegister();
    std::vector<Polyline> roads;
    GDALDatasetUniquePtr data(
        GDALDataset::Open(path.toUtf8().constData(), GDAL_OF_VECTOR | GDAL_OF_READONLY));
    if (!data)
        return roads;
    OGRSpatialReference map, wgs84;
    map.importFromWkt(georeference.constData());
    wgs84.importFromEPSG(4326);
    wgs84.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    map.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    const std::unique_ptr<OGRCoordinateTransformation> toMap(
        OGRCreateCoordinateTransformation(&wgs84, &map));
    OGRLayer* lines = data->GetLayerByName("lines");
    if (!lines || !toMap)
        return roads;
    lines->SetAttributeFilter("highway IS NOT NULL");
    for (const auto& feature : *lines) {
        const OGRGeometry* geometry = feature->GetGeometryRef();
        if (!geometry || wkbFlatten(geometry->getGeometryType()) != wkbLineString)
            continue;
        std::unique_ptr<OGRLineString> line(geometry->toLineString()->clone());
        if (line->transform(toMap.get()) != OGRERR_NONE)
            continue;
        Polyline points;
        for (int i = 0; i < line->getNumPoints(); ++i)
            points.push_back({line->getX(i), line->getY(i)});
        roads.push_back(std::move(points));
    }
    return roads;
}

// Segments of the roads by square cells, for "how far is the nearest road".
class CRoadIndex {
public:
    CRoadIndex(const std::vector<Polyline>& roads, double cell) : m_roads(roads), m_dCell(cell) {
        for (std::size_t r = 0; r < roads.size(); ++r)
            for (std::size_t i = 1; i < roads[r].size(); ++i) {
                const PlanePoint a = roads[r][i - 1], b = roads[r][i];
                for (long long cx = Cell(std::min(a.x, b.x)); cx <= Cell(std::max(a.x, b.x)); ++cx)
                    for (long long cy = Cell(std::min(a.y, b.y)); cy <= Cell(std::max(a.y, b.y));
                         ++cy)
                        m_cells[Key(cx, cy)].push_back({r, i});
            }
    }

    // The distance to the nearest road, or more than the cell when it is farther.
    double Nearest(PlanePoint p) const {
        double best = 2 * m_dCell;
        for (long long cx = Cell(p.x) - 1; cx <= Cell(p.x) + 1; ++cx)
            for (long long cy = Cell(p.y) - 1; cy <= Cell(p.y) + 1; ++cy) {
                const auto it = m_cells.find(Key(cx, cy));
                if (it == m_cells.end())
                    continue;
                for (const auto& [r, i] : it->second)
                    best = std::min(best, DistanceToSegment(p, m_roads[r][i - 1], m_roads[r][i]));
            }
        return best;
    }

private:
    long long Cell(double v) const { return static_cast<long long>(std::floor(v / m_dCell)); }
    static long long Key(long long x, long long y) { return x * 1000003LL + y; }

    const std::vector<Polyline>& m_roads;
    double m_dCell;
    std::unordered_map<long long, std::vector<std::pair<std::size_t, std::size_t>>> m_cells;
};

TEST(BusRoutesOfAndorra, FollowTheRoadsOfTheExtract) {
    QString error;
    const auto preset = CGisPreset::Load(QStringLiteral("osm"), error);
    ASSERT_TRUE(preset) << error.toStdString();
    const QString pbf = QStringLiteral(VELTRIX_ANDORRA_PBF);
    GisImportOptions options;
    options.sources = {pbf};
    options.town = QStringLiteral("Andorra la Vella");
    CGisImport importer(*preset, options);
    const auto store = importer.Run();
    ASSERT_TRUE(store) << importer.ErrorString().toStdString();
    // The reader's layers no rule reads are named as a person reads them.
    EXPECT_TRUE(GisTownSummary(QStringLiteral("andorra.map"), *store, importer.Report())
                    .contains(QStringLiteral("Capas sin usar: andorra.osm.pbf: relaciones.")));
    const std::vector<Polyline> roads = ExtractRoads(pbf, importer.Georeference());
    ASSERT_GT(roads.size(), 1000u);

    const double unit = kMetresPerMapUnit;
    const CRoadIndex index(roads, 20.0 / unit);
    ASSERT_GE(store->m_listRoutes.size(), 3u);
    std::map<std::string, Color> colors;
    for (const auto& route : store->m_listRoutes) {
        const std::vector<MapPoint>& points = route->m_points;
        double length = 0.0, near = 0.0;
        for (std::size_t i = 1; i < points.size(); ++i) {
            const PlanePoint a{double(points[i - 1].x), double(points[i - 1].y)};
            const PlanePoint b{double(points[i].x), double(points[i].y)};
            const double step = Distance(a, b);
            // Sampled every half unit: the share of the length within 20 m of a road.
            const int samples = std::max(1, static_cast<int>(std::ceil(step * 2)));
            bool along = true;
            for (int k = 0; k < samples; ++k) {
                const double f = (k + 0.5) / samples;
                const PlanePoint p{a.x + f * (b.x - a.x), a.y + f * (b.y - a.y)};
                const double d = index.Nearest(p) * unit;
                if (d <= 20.0)
                    near += step / samples;
                along = along && d <= 6.0;
            }
            length += step;
            EXPECT_TRUE(step * unit <= 50.0 || along)
                << route->m_strName << ": a step of " << step * unit << " m across, from (" << a.x
                << ", " << a.y << ")";
        }
        ASSERT_GT(length, 0.0);
        const double share = near / length;
        std::printf("%s: %.0f m, %.1f %% within 20 m of a road, %zu stations\n",
                    route->m_strName.c_str(), length * unit, 100 * share, route->m_stations.size());
        EXPECT_GE(share, 0.95) << route->m_strName;
        EXPECT_FALSE(route->m_stations.empty()) << route->m_strName;
        // Stations lie on the route they belong to.
        for (const Station& s : route->m_stations) {
            double best = 1e300;
            for (std::size_t i = 1; i < points.size(); ++i)
                best = std::min(
                    best, DistanceToSegment({double(s.pt.x), double(s.pt.y)},
                                            {double(points[i - 1].x), double(points[i - 1].y)},
                                            {double(points[i].x), double(points[i].y)}));
            EXPECT_LE(best * unit, 25.0 + 3.0) << route->m_strName << ": " << s.name;
        }
        colors.emplace(route->m_strName, route->m_crColor);
    }
    std::set<Color> distinct;
    for (const auto& [name, color] : colors)
        distinct.insert(color);
    EXPECT_EQ(distinct.size(), colors.size());
}

} // namespace
