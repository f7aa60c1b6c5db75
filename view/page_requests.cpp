#include "page_requests.h"

#include "map_layers.h"
#include "map_store.h"
#include "map_viewport.h"

#include <algorithm>

namespace {

// A zone's blocks are shown at this scale, the zone's centre in the middle.
constexpr float kZoneScale = 10.0f;

std::int32_t ToCoordinate(std::int64_t value) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, INT32_MIN, INT32_MAX));
}

// Locating a reference, colony or business shows it at least this close.
constexpr float kLocateMinScale = 15.0f;
// A located route is shown from its start at this scale, with every route.
constexpr float kLocateRouteScale = 10.0f;

template <typename List>
auto* At(List& list, std::int64_t index) {
    return index >= 0 && static_cast<std::size_t>(index) < list.size()
               ? list[static_cast<std::size_t>(index)].get()
               : nullptr;
}

} // namespace

std::optional<ItemPlace> LocateItem(const MapStore& store, std::int64_t kind, std::int64_t index) {
    switch (kind) {
    case LOCATE_STREET:
        if (const CmCalles* street = At(store.m_listStreets, index)) {
            const MapPoint first = street->m_points.empty() ? MapPoint{} : street->m_points.front();
            return ItemPlace{first, street->m_fZoom};
        }
        break;
    case LOCATE_BUSINESS:
        return ItemPlace{store.m_directory.GetBusinessPosition(),
                         std::max(store.m_directory.GetBusinessZoom(), kLocateMinScale),
                         &LayerSwitches::m_bShowMarks};
    case LOCATE_COLONY:
        if (const CmColonias* c = At(store.m_listColonies, index))
            return ItemPlace{MapPoint{c->m_x, c->m_y}, std::max(c->m_fZoom, kLocateMinScale),
                             &LayerSwitches::m_bShowColonies};
        break;
    case LOCATE_REFERENCE:
        if (const CmRefe* r = At(store.m_listReferences, index))
            return ItemPlace{MapPoint{r->m_x, r->m_y}, std::max(r->m_fZoom, kLocateMinScale),
                             &LayerSwitches::m_bShowReferences};
        break;
    case LOCATE_ROUTE:
        if (const CmVias* route = At(store.m_listRoutes, index)) {
            const MapPoint first = route->m_points.empty() ? MapPoint{} : route->m_points.front();
            return ItemPlace{first, kLocateRouteScale, &LayerSwitches::m_bShowAllRoutes};
        }
        break;
    default:
        break;
    }
    return std::nullopt;
}

const CmZonas* ShowZoneBlocks(MapStore& store, std::int64_t hide, std::int64_t show) {
    if (hide >= 0) {
        if (const CmZonas* z = At(store.m_listZones, hide))
            z->UnselectBlocks(store);
    } else {
        store.ClearSelection();
    }
    const CmZonas* z = At(store.m_listZones, show);
    if (z)
        z->SelectBlocks(store);
    return z;
}

std::vector<PageRefill> PagesToRefill(const std::vector<MapChange>& changes) {
    std::vector<PageRefill> refills;
    for (const MapChange& change : changes) {
        PageRefill refill{};
        switch (change.record) {
        case MapRecord::Street:
            refill = {PAGE_STREETS, 0};
            break;
        case MapRecord::Reference:
            refill = {PAGE_REFERENCES, 0};
            break;
        case MapRecord::Colony:
            refill = {PAGE_COLONIES, 0};
            break;
        case MapRecord::Route:
            refill = {PAGE_ROUTES, 0};
            break;
        case MapRecord::Zone:
            refill = {PAGE_ZONES, 0};
            break;
        case MapRecord::Business:
            refill = {PAGE_BUSINESSES, REFRESH_BUSINESSES};
            break;
        case MapRecord::Category:
            refill = {PAGE_BUSINESSES, REFRESH_CATEGORIES};
            break;
        default:
            // Blocks, the route outline, the header and the labels have no page.
            continue;
        }
        if (std::find(refills.begin(), refills.end(), refill) == refills.end())
            refills.push_back(refill);
    }
    return refills;
}

PageRequestDone ApplyPageRequest(const CUserMessage& message, MapStore& store, CMapViewport& view,
                                 LayerSwitches& layers, QSize client) {
    const std::int64_t w = message.WParam();
    const std::int64_t l = message.LParam();
    for (const MapLayerRow& row : MapLayers()) {
        if (row.message != 0 && message.Message() == row.message) {
            layers.*row.switched = w != 0;
            return {.repaint = true};
        }
    }
    switch (message.Message()) {
    case UM_CENTER_AT:
        view.CenterOn(MapPoint{ToCoordinate(w), ToCoordinate(l)}, client);
        return {.repaint = true};
    case UM_ZONE_SHOW:
        if (const CmZonas* zone = ShowZoneBlocks(store, w, l)) {
            view.ZoomTo(kZoneScale, zone->GetCentre(store), client);
            return {.repaint = true, .tellScale = true};
        }
        return {.repaint = true};
    case UM_LOCATE_ITEM:
        if (const std::optional<ItemPlace> place = LocateItem(store, w, l)) {
            view.ZoomTo(place->scale, place->point, client);
            return {.repaint = true, .tellScale = true, .showLayer = place->layer};
        }
        return {.repaint = true};
    case UM_SET_ZOOM: {
        // About the centre of what the window shows.
        const MapRect v = view.Transform(client).VisibleRect();
        const MapPoint centre{v.left + (v.right - v.left) / 2, v.top + (v.bottom - v.top) / 2};
        view.ZoomTo(CMapViewport::ClampScale(static_cast<double>(w)), centre, client);
        return {.repaint = true};
    }
    default:
        return {};
    }
}

std::optional<UserMessage> LayerMessage(bool LayerSwitches::*layer) {
    const MapLayerRow* row = MapLayerOf(layer);
    if (!row || row->message == 0)
        return std::nullopt;
    return static_cast<UserMessage>(row->message);
}
