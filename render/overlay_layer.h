#pragma once

// What the user is working on, over every map layer and drawn whole wherever
// it is: the outline last named under the route tool, the street or route
// being traced and the band being dragged (one red pixel wide).

#include "layer_switches.h"
#include "line_layer.h"
#include "map_layer.h"

class COverlayLayer {
public:
    void Draw(QPainter& painter, const MapStore& store, const RenderFrame& frame,
              const MapOverlay& overlay);

private:
    // Traces are drawn as the line layer draws streets and routes; drawn whole,
    // they keep nothing of the map's own line layer between frames.
    CLineLayer m_lines;
};
