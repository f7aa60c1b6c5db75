// The map window's editing tools: what each mouse button does with the tool
// that is current, the two traces in progress, the block selection and the
// dialogs that name what a tool adds. Every change of the map is one undo step.

#include "map_window.h"

#include "estacion_dialog.h"
#include "info_popup.h"
#include "map_store.h"
#include "marca_dialog.h"
#include "messages.h"
#include "name_dialog.h"
#include "nueva_ruta_dialog.h"
#include "ruta_color_dialog.h"
#include "tools.h"

#include <memory>

namespace {

constexpr float kZoomToolStep = 4.0f;

std::string ToStd(const QString& text) {
    return text.toStdString();
}

} // namespace

QString CMapaWnd::ToolHint(int tool) {
    switch (tool) {
    case TOOL_NAVIGATE:
        return QStringLiteral("Izquierdo: arrastrar el mapa | Derecho: llevar el origen del mapa "
                              "al centro");
    case TOOL_REFERENCE:
        return QStringLiteral("Izquierdo: marcar una referencia en el punto");
    case TOOL_COLONY:
        return QStringLiteral("Izquierdo: marcar una colonia en el punto");
    case TOOL_MARK:
        return QStringLiteral("Izquierdo: marcar un comercio o servicio de la categoría actual");
    case TOOL_INFO:
        return QStringLiteral("Izquierdo: ver los datos del comercio o servicio señalado");
    case TOOL_ROUTE:
        return QStringLiteral("Izquierdo: agregar un punto a la ruta | Derecho: insertar una "
                              "estación (una calle trazada pasa a ser el contorno de la ruta) | "
                              "Esc: cancelar el trazo");
    case TOOL_DISTANCE:
        return QStringLiteral("Izquierdo: empezar o terminar la medición | Esc: cancelar");
    case TOOL_TRACE_STREET:
        return QStringLiteral("Izquierdo: agregar un punto a la calle | Derecho: terminar y "
                              "nombrar la calle | Esc: cancelar el trazo");
    case TOOL_PAINT_BLOCK:
        return QStringLiteral("Izquierdo: pintar la manzana como zona verde | Derecho: devolverla "
                              "al tipo normal");
    case TOOL_SELECT_BLOCK:
        return QStringLiteral("Izquierdo: seleccionar una manzana (Ctrl: arrastrar un rectángulo) "
                              "| Derecho: quitarla de la selección (Mayús: quitar todas)");
    case TOOL_ZOOM:
        return QStringLiteral("Izquierdo: acercar | Derecho: alejar");
    default:
        return QString();
    }
}

void CMapaWnd::SetHistory(CEditHistory* history) {
    if (m_pHistory)
        disconnect(m_pHistory, nullptr, this, nullptr);
    m_pHistory = history;
    // An undo or a redo may change what the map shows: block types, new records.
    if (history)
        connect(history, &CEditHistory::ContentRestored, this, [this] { update(); });
}

void CMapaWnd::Edit(const QString& text, const std::function<bool()>& change) {
    if (m_pHistory) {
        m_pHistory->Record(text, [&change] { change(); });
        return;
    }
    if (change())
        m_store.MarkChanged();
}

void CMapaWnd::CancelTraces() {
    m_bTracingStreet = false;
    m_bTracingRoute = false;
    m_traceRoute.m_bShow = false;
    update();
}

