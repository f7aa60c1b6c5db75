#pragma once

// One layer of a map picture: a kind of item, drawn in its place in the stack
// by CMapRenderer, which asks each layer in turn to draw into the pixels of a
// frame. A layer draws only what can reach those pixels, and takes part in a
// pan step by saying which of its pixels change besides those the move uncovers.

#include "layer_switches.h"
#include "map_transform.h"

#include <QRect>
#include <cstdint>
#include <vector>

class CBlockRaster;
class CTextLayouts;
class MapStore;
class QPainter;

// What one drawing of the layers is for: the whole view, by whose rectangle
// the items placed by a point are shown or not, and the pixels to be drawn.
struct RenderFrame {
    const MapTransform& t;
    const LayerSwitches& layers;
    CTextLayouts& texts;
    MapRect visible;
    QRect area;
    MapRect areaMap; // the map units behind the area
    bool cull = true;
    bool whole = true; // the area is the whole client
    // Draws one-pixel lines where the painter allows it: a painter clips a
    // line before stepping along it, so where it is cut decides which pixels
    // a diagonal takes, and a part of a frame would not match the whole.
    CBlockRaster* raster = nullptr;
    // Street names that would cover more important ones are left out.
    bool placeLabels = false;
    // Items placed in view are drawn whole in a whole frame; for a part of it,
    // only those whose pixels reach that part.
    bool Partial() const { return cull && !whole; }
};

// A frame moved from one origin to another, before the parts it uncovers are drawn.
struct PanStep {
    const MapTransform& to;
    const LayerSwitches& layers;
    CTextLayouts& texts;
    MapRect was; // the map the frame showed
    MapRect now; // the map it shows after the move
    bool placeLabels = false;
    // An item placed by this point starts or stops showing.
    bool Changes(std::int32_t x, std::int32_t y) const {
        return was.Contains(x, y) != now.Contains(x, y);
    }
};

class CMapLayer {
public:
    virtual ~CMapLayer() = default;

    // Draws the layer's items that can reach `frame.area` (every item when the
    // frame does not cull) with `painter` in client pixels.
    virtual void Draw(QPainter& painter, const MapStore& store, const RenderFrame& frame) = 0;

    // A pan step is about to draw its parts: adds the pixels of the items that
    // start or stop showing at `step.to` to `changes`, and may keep what the
    // parts can share until EndPan.
    virtual void BeginPan(const MapStore&, const PanStep&, std::vector<QRect>&) {}
    virtual void EndPan() {}
};
