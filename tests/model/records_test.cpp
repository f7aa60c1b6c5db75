// Record operations that do not touch a file: block geometry, tracing,
// distances, labels, zones, the directory and the store's selection count.

#include "test_towns.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

// ---- blocks ----

TEST(Block, PointInRectangleTruncatesAndExcludesRightAndBottom) {
    const MapRect r{0, 0, 10, 10};
    EXPECT_TRUE(BlockShape(Outline({9.9f, 9.9f})).AllPointsIn(r));
    EXPECT_TRUE(BlockShape(Outline({-0.9f, 5})).AnyPointIn(r)); // truncates toward zero, to 0
    EXPECT_FALSE(BlockShape(Outline({10, 5})).AnyPointIn(r));
    EXPECT_FALSE(BlockShape(Outline({5, 10})).AnyPointIn(r));
    EXPECT_FALSE(BlockShape(Outline({-1, 5})).AnyPointIn(r));
    const auto half = Outline({1, 1, 20, 20});
    EXPECT_TRUE(BlockShape(half).AnyPointIn(r));
    EXPECT_FALSE(BlockShape(half).AllPointsIn(r));
    const BlockShape none;
    EXPECT_TRUE(none.AllPointsIn(r));
    EXPECT_FALSE(none.AnyPointIn(r));
    // Crossing the rectangle with no point inside it counts as outside.
    EXPECT_FALSE(BlockShape(Outline({-5, 5, 15, 5, 15, 6})).AnyPointIn(r));
}

TEST(Block, HitTestFillsLeftAndTopEdgesOnly) {
    const auto squarePoints = Outline({0, 0, 10, 0, 10, 10, 0, 10});
    const BlockShape square(squarePoints);
    EXPECT_TRUE(square.HitTest(0, 0));
    EXPECT_TRUE(square.HitTest(9, 9));
    EXPECT_TRUE(square.HitTest(0, 9));
    EXPECT_FALSE(square.HitTest(10, 5));
    EXPECT_FALSE(square.HitTest(5, 10));
    EXPECT_FALSE(square.HitTest(-1, 5));
}

TEST(Block, HitTestUsesTheEvenOddRule) {
    // A five-pointed star drawn in one stroke: its centre is wound twice.
    const auto starPoints = Outline({50, 0, 79, 90, 2, 35, 98, 35, 21, 90});
    const BlockShape star(starPoints);
    EXPECT_FALSE(star.HitTest(50, 45));
    EXPECT_TRUE(star.HitTest(50, 10));
    EXPECT_TRUE(star.HitTest(10, 36));
    EXPECT_FALSE(star.HitTest(0, 0));
    // The same square traced twice covers every point twice.
    const auto twicePoints = Outline({0, 0, 10, 0, 10, 10, 0, 10, 0, 0, 10, 0, 10, 10, 0, 10});
    const BlockShape twice(twicePoints);
    EXPECT_FALSE(twice.HitTest(5, 5));
}

TEST(Block, TwoPointsNeverHitAndHaveNoRegion) {
    const auto linePoints = Outline({0, 0, 10, 10});
    const BlockShape line(linePoints);
    for (int i = -1; i <= 11; ++i)
        EXPECT_FALSE(line.HitTest(i, i));
    EXPECT_TRUE(line.RegionVertices().empty());
    EXPECT_TRUE(line.RegionBox().IsEmpty());
    EXPECT_FALSE(line.GetBounds().IsEmpty());
}

TEST(Block, HitTestOnHugeAndBrokenCoordinatesIsSafe) {
    const auto hugePoints = Outline({-3e9f, -3e9f, 3e9f, -3e9f, 3e9f, 3e9f, -3e9f, 3e9f});
    const BlockShape huge(hugePoints);
    EXPECT_TRUE(huge.HitTest(0, 0));
    EXPECT_TRUE(huge.HitTest(2147483646, 0));
    const auto nanPoints = Outline({NAN, 0, 10, 0, 10, 10});
    const BlockShape nan(nanPoints);
    EXPECT_FALSE(nan.HitTest(-5, -5));
}

TEST(Block, TypeSetsTheTableColourOnlyForOneToSix) {
    CmBlock b;
    for (int t = 1; t <= 6; ++t) {
        b.SetType(t);
        EXPECT_EQ(b.m_crFill, kBlockTypeColors[t - 1]);
    }
    b.SetType(4);
    b.SetType(0);
    EXPECT_EQ(b.m_nType, 0);
    EXPECT_EQ(b.m_crFill, kBlockTypeColors[3]);
    b.SetType(7);
    EXPECT_EQ(b.m_crFill, kBlockTypeColors[3]);
    EXPECT_TRUE(b.NeedsFill(false));
    b.SetType(0);
    EXPECT_FALSE(b.NeedsFill(false));
    EXPECT_TRUE(b.NeedsFill(true));
    b.m_bSelected = true;
    EXPECT_TRUE(b.NeedsFill(false));
    EXPECT_EQ(b.FillColor(), kSelectedBlockColor);
}

