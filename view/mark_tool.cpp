#include "mark_tool.h"

#include "map_renderer.h"
#include "map_store.h"
#include "map_tool_host.h"
#include "marca_dialog.h"

#include <QCoreApplication>

void CMarkTool::LeftPress(QPoint pixel, Qt::KeyboardModifiers) {
    CMarcaDlg dlg(m_host.DialogParent());
    if (dlg.exec() != QDialog::Accepted)
        return;
    const MapPoint p = m_host.MapPointAt(pixel);
    const int zoom = TruncToInt(m_host.Scale());
    const CmDirectorio& directory = m_host.Store().m_directory;
    // Without a current category the directory keeps nothing, and there is no step.
    const std::ptrdiff_t category = directory.CurrentCategoryIndex();
    if (category >= 0) {
        MapEdit edit(m_host.Store());
        edit.InsertBusiness(
            static_cast<std::size_t>(category), 0,
            std::make_unique<CmNegocios>(p.x, p.y, zoom, dlg.m_strNombre.toStdString(),
                                         dlg.m_strDomicilio.toStdString(),
                                         dlg.m_strTelefono.toStdString(), edit.Counters()));
        m_host.Edit(QCoreApplication::translate("MapTool", "Nuevo comercio"), std::move(edit));
    } else {
        // Nothing is added, but the page is refilled as after every mark.
        m_host.Broadcast(UM_REFRESH_PAGES, PAGE_BUSINESSES, REFRESH_BUSINESSES);
    }
    m_host.ShowLayer(&LayerSwitches::m_bShowMarks);
    m_host.Redraw();
}

QString CMarkTool::Hint() const {
    return QCoreApplication::translate(
        "MapTool", "Izquierdo: marcar un comercio o servicio de la categoría actual");
}

QCursor CMarkTool::Cursor() const {
    return SvgCursor("pencil", 1, 30);
}
