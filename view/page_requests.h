#pragma once

// What the control panel and its pages ask of the map, worked out on the
// store and the view: the layer boxes, centring, zooming, where to show an
// element they locate, and the block selection of a zone. The map window
// receives the messages and does what follows on screen: the repaint and
// telling the panel of the scale and the layers.

#include "geometry.h"
#include "map_edit.h"
#include "map_renderer.h"
#include "messages.h"

#include <QSize>

#include <cstdint>
#include <optional>
#include <vector>

class CMapViewport;
class CmZonas;
class MapStore;

// What the map window does after a request was carried out.
struct PageRequestDone {
    bool repaint = false;
    // The scale changed: the zoom slider follows.
    bool tellScale = false;
    // This layer is to be switched on, its box ticked.
    bool LayerSwitches::*showLayer = nullptr;
};

// Carries out `message` on the store, the view and the layers of a client
// area of `client` pixels. Messages that are not requests change nothing.
PageRequestDone ApplyPageRequest(const CUserMessage& message, MapStore& store, CMapViewport& view,
                                 LayerSwitches& layers, QSize client);

// The message that tells the panel `layer` was switched on or off, as the
// layer table gives it; nothing for a layer without a box (the scale bar).
std::optional<UserMessage> LayerMessage(bool LayerSwitches::*layer);

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

// A page to refill after an edit: UM_REFRESH_PAGES's two parameters.
struct PageRefill {
    int page = 0;
    int option = 0;
    friend bool operator==(const PageRefill&, const PageRefill&) = default;
};
// The pages that list the records `changes` touched, each once.
std::vector<PageRefill> PagesToRefill(const std::vector<MapChange>& changes);
