#pragma once

// Where the names of an imported town's streets go: along stretches of a
// street straight enough to carry the whole text, turned to them and never
// upside down, one more label for every long stretch of street, and no two
// labels of the town overlapping.
//
// A label is sized as the map draws it at the coarsest scales that show street
// names (above 10, where the font is 8 map units high: the street's own zoom
// shows none). Finer scales draw it smaller from the same anchor, inside that
// footprint, so a label that fits and keeps clear there does so wherever it
// shows.

#include "plane_geometry.h"

#include <cstddef>
#include <string_view>
#include <vector>

struct LabelPlacement {
    PlanePoint anchor;  // top-left of the text, as labels are drawn
    float angle = 0.0f; // the label's angle: clockwise on screen, in radians
};

// The height of a label's cell in map units: the font's line height, with the
// rounding of its pixel size at those scales.
constexpr double kLabelHeight = 10.0;

// The width in map units of `utf8` written as a label at those scales. It
// reckons with the widest face a sans-serif "Arial" may turn out to be on a
// desktop (DejaVu Sans, wider than Arial and its metric clones) and with the
// font's pixel size rounded up; letters it does not know count as wide ones.
double LabelTextWidth(std::string_view utf8);

// A label's footprint on the map: a rectangle centred on `centre`, its length
// along the unit vector `along`.
struct LabelBox {
    PlanePoint centre;
    PlanePoint along{1.0, 0.0};
    double halfLength = 0.0;
    double halfHeight = 0.0;

    // The cell of a text `width` long with its top-left at `anchor`, turned by `angle`.
    static LabelBox At(PlanePoint anchor, float angle, double width, double height = kLabelHeight);
    PlanePoint Anchor() const;
    // Whether the rectangles share any point (touching counts).
    bool Overlaps(const LabelBox& other) const;
};

struct StreetForLabels {
    std::vector<Polyline> strokes; // its lines, joined where the street goes straight on
    double width = 0.0;            // of its name, as LabelTextWidth gives it
    double length = 0.0;           // of the whole street
    int rank = 0;                  // lower ranks are the more important streets
};

struct LabelRules {
    double spacing = 0.0;   // every stretch this long earns one more label
    double tolerance = 0.0; // how far the text's middle may stray from the street
    double gap = 2.0;       // the least room between two labels
};

// The labels of every street, the more important first (by rank, then the
// longer): each goes where its text lies within the tolerance of one stroke,
// as near the middle of its share of the stroke as the labels already placed
// leave room for, and is left out where there is none. A street gets up to
// one label plus one per spacing, the same street's labels at least half a
// spacing apart. One list per street, in the order given.
std::vector<std::vector<LabelPlacement>>
PlaceStreetLabels(const std::vector<StreetForLabels>& streets, const LabelRules& rules);

// The label angle that writes along the direction (dx, dy) of the map (y up),
// reading left to right, or downwards when the street runs within five degrees
// of north-south: the result lies in (-90 + 5, 90 + 5] degrees.
float UprightLabelAngle(double dx, double dy);
