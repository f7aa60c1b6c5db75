#include "archive.h"
#include "codepage.h"
#include "map_file.h"
#include "map_json.h"
#include "overview_picture.h"
#include "town_generator.h"

#include <gtest/gtest.h>

#include <QJsonDocument>

#include <cmath>
#include <numbers>
#include <set>
#include <span>

namespace {

QByteArray Dump(const MapStore& store) {
    return QJsonDocument(MapToJson(store, 0)).toJson(QJsonDocument::Compact);
}

// Every text the town holds, to check what the file can carry.
std::vector<std::string> AllTexts(const MapStore& s) {
    std::vector<std::string> texts{s.m_strCountry, s.m_strState, s.m_strTown};
    for (const auto& l : s.m_labels)
        texts.push_back(l.m_strText);
    for (const auto& x : s.m_listStreets)
        texts.push_back(x->m_strName);
    for (const auto& x : s.m_listReferences)
        texts.push_back(x->m_strName);
    for (const auto& x : s.m_listColonies)
        texts.push_back(x->m_strName);
    for (const auto& x : s.m_listZones) {
        texts.push_back(x->m_strName);
        texts.push_back(x->m_strNotes);
    }
    for (const auto& r : s.m_listRoutes) {
        texts.push_back(r->m_strName);
        for (const auto& st : r->m_stations)
            texts.push_back(st.name);
    }
    for (const auto& c : s.m_directory.m_listCategories) {
        texts.push_back(c->m_strName);
        for (const auto& b : c->m_listBusinesses) {
            texts.push_back(b->m_strName);
            texts.push_back(b->m_strComments);
            texts.push_back(b->m_strPhone);
        }
    }
    return texts;
}

bool IsRectangle(std::span<const FloatPoint> outline) {
    if (outline.size() != 5)
        return false;
    std::set<float> xs, ys;
    for (const FloatPoint& p : outline) {
        xs.insert(p.x);
        ys.insert(p.y);
    }
    return xs.size() == 2 && ys.size() == 2;
}

class DefaultTown : public ::testing::Test {
protected:
    static void SetUpTestSuite() { town = new MapStore(GenerateTown({})); }
    static void TearDownTestSuite() { delete town; }
    static MapStore* town;
};
MapStore* DefaultTown::town = nullptr;

} // namespace

TEST(TownGenerator, SameSeedGivesSameTownAndOtherSeedAnother) {
    const QByteArray a = Dump(GenerateTown({.blocks = 700, .seed = 7}));
    EXPECT_EQ(a, Dump(GenerateTown({.blocks = 700, .seed = 7})));
    EXPECT_NE(a, Dump(GenerateTown({.blocks = 700, .seed = 8})));
}

TEST(TownGenerator, MakesExactlyTheBlocksAskedForEvenForTinyTowns) {
    for (std::uint32_t n : {0u, 1u, 2u, 6u, 40u, 1001u}) {
        const MapStore town = GenerateTown({.blocks = n, .seed = 3});
        ASSERT_EQ(town.m_blocks.size(), n);
        for (std::size_t i = 0; i < n; ++i) {
            const CmBlock& b = town.m_blocks[i];
            EXPECT_EQ(b.m_nId, i + 1);
            const std::span<const FloatPoint> outline = town.Outline(b);
            ASSERT_GE(outline.size(), 4u) << "block " << i + 1;
            EXPECT_LE(outline.size(), 8u) << "block " << i + 1;
            EXPECT_EQ(outline.front(), outline.back()) << "outline must close";
            EXPECT_GT(town.Shape(b).RegionBox().Width(), 0);
        }
        // Zones only name blocks that exist.
        for (const auto& z : town.m_listZones)
            for (std::uint32_t id : z->m_blockIds)
                EXPECT_NE(town.FindBlockById(id), nullptr) << z->m_strName;
    }
}

