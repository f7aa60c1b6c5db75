// The plane geometry under the import: shrinking street faces into blocks
// without a general offset when that is safe, simplifying rings, and joining a
// street's pieces into chains.

#include "plane_geometry.h"
#include "street_network.h"

#include <gtest/gtest.h>

#include <ogr_api.h>
#include <ogr_geometry.h>

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

Polyline Ring(std::initializer_list<double> xy) {
    Polyline ring;
    for (auto it = xy.begin(); it != xy.end(); it += 2)
        ring.push_back({*it, *(it + 1)});
    ring.push_back(ring.front());
    return ring;
}

double BufferedArea(const Polyline& ring, double distance) {
    OGRLinearRing outline;
    for (const PlanePoint& p : ring)
        outline.addPoint(p.x, p.y);
    OGRPolygon polygon;
    polygon.addRing(&outline);
    const std::unique_ptr<OGRGeometry> shrunk(polygon.Buffer(-distance, 30));
    return shrunk ? OGR_G_Area(OGRGeometry::ToHandle(shrunk.get())) : 0.0;
}

TEST(InsetRing, MatchesTheGeneralOffsetWhereItAnswers) {
    const Polyline shapes[] = {
        Ring({0, 0, 50, 0, 50, 40, 0, 40}),                         // a plain block
        Ring({0, 0, 60, 0, 50, 40, 10, 40}),                        // a trapezoid
        Ring({0, 0, 60, 0, 60, 20, 25, 20, 25, 50, 0, 50}),         // an L
        Ring({0, 0, 20, -1, 40, 0, 60, 1.5, 80, 0, 80, 30, 0, 30}), // a wavy street side
    };
    for (const Polyline& shape : shapes) {
        const auto shrunk = InsetRing(shape, 2.5);
        ASSERT_TRUE(shrunk);
        ASSERT_EQ(shrunk->size(), shape.size());
        EXPECT_EQ(shrunk->front(), shrunk->back());
        // Mitred concave corners keep a little more than the general offset's
        // rounded ones; the rest is the same.
        EXPECT_NEAR(SignedArea(*shrunk), BufferedArea(shape, 2.5), BufferedArea(shape, 2.5) * 0.01);
        for (const PlanePoint& p : *shrunk)
            EXPECT_TRUE(RingContains(shape, p));
    }
}

TEST(InsetRing, LeavesHardCasesToTheGeneralOffset) {
    // Two blocks joined by a passage 4 units wide: its sides cross when both
    // move 2.5 inwards.
    EXPECT_FALSE(InsetRing(Ring({0,  0,  20, 0,  20, 8,  30, 8,  30, 0,  50, 0,
                                 50, 20, 30, 20, 30, 12, 20, 12, 20, 20, 0,  20}),
                           2.5));
    // A spike.
    EXPECT_FALSE(InsetRing(Ring({0, 0, 40, 0, 40, 20, 22, 20, 20, 60, 18, 20, 0, 20}), 2.5));
    // A cut corner shorter than what its two bends take from it turns around.
    EXPECT_FALSE(InsetRing(Ring({0, 0, 40, 0, 40, 29, 39, 30, 0, 30}), 2.5));
    EXPECT_TRUE(InsetRing(Ring({0, 0, 40, 0, 40, 26, 36, 30, 0, 30}), 2.5));
    // A sliver.
    EXPECT_FALSE(InsetRing(Ring({0, 0, 40, 0, 40, 3, 0, 3}), 2.5));
}

TEST(SimplifyRing, KeepsCornersWhereverTheRingStarts) {
    // The ring starts in the middle of a side, on a point a straight line does not need.
    const Polyline square =
        Ring({0, 10, 0, 0, 10, 0, 20, 0.1, 30, 0, 30, 15, 30, 30, 15, 30, 0, 30, 0, 20});
    const Polyline simple = SimplifyRing(square, 0.5);
    ASSERT_EQ(simple.size(), 5u);
    EXPECT_EQ(simple.front(), simple.back());
    EXPECT_DOUBLE_EQ(std::abs(SignedArea(simple)), 900.0);
    // A triangle stays a triangle.
    EXPECT_EQ(SimplifyRing(Ring({0, 0, 10, 0, 0, 10}), 5.0).size(), 4u);
}

TEST(ChainLines, JoinsPiecesUntilAFork) {
    // Three pieces of one street, one of them drawn backwards, and a branch at
    // the far end that makes a fork.
    std::vector<Polyline> pieces{{{0, 0}, {10, 0}},
                                 {{20, 0}, {10, 0}},
                                 {{20, 0}, {30, 0}},
                                 {{30, 0}, {40, 5}},
                                 {{30, 0}, {40, -5}}};
    const auto chains = ChainLines(pieces);
    ASSERT_EQ(chains.size(), 3u);
    Polyline street = chains[0];
    if (street.front().x > street.back().x)
        std::reverse(street.begin(), street.end());
    EXPECT_EQ(street, (Polyline{{0, 0}, {10, 0}, {20, 0}, {30, 0}}));
    // A closed street comes out as one closed chain.
    const auto loop = ChainLines({{{0, 0}, {10, 0}, {10, 10}}, {{10, 10}, {0, 10}, {0, 0}}});
    ASSERT_EQ(loop.size(), 1u);
    EXPECT_EQ(loop[0].size(), 5u);
    EXPECT_EQ(loop[0].front(), loop[0].back());
}

} // namespace