TEST(Block, BoundsAlwaysReachTheOrigin) {
    EXPECT_EQ(BlockShape(Outline({10, 20, 30, 40})).GetBounds(), (MapRect{0, 0, 30, 40}));
    EXPECT_EQ(BlockShape(Outline({-10.7f, -20, -30, -40.2f})).GetBounds(),
              (MapRect{-30, -40, 0, 0}));
    EXPECT_EQ(BlockShape(Outline({10, 20})).GetBounds(), (MapRect{}));
    EXPECT_EQ(BlockShape().GetBounds(), (MapRect{}));
}

// ---- streets, routes, labels ----

TEST(Street, TracingHasNoPointLimit) {
    CmCalles street;
    street.BeginTrace({3, 4});
    ASSERT_EQ(street.m_points.size(), 2u);
    EXPECT_EQ(street.m_points[0], (MapPoint{3, 4}));
    EXPECT_EQ(street.m_points[1], (MapPoint{3, 4}));
    for (int i = 0; i < 150; ++i)
        street.AddPoint({i, -i});
    street.SetLastPoint({7, 7});
    ASSERT_EQ(street.m_points.size(), 152u);
    EXPECT_EQ(street.m_points[101], (MapPoint{99, -99}));
    EXPECT_EQ(street.m_points.back(), (MapPoint{7, 7}));
    street.BeginTrace({0, 0});
    EXPECT_EQ(street.m_points.size(), 2u);
}

TEST(Street, CopyKeepsColourAndShowFlag) {
    CmCalles traced;
    traced.BeginTrace({1, 1});
    traced.m_strName = "Hidalgo";
    traced.m_fZoom = 7.5f;
    traced.m_crColor = 0x123456;
    CmCalles stored(0x00FF00);
    stored.m_bShow = true;
    stored.CopyFrom(traced);
    EXPECT_EQ(stored.m_points, traced.m_points);
    EXPECT_EQ(stored.m_strName, "Hidalgo");
    EXPECT_EQ(stored.m_fZoom, 7.5f);
    EXPECT_EQ(stored.m_crColor, 0x00FF00u);
    EXPECT_TRUE(stored.m_bShow);
}

TEST(Street, DistanceInMetres) {
    CmCalles s;
    s.BeginTrace({0, 0});
    s.SetLastPoint({10, 0});
    s.AddPoint({13, 4});
    s.AddPoint({std::numeric_limits<std::int32_t>::min(), 0});
    s.AddPoint({std::numeric_limits<std::int32_t>::max(), 0});
    EXPECT_NEAR(s.Distance(0, 1), 19.875608, 1e-6);
    EXPECT_NEAR(s.Distance(1, 0), 19.875608, 1e-6);
    EXPECT_NEAR(s.Distance(1, 2), 5 * 2.001555 - 0.139942, 1e-9);
    EXPECT_EQ(s.Distance(1, 1), 0.0);
    EXPECT_EQ(s.Distance(-1, 0), 0.0);
    EXPECT_EQ(s.Distance(0, 5), 0.0);
    // Far-apart points do not overflow.
    EXPECT_NEAR(s.Distance(3, 4), 4294967295.0 * 2.001555 - 0.139942, 1.0);
}

TEST(Route, StationsHaveNoLimitAndTheStoredRouteTakesTheNextNumber) {
    CmVias trace;
    trace.BeginRoute({0, 0});
    for (int i = 0; i < 60; ++i)
        trace.AddStation({i, i}, "Estación " + std::to_string(i));
    trace.m_strName = "Ruta larga";
    trace.SetColor(0x00FF00);
    MapCounters counters{1, 8, 1, 1};
    CmVias stored(trace, counters);
    EXPECT_EQ(stored.m_nRouteNo, 8u);
    EXPECT_EQ(counters.route, 9u);
    ASSERT_EQ(stored.m_stations.size(), 60u);
    EXPECT_EQ(stored.m_stations[55].name, "Estación 55");
    EXPECT_EQ(stored.m_crColor, 0x00FF00u);
    EXPECT_FALSE(stored.m_bShow);
    trace.BeginRoute({5, 5});
    EXPECT_TRUE(trace.m_stations.empty());
}

struct EscapementCase {
    float angle;
    std::int32_t escapement;
};

class LabelEscapement : public testing::TestWithParam<EscapementCase> {};

