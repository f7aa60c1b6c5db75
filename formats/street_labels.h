#pragma once

// Where a street's name goes: on the longest straight pieces of its lines,
// turned to their direction and never upside down, one more label for every
// long stretch of street.

#include "plane_geometry.h"

#include <cstddef>
#include <vector>

struct LabelPlacement {
    PlanePoint anchor;  // top-left of the text, as labels are drawn
    float angle = 0.0f; // the label's angle: clockwise on screen, in radians
};

// Label height and the width of an average letter in map units, as the map
// window draws street names when they first show.
constexpr double kLabelHeight = 8.0;
constexpr double kLabelLetterWidth = 4.0;

// `chains` are the street's lines; `letters` the length of its name; `spacing`
// the stretch (map units) that earns one more label; pieces straight within
// `tolerance` count as one.
std::vector<LabelPlacement> PlaceStreetLabels(const std::vector<Polyline>& chains,
                                              std::size_t letters, double spacing,
                                              double tolerance);

// The label angle that writes along the direction (dx, dy) of the map (y up),
// reading left to right, or downwards when the street runs within five degrees
// of north-south: the result lies in (-90 + 5, 90 + 5] degrees.
float UprightLabelAngle(double dx, double dy);
