#pragma once

// The street names, each turned to its street, above the places: only closer
// than scale 10 and with "Mostrar nombres de las calles", where a view holds a
// few of a town's many. The labels come from an index of their anchors.

#include "map_layer.h"
#include "point_index.h"

#include <cstdint>
#include <vector>

class CmStname;

class CLabelLayer : public CMapLayer {
public:
    void Draw(QPainter& painter, const MapStore& store, const RenderFrame& frame) override;
    void BeginPan(const MapStore& store, const PanStep& step, std::vector<QRect>& changes) override;

private:
    static bool Shows(const MapStore& store, const LayerSwitches& layers, const MapTransform& t);
    void EnsureIndex(const std::vector<CmStname>& labels);

    CPointIndex m_index;
    std::vector<std::uint32_t> m_visible;
};
