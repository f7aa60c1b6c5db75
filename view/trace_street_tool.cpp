#include "trace_street_tool.h"

#include "map_renderer.h"
#include "map_store.h"
#include "map_tool_host.h"
#include "name_dialog.h"

#include <QCoreApplication>
#include <memory>

void CTraceStreetTool::LeftPress(QPoint pixel, Qt::KeyboardModifiers) {
    const MapPoint p = m_host.MapPointAt(pixel);
    if (m_bTracing) {
        m_trace.AddPoint(p);
    } else {
        m_trace.m_bShow = true;
        m_trace.BeginTrace(p);
        m_bTracing = true;
    }
    m_host.Redraw();
}

void CTraceStreetTool::Follow(QPoint pixel) {
    if (!m_bTracing)
        return;
    m_trace.SetLastPoint(m_host.MapPointAt(pixel));
    m_host.Redraw();
}

void CTraceStreetTool::End(MapPoint p, bool routeOutline) {
    m_bTracing = false;
    m_trace.AddPoint(p);
    MapStore& store = m_host.Store();
    CNombreDlg dlg(routeOutline ? CNombreDlg::Kind::NewRoute : CNombreDlg::Kind::Name,
                   m_host.DialogParent());
    if (dlg.exec() == QDialog::Accepted) {
        m_trace.m_strName = dlg.m_strName.toStdString();
        if (routeOutline) {
            CmCalles outline = store.m_routeOutline;
            outline.CopyFrom(m_trace);
            outline.m_bShow = true;
            MapEdit edit(store);
            edit.SetRouteOutline(outline);
            m_host.Edit(QCoreApplication::translate("MapTool", "Contorno de ruta"),
                        std::move(edit));
        } else {
            const float zoom = m_host.Scale();
            auto street = std::make_unique<CmCalles>();
            street->CopyFrom(m_trace);
            street->m_fZoom = zoom;
            MapEdit edit(store);
            edit.Insert(0, std::move(street));
            m_host.Edit(QCoreApplication::translate("MapTool", "Nueva calle"), std::move(edit));
            // What was just made stays in sight, as a new business does.
            m_host.ShowLayer(&LayerSwitches::m_bShowTracedStreets);
        }
    }
    m_host.Redraw();
}

void CTraceStreetTool::Cancel() {
    m_bTracing = false;
}

void CTraceStreetTool::AddToOverlay(MapOverlay& overlay) const {
    if (m_bTracing)
        overlay.traceStreet = &m_trace;
}

QString CTraceStreetTool::Hint() const {
    return QCoreApplication::translate(
        "MapTool", "Izquierdo: agregar un punto a la calle | Derecho: terminar y nombrar "
                   "la calle | Esc: cancelar el trazo");
}

QCursor CTraceStreetTool::Cursor() const {
    return SvgCursor("stroke", 1, 1);
}