void CMapaWnd::ToolLeftDown(QPoint point, Qt::KeyboardModifiers modifiers) {
    if (!m_bViewSet)
        return;
    switch (m_nTool) {
    case TOOL_NAVIGATE:
        m_ptLastMouse = point;
        m_bDragging = true;
        m_bBand = false;
        setCursor(PanCursor());
        break;
    case TOOL_REFERENCE:
        AddPlace(point, false);
        break;
    case TOOL_COLONY:
        AddPlace(point, true);
        break;
    case TOOL_MARK:
        AddBusiness(point);
        break;
    case TOOL_INFO:
        ShowBusinessInfo(point);
        break;
    case TOOL_ROUTE: {
        const MapPoint p = MapPointAt(point);
        if (m_bTracingRoute) {
            m_traceRoute.AddPoint(p);
        } else {
            m_traceRoute.m_bShow = true;
            m_traceRoute.BeginRoute(p);
            m_bTracingRoute = true;
        }
        update();
        break;
    }
    case TOOL_DISTANCE: {
        const MapPoint p = MapPointAt(point);
        if (m_bTracingRoute) {
            m_traceRoute.m_bShow = false;
            m_bTracingRoute = false;
        } else {
            m_traceRoute.m_bShow = true;
            m_traceRoute.BeginRoute(p);
            m_bTracingRoute = true;
        }
        update();
        break;
    }
    case TOOL_TRACE_STREET: {
        const MapPoint p = MapPointAt(point);
        if (m_bTracingStreet) {
            m_traceStreet.AddPoint(p);
        } else {
            m_traceStreet.m_bShow = true;
            m_traceStreet.BeginTrace(p);
            m_bTracingStreet = true;
        }
        update();
        break;
    }
    case TOOL_PAINT_BLOCK:
        if (CmBlock* block = HitBlock(MapPointAt(point))) {
            Edit(QStringLiteral("Pintar manzana"), [block] {
                const CmBlock before = *block;
                block->SetType(2);
                return block->m_nType != before.m_nType || block->m_crFill != before.m_crFill;
            });
        }
        update();
        break;
    case TOOL_SELECT_BLOCK: {
        const MapPoint p = MapPointAt(point);
        if (modifiers & Qt::ControlModifier) {
            m_rcBand = MapRect{p.x, p.y, p.x, p.y};
            m_bBand = true;
            m_bDragging = true;
        } else if (CmBlock* block = HitBlock(p)) {
            m_store.SetBlockSelected(*block, true);
        }
        update();
        break;
    }
    case TOOL_ZOOM:
        ZoomStep(point, kZoomToolStep);
        break;
    default:
        break;
    }
}

void CMapaWnd::ToolMove(QPoint point) {
    if (m_bDragging) {
        if (m_bBand) {
            const MapPoint p = MapPointAt(point);
            m_rcBand.right = p.x;
            m_rcBand.bottom = p.y;
        } else {
            m_ptOrigin += point - m_ptLastMouse;
            m_ptLastMouse = point;
        }
        update();
    }
    if (m_bTracingStreet) {
        m_traceStreet.SetLastPoint(MapPointAt(point));
        update();
    }
    if (m_bTracingRoute) {
        m_traceRoute.SetLastPoint(MapPointAt(point));
        if (m_nTool == TOOL_DISTANCE)
            m_fRulerLength = static_cast<float>(m_traceRoute.Distance(0, 1));
        update();
    }
}

void CMapaWnd::ToolLeftUp() {
    if (!m_bDragging)
        return;
    m_bDragging = false;
    if (m_bBand) {
        ApplyBand();
        m_bBand = false;
        update();
    } else {
        setCursor(ToolCursor(m_nTool));
    }
}

void CMapaWnd::ApplyBand() {
    const MapRect band = m_rcBand.Normalized();
    for (auto it = m_store.m_blocks.rbegin(); it != m_store.m_blocks.rend(); ++it) {
        if (!it->m_bSelected && it->AllPointsIn(band))
            m_store.SetBlockSelected(*it, true);
    }
}

void CMapaWnd::ToolRightDown(QPoint point, Qt::KeyboardModifiers modifiers) {
    if (!m_bViewSet)
        return;
    const MapPoint p = MapPointAt(point);
    // One click can end a trace and also act for the current tool.
    if (m_bTracingStreet)
        EndStreetTrace(p);
    if (m_bTracingRoute && m_nTool != TOOL_DISTANCE)
        AddRouteStation(p);
    switch (m_nTool) {
    case TOOL_NAVIGATE:
        m_ptOrigin = QPoint(width() / 2, height() / 2);
        update();
        break;
    case TOOL_PAINT_BLOCK:
        if (CmBlock* block = HitBlock(p)) {
            Edit(QStringLiteral("Pintar manzana"), [block] {
                const CmBlock before = *block;
                block->SetType(1);
                return block->m_nType != before.m_nType || block->m_crFill != before.m_crFill;
            });
        }
        update();
        break;
    case TOOL_SELECT_BLOCK:
        if (modifiers & Qt::ShiftModifier) {
            m_store.ClearSelection();
            Broadcast(UM_ZONE_UNSELECT, 0, 0);
            update();
        } else if (CmBlock* block = HitBlock(p)) {
            m_store.SetBlockSelected(*block, false);
            update();
        }
        break;
    case TOOL_ZOOM:
        ZoomStep(point, -kZoomToolStep);
        break;
    default:
        break;
    }
}

