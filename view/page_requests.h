#pragma once

// What the panel's pages ask of the map, worked out on the store: where to
// show an element they locate, and the block selection of a zone. The map
// window moves the view; these say where and change the selection.

#include "geometry.h"
#include "map_renderer.h"

#include <cstdint>
#include <optional>

class CmZonas;
class MapStore;

// Where a located element is shown: its point at the centre, at this scale
// (before the window keeps it within its limits), with its layer switched on.
struct ItemPlace {
    MapPoint point;
    float scale = 0.0f;
    bool LayerSwitches::*layer = nullptr;
};

// The place of element `index` of the kind `kind` (a LocateKind); nothing for
// a kind that moves nothing or an index that names no element. The control
// panel's slider and boxes follow what the map window makes of it.
std::optional<ItemPlace> LocateItem(const MapStore& store, std::int64_t kind, std::int64_t index);

// Takes zone `hide`'s blocks out of the selection (with a negative `hide`, the
// whole selection), then selects the blocks of zone `show` and returns that
// zone; nullptr when `show` names no zone.
const CmZonas* ShowZoneBlocks(MapStore& store, std::int64_t hide, std::int64_t show);

// Gives zone `zone` the selected blocks; the map is changed only when the
// zone's blocks are.
void AssignSelectionToZone(MapStore& store, std::int64_t zone);
