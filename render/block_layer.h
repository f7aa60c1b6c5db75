#pragma once

// The bottom layer: every block's outline in light grey and its fill, in its
// type's colour (blocks of type 1 only with "Rellenar manzanas"), light red
// while selected. The blocks come from an index, so a frame walks only those
// whose box meets its pixels.

#include "block_index.h"
#include "map_layer.h"

#include <QPoint>
#include <cstdint>
#include <vector>

class CBlockLayer : public CMapLayer {
public:
    void Draw(QPainter& painter, const MapStore& store, const RenderFrame& frame) override;

    // Rebuilds the index; for a newly loaded map.
    void Index(const MapStore& store) { m_index.Build(store); }
    // Builds the index when it was not built over the store's blocks as they are.
    void EnsureIndex(const MapStore& store);
    // Position of the topmost block whose region holds `p`, or -1.
    std::int64_t Hit(const MapStore& store, MapPoint p);

private:
    CBlockIndex m_index;
    std::vector<std::uint32_t> m_visible;
    std::vector<QPoint> m_pixels;
};