TEST_P(LabelEscapement, TenthsOfADegreeTruncated) {
    CmStname label;
    label.m_fAngle = GetParam().angle;
    EXPECT_EQ(label.Escapement(), GetParam().escapement);
}

INSTANTIATE_TEST_SUITE_P(
    Label, LabelEscapement,
    testing::Values(EscapementCase{1.0f, -572},
                    EscapementCase{static_cast<float>(std::numbers::pi / 2), -900},
                    EscapementCase{0.0f, 0}, EscapementCase{-1.0f, 572}, EscapementCase{NAN, 0}));

TEST(Label, FontHeightByScale) {
    EXPECT_EQ(CmStname::FontHeight(10.0f), 8);
    EXPECT_EQ(CmStname::FontHeight(15.9f), 8);
    EXPECT_EQ(CmStname::FontHeight(16.0f), 6);
    EXPECT_EQ(CmStname::FontHeight(20.0f), 6);
}

// ---- zones and selection ----

TEST(Zone, CentreOfTheRegionBoxes) {
    MapStore store;
    AddBlock(store, {10, 20, 31, 20, 31, 41, 10, 41});
    AddBlock(store, {500, 500, 600, 600}); // no region
    CmZonas zone;
    zone.m_blockIds = {1, 2};
    EXPECT_EQ(zone.GetCentre(store), (MapPoint{20, 31}));
    zone.m_blockIds = {7, 0, 2};
    EXPECT_EQ(zone.GetCentre(store), (MapPoint{0, 0}));
    AddBlock(store, {-11, -21, -1, -21, -1, -1});
    zone.m_blockIds = {1, 3};
    // Union (-11,-21)-(31,41): halves truncate toward zero.
    EXPECT_EQ(zone.GetCentre(store), (MapPoint{10, 10}));
}

TEST(Zone, SelectionCountIsAlwaysTheNumberOfSelectedBlocks) {
    MapStore store;
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(AddBlock(store, {0, 0, 1, 0, 1, 1}).m_nId, static_cast<std::uint32_t>(i + 1));
    }
    CmZonas ghost;
    ghost.m_blockIds = {9, 10, 0};
    EXPECT_EQ(ghost.SelectBlocks(store), 0u);
    EXPECT_EQ(store.SelectedCount(), 0u);

    CmZonas zone;
    zone.m_blockIds = {2, 4, 4, 99};
    EXPECT_EQ(zone.SelectBlocks(store), 2u);
    EXPECT_EQ(store.SelectedCount(), 2u);
    store.SetBlockSelected(store.m_blocks[0], true);
    store.SetBlockSelected(store.m_blocks[0], true);
    EXPECT_EQ(store.SelectedCount(), 3u);

    CmZonas taken;
    taken.SetBlocksFromSelection(store.m_blocks);
    EXPECT_EQ(taken.m_blockIds, (std::vector<std::uint32_t>{1, 2, 4}));

    EXPECT_EQ(zone.UnselectBlocks(store), 2u);
    EXPECT_EQ(store.SelectedCount(), 1u);
    store.m_blocks[3].m_bSelected = true; // behind the store's back, as a reload would
    store.RecountSelection();
    EXPECT_EQ(store.SelectedCount(), 2u);
    store.ClearSelection();
    EXPECT_EQ(store.SelectedCount(), 0u);
    taken.SetBlocksFromSelection(store.m_blocks);
    EXPECT_TRUE(taken.m_blockIds.empty());
}

TEST(Zone, NewZoneTakesTheNextNumber) {
    MapCounters counters{1, 1, 6, 1};
    CmZonas zone("Centro", "notas", counters);
    EXPECT_EQ(zone.m_nZoneNo, 6u);
    EXPECT_EQ(counters.zone, 7u);
    EXPECT_TRUE(zone.m_blockIds.empty());
}

// ---- directory ----

namespace {

struct DirectoryFixture : testing::Test {
    MapCounters counters{10, 1, 1, 1};
    CmDirectorio dir;
    void SetUp() override {
        dir.AddCategory("Bancos");
        dir.AddCategory("Tiendas");
        dir.SelectCategory("Tiendas");
        dir.AddBusiness(100, 200, 3, "Oxxo", "Juárez 1", "111", counters);
        dir.AddBusiness(300, 200, 3, "Oxxo", "Juárez 9", "222", counters); // at the head
    }
    CmClasificados& Shops() { return *dir.FindCategory("Tiendas"); }
};

} // namespace

