#pragma once

// The map's layers, one row each: the renderer layer that draws it, the switch
// it reads, the message and the control panel's box that turn it on and off,
// its name for `veltrix-tool render --layers` and whether a new window shows
// it. The renderer stacks its layers, the panel lays out its boxes, the map
// window hears its messages and the tool reads its names from here, so a new
// layer is a row here and its class.

#include "layer_switches.h"

#include <QString>
#include <memory>
#include <span>

class CBlockIndex;
class CMapLayer;

// What the renderer shares with the layers it makes.
struct LayerParts {
    CBlockIndex& blocks; // the renderer also hits blocks with it
};

using MakeMapLayer = std::unique_ptr<CMapLayer> (*)(LayerParts& parts);

struct MapLayerRow {
    const char* name; // in `--layers`
    bool LayerSwitches::*switched;
    bool on; // as a new window starts
    // The renderer layer that reads the switch: one layer for each maker, the
    // rows of a layer naming the same one. Without a maker the layer is drawn
    // over the finished map by whoever shows it (window, printer, tool).
    MakeMapLayer make;
    int message;      // the UserMessage that switches it, 0 for none
    int box;          // the panel's control number of its box, 0 for none
    const char* text; // the box's text, UTF-8
    int boxRow;       // the box's place among the panel's boxes, top first
};

// Every layer, in the order the renderer draws them (bottom first).
std::span<const MapLayerRow> MapLayers();

// The row of `switched`; nullptr for a switch no row reads.
const MapLayerRow* MapLayerOf(bool LayerSwitches::*switched);

// `all`, `none` (or nothing) or a comma-separated list of row names: the
// switches named on and every other off. False for a name no row has.
bool LayerSwitchesNamed(const QString& text, LayerSwitches& out);
