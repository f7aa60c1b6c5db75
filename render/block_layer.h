#pragma once

// The bottom layer: every block's outline in light grey and its fill, in its
// type's colour (blocks of type 1 only with "Rellenar manzanas"), light red
// while selected. The blocks come from an index, so a frame walks only those
// whose box meets its pixels; the renderer keeps the index.

#include "block_index.h"
#include "map_layer.h"

#include <QPoint>
#include <cstdint>
#include <vector>

class CBlockLayer : public CMapLayer {
public:
    explicit CBlockLayer(const CBlockIndex& index) : m_index(index) {}

    void Draw(QPainter& painter, const MapStore& store, const RenderFrame& frame) override;

private:
    const CBlockIndex& m_index;
    std::vector<std::uint32_t> m_visible;
    std::vector<QPoint> m_pixels;
};
