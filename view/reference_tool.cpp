#include "reference_tool.h"

#include "map_store.h"
#include "map_tool_host.h"

#include <QCoreApplication>
#include <memory>

void CReferenceTool::AddPlace(MapPoint p, int zoom, const std::string& name) {
    MapEdit edit(m_host.Store());
    edit.Insert(0, std::make_unique<CmRefe>(p.x, p.y, zoom, name));
    m_host.Edit(QCoreApplication::translate("MapTool", "Nueva referencia"), std::move(edit));
}

QString CReferenceTool::Hint() const {
    return QCoreApplication::translate("MapTool", "Izquierdo: marcar una referencia en el punto");
}
