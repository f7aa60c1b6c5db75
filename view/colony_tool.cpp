#include "colony_tool.h"

#include "map_store.h"
#include "map_tool_host.h"

#include <QCoreApplication>
#include <memory>

void CColonyTool::AddPlace(MapPoint p, int zoom, const std::string& name) {
    MapEdit edit(m_host.Store());
    edit.Insert(0, std::make_unique<CmColonias>(p.x, p.y, zoom, name));
    m_host.Edit(QCoreApplication::translate("MapTool", "Nueva colonia"), std::move(edit));
}

QString CColonyTool::Hint() const {
    return QCoreApplication::translate("MapTool", "Izquierdo: marcar una colonia en el punto");
}