void CMapaWnd::AddPlace(QPoint point, bool colony) {
    CNombreDlg dlg(this);
    if (dlg.exec() != QDialog::Accepted)
        return;
    const MapPoint p = MapPointAt(point);
    const int zoom = TruncToInt(m_fScale);
    const std::string name = ToStd(dlg.m_strName);
    if (colony) {
        Edit(QStringLiteral("Nueva colonia"), [&] {
            MapStore::AddHead(m_store.m_listColonies,
                              std::make_unique<CmColonias>(p.x, p.y, zoom, name));
            return true;
        });
        Broadcast(UM_REFRESH_PAGES, PAGE_COLONIES, 0);
    } else {
        Edit(QStringLiteral("Nueva referencia"), [&] {
            MapStore::AddHead(m_store.m_listReferences,
                              std::make_unique<CmRefe>(p.x, p.y, zoom, name));
            return true;
        });
        Broadcast(UM_REFRESH_PAGES, PAGE_REFERENCES, 0);
    }
    update();
}

void CMapaWnd::AddBusiness(QPoint point) {
    CMarcaDlg dlg(this);
    if (dlg.exec() != QDialog::Accepted)
        return;
    const MapPoint p = MapPointAt(point);
    // Without a current category the directory keeps nothing, and there is no step.
    Edit(QStringLiteral("Nuevo comercio"), [&] {
        return m_store.m_directory.AddBusiness(p.x, p.y, TruncToInt(m_fScale),
                                               ToStd(dlg.m_strNombre), ToStd(dlg.m_strDomicilio),
                                               ToStd(dlg.m_strTelefono),
                                               m_store.m_counters) != nullptr;
    });
    Broadcast(UM_REFRESH_PAGES, PAGE_BUSINESSES, 0);
    m_layers.m_bShowMarks = true;
    update();
}

void CMapaWnd::ShowBusinessInfo(QPoint point) {
    CmDirectorio& directory = m_store.m_directory;
    if (!directory.HitBusiness(MapPointAt(point)))
        return;
    update();
    auto* popup = qobject_cast<CInfoPopup*>(m_pInfoWnd.data());
    if (!popup) {
        popup = new CInfoPopup(this, this, *m_pRcInfoPopup);
        m_pInfoWnd = popup;
    }
    popup->SetTexts(QString::fromStdString(directory.GetBusinessName()),
                    QString::fromStdString(directory.GetBusinessPhone()),
                    QString::fromStdString(directory.GetBusinessComments()));
    if (!popup->isVisible())
        popup->show();
    popup->update();
}

void CMapaWnd::EndStreetTrace(MapPoint p) {
    m_bTracingStreet = false;
    m_traceStreet.AddPoint(p);
    if (m_nTool == TOOL_ROUTE) {
        CNuevaRutaDlg dlg(this);
        if (dlg.exec() == QDialog::Accepted) {
            m_traceStreet.m_strName = ToStd(dlg.m_strName);
            Edit(QStringLiteral("Contorno de ruta"), [this] {
                m_store.m_routeOutline.CopyFrom(m_traceStreet);
                m_store.m_routeOutline.m_bShow = true;
                return true;
            });
        }
    } else {
        CNombreDlg dlg(this);
        if (dlg.exec() == QDialog::Accepted) {
            m_traceStreet.m_strName = ToStd(dlg.m_strName);
            Edit(QStringLiteral("Nueva calle"), [this] {
                CmCalles& street =
                    MapStore::AddHead(m_store.m_listStreets, std::make_unique<CmCalles>());
                street.CopyFrom(m_traceStreet);
                street.m_fZoom = m_fScale;
                return true;
            });
            Broadcast(UM_REFRESH_PAGES, PAGE_STREETS, 0);
        }
    }
    update();
}

void CMapaWnd::AddRouteStation(MapPoint p) {
    m_traceRoute.AddPoint(p);
    CEstacionDlg station(this);
    if (station.exec() != QDialog::Accepted) {
        // The route in progress is abandoned.
        m_bTracingRoute = false;
        update();
        return;
    }
    if (!station.m_strName.isEmpty()) {
        m_traceRoute.AddStation(p, ToStd(station.m_strName));
        setFocus(Qt::OtherFocusReason);
    }
    if (station.m_bFinish) {
        CRutaColorDlg color(this);
        if (color.exec() == QDialog::Accepted) {
            m_traceRoute.SetColor(color.m_crColor);
            m_traceRoute.m_strName = ToStd(color.m_strName);
            m_bTracingRoute = false;
            Edit(QStringLiteral("Nueva ruta"), [this] {
                MapStore::AddHead(m_store.m_listRoutes,
                                  std::make_unique<CmVias>(m_traceRoute, m_store.m_counters));
                return true;
            });
            Broadcast(UM_REFRESH_PAGES, PAGE_ROUTES, 0);
            m_traceRoute.SetColor(Rgb(255, 0, 0));
        }
    }
    update();
}
