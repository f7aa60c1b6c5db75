#include "block_layer.h"

#include "block_raster.h"
#include "map_painting.h"
#include "map_store.h"

#include <QPainter>
#include <cmath>
#include <span>

namespace {

constexpr std::uint32_t kBasePenColor = 0xc0c0c0;

} // namespace

void CBlockLayer::Draw(QPainter& painter, const MapStore& store, const RenderFrame& f) {
    const MapTransform& t = f.t;
    if (f.cull) {
        // A block is drawn when its box meets the area, a pixel's worth of map
        // units around it included, so that no outline on the border is lost.
        const std::int32_t margin = std::max(1, static_cast<int>(std::ceil(10.0 / t.Scale())) + 1);
        const MapRect query{Widen(f.areaMap.left, -margin), Widen(f.areaMap.top, -margin),
                            Widen(f.areaMap.right, margin), Widen(f.areaMap.bottom, margin)};
        m_index.Query(query, m_visible);
    } else {
        m_visible.resize(store.m_blocks.size());
        for (std::size_t i = 0; i < m_visible.size(); ++i)
            m_visible[i] = static_cast<std::uint32_t>(i);
    }

    const bool fillAll = f.layers.m_bFillBlocks;
    CBlockRaster& raster = *f.raster;
    const QRgb outline = ColorFromRef(kBasePenColor).rgb();
    // A polyline never fills, so the brush can stay between blocks; only the pen
    // goes off for each fill and back on for each outline.
    QPen basePen(ColorFromRef(kBasePenColor), 0);
    basePen.setCapStyle(Qt::FlatCap); // the last pixel of a line is not drawn
    const QPen noPen(Qt::NoPen);
    painter.setPen(basePen);
    bool penIsBase = true;
    Color brushColor = 0;
    bool brushSet = false;

    for (std::uint32_t i : m_visible) {
        const CmBlock& block = store.m_blocks[i];
        const std::span<const FloatPoint> points = store.Outline(block);
        const std::size_t n = points.size();
        if (n < 2)
            continue;
        m_pixels.resize(n);
        bool degenerate = true;
        for (std::size_t k = 0; k < n; ++k) {
            const FloatPoint& fp = points[k];
            m_pixels[k] = t.ToPixel(TruncToInt(fp.x), TruncToInt(fp.y));
            degenerate = degenerate && m_pixels[k] == m_pixels[0];
        }
        // Every vertex on one pixel: lines of no length and a region of no area
        // leave the picture as it was.
        if (degenerate)
            continue;
        const int count = static_cast<int>(n);
        const bool fill = n >= 3 && block.NeedsFill(fillAll);
        if (raster.IsUsable()) {
            raster.Polyline(m_pixels.data(), count, outline);
            if (fill)
                raster.FillPolygon(m_pixels.data(), count, ColorFromRef(block.FillColor()).rgb());
            continue;
        }
        if (!penIsBase) {
            painter.setPen(basePen);
            penIsBase = true;
        }
        painter.drawPolyline(m_pixels.data(), count);
        if (fill) {
            const Color c = block.FillColor();
            if (!brushSet || c != brushColor) {
                painter.setBrush(QBrush(ColorFromRef(c)));
                brushColor = c;
                brushSet = true;
            }
            painter.setPen(noPen);
            penIsBase = false;
            painter.drawPolygon(m_pixels.data(), count, Qt::OddEvenFill);
        }
    }
    painter.setPen(basePen);
    painter.setBrush(Qt::NoBrush);
}
