#include "map_renderer.h"

#include "block_raster.h"
#include "map_layers.h"
#include "map_store.h"

#include <QPainter>
#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

// Moves every pixel of `image` by `d`; what is uncovered keeps old pixels.
void ScrollPixels(QImage& image, QPoint d) {
    const int w = image.width(), h = image.height();
    const int dx = d.x(), dy = d.y();
    const int width = w - std::abs(dx);
    if (width <= 0 || std::abs(dy) >= h)
        return;
    const int from = std::max(0, -dx), to = std::max(0, dx);
    const std::size_t bytes = static_cast<std::size_t>(width) * 4;
    auto move = [&](int y) {
        std::memmove(image.scanLine(y + dy) + 4 * to, image.constScanLine(y) + 4 * from, bytes);
    };
    // Rows go in the order that never overwrites one still to be moved.
    if (dy > 0) {
        for (int y = h - 1 - dy; y >= 0; --y)
            move(y);
    } else {
        for (int y = -dy; y < h; ++y)
            move(y);
    }
}

} // namespace

CMapRenderer::CMapRenderer() {
    LayerParts parts{m_blockIndex};
    std::vector<MakeMapLayer> made;
    for (const MapLayerRow& row : MapLayers()) {
        if (!row.make || std::find(made.begin(), made.end(), row.make) != made.end())
            continue;
        made.push_back(row.make);
        m_layers.push_back(row.make(parts));
    }
}

void CMapRenderer::EnsureBlockIndex(const MapStore& store) {
    if (!m_blockIndex.Matches(store))
        m_blockIndex.Build(store);
}

std::int64_t CMapRenderer::HitBlock(const MapStore& store, MapPoint p) {
    EnsureBlockIndex(store);
    return m_blockIndex.Hit(store, p);
}

void CMapRenderer::DrawLayers(QPainter& painter, const MapStore& store, const MapTransform& t,
                              const LayerSwitches& layers, const MapOverlay& overlay) {
    DrawLayers(painter, store, t, layers, overlay, QRect(QPoint(0, 0), t.ClientSize()));
}

void CMapRenderer::DrawLayers(QPainter& painter, const MapStore& store, const MapTransform& t,
                              const LayerSwitches& layers, const MapOverlay& overlay,
                              const QRect& area) {
    EnsureBlockIndex(store);
    m_texts.NewFrame();
    const QRect client(QPoint(0, 0), t.ClientSize());
    const QRect part = area & client;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBackgroundMode(Qt::TransparentMode);
    CBlockRaster raster(painter);
    const RenderFrame f{
        t,          layers,         m_texts, t.VisibleRect(), part, MapRectOf(t, part),
        m_bCulling, part == client, &raster, m_bPlaceLabels};
    if (!f.area.isEmpty() || !f.cull)
        for (const auto& layer : m_layers)
            layer->Draw(painter, store, f);
    m_overlay.Draw(painter, store, f, overlay);
    painter.restore();

    if (overlay.visibleRectDrawn)
        overlay.visibleRectDrawn(f.visible);
}

QImage CMapRenderer::Render(const MapStore& store, const MapTransform& transform,
                            const LayerSwitches& layers, const MapOverlay& overlay) {
    const QSize size = transform.ClientSize();
    QImage image(std::max(size.width(), 1), std::max(size.height(), 1), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    DrawLayers(painter, store, transform, layers, overlay);
    painter.end();
    return image;
}

void CMapRenderer::DrawArea(QImage& frame, const MapStore& store, const MapTransform& t,
                            const LayerSwitches& layers, const QRect& area,
                            const MapOverlay& overlay) {
    const QRect r = area & frame.rect();
    if (r.isEmpty())
        return;
    if (frame.depth() != 32) {
        QPainter painter(&frame);
        painter.setClipRect(r);
        painter.fillRect(r, Qt::white);
        DrawLayers(painter, store, t, layers, overlay, r);
        return;
    }
    // A picture over the area's own pixels of the frame: drawing into it is
    // drawing into the frame, with the block raster working as on a whole one.
    uchar* bits = frame.bits() + static_cast<std::size_t>(r.y()) * frame.bytesPerLine() +
                  static_cast<std::size_t>(r.x()) * 4;
    QImage part(bits, r.width(), r.height(), frame.bytesPerLine(), frame.format());
    part.fill(Qt::white);
    QPainter painter(&part);
    painter.translate(-r.topLeft());
    DrawLayers(painter, store, t, layers, overlay, r);
}

bool CMapRenderer::CanPan(const MapTransform& from, const MapTransform& to) {
    return from.ClientSize() == to.ClientSize() && from.Scale() == to.Scale() &&
           from.Origin() != to.Origin();
}

QRegion CMapRenderer::PanFrame(QImage& frame, const MapStore& store, const MapTransform& from,
                               const MapTransform& to, const LayerSwitches& layers) {
    const QRect client(QPoint(0, 0), to.ClientSize());
    const QPoint d = to.Origin() - from.Origin();
    const int w = client.width(), h = client.height();
    if (!CanPan(from, to) || frame.size() != client.size() || frame.depth() != 32 ||
        std::abs(d.x()) >= w || std::abs(d.y()) >= h) {
        DrawArea(frame, store, to, layers, client);
        return QRegion(client);
    }
    ScrollPixels(frame, d);
    // One piece along each edge: the strip the move uncovered, and the pixels
    // of the items placed by a point that came into view or left it there
    // (such an item shows while its point is in view, its name reaching out of
    // it or not). Pieces may overlap; each is drawn afresh whole.
    enum { kLeft, kRight, kTop, kBottom };
    QRect edges[4];
    if (d.x() > 0)
        edges[kLeft] = QRect(0, 0, d.x(), h);
    else if (d.x() < 0)
        edges[kRight] = QRect(w + d.x(), 0, -d.x(), h);
    if (d.y() > 0)
        edges[kTop] = QRect(0, 0, w, d.y());
    else if (d.y() < 0)
        edges[kBottom] = QRect(0, h + d.y(), w, -d.y());
    const PanStep step{to, layers, m_texts, from.VisibleRect(), to.VisibleRect(), m_bPlaceLabels};
    std::vector<QRect> changes;
    for (const auto& layer : m_layers)
        layer->BeginPan(store, step, changes);
    for (const QRect& box : changes) {
        const QRect r = box & client;
        if (r.isEmpty())
            continue;
        const QPoint c = r.center();
        const int distances[4] = {c.x(), w - c.x(), c.y(), h - c.y()};
        const int nearest =
            static_cast<int>(std::min_element(distances, distances + 4) - distances);
        edges[nearest] |= r;
    }
    QRegion drawn;
    for (const QRect& r : edges) {
        if (r.isEmpty())
            continue;
        DrawArea(frame, store, to, layers, r);
        drawn += r;
    }
    for (const auto& layer : m_layers)
        layer->EndPan();
    return drawn;
}

QImage RenderMap(const MapStore& store, const MapTransform& transform, const LayerSwitches& layers,
                 const MapOverlay& overlay) {
    CMapRenderer renderer;
    return renderer.Render(store, transform, layers, overlay);
}
