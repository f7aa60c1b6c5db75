#pragma once

// References (a pin with the name beside it) and colonies (their name alone),
// each shown while its point is in view, above the blocks and below the
// street names. Highlighted ones, as the list pages locate them, stand out.

#include "map_layer.h"
#include "pan_items.h"

class CmColonias;
class CmRefe;

class CPlaceLayer : public CMapLayer {
public:
    void Draw(QPainter& painter, const MapStore& store, const RenderFrame& frame) override;
    void BeginPan(const MapStore& store, const PanStep& step, std::vector<QRect>& changes) override;
    void EndPan() override;

private:
    void DrawReferences(QPainter& painter, const MapStore& store, const RenderFrame& frame);
    void DrawColonies(QPainter& painter, const MapStore& store, const RenderFrame& frame);

    CPanItems<CmRefe> m_references;
    CPanItems<CmColonias> m_colonies;
};
