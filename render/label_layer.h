#pragma once

// The street names, each turned to its street, above the places: only closer
// than scale 10 and with "Mostrar nombres de las calles", where a view holds a
// few of a town's many. The labels come from an index of their anchors.

#include "map_layer.h"
#include "point_index.h"
#include "text_layouts.h"

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
    // How many labels carry each label's name, counted once per set of labels.
    const std::vector<int>& Weights(const std::vector<CmStname>& labels);
    // Of the labels in view, those left once names that would cover more
    // important ones are taken out.
    std::vector<std::uint32_t> Placed(const std::vector<CmStname>& labels, const RenderFrame& f,
                                      const TextStyle& font);

    CPointIndex m_index;
    std::vector<std::uint32_t> m_visible;
    std::vector<int> m_weights;
    const CmStname* m_pWeighed = nullptr;
    std::size_t m_nWeighed = 0;
};
