#include "overlay_layer.h"

#include "line_layer.h"
#include "map_painting.h"
#include "map_store.h"

#include <QPainter>

namespace {

constexpr std::uint32_t kBandPenColor = 0x0000ff;

} // namespace

void COverlayLayer::Draw(QPainter& painter, const MapStore& store, const RenderFrame& frame,
                         const MapOverlay& overlay) {
    RenderFrame all = frame;
    all.cull = false;
    m_lines.DrawStreet(painter, all, store.m_routeOutline, true);
    if (overlay.traceStreet)
        m_lines.DrawStreet(painter, all, *overlay.traceStreet, true);
    if (overlay.traceRoute)
        m_lines.DrawRoute(painter, all, *overlay.traceRoute, false,
                          CLineLayer::StationStyle(all.texts, all.t));

    if (overlay.band) {
        const MapTransform& t = all.t;
        const MapRect& b = *overlay.band;
        const QPoint corners[5] = {t.ToPixel(b.left, b.top), t.ToPixel(b.right, b.top),
                                   t.ToPixel(b.right, b.bottom), t.ToPixel(b.left, b.bottom),
                                   t.ToPixel(b.left, b.top)};
        painter.setPen(QPen(ColorFromRef(kBandPenColor), 0));
        painter.setBrush(Qt::NoBrush);
        painter.drawPolyline(corners, 5);
    }
}
