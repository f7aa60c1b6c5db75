// A real town from a real OpenStreetMap extract (Andorra, with its neighbours
// in the same valley): the map is the town and not the extract, its blocks
// hold the town's buildings without swallowing open land or streets, and the
// header is whole. The measures are taken against the extract itself, read
// with GDAL apart from the import.

#include "gis_import.h"
#include "map_georeference.h"

#include <gtest/gtest.h>

#include <ogrsf_frmts.h>

#include <QString>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <memory>
#include <unordered_map>

namespace {

const QString kExtract = QStringLiteral(VELTRIX_FORMATS_DATA "/andorra.osm.pbf");
constexpr double kHectare = 10000.0;

// The blocks of a map, bucketed by cells, for "is this point in a block".
class BlockLookup {
public:
    explicit BlockLookup(const MapStore& store) : m_store(store) {
        for (std::size_t b = 0; b < store.m_blocks.size(); ++b) {
            const auto box = Bounds(b);
            for (long long cx = Cell(box[0]); cx <= Cell(box[2]); ++cx)
                for (long long cy = Cell(box[1]); cy <= Cell(box[3]); ++cy)
                    m_cells[Key(cx, cy)].push_back(b);
        }
    }

    bool Inside(double x, double y) const {
        const auto it = m_cells.find(Key(Cell(x), Cell(y)));
        if (it == m_cells.end())
            return false;
        return std::any_of(it->second.begin(), it->second.end(),
                           [&](std::size_t b) { return Contains(b, x, y); });
    }

private:
    std::array<double, 4> Bounds(std::size_t b) const {
        std::array<double, 4> box{1e300, 1e300, -1e300, -1e300};
        for (const auto& p : m_store.Outline(m_store.m_blocks[b])) {
            box[0] = std::min<double>(box[0], p.x), box[1] = std::min<double>(box[1], p.y);
            box[2] = std::max<double>(box[2], p.x), box[3] = std::max<double>(box[3], p.y);
        }
        return box;
    }
    bool Contains(std::size_t b, double x, double y) const {
        const auto points = m_store.Outline(m_store.m_blocks[b]);
        bool in = false;
        for (std::size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
            const double xi = points[i].x, yi = points[i].y, xj = points[j].x, yj = points[j].y;
            if ((yi > y) != (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi)
                in = !in;
        }
        return in;
    }
    static long long Cell(double v) { return static_cast<long long>(std::floor(v / 50.0)); }
    static long long Key(long long x, long long y) { return x * 73856093LL ^ y * 19349663LL; }

    const MapStore& m_store;
    std::unordered_map<long long, std::vector<std::size_t>> m_cells;
};

double BlockAreaM2(const MapStore& store, const CmBlock& block) {
    const auto points = store.Outline(block);
    double twice = 0.0;
    for (std::size_t i = 0, j = points.size() - 1; i < points.size(); j = i++)
        twice += double(points[j].x) * points[i].y - double(points[i].x) * points[j].y;
    return std::abs(twice) / 2 * kMetresPerMapUnit * kMetresPerMapUnit;
}

// The extract as GDAL reads it, in the map's own coordinates.
class Extract {
public:
    explicit Extract(const QByteArray& georeference) {
        m_dataset.reset(GDALDataset::Open(kExtract.toUtf8().constData(), GDAL_OF_VECTOR));
        OGRSpatialReference map;
        map.importFromWkt(georeference.constData());
        map.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
        OGRSpatialReference wgs84;
        wgs84.SetWellKnownGeogCS("WGS84");
        wgs84.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
        m_toMap.reset(OGRCreateCoordinateTransformation(&wgs84, &map));
    }

    bool Ok() const { return m_dataset && m_toMap; }

    // Every feature of a layer that passes `where`, projected onto the map.
    template <typename Visit>
    void Each(const char* layer, const char* where, Visit visit) {
        OGRLayer* l = m_dataset->GetLayerByName(layer);
        ASSERT_NE(l, nullptr);
        l->SetAttributeFilter(where);
        l->ResetReading();
        for (const auto& feature : *l) {
            std::unique_ptr<OGRGeometry> g(
                feature->GetGeometryRef() ? feature->GetGeometryRef()->clone() : nullptr);
            if (g && g->transform(m_toMap.get()) == OGRERR_NONE)
                visit(*feature, *g);
        }
    }

private:
    GDALDatasetUniquePtr m_dataset;
    std::unique_ptr<OGRCoordinateTransformation> m_toMap;
};

class RealTown : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        GDALAllRegister();
        QString error;
        s_preset = CGisPreset::Load(QStringLiteral("osm"), error).release();
        ASSERT_TRUE(s_preset) << error.toStdString();
        GisImportOptions options;
        options.sources = {kExtract};
        options.town = QStringLiteral("Andorra la Vella");
        s_import = new CGisImport(*s_preset, options);
        s_store = s_import->Run().release();
        ASSERT_TRUE(s_store) << s_import->ErrorString().toStdString();
        s_extract = new Extract(s_import->Georeference());
        ASSERT_TRUE(s_extract->Ok());
        // The town's own boundary in the extract, to measure against.
        s_extract->Each("multipolygons", "boundary='administrative' AND admin_level='8'",
                        [](const OGRFeature& f, const OGRGeometry& g) {
                            if (QString::fromUtf8(f.GetFieldAsString("name")) ==
                                QStringLiteral("Andorra la Vella"))
                                s_boundary = g.clone();
                        });
        ASSERT_NE(s_boundary, nullptr);
    }
    static void TearDownTestSuite() {
        delete s_boundary;
        delete s_extract;
        delete s_store;
        delete s_import;
        delete s_preset;
    }