TEST_F(DefaultTown, HasEveryKindOfRecord) {
    const MapStore& t = *town;
    EXPECT_EQ(t.m_blocks.size(), 2000u);
    EXPECT_EQ(t.m_strCountry, "México");
    EXPECT_FALSE(t.m_strState.empty());
    EXPECT_FALSE(t.m_strTown.empty());
    EXPECT_EQ(t.m_strTitle, MapStore::MakeTitle(t.m_strTown, t.m_strState, t.m_strCountry));
    EXPECT_FALSE(t.m_labels.empty());
    EXPECT_FALSE(t.m_listStreets.empty());
    EXPECT_FALSE(t.m_listReferences.empty());
    EXPECT_FALSE(t.m_listColonies.empty());
    EXPECT_FALSE(t.m_listZones.empty());
    EXPECT_GE(t.m_directory.m_listCategories.size(), 5u);
    ASSERT_FALSE(t.m_listRoutes.empty());
    std::set<Color> colours;
    for (const auto& r : t.m_listRoutes) {
        EXPECT_GE(r->m_points.size(), 2u);
        EXPECT_FALSE(r->m_stations.empty());
        colours.insert(r->m_crColor);
    }
    EXPECT_GT(colours.size(), 3u);
    for (const auto& c : t.m_directory.m_listCategories) {
        ASSERT_FALSE(c->m_listBusinesses.empty()) << c->m_strName;
        for (const auto& b : c->m_listBusinesses) {
            EXPECT_FALSE(b->m_strPhone.empty());
            EXPECT_FALSE(b->m_strComments.empty());
            EXPECT_TRUE(b->IsDrawable()) << b->m_strName;
        }
    }
    for (const auto& z : t.m_listZones)
        EXPECT_FALSE(z->m_blockIds.empty());
}

TEST_F(DefaultTown, UsesAllSixBlockTypesMostlyTheFirst) {
    std::size_t count[7] = {};
    for (const auto& b : town->m_blocks) {
        ASSERT_GE(b.m_nType, 1);
        ASSERT_LE(b.m_nType, 6);
        ++count[b.m_nType];
        EXPECT_EQ(b.m_crFill, kBlockTypeColors[b.m_nType - 1]);
    }
    for (int type = 2; type <= 6; ++type) {
        EXPECT_GT(count[type], 0u) << "type " << type;
        EXPECT_GT(count[1], count[type]);
    }
}

TEST_F(DefaultTown, HasIrregularOutlinesAmongTheRectangles) {
    std::set<std::size_t> sizes;
    for (const auto& b : town->m_blocks)
        sizes.insert(town->Outline(b).size());
    EXPECT_TRUE(sizes.count(5)); // rectangles and trapezoids
    EXPECT_TRUE(sizes.count(7)); // L-shapes
    EXPECT_TRUE(sizes.count(8)); // three corners cut
}

TEST_F(DefaultTown, LabelsFollowStreetsAndAvenues) {
    const float vertical = static_cast<float>(std::numbers::pi / 2);
    std::size_t horizontal = 0, upright = 0, diagonal = 0;
    for (const auto& l : town->m_labels) {
        EXPECT_FALSE(l.m_strText.empty());
        if (l.m_fAngle == 0.0f)
            ++horizontal;
        else if (l.m_fAngle == vertical)
            ++upright;
        else
            ++diagonal;
    }
    EXPECT_GT(horizontal, 100u);
    EXPECT_GT(upright, 100u);
    EXPECT_GT(diagonal, 2u);
}

TEST_F(DefaultTown, NumbersRecordsLikeAFreshMap) {
    const MapStore& t = *town;
    std::set<std::uint32_t> business, route, zone;
    for (const auto& c : t.m_directory.m_listCategories)
        for (const auto& b : c->m_listBusinesses)
            business.insert(b->m_nBusinessNo);
    for (const auto& r : t.m_listRoutes)
        route.insert(r->m_nRouteNo);
    for (const auto& z : t.m_listZones)
        zone.insert(z->m_nZoneNo);
    // Numbers 1..n, each once, and the counter at the next one.
    EXPECT_EQ(*business.begin(), 1u);
    EXPECT_EQ(*business.rbegin(), business.size());
    EXPECT_EQ(t.m_counters.business, business.size() + 1);
    EXPECT_EQ(*route.rbegin(), route.size());
    EXPECT_EQ(t.m_counters.route, route.size() + 1);
    EXPECT_EQ(*zone.rbegin(), zone.size());
    EXPECT_EQ(t.m_counters.zone, zone.size() + 1);
    EXPECT_EQ(t.m_counters.spare, 1u);
}