TEST_F(DirectoryFixture, SameNameBusinessesSelectTheFirst) {
    ASSERT_EQ(Shops().m_listBusinesses.size(), 2u);
    CmNegocios& first = *Shops().m_listBusinesses[0];
    CmNegocios& second = *Shops().m_listBusinesses[1];
    EXPECT_EQ(first.m_nBusinessNo, 11u);
    EXPECT_EQ(second.m_nBusinessNo, 10u);
    EXPECT_EQ(counters.business, 12u);
    // Clicking the second one selects the first of that name.
    EXPECT_TRUE(dir.HitBusiness({100, 200}));
    EXPECT_EQ(dir.CurrentBusiness(), &first);
    EXPECT_TRUE(first.m_bHighlight);
    EXPECT_FALSE(second.m_bHighlight);
    EXPECT_EQ(dir.GetBusinessComments(), "Juárez 9");
    // Selecting the current one again keeps it highlighted.
    EXPECT_TRUE(dir.SelectBusiness("Oxxo"));
    EXPECT_TRUE(dir.HitBusiness({300, 200}));
    EXPECT_TRUE(first.m_bHighlight);
    EXPECT_FALSE(dir.SelectBusiness("Nadie"));
    EXPECT_EQ(dir.CurrentBusiness(), &first);
}

TEST_F(DirectoryFixture, HitRectangleAroundTheBusiness) {
    const CmNegocios& b = *Shops().m_listBusinesses[1]; // at (100, 200)
    EXPECT_TRUE(b.HitTest(88, 185));
    EXPECT_TRUE(b.HitTest(119, 214));
    EXPECT_FALSE(b.HitTest(120, 200));
    EXPECT_FALSE(b.HitTest(100, 215));
    EXPECT_FALSE(b.HitTest(87, 200));
    EXPECT_FALSE(b.HitTest(100, 184));
    CmNegocios edge;
    edge.m_x = std::numeric_limits<std::int32_t>::max();
    edge.m_y = std::numeric_limits<std::int32_t>::min();
    EXPECT_TRUE(edge.HitTest(edge.m_x, edge.m_y));
    EXPECT_FALSE(edge.HitTest(0, 0));
}

TEST_F(DirectoryFixture, DeletingACategoryLeavesNoneCurrent) {
    dir.SelectBusiness("Oxxo");
    dir.DeleteCategory("Bancos"); // not the current one
    EXPECT_EQ(dir.m_pCurrent, nullptr);
    dir.SelectCategory("Tiendas");
    dir.DeleteCategory("Tiendas");
    EXPECT_EQ(dir.m_pCurrent, nullptr);
    EXPECT_TRUE(dir.m_listCategories.empty());
    EXPECT_EQ(dir.CurrentBusiness(), nullptr);
    EXPECT_EQ(dir.GetBusinessName(), "");
    EXPECT_EQ(dir.GetBusinessPosition(), (MapPoint{0, 0}));
    EXPECT_EQ(dir.GetBusinessZoom(), 0.0f);
    EXPECT_FALSE(dir.HitBusiness({100, 200}));
    EXPECT_EQ(dir.AddBusiness(1, 1, 1, "x", "", "", counters), nullptr);
    EXPECT_EQ(counters.business, 12u);
    dir.DeleteCategory("Nada"); // harmless
}

TEST_F(DirectoryFixture, EditingAndDeletingTheCurrentBusiness) {
    dir.SelectBusiness("Oxxo");
    dir.UpdateBusiness("Oxxo Centro", "Morelos 3", "333");
    EXPECT_EQ(dir.GetBusinessName(), "Oxxo Centro");
    EXPECT_EQ(dir.GetBusinessPhone(), "333");
    EXPECT_EQ(dir.GetBusinessPosition(), (MapPoint{300, 200}));
    dir.DeleteBusiness();
    ASSERT_EQ(Shops().m_listBusinesses.size(), 1u);
    EXPECT_EQ(Shops().m_listBusinesses[0]->m_strComments, "Juárez 1");
    EXPECT_EQ(dir.CurrentBusiness(), nullptr);
    dir.DeleteBusiness(); // nothing current: nothing happens
    EXPECT_EQ(Shops().m_listBusinesses.size(), 1u);
    Shops().ClearCurrent();
    dir.RenameCategory("Tiendas", "Comercios");
    EXPECT_NE(dir.FindCategory("Comercios"), nullptr);
}

TEST(Business, NotDrawnOnEitherAxis) {
    MapCounters counters;
    EXPECT_FALSE(CmNegocios(0, 5, 1, "a", "", "", counters).IsDrawable());
    EXPECT_FALSE(CmNegocios(5, 0, 1, "a", "", "", counters).IsDrawable());
    EXPECT_TRUE(CmNegocios(5, -5, 1, "a", "", "", counters).IsDrawable());
}
