#include "route_tool.h"

#include "estacion_dialog.h"
#include "map_renderer.h"
#include "map_store.h"
#include "map_tool_host.h"
#include "ruta_color_dialog.h"

#include <QCoreApplication>
#include <memory>

void CRouteTool::LeftPress(QPoint pixel, Qt::KeyboardModifiers) {
    const MapPoint p = m_host.MapPointAt(pixel);
    if (m_bTracing)
        m_trace.AddPoint(p);
    else
        Begin(p);
    m_host.Redraw();
}

void CRouteTool::Begin(MapPoint p) {
    m_trace.m_bShow = true;
    m_trace.BeginRoute(p);
    m_bTracing = true;
}

void CRouteTool::Follow(QPoint pixel) {
    if (!m_bTracing)
        return;
    m_trace.SetLastPoint(m_host.MapPointAt(pixel));
    m_host.Redraw();
}

void CRouteTool::Cancel() {
    m_bTracing = false;
    m_trace.m_bShow = false;
}

void CRouteTool::AddStation(MapPoint p) {
    m_trace.AddPoint(p);
    CEstacionDlg station(m_host.DialogParent());
    if (station.exec() != QDialog::Accepted) {
        // The route in progress is abandoned.
        m_bTracing = false;
        m_host.Redraw();
        return;
    }
    if (!station.m_strName.isEmpty()) {
        m_trace.AddStation(p, station.m_strName.toStdString());
        m_host.TakeFocus();
    }
    if (station.m_bFinish) {
        CRutaColorDlg color(m_host.DialogParent());
        if (color.exec() == QDialog::Accepted) {
            m_trace.SetColor(color.m_crColor);
            m_trace.m_strName = color.m_strName.toStdString();
            m_bTracing = false;
            MapEdit edit(m_host.Store());
            edit.Insert(0, std::make_unique<CmVias>(m_trace, edit.Counters()));
            m_host.Edit(QCoreApplication::translate("MapTool", "Nueva ruta"), std::move(edit));
            m_host.ShowLayer(&LayerSwitches::m_bShowAllRoutes);
            m_trace.SetColor(Rgb(255, 0, 0));
        }
    }
    m_host.Redraw();
}

void CRouteTool::AddToOverlay(MapOverlay& overlay) const {
    if (m_bTracing)
        overlay.traceRoute = &m_trace;
}

QString CRouteTool::Hint() const {
    return QCoreApplication::translate(
        "MapTool", "Izquierdo: agregar un punto a la ruta | Derecho: insertar una estación "
                   "(una calle trazada pasa a ser el contorno de la ruta) | Esc: cancelar "
                   "el trazo");
}

QCursor CRouteTool::Cursor() const {
    return SvgCursor("stroke", 1, 1);
}
