#pragma once

// The businesses of the current category with "Mostrar marcas": a sign with
// the name beside it, each while its point is in view, on top of every other
// layer. A business on either axis has no place and is never drawn.

#include "map_layer.h"
#include "pan_items.h"

class CmNegocios;

class CBusinessLayer : public CMapLayer {
public:
    void Draw(QPainter& painter, const MapStore& store, const RenderFrame& frame) override;
    void BeginPan(const MapStore& store, const PanStep& step, std::vector<QRect>& changes) override;
    void EndPan() override { m_businesses.End(); }

private:
    CPanItems<CmNegocios> m_businesses;
};
