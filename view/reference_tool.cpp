#include "reference_tool.h"

#include "map_store.h"
#include "map_tool_host.h"

#include <memory>

void CReferenceTool::AddPlace(MapPoint p, int zoom, const std::string& name) {
    MapStore& store = m_host.Store();
    m_host.Edit(QStringLiteral("Nueva referencia"), [&] {
        MapStore::AddHead(store.m_listReferences, std::make_unique<CmRefe>(p.x, p.y, zoom, name));
        return true;
    });
    m_host.Broadcast(UM_REFRESH_PAGES, PAGE_REFERENCES, 0);
}

QString CReferenceTool::Hint() const {
    return QStringLiteral("Izquierdo: marcar una referencia en el punto");
}