TEST_F(DefaultTown, IsCentredWithBoundsAsALoadWouldMakeThem) {
    const MapStore& t = *town;
    MapRect bounds{-1, -1, 1, 1};
    double widthSum = 0;
    for (const auto& b : t.m_blocks) {
        bounds = UnionRect(bounds, t.Shape(b).GetBounds());
        widthSum += static_cast<double>(t.Shape(b).RegionBox().Width());
    }
    EXPECT_EQ(t.m_rcBlocks, bounds);
    EXPECT_EQ(bounds.left, -bounds.right);
    EXPECT_EQ(bounds.top, -bounds.bottom);
    // Blocks of about a hundred units, streets of twenty to thirty.
    const double meanWidth = widthSum / static_cast<double>(t.m_blocks.size());
    EXPECT_GT(meanWidth, 80);
    EXPECT_LT(meanWidth, 121);
    const double pitch = static_cast<double>(bounds.Width()) / 45; // 45 columns for 2000
    EXPECT_GT(pitch, 100);
    EXPECT_LT(pitch, 150);
}

TEST_F(DefaultTown, SpanishTextsSurviveTheFileByteForByte) {
    bool accent = false, enye = false;
    for (const std::string& text : AllTexts(*town)) {
        // Windows-1252 can hold every one, so none needs the wide form.
        EXPECT_TRUE(Utf8ToCp1252(text).has_value()) << text;
        accent = accent || text.find("é") != std::string::npos;
        enye = enye || text.find("ñ") != std::string::npos;
    }
    EXPECT_TRUE(accent);
    EXPECT_TRUE(enye);

    ArchiveWriter out;
    MapStore copy = GenerateTown({});
    WriteMap(out, copy, {});
    ArchiveReader in(out.Bytes());
    std::vector<std::uint8_t> picture;
    const auto loaded = ReadMap(in, MapCounters{}, picture);
    EXPECT_EQ(in.Remaining(), 0u);
    EXPECT_EQ(QJsonDocument(MapToJson(*loaded, 0))["blocks"],
              QJsonDocument(MapToJson(*town, 0))["blocks"]);
    EXPECT_EQ(loaded->m_counters, town->m_counters);
}

TEST_F(DefaultTown, OverviewPutsBlocksWhereTheGuideLooksForThem) {
    const int width = 512;
    const QImage image = DrawOverview(*town, width);
    const MapRect r = town->m_rcBlocks;
    ASSERT_EQ(image.width(), width);
    EXPECT_EQ(image.height(), OverviewHeight(*town, width));
    EXPECT_NEAR(image.height(), width * double(r.Height()) / double(r.Width()), 1.0);
    // The guide's mapping: x_pix = k (x + R), y_pix = k |y + T|.
    const double k = width / double(r.Width());
    int checked = 0;
    for (const auto& b : town->m_blocks) {
        if (b.m_nType == 1 || !IsRectangle(town->Outline(b)))
            continue;
        const MapRect box = town->Shape(b).RegionBox();
        const double cx = (box.left + box.right) / 2.0;
        const double cy = (box.top + box.bottom) / 2.0;
        const QColor pixel =
            image.pixelColor(int(k * (cx + r.right)), int(k * std::abs(cy + r.top)));
        const QColor want(b.m_crFill & 0xFF, (b.m_crFill >> 8) & 0xFF, (b.m_crFill >> 16) & 0xFF);
        EXPECT_NEAR(pixel.red(), want.red(), 40) << "block " << b.m_nId;
        EXPECT_NEAR(pixel.green(), want.green(), 40) << "block " << b.m_nId;
        EXPECT_NEAR(pixel.blue(), want.blue(), 40) << "block " << b.m_nId;
        ++checked;
    }
    EXPECT_GT(checked, 100);
}
