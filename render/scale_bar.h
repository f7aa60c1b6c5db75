#pragma once

// The map's graphic scale: a bar of a round length in metres with that length
// written over it. The map window draws it over the lower left corner of the
// map, and copies, exports and prints carry it the same way.

#include "map_transform.h"

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

class QPainter;

// The bar is never shorter or longer than this on screen.
inline constexpr int kScaleBarMinPixels = 60;
inline constexpr int kScaleBarMaxPixels = 150;

struct ScaleBarLength {
    int metres = 0; // 1, 2 or 5 times a power of ten
    int pixels = 0; // the bar's length at the transform's scale
    QString text;   // "100 m", "1 km"
};

// The longest round length whose bar is at most 150 pixels long at the
// transform's scale; steps of 1, 2 and 5 never leave it under 60 pixels.
// Lengths come from the ruler's metres per map unit and the transform's own
// pixels per unit, so the bar measures what is drawn.
ScaleBarLength ChooseScaleBar(const MapTransform& transform);

// Draws the bar and its length on a light box whose bottom-left corner is
// `corner`, in client pixels.
void DrawScaleBar(QPainter& painter, const MapTransform& transform, QPoint corner);
// The pixels that box covers.
QRect ScaleBarBox(const MapTransform& transform, QPoint corner);

// Where the box goes in a view of `client` pixels: the lower left corner.
QPoint ScaleBarCorner(QSize client);
// Where it goes in a printed picture, whose lower left corner holds the footer.
QPoint PrintedScaleBarCorner(QSize picture);
