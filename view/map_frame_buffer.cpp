#include "map_frame_buffer.h"

#include <QPainter>

CMapFrameBuffer::CMapFrameBuffer(CMapRenderer& renderer, const MapStore& store)
    : m_renderer(renderer), m_store(store) {}

bool CMapFrameBuffer::Shows(const MapTransform& transform, const LayerSwitches& layers,
                            const MapOverlay& overlay) const {
    return m_bValid && m_image.size() == transform.ClientSize() && m_transform == transform &&
           m_layers == layers && overlay.IsEmpty();
}

const QImage& CMapFrameBuffer::Frame(const MapTransform& transform, const LayerSwitches& layers,
                                     const MapOverlay& overlay, bool drawMap, bool wholeWindow) {
    if (!wholeWindow && Shows(transform, layers, overlay))
        return m_image;
    const QSize client = transform.ClientSize();
    if (m_image.size() != client)
        m_image = QImage(client, QImage::Format_RGB32);
    m_image.fill(Qt::white);
    if (drawMap) {
        QPainter painter(&m_image);
        m_renderer.DrawLayers(painter, m_store, transform, layers, overlay);
    }
    m_bValid = drawMap && overlay.IsEmpty();
    m_transform = transform;
    m_layers = layers;
    return m_image;
}

std::optional<QRegion> CMapFrameBuffer::Pan(const MapTransform& from, const MapTransform& to,
                                            const LayerSwitches& layers,
                                            const MapOverlay& overlay) {
    if (!Shows(from, layers, overlay) || m_image.size() != to.ClientSize() ||
        !CMapRenderer::CanPan(from, to))
        return std::nullopt;
    const QRegion drawn = m_renderer.PanFrame(m_image, m_store, from, to, layers);
    m_transform = to;
    return drawn;
}
