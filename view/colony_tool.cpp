#include "colony_tool.h"

#include "map_store.h"
#include "map_tool_host.h"

#include <memory>

void CColonyTool::AddPlace(MapPoint p, int zoom, const std::string& name) {
    MapStore& store = m_host.Store();
    m_host.Edit(QStringLiteral("Nueva colonia"), [&] {
        MapStore::AddHead(store.m_listColonies, std::make_unique<CmColonias>(p.x, p.y, zoom, name));
        return true;
    });
    m_host.Broadcast(UM_REFRESH_PAGES, PAGE_COLONIES, 0);
}

QString CColonyTool::Hint() const {
    return QStringLiteral("Izquierdo: marcar una colonia en el punto");
}
