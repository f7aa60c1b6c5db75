#include "info_tool.h"

#include "info_popup.h"
#include "map_store.h"
#include "map_tool_host.h"

#include <QCoreApplication>

void CInfoTool::LeftPress(QPoint pixel, Qt::KeyboardModifiers) {
    CmDirectorio& directory = m_host.Store().m_directory;
    if (!directory.HitBusiness(m_host.MapPointAt(pixel)))
        return;
    // The hit business is now highlighted on the map.
    m_host.Redraw();
    CInfoPopup& popup = m_host.InfoPopup();
    popup.SetTexts(QString::fromStdString(directory.GetBusinessName()),
                   QString::fromStdString(directory.GetBusinessPhone()),
                   QString::fromStdString(directory.GetBusinessComments()));
    if (!popup.isVisible())
        popup.show();
    popup.update();
}

QString CInfoTool::Hint() const {
    return QCoreApplication::translate("MapTool",
                                       "Izquierdo: ver los datos del comercio o servicio señalado");
}

QCursor CInfoTool::Cursor() const {
    return SvgCursor("info", 1, 1);
}
