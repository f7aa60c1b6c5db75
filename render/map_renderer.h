#pragma once

// Draws a whole map, layer after layer, into a QPainter in client pixels. The
// map window paints through it, and so do printing, the command-line tool and
// the tests, so every picture of a map comes from the same code.
//
// The layers, bottom first, as the layer table (map_layers.h) stacks them:
// blocks, places (references and colonies), street names, traced streets and
// routes, businesses; then, over them, what the user is working on. Only what
// can reach the pixels being drawn is drawn: blocks come from an index, labels
// from another, and every other item is skipped when its box on the screen
// (icon, name, line width included) misses them. A pan moves the last picture
// and draws only what it uncovers.

#include "block_index.h"
#include "layer_switches.h"
#include "map_layer.h"
#include "map_painting.h"
#include "map_transform.h"
#include "overlay_layer.h"
#include "text_layouts.h"

#include <QImage>
#include <QRect>
#include <QRegion>
#include <cstdint>
#include <memory>
#include <vector>

class MapStore;
class QPainter;

class CMapRenderer {
public:
    // Makes the layers of the layer table, each once, bottom first.
    CMapRenderer();

    // Draws every layer into `painter`, whose device is already cleared. Builds
    // the block index the first time it meets a block list.
    void DrawLayers(QPainter& painter, const MapStore& store, const MapTransform& transform,
                    const LayerSwitches& layers, const MapOverlay& overlay = {});
    // The same, for the pixels of `area` (client pixels of `transform`) only:
    // whatever cannot reach them is not drawn. The device is cleared there.
    void DrawLayers(QPainter& painter, const MapStore& store, const MapTransform& transform,
                    const LayerSwitches& layers, const MapOverlay& overlay, const QRect& area);
    // A white picture of the transform's client size with every layer drawn.
    QImage Render(const MapStore& store, const MapTransform& transform, const LayerSwitches& layers,
                  const MapOverlay& overlay = {});
    // Draws `area` of `frame` (a picture of the transform's client size) afresh:
    // white, then every layer, exactly as a whole frame has those pixels.
    void DrawArea(QImage& frame, const MapStore& store, const MapTransform& transform,
                  const LayerSwitches& layers, const QRect& area, const MapOverlay& overlay = {});

    // True when a frame drawn at `from` can be panned to `to`: the same client
    // size and scale, another origin.
    static bool CanPan(const MapTransform& from, const MapTransform& to);
    // Turns `frame`, drawn at `from` without an overlay, into the frame at `to`
    // (CanPan): the pixels move, and only what they uncover and what starts or
    // stops showing at the edges is drawn. Gives back the pixels drawn.
    QRegion PanFrame(QImage& frame, const MapStore& store, const MapTransform& from,
                     const MapTransform& to, const LayerSwitches& layers);

    // Position of the topmost block whose region holds `p`, or -1.
    std::int64_t HitBlock(const MapStore& store, MapPoint p);
    // Rebuilds the block index; call it when a new map was loaded.
    void IndexBlocks(const MapStore& store) { m_blockIndex.Build(store); }

    // Off, every item is drawn wherever it is and only the painter clips: for
    // checking that culling changes no pixel.
    void SetCulling(bool on) { m_bCulling = on; }
    // Leaves out the street names that would cover more important ones.
    void SetLabelPlacement(bool on) { m_bPlaceLabels = on; }
    bool LabelPlacement() const { return m_bPlaceLabels; }

private:
    // Builds the block index when it was not built over the store's blocks as they are.
    void EnsureBlockIndex(const MapStore& store);

    CTextLayouts m_texts;
    CBlockIndex m_blockIndex;
    // The map's layers, bottom first.
    std::vector<std::unique_ptr<CMapLayer>> m_layers;
    COverlayLayer m_overlay;
    bool m_bCulling = true;
    bool m_bPlaceLabels = false;
};

// One frame of a map without any window: the same drawing as the window's.
QImage RenderMap(const MapStore& store, const MapTransform& transform, const LayerSwitches& layers,
                 const MapOverlay& overlay = {});
