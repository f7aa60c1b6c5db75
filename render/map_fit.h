#pragma once

// The view that shows a whole town: the largest scale within the window's
// limits at which a rectangle of map units fits in a client area, with the
// rectangle's centre at the client's centre.

#include "geometry.h"

#include <QSize>

#include <optional>

class MapStore;

struct MapFit {
    float scale = 1.0f;
    MapPoint centre;
};

// Pixels left free around the rectangle, so its outline is not cut by the edge.
inline constexpr int kFitMargin = 8;

// The rectangle the town's block outlines cover; empty for a town without
// blocks, or whose blocks are all one point. (The store's m_rcBlocks, like
// each block's bounds, also holds the map's origin.)
MapRect TownBounds(const MapStore& store);

// Nothing for an empty rectangle or client. A rectangle too large for scale 1
// gets scale 1, centred; one too small for 20 gets 20.
std::optional<MapFit> FitMapRect(const MapRect& bounds, QSize client, float minScale = 1.0f,
                                 float maxScale = 20.0f);

// Whether every corner of `bounds` lands at least `margin` pixels inside the
// client when `fit` is shown there.
bool FitShowsRect(const MapFit& fit, const MapRect& bounds, QSize client, int margin);
