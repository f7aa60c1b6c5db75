#pragma once

// Traces a route: left clicks fix points, right clicks insert stations, and the
// last station's "Finalizar ruta" names, colours and stores the route. The
// trace outlives a change of tool, and the ruler measures with it too, so a
// ruler left running is continued as a route.

#include "map_tool.h"
#include "tools.h"

#include "records.h"

class CRouteTool : public CMapTool {
public:
    static constexpr MapToolEntry kEntry{
        .value = TOOL_ROUTE,
        .command = ID_TOOL_ROUTE,
        .text = QT_TRANSLATE_NOOP("MapTool", "&Trazar ruta"),
        .prompt = QT_TRANSLATE_NOOP("MapTool", "Permite trazar una ruta en el mapa"),
        .tip = QT_TRANSLATE_NOOP("MapTool", "Rutas"),
        .icon = ":/shell/icons/route.svg",
        .menu = ToolMenu::Tools,
        .menuRank = 60,
        .bar = ToolBarGroup::Map,
        .barRank = 40};

    using CMapTool::CMapTool;

    void LeftPress(QPoint pixel, Qt::KeyboardModifiers modifiers) override;
    QString Hint() const override;
    QCursor Cursor() const override;
    void AddToOverlay(MapOverlay& overlay) const override;

    bool Tracing() const { return m_bTracing; }
    const CmVias& Trace() const { return m_trace; }
    // A new trace of two points at `p`, shown.
    void Begin(MapPoint p);
    // The moving point goes under the mouse.
    void Follow(QPoint pixel);
    // A point at `p` and the station dialog: a named station there, the route
    // stored when it is finished, or the trace dropped when it is cancelled.
    void AddStation(MapPoint p);
    // Drops the trace and hides it (Esc, the ruler's second click).
    void Cancel();

private:
    CmVias m_trace{Rgb(255, 0, 0)};
    bool m_bTracing = false;
};
