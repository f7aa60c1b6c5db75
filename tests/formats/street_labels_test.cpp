// A street's pieces made one street, drawn as one line that stays on it, and
// its labels placed where their text fits, clear of each other's.

#include "street_labels.h"
#include "street_pieces.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

Polyline Line(std::initializer_list<double> xy) {
    Polyline line;
    for (auto it = xy.begin(); it != xy.end(); it += 2)
        line.push_back({*it, *(it + 1)});
    return line;
}

double ToLine(PlanePoint p, const Polyline& line) {
    double best = 1e300;
    for (std::size_t i = 1; i < line.size(); ++i)
        best = std::min(best, DistanceToSegment(p, line[i - 1], line[i]));
    return best;
}

StreetForLabels Street(std::vector<Polyline> lines, double width) {
    StreetForLabels s;
    s.width = width;
    for (const Polyline& l : lines)
        s.length += PolylineLength(l);
    s.strokes = std::move(lines);
    return s;
}

const LabelRules kRules{200.0, 1.25};

} // namespace

TEST(StreetNetworks, ForksAndGapsMakeOneStreetThatFarPiecesDoNot) {
    const std::vector<Polyline> lines{Line({0, 0, 50, 0, 100, 0}),
                                      Line({50, 0, 50, 40}),     // a fork at a shared vertex
                                      Line({103, 0, 150, 0}),    // 3 units past the end
                                      Line({1000, 0, 1100, 0})}; // another village
    const auto networks = StreetNetworks(lines, 5.0);
    ASSERT_EQ(networks.size(), 2u);
    EXPECT_NEAR(networks[0].OwnLength(), 100 + 40 + 47 + 3, 1e-9);
    // The walk draws every piece and nothing off them but the 3-unit bridge.
    const Polyline walk = WalkStreet(networks[0]);
    for (const Polyline& l : {lines[0], lines[1], lines[2]})
        for (const PlanePoint& p : l)
            EXPECT_LT(ToLine(p, walk), 1e-9);
    for (std::size_t i = 1; i < walk.size(); ++i) {
        const PlanePoint mid{(walk[i - 1].x + walk[i].x) / 2, (walk[i - 1].y + walk[i].y) / 2};
        double on = 1e300;
        for (const Polyline& l : lines)
            on = std::min(on, ToLine(mid, l));
        EXPECT_LT(on, 1.6);
    }
    // It starts half-way along the longest path, where locating shows it whole.
    EXPECT_NEAR(walk.front().x, 50, 1e-9);
}

TEST(StreetNetworks, PiecesAcrossASquareOfAnotherNameAreLinkedAlongIt) {
    const Polyline west = Line({0, 0, 100, 0}), east = Line({130, 0, 230, 0});
    const Polyline square = Line({100, 0, 115, 10, 130, 0});
    const CTownStreets town({west, east, square});
    const auto linked = StreetNetworks({west, east}, 5.0, &town, 40.0);
    ASSERT_EQ(linked.size(), 1u);
    EXPECT_NEAR(linked[0].OwnLength(), 200, 1e-9);
    for (const PlanePoint& p : WalkStreet(linked[0]))
        EXPECT_LT(std::min({ToLine(p, west), ToLine(p, east), ToLine(p, square)}), 1e-9);
    // The square carries none of the street's labels.
    for (const Polyline& stroke : StreetStrokes(linked[0], 0.7))
        EXPECT_GT(ToLine({115, 10}, stroke), 5.0);
    EXPECT_EQ(StreetStrokes(linked[0], 0.7).size(), 2u);
    EXPECT_EQ(StreetNetworks({west, east}, 5.0, &town, 20.0).size(), 2u);
}

TEST(PlaceStreetLabels, TextGoesWhereItFitsStraightAndClear) {
    // A straight street: one label, centred, along it; a long one gets one
    // more per spacing, never closer than half a spacing.
    const auto straight = PlaceStreetLabels({Street({Line({0, 0, 100, 0})}, 60)}, kRules);
    ASSERT_EQ(straight[0].size(), 1u);
    const LabelBox box = LabelBox::At(straight[0][0].anchor, straight[0][0].angle, 60);
    EXPECT_NEAR(box.centre.x, 50, 1.0);
    EXPECT_NEAR(box.centre.y, 0, 1e-6);
    const auto longer = PlaceStreetLabels({Street({Line({0, 0, 1000, 0})}, 60)}, kRules);
    ASSERT_EQ(longer[0].size(), 6u);
    // An L: only the leg long enough for the text carries it.
    const auto ell = PlaceStreetLabels({Street({Line({0, 0, 90, 0, 90, 40})}, 60)}, kRules);
    ASSERT_EQ(ell[0].size(), 1u);
    EXPECT_LT(std::abs(ell[0][0].angle), 1e-6);
    // A short winding street: no stretch is straight for the whole text.
    const auto winding =
        PlaceStreetLabels({Street({Line({0, 0, 20, 8, 40, 0, 60, 8, 80, 0, 100, 8})}, 60)}, kRules);
    EXPECT_TRUE(winding[0].empty());
    // Never upside down: a street drawn westwards reads eastwards.
    const auto west = PlaceStreetLabels({Street({Line({100, 0, 0, 0})}, 60)}, kRules);
    ASSERT_EQ(west[0].size(), 1u);
    EXPECT_LT(std::abs(west[0][0].angle), 1e-6);
}

TEST(PlaceStreetLabels, CrossingStreetsShareTheSpaceTheLongerFirst) {
    const auto labels = PlaceStreetLabels(
        {Street({Line({50, -60, 50, 60})}, 80), Street({Line({0, 0, 190, 0})}, 80)}, kRules);
    // The longer street keeps its middle; the other moves off the crossing or goes.
    ASSERT_EQ(labels[1].size(), 1u);
    EXPECT_NEAR(LabelBox::At(labels[1][0].anchor, labels[1][0].angle, 80).centre.x, 95, 1.0);
    const LabelBox first = LabelBox::At(labels[1][0].anchor, labels[1][0].angle, 80);
    for (const LabelPlacement& p : labels[0])
        EXPECT_FALSE(first.Overlaps(LabelBox::At(p.anchor, p.angle, 80)));
}

TEST(LabelTextWidth, CountsEachLetterAndLeavesNoneOut) {
    EXPECT_GT(LabelTextWidth("Mmmm"), LabelTextWidth("Iiii"));
    EXPECT_DOUBLE_EQ(LabelTextWidth("e\xcc\x81"), LabelTextWidth("e")); // a combining accent
    EXPECT_GT(LabelTextWidth("\xe4\xb8\xad"), LabelTextWidth("a"));     // another script
    EXPECT_GT(LabelTextWidth("\xff"), 0.0);                             // a stray byte
}
