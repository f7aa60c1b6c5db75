// A town made from an OpenStreetMap extract: the blocks the street network
// encloses, every street with its labels, landmarks, neighbourhoods, the
// business directory, the bus route with its stops, true distances by the
// ruler, and an import that can be followed and cancelled.

#include "gis_import.h"
#include "map_georeference.h"
#include "osm_town.h"
#include "street_labels.h"

#include <gtest/gtest.h>

#include <geodesic.h>
#include <ogr_spatialref.h>

#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <map>
#include <numbers>
#include <set>

namespace {

std::string Utf8(const QString& text) {
    return text.toStdString();
}

double Geodesic(LonLat a, LonLat b) {
    geod_geodesic g;
    geod_init(&g, 6378137.0, 1 / 298.257223563);
    double s12 = 0.0;
    geod_inverse(&g, a.lat, a.lon, b.lat, b.lon, &s12, nullptr, nullptr);
    return s12;
}

double DistanceToLine(double x, double y, const std::vector<MapPoint>& line) {
    double best = 1e300;
    for (std::size_t i = 1; i < line.size(); ++i) {
        const double ax = line[i - 1].x, ay = line[i - 1].y, bx = line[i].x, by = line[i].y;
        const double dx = bx - ax, dy = by - ay;
        const double t =
            std::clamp(((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
        best = std::min(best, std::hypot(x - ax - t * dx, y - ay - t * dy));
    }
    return best;
}

class OsmImport : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_osm = m_dir.filePath(QStringLiteral("san-isidro.osm"));
        QFile file(m_osm);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(TestTownOsm());
    }

    std::unique_ptr<MapStore> Import(CGisImport& importer) {
        auto store = importer.Run();
        EXPECT_TRUE(store) << importer.ErrorString().toStdString();
        return store;
    }

    std::unique_ptr<CGisPreset> Osm() {
        QString error;
        auto preset = CGisPreset::Load(QStringLiteral("osm"), error);
        EXPECT_TRUE(preset) << error.toStdString();
        return preset;
    }

    QTemporaryDir m_dir;
    QString m_osm;
};

TEST_F(OsmImport, MakesTheWholeTown) {
    const auto preset = Osm();
    CGisImport importer(*preset, {{m_osm}, {}, {}, {}, {}});
    const auto store = Import(importer);
    ASSERT_TRUE(store);

    EXPECT_EQ(store->m_strTown, "San Isidro de las Peñas");
    EXPECT_EQ(store->m_strState, "Michoacán");
    EXPECT_EQ(store->m_strCountry, "México");

    // Nine grid blocks, the one the alley crosses split in two; the corner
    // triangle and the land inside the ring road (which the town's edge
    // cuts in pieces) are no blocks.
    ASSERT_EQ(store->m_blocks.size(), kTownBlocks);
    EXPECT_EQ(importer.Report().tinyFaces, 1u);
    EXPECT_GE(importer.Report().hugeFaces, 1u);
    std::map<std::int32_t, int> types;
    for (std::size_t i = 0; i < store->m_blocks.size(); ++i) {
        const CmBlock& block = store->m_blocks[i];
        EXPECT_EQ(block.m_nId, i + 1);
        const auto outline = store->Outline(block);
        EXPECT_EQ(outline.front(), outline.back());
        ++types[block.m_nType];
    }
    // The park, the commercial area and the school's grounds give their blocks a type.
    EXPECT_EQ(types, (std::map<std::int32_t, int>{{1, 7}, {2, 1}, {3, 1}, {4, 1}}));
    // Centred on the origin, the 300 m grid less half a street on each side
    // (each street's own half: 4 m for a residential street, 6 m for the
    // secondary avenue).
    const MapRect bounds = store->m_rcBlocks.Normalized();
    EXPECT_NEAR(bounds.left + bounds.right, 0, 2);
    EXPECT_NEAR(bounds.top + bounds.bottom, 0, 2);
    EXPECT_NEAR(bounds.Width() * kMetresPerMapUnit, 290, 5);
    EXPECT_NEAR(bounds.Height() * kMetresPerMapUnit, 290, 5);

    std::multiset<std::string> streets;
    for (const auto& street : store->m_listStreets)
        streets.insert(street->m_strName);
    std::multiset<std::string> expected;
    for (const QString& name : TownStreetNames())
        expected.insert(Utf8(name));
    EXPECT_EQ(streets, expected);

    std::map<std::string, std::vector<float>> labels;
    for (const CmStname& label : store->m_labels)
        labels[label.m_strText].push_back(label.m_fAngle);
    EXPECT_EQ(store->m_labels.size(), kTownLabels);
    // Names longer than their street (the alley, the footpath, the bridge, the
    // close) get no label, nor does a grid street whose crossings the labels
    // of the streets placed before it already fill; the ring road gets one per
    // 400 m of its 5.8 km.
    const std::set<QString> unlabelled{
        QStringLiteral("Callejón del Beso"), QStringLiteral("Andador Peñuelas"),
        QStringLiteral("Cerrada del Sol"),   QStringLiteral("Puente de la Alameda"),
        QStringLiteral("Calle Zaragoza"),    QStringLiteral("Calle Sor Juana Inés de la Cruz")};
    for (const QString& name : TownStreetNames())
        EXPECT_EQ(labels[Utf8(name)].size(), name == QStringLiteral("Libramiento Sur") ? 15u
                                             : unlabelled.count(name)                  ? 0u
                                                                                       : 1u)
            << Utf8(name);

    std::set<std::string> references;
    for (const auto& r : store->m_listReferences)
        references.insert(r->m_strName);
    // The school is both a point and its grounds: one reference.
    EXPECT_EQ(references, (std::set<std::string>{"Escuela Primaria Benito Juárez",
                                                 "Parroquia de San Isidro Labrador",
                                                 "Mercado Municipal", "Jardín Principal"}));
    EXPECT_EQ(store->m_listReferences.size(), 4u);
    std::set<std::string> colonies;
    for (const auto& c : store->m_listColonies)
        colonies.insert(c->m_strName);
    EXPECT_EQ(colonies, (std::set<std::string>{"Barrio Ñuu Yɨvi", "Colonia Centro"}));
}

TEST_F(OsmImport, LabelsLieAlongTheirStreetsAndReadUpright) {
    const auto preset = Osm();
    CGisImport importer(*preset, {{m_osm}, {}, {}, {}, {}});
    const auto store = Import(importer);
    ASSERT_TRUE(store);
    std::map<std::string, std::vector<const CmCalles*>> streets;
    for (const auto& s : store->m_listStreets)
        streets[s->m_strName].push_back(s.get());
    for (const CmStname& label : store->m_labels) {
        SCOPED_TRACE(label.m_strText);
        // Never upside down: within a few degrees of reading straight down at most.
        const double a = label.m_fAngle;
        EXPECT_GT(a, -std::numbers::pi / 2 + 0.08);
        EXPECT_LE(a, std::numbers::pi / 2 + 0.09);
        // The text's cell, as wide as the map draws it, centred on the street.
        const double width = LabelTextWidth(label.m_strText.str());
        const double ux = std::cos(a), uy = -std::sin(a);
        const double cx = label.m_x + width / 2 * ux + kLabelHeight / 2 * uy;
        const double cy = label.m_y + width / 2 * uy - kLabelHeight / 2 * ux;
        double best = 1e300;
        const CmCalles* on = nullptr;
        for (const CmCalles* s : streets[label.m_strText]) {
            const double d = DistanceToLine(cx, cy, s->m_points);
            if (d < best) {
                best = d;
                on = s;
            }
        }
        ASSERT_TRUE(on);
        EXPECT_LT(best, 2.0);
        // Turned like the street where it lies.
        double parallel = 0.0;
        for (std::size_t i = 1; i < on->m_points.size(); ++i) {
            const double dx = on->m_points[i].x - on->m_points[i - 1].x;
            const double dy = on->m_points[i].y - on->m_points[i - 1].y;
            const double length = std::hypot(dx, dy);
            if (DistanceToLine(cx, cy, {on->m_points[i - 1], on->m_points[i]}) <= best + 0.5)
                parallel = std::max(parallel, std::abs(dx * ux + dy * uy) / length);
        }
        EXPECT_GT(parallel, 0.999);
    }
    // North-south streets read downwards, like the generator's.
    const auto allende =
        std::find_if(store->m_labels.begin(), store->m_labels.end(),
                     [](const CmStname& l) { return l.m_strText == "Calle Ignacio Allende"; });
    ASSERT_NE(allende, store->m_labels.end());
    EXPECT_NEAR(allende->m_fAngle, std::numbers::pi / 2, 0.01);
}

TEST_F(OsmImport, BusinessesFallIntoTheirCategories) {
    const auto preset = Osm();
    CGisImport importer(*preset, {{m_osm}, {}, {}, {}, {}});
    const auto store = Import(importer);
    ASSERT_TRUE(store);
    std::map<std::string, std::set<std::string>> directory;
    const CmNegocios* bakery = nullptr;
    const CmNegocios* pharmacy = nullptr;
    std::set<std::uint32_t> numbers;
    for (const auto& category : store->m_directory.m_listCategories) {
        for (const auto& b : category->m_listBusinesses) {
            directory[category->m_strName].insert(b->m_strName);
            numbers.insert(b->m_nBusinessNo);
            if (b->m_strName == "Panadería La Espiga")
                bakery = b.get();
            if (b->m_strName == "Farmacia del Centro")
                pharmacy = b.get();
        }
    }
    EXPECT_EQ(directory, (std::map<std::string, std::set<std::string>>{
                             {"Panaderías", {"Panadería La Espiga", "Panadería El Trigo"}},
                             {"Abarrotes", {"Abarrotes Doña Lupe"}},
                             {"Farmacias", {"Farmacia del Centro"}},
                             {"Restaurantes", {"Fonda María"}},
                             {"Cafeterías", {"Café Ñandú"}},
                             {"Otros comercios", {"Tienda Rara"}}}));
    // Numbered as the editor numbers new businesses.
    EXPECT_EQ(numbers, (std::set<std::uint32_t>{1, 2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(store->m_counters.business, 8u);
    ASSERT_TRUE(bakery && pharmacy);
    EXPECT_EQ(bakery->m_strPhone, "+52 443 123 4567");
    EXPECT_EQ(bakery->m_strComments, "Calle Miguel Hidalgo 12");
    EXPECT_EQ(pharmacy->m_strComments, "Avenida Benito Juárez 200, Centro");
    EXPECT_EQ(importer.Report().unnamed, 2u); // a bakery and a stop without a name
    EXPECT_GE(importer.Report().outside, 1u); // the bakery 20 km away
}

TEST_F(OsmImport, BusRouteHasItsStopsInOrder) {
    const auto preset = Osm();
    CGisImport importer(*preset, {{m_osm}, {}, {}, {}, {}});
    const auto store = Import(importer);
    ASSERT_TRUE(store);
    ASSERT_EQ(store->m_listRoutes.size(), 1u);
    const CmVias& route = *store->m_listRoutes.front();
    EXPECT_EQ(route.m_strName, "Ruta 1 Centro");
    EXPECT_EQ(route.m_crColor, Rgb(0, 0xAA, 0));
    EXPECT_EQ(route.m_nRouteNo, 1u);
    std::vector<std::string> stations;
    for (const Station& s : route.m_stations)
        stations.push_back(s.name);
    // The stop 40 m off the route is not on it; the stop mapped twice counts once.
    EXPECT_EQ(stations, (std::vector<std::string>{"Parada Zaragoza", "Parada Sor Juana",
                                                  "Parada Juárez Norte"}));
    // West to east along Morelos, then north along Juárez.
    ASSERT_GE(route.m_points.size(), 3u);
    EXPECT_LT(route.m_points.front().x, route.m_points.back().x);
    EXPECT_LT(route.m_points.front().y, route.m_points.back().y);
    EXPECT_NEAR(CmCalles(route).Distance(0, static_cast<int>(route.m_points.size()) - 1),
                std::hypot(300.0, 200.0), 2.0);
}

TEST_F(OsmImport, TheRulerReadsTrueMetres) {
    const auto preset = Osm();
    CGisImport importer(*preset, {{m_osm}, {}, {}, {}, {}});
    const auto store = Import(importer);
    ASSERT_TRUE(store);
    const CmCalles* ring = nullptr;
    for (const auto& s : store->m_listStreets)
        if (s->m_strName == "Libramiento Sur")
            ring = s.get();
    ASSERT_TRUE(ring);
    // The ruler's own arithmetic between two of the ring road's corners.
    auto ruler = [](MapPoint a, MapPoint b) {
        CmCalles line;
        line.m_points = {a, b};
        return line.Distance(0, 1);
    };
    auto extreme = [&](int sx, int sy) {
        MapPoint best = ring->m_points.front();
        for (const MapPoint& p : ring->m_points)
            if (sx * p.x + sy * p.y > sx * best.x + sy * best.y)
                best = p;
        return best;
    };
    const MapPoint sw = extreme(-1, -1), se = extreme(1, -1), ne = extreme(1, 1);
    const double diagonal =
        Geodesic(TownPoint(kRingWest, kRingWest), TownPoint(kRingEast, kRingEast));
    const double side = Geodesic(TownPoint(kRingWest, kRingWest), TownPoint(kRingEast, kRingWest));
    const double north = Geodesic(TownPoint(kRingEast, kRingWest), TownPoint(kRingEast, kRingEast));
    EXPECT_NEAR(ruler(sw, ne) / diagonal, 1.0, 0.005);
    EXPECT_NEAR(ruler(sw, se) / side, 1.0, 0.005);
    EXPECT_NEAR(ruler(se, ne) / north, 1.0, 0.005);
    // North is up and east is right: the east side runs straight up.
    EXPECT_GT(ne.y - se.y, 700);
    EXPECT_LT(std::abs(ne.x - se.x), 2);
    EXPECT_GT(se.x - sw.x, 700);
}

TEST_F(OsmImport, ProgressClimbsAndCanBeCancelled) {
    const auto preset = Osm();
    std::vector<int> seen;
    {
        CGisImport importer(*preset, {{m_osm}, {}, {}, {}, {}});
        importer.SetProgress([&](int percent) {
            seen.push_back(percent);
            return true;
        });
        ASSERT_TRUE(importer.Run());
    }
    ASSERT_FALSE(seen.empty());
    EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
    EXPECT_EQ(std::adjacent_find(seen.begin(), seen.end()), seen.end());
    EXPECT_EQ(seen.back(), 100);

    for (int stop : {seen.front(), 61, 90}) {
        CGisImport importer(*preset, {{m_osm}, {}, {}, {}, {}});
        importer.SetProgress([&](int percent) { return percent < stop; });
        EXPECT_FALSE(importer.Run()) << stop;
        EXPECT_EQ(importer.Error(), GisImportError::Cancelled);
        EXPECT_EQ(importer.ErrorString(), QStringLiteral("Importación cancelada."));
    }
}

TEST_F(OsmImport, GeoreferencePutsTheMapBackOnTheEarth) {
    const auto preset = Osm();
    CGisImport importer(*preset, {{m_osm}, {}, {}, {}, {}});
    const auto store = Import(importer);
    ASSERT_TRUE(store);
    OGRSpatialReference map;
    ASSERT_EQ(map.importFromWkt(importer.Georeference().constData()), OGRERR_NONE);
    EXPECT_DOUBLE_EQ(map.GetLinearUnits(), kMetresPerMapUnit);
    OGRSpatialReference wgs84;
    wgs84.importFromEPSG(4326);
    wgs84.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    const std::unique_ptr<OGRCoordinateTransformation> back(
        OGRCreateCoordinateTransformation(&map, &wgs84));
    ASSERT_TRUE(back);
    // Every corner of the ring road goes back to where the extract had it.
    const CmCalles* ring = nullptr;
    for (const auto& s : store->m_listStreets)
        if (s->m_strName == "Libramiento Sur")
            ring = s.get();
    ASSERT_TRUE(ring);
    int matched = 0;
    for (const MapPoint& p : ring->m_points) {
        double x = p.x, y = p.y;
        ASSERT_TRUE(back->Transform(1, &x, &y));
        for (double east : {kRingWest, kRingEast}) {
            for (double north : {kRingWest, kRingEast}) {
                const LonLat c = TownPoint(east, north);
                if (Geodesic({x, y}, c) < 2.0)
                    ++matched;
            }
        }
    }
    EXPECT_GE(matched, 4); // the closed ring repeats its first corner
}

} // namespace

namespace {

struct Corners {
    PlanePoint p[4];
};

// The label's cell on the map, worked out from its anchor as the map draws it.
Corners CellOf(const CmStname& label) {
    const double width = LabelTextWidth(label.m_strText.str());
    const double a = label.m_fAngle;
    const PlanePoint along{std::cos(a), -std::sin(a)}, down{-std::sin(a), -std::cos(a)};
    const PlanePoint o{static_cast<double>(label.m_x), static_cast<double>(label.m_y)};
    auto at = [&](double s, double t) {
        return PlanePoint{o.x + s * along.x + t * down.x, o.y + s * along.y + t * down.y};
    };
    return {{at(0, 0), at(width, 0), at(width, kLabelHeight), at(0, kLabelHeight)}};
}

double Side(PlanePoint a, PlanePoint b, PlanePoint p) {
    return (b.x - a.x) * (p.y - a.y) - (b.y - a.y) * (p.x - a.x);
}

bool Inside(const Corners& c, PlanePoint p) {
    bool left = true, right = true;
    for (int i = 0; i < 4; ++i) {
        const double s = Side(c.p[i], c.p[(i + 1) % 4], p);
        left = left && s >= 0;
        right = right && s <= 0;
    }
    return left || right;
}

// Two rectangles overlap when an edge of one crosses an edge of the other or
// one holds a corner of the other.
bool CellsOverlap(const Corners& a, const Corners& b) {
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) {
            const PlanePoint p = a.p[i], q = a.p[(i + 1) % 4], r = b.p[j], s = b.p[(j + 1) % 4];
            if (Side(p, q, r) * Side(p, q, s) < 0 && Side(r, s, p) * Side(r, s, q) < 0)
                return true;
        }
    }
    return Inside(a, b.p[0]) || Inside(b, a.p[0]);
}

} // namespace

TEST(OsmImportAndorra, StreetsAreWholeAndLabelsFitWithoutOverlapping) {
    QString error;
    const auto preset = CGisPreset::Load(QStringLiteral("osm"), error);
    ASSERT_TRUE(preset) << error.toStdString();
    // The whole valley, not only its largest town: many streets to label.
    GisImportOptions options;
    options.sources = {QStringLiteral(VELTRIX_FORMATS_DATA "/andorra.osm.pbf")};
    options.area = QStringLiteral("1.40,42.42,1.80,42.66");
    CGisImport importer(*preset, options);
    const auto store = importer.Run();
    ASSERT_TRUE(store) << importer.ErrorString().toStdString();

    std::map<std::string, std::vector<const CmCalles*>> streets;
    for (const auto& s : store->m_listStreets)
        streets[s->m_strName].push_back(s.get());
    // A name is two streets only when its pieces lie farther apart than the
    // width of a street.
    for (const auto& [name, pieces] : streets) {
        for (std::size_t i = 0; i < pieces.size(); ++i) {
            for (std::size_t j = i + 1; j < pieces.size(); ++j) {
                double nearest = 1e300;
                for (const MapPoint& p : pieces[i]->m_points)
                    nearest = std::min(nearest, DistanceToLine(p.x, p.y, pieces[j]->m_points));
                for (const MapPoint& p : pieces[j]->m_points)
                    nearest = std::min(nearest, DistanceToLine(p.x, p.y, pieces[i]->m_points));
                EXPECT_GT(nearest * kMetresPerMapUnit, 15.0) << name;
            }
        }
    }
    EXPECT_GT(streets.size(), 400u);
    EXPECT_LT(store->m_listStreets.size(), streets.size() * 11 / 10);

    // Hundreds of labels, every one along a straight enough stretch
    // of its street over the whole length of its text.
    ASSERT_GT(store->m_labels.size(), 250u);
    std::vector<Corners> cells;
    for (const CmStname& label : store->m_labels) {
        SCOPED_TRACE(label.m_strText);
        EXPECT_GT(label.m_fAngle, -std::numbers::pi / 2 + 0.08);
        EXPECT_LE(label.m_fAngle, std::numbers::pi / 2 + 0.09);
        const Corners c = CellOf(label);
        cells.push_back(c);
        const PlanePoint start{(c.p[0].x + c.p[3].x) / 2, (c.p[0].y + c.p[3].y) / 2};
        const PlanePoint end{(c.p[1].x + c.p[2].x) / 2, (c.p[1].y + c.p[2].y) / 2};
        double worst = 0.0;
        for (int k = 0; k <= 20; ++k) {
            const double t = k / 20.0;
            const double x = start.x + t * (end.x - start.x), y = start.y + t * (end.y - start.y);
            double best = 1e300;
            for (const CmCalles* s : streets[label.m_strText])
                best = std::min(best, DistanceToLine(x, y, s->m_points));
            worst = std::max(worst, best);
        }
        EXPECT_LT(worst * kMetresPerMapUnit, 6.0);
    }
    for (std::size_t i = 0; i < cells.size(); ++i)
        for (std::size_t j = i + 1; j < cells.size(); ++j)
            EXPECT_FALSE(CellsOverlap(cells[i], cells[j]))
                << store->m_labels[i].m_strText << " / " << store->m_labels[j].m_strText;
}
