#include "select_block_tool.h"

#include "map_renderer.h"
#include "map_store.h"
#include "map_tool_host.h"

#include <QCoreApplication>

void CSelectBlockTool::Deactivate() {
    // A band does not outlive its tool.
    m_bBand = false;
}

void CSelectBlockTool::LeftPress(QPoint pixel, Qt::KeyboardModifiers modifiers) {
    const MapPoint p = m_host.MapPointAt(pixel);
    if (modifiers & Qt::ControlModifier) {
        m_rcBand = MapRect{p.x, p.y, p.x, p.y};
        m_bBand = true;
    } else if (CmBlock* block = m_host.HitBlock(p)) {
        m_host.Store().SetBlockSelected(*block, true);
    }
    m_host.Redraw();
}

void CSelectBlockTool::Move(QPoint pixel) {
    if (!m_bBand)
        return;
    const MapPoint p = m_host.MapPointAt(pixel);
    m_rcBand.right = p.x;
    m_rcBand.bottom = p.y;
    m_host.Redraw();
}

void CSelectBlockTool::LeftRelease(QPoint) {
    if (!m_bBand)
        return;
    SelectBand();
    m_bBand = false;
    m_host.Redraw();
}

void CSelectBlockTool::SelectBand() {
    MapStore& store = m_host.Store();
    const MapRect band = m_rcBand.Normalized();
    for (auto it = store.m_blocks.rbegin(); it != store.m_blocks.rend(); ++it) {
        if (!it->m_bSelected && store.Shape(*it).AllPointsIn(band))
            store.SetBlockSelected(*it, true);
    }
}

void CSelectBlockTool::RightPress(QPoint pixel, Qt::KeyboardModifiers modifiers) {
    MapStore& store = m_host.Store();
    if (modifiers & Qt::ShiftModifier) {
        store.ClearSelection();
        m_host.Broadcast(UM_ZONE_UNSELECT, 0, 0);
        m_host.Redraw();
    } else if (CmBlock* block = m_host.HitBlock(m_host.MapPointAt(pixel))) {
        store.SetBlockSelected(*block, false);
        m_host.Redraw();
    }
}

void CSelectBlockTool::AddToOverlay(MapOverlay& overlay) const {
    if (m_bBand)
        overlay.band = m_rcBand;
}

QString CSelectBlockTool::Hint() const {
    return QCoreApplication::translate(
        "MapTool", "Izquierdo: seleccionar una manzana (Ctrl: arrastrar un rectángulo) | "
                   "Derecho: quitarla de la selección (Mayús: quitar todas)");
}

QCursor CSelectBlockTool::Cursor() const {
    return SvgCursor("paint", 8, 6);
}
