#include "map_fit.h"

#include "map_store.h"
#include "map_transform.h"

#include <algorithm>

namespace {

MapPoint CentreOf(const MapRect& r) {
    return {static_cast<std::int32_t>(r.left + r.Width() / 2),
            static_cast<std::int32_t>(r.top + r.Height() / 2)};
}

int MarginFor(QSize client) {
    return std::min(kFitMargin, std::min(client.width(), client.height()) / 10);
}

} // namespace

MapRect TownBounds(const MapStore& store) {
    // From the outlines themselves: a block's own bounds reach out to (0,0).
    std::int32_t left = INT32_MAX, top = INT32_MAX, right = INT32_MIN, bottom = INT32_MIN;
    for (const CmBlock& block : store.m_blocks) {
        for (const FloatPoint& p : store.Outline(block)) {
            const std::int32_t x = TruncToInt(p.x);
            const std::int32_t y = TruncToInt(p.y);
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    if (left > right)
        return {};
    return {left, top, right, bottom};
}

bool FitShowsRect(const MapFit& fit, const MapRect& bounds, QSize client, int margin) {
    const MapTransform probe(client, fit.scale, QPoint());
    const MapTransform t(client, fit.scale, probe.OriginCentering(fit.centre));
    const auto inside = [&](QPoint p) {
        return p.x() >= margin && p.x() < client.width() - margin && p.y() >= margin &&
               p.y() < client.height() - margin;
    };
    // Right and bottom are exclusive: the last unit of the town ends there.
    return inside(t.ToPixel(bounds.left, bounds.top)) &&
           inside(t.ToPixel(bounds.right, bounds.bottom));
}

std::optional<MapFit> FitMapRect(const MapRect& bounds, QSize client, float minScale,
                                 float maxScale) {
    const MapRect r = bounds.Normalized();
    if (r.IsEmpty() || client.isEmpty())
        return std::nullopt;
    const int margin = MarginFor(client);
    const MapPoint centre = CentreOf(r);
    const auto fits = [&](float scale) {
        return FitShowsRect(MapFit{scale, centre}, r, client, margin);
    };
    if (fits(maxScale))
        return MapFit{maxScale, centre};
    if (!fits(minScale))
        return MapFit{minScale, centre};
    // The integer mapping rounds every extent, so the limit is found by trying
    // scales rather than by dividing sizes.
    float low = minScale;
    float high = maxScale;
    for (int i = 0; i < 40 && high - low > 1e-5f; ++i) {
        const float middle = (low + high) / 2.0f;
        (fits(middle) ? low : high) = middle;
    }
    return MapFit{low, centre};
}
