#include "map_tool_manager.h"

#include "colony_tool.h"
#include "distance_tool.h"
#include "info_tool.h"
#include "map_tool_host.h"
#include "mark_tool.h"
#include "navigate_tool.h"
#include "paint_block_tool.h"
#include "reference_tool.h"
#include "route_tool.h"
#include "select_block_tool.h"
#include "tools.h"
#include "trace_street_tool.h"
#include "zoom_tool.h"

#include <QKeyEvent>

CMapToolManager::CMapToolManager(CMapToolHost& host) : m_host(host) {
    Add<CNavigateTool>(TOOL_NAVIGATE);
    Add<CReferenceTool>(TOOL_REFERENCE);
    Add<CInfoTool>(TOOL_INFO);
    m_pRoute = Add<CRouteTool>(TOOL_ROUTE);
    Add<CPaintBlockTool>(TOOL_PAINT_BLOCK);
    Add<CZoomTool>(TOOL_ZOOM);
    m_pStreet = Add<CTraceStreetTool>(TOOL_TRACE_STREET);
    Add<CSelectBlockTool>(TOOL_SELECT_BLOCK);
    Add<CMarkTool>(TOOL_MARK);
    Add<CColonyTool>(TOOL_COLONY);
    // The ruler measures with the route's trace.
    m_pRuler = Add<CDistanceTool>(TOOL_DISTANCE, *m_pRoute);
    SetTool(TOOL_NAVIGATE);
}

CMapToolManager::~CMapToolManager() = default;

CMapTool* CMapToolManager::Find(int value) const {
    const auto it = m_tools.find(value);
    return it == m_tools.end() ? nullptr : it->second.get();
}

void CMapToolManager::SetTool(int value) {
    m_nTool = value;
    CMapTool* next = Find(value);
    if (next == m_pCurrent)
        return;
    if (m_pCurrent)
        m_pCurrent->Deactivate();
    m_pCurrent = next;
    if (m_pCurrent)
        m_pCurrent->Activate();
}

void CMapToolManager::LeftPress(QPoint pixel, Qt::KeyboardModifiers modifiers) {
    if (m_pCurrent)
        m_pCurrent->LeftPress(pixel, modifiers);
}

void CMapToolManager::RightPress(QPoint pixel, Qt::KeyboardModifiers modifiers) {
    const MapPoint p = m_host.MapPointAt(pixel);
    // One click can end a trace and also act for the current tool. A street
    // ended under the route tool becomes the route's outline; a ruler left
    // running under another tool is handled as a route.
    if (m_pStreet->Tracing())
        m_pStreet->End(p, m_pCurrent == m_pRoute);
    if (m_pRoute->Tracing() && m_pCurrent != m_pRuler)
        m_pRoute->AddStation(p);
    if (m_pCurrent)
        m_pCurrent->RightPress(pixel, modifiers);
}

void CMapToolManager::Move(QPoint pixel) {
    // The tool's own drag first: a pan moves the map under the traces' moving points.
    if (m_pCurrent)
        m_pCurrent->Move(pixel);
    m_pStreet->Follow(pixel);
    m_pRoute->Follow(pixel);
    if (m_pCurrent == m_pRuler)
        m_pRuler->Measure();
}

void CMapToolManager::LeftRelease(QPoint pixel) {
    if (m_pCurrent)
        m_pCurrent->LeftRelease(pixel);
}

void CMapToolManager::DoubleClick(QPoint pixel) {
    if (m_pCurrent)
        m_pCurrent->DoubleClick(pixel);
}

bool CMapToolManager::KeyPress(QKeyEvent& event) {
    if (event.key() == Qt::Key_Escape && (m_pStreet->Tracing() || m_pRoute->Tracing())) {
        CancelTraces();
        return true;
    }
    return m_pCurrent && m_pCurrent->KeyPress(event);
}

void CMapToolManager::CancelTraces() {
    m_pStreet->Cancel();
    m_pRoute->Cancel();
    m_host.Redraw();
}

void CMapToolManager::AddToOverlay(MapOverlay& overlay) const {
    for (const auto& [value, tool] : m_tools)
        tool->AddToOverlay(overlay);
}

void CMapToolManager::PaintOver(QPainter& painter) const {
    if (m_pCurrent)
        m_pCurrent->PaintOver(painter);
}
