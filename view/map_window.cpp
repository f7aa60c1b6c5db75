#include "map_window.h"

#include "map_store.h"

CMapaWnd::CMapaWnd(MapStore& store, QWidget* parent) : QWidget(parent), m_store(store) {}

CMapaWnd::~CMapaWnd() = default;

void CMapaWnd::SetTool(int tool) {
    m_nTool = tool;
}

void CMapaWnd::OnMapLoaded() {
    m_fScale = 3.0f;
    m_ptOrigin = QPoint(width() / 2, height() / 2);
    update();
}
