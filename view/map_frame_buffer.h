#pragma once

// The map window's kept picture: the last frame its layers were drawn into,
// and the view and layers that frame shows. A repaint of part of the window
// (uncovered by another window, or what a pan step drew) shows it again
// without drawing; a pan step moves its pixels and draws only what they
// uncover. A frame with a trace or a band in it is never kept.

#include "map_renderer.h"
#include "map_transform.h"

#include <QImage>
#include <QRegion>

#include <optional>

class MapStore;

class CMapFrameBuffer {
public:
    // Draws with `renderer` what `store` holds; both outlive the buffer.
    CMapFrameBuffer(CMapRenderer& renderer, const MapStore& store);

    // The frame for a paint at `transform`: the kept one when it shows this
    // view and `wholeWindow` is false, else one drawn afresh (plain white
    // unless `drawMap`). Whoever changes what the map shows repaints the
    // whole window.
    const QImage& Frame(const MapTransform& transform, const LayerSwitches& layers,
                        const MapOverlay& overlay, bool drawMap, bool wholeWindow);
    // Moves the kept frame from the view `from` to `to` and draws what that
    // uncovers; the client pixels drawn anew. Nothing when the kept frame
    // cannot follow (it shows another view, or `to` is too far), and then the
    // window must be drawn whole.
    std::optional<QRegion> Pan(const MapTransform& from, const MapTransform& to,
                               const LayerSwitches& layers, const MapOverlay& overlay);
    // The picture last drawn or moved.
    const QImage& Image() const { return m_image; }

private:
    bool Shows(const MapTransform& transform, const LayerSwitches& layers,
               const MapOverlay& overlay) const;

    CMapRenderer& m_renderer;
    const MapStore& m_store;
    QImage m_image;
    // Only a frame of the layers alone, at m_transform, can be shown again or moved.
    bool m_bValid = false;
    MapTransform m_transform;
    LayerSwitches m_layers;
};