    static bool InTown(double x, double y) {
        OGRPoint p(x, y);
        return s_boundary->Contains(&p);
    }

    static inline CGisPreset* s_preset = nullptr;
    static inline CGisImport* s_import = nullptr;
    static inline MapStore* s_store = nullptr;
    static inline Extract* s_extract = nullptr;
    static inline OGRGeometry* s_boundary = nullptr;
};

TEST_F(RealTown, IsTheTownNotTheExtract) {
    const MapStore& store = *s_store;
    EXPECT_EQ(store.m_strTown, "Andorra la Vella");
    // Andorra has no states: the country stands in, and the person is told.
    EXPECT_EQ(store.m_strCountry, "Andorra");
    EXPECT_EQ(store.m_strState, "Andorra");
    EXPECT_EQ(store.m_strTitle, "VELTRIX  Andorra la Vella, Andorra - Andorra");
    const QStringList& notes = s_import->Report().notes;
    EXPECT_TRUE(std::any_of(notes.begin(), notes.end(),
                            [](const QString& n) { return n.contains(QStringLiteral("estado")); }));

    // Every block lies in the town (a few metres of slack for the boundary's
    // own simplification), and the map opens on the town: its origin is
    // inside it.
    OGREnvelope town;
    s_boundary->getEnvelope(&town);
    ASSERT_GT(store.m_blocks.size(), 150u);
    for (const CmBlock& block : store.m_blocks)
        for (const auto& p : store.Outline(block)) {
            ASSERT_GE(p.x, town.MinX - 5);
            ASSERT_LE(p.x, town.MaxX + 5);
            ASSERT_GE(p.y, town.MinY - 5);
            ASSERT_LE(p.y, town.MaxY + 5);
        }
    EXPECT_TRUE(InTown(0, 0));
    // The neighbouring town down the valley is not in the map.
    for (const auto& street : store.m_listStreets)
        for (const MapPoint& p : street->m_points)
            ASSERT_LE(
                std::max(std::abs(p.x - (town.MinX + town.MaxX) / 2) - (town.MaxX - town.MinX) / 2,
                         std::abs(p.y - (town.MinY + town.MaxY) / 2) - (town.MaxY - town.MinY) / 2),
                5.0)
                << street->m_strName;
}

TEST_F(RealTown, BlocksHoldTheBuildingsAndLeaveTheStreetsOut) {
    const MapStore& store = *s_store;
    const BlockLookup blocks(store);
    std::size_t buildings = 0, covered = 0;
    s_extract->Each(
        "multipolygons", "building IS NOT NULL", [&](const OGRFeature&, const OGRGeometry& g) {
            OGRPoint centre;
            if (g.Centroid(&centre) != OGRERR_NONE || !InTown(centre.getX(), centre.getY()))
                return;
            ++buildings;
            covered += blocks.Inside(centre.getX(), centre.getY()) ? 1 : 0;
        });
    ASSERT_GT(buildings, 500u);
    const double coverage = double(covered) / double(buildings);
    std::printf("Edificios del pueblo dentro de una manzana: %zu de %zu (%.1f %%)\n", covered,
                buildings, 100 * coverage);
    EXPECT_GE(coverage, 0.85);

    // Street centre lines run between blocks, every 10 m of them.
    std::size_t samples = 0, inside = 0;
    const double step = 10.0 / kMetresPerMapUnit;
    s_extract->Each("lines", "highway IS NOT NULL", [&](const OGRFeature&, const OGRGeometry& g) {
        const auto* line = dynamic_cast<const OGRLineString*>(&g);
        if (!line)
            return;
        for (int i = 1; i < line->getNumPoints(); ++i) {
            const double ax = line->getX(i - 1), ay = line->getY(i - 1);
            const double dx = line->getX(i) - ax, dy = line->getY(i) - ay;
            const int n = std::max(1, static_cast<int>(std::hypot(dx, dy) / step));
            for (int k = 0; k < n; ++k) {
                const double x = ax + dx * k / n, y = ay + dy * k / n;
                if (!InTown(x, y))
                    continue;
                ++samples;
                inside += blocks.Inside(x, y) ? 1 : 0;
            }
        }
    });
    ASSERT_GT(samples, 1000u);
    const double share = double(inside) / double(samples);
    std::printf("Puntos de calle dentro de una manzana: %zu de %zu (%.1f %%)\n", inside, samples,
                100 * share);
    EXPECT_LE(share, 0.03);
}

TEST_F(RealTown, NoBlockSwallowsOpenLand) {
    // A block over 6 ha is one park, one site or water; a plain block never is.
    double largest = 0.0, largestPlain = 0.0;
    for (const CmBlock& block : s_store->m_blocks) {
        const double area = BlockAreaM2(*s_store, block);
        largest = std::max(largest, area);
        if (block.m_nType == 1 || block.m_nType == 3 || block.m_nType == 5)
            largestPlain = std::max(largestPlain, area);
    }
    std::printf("Manzana mayor: %.2f ha; la mayor de tierra construida: %.2f ha\n",
                largest / kHectare, largestPlain / kHectare);
    EXPECT_LE(largestPlain, 6 * kHectare);
}

} // namespace
