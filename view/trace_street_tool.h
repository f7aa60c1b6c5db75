#pragma once

// Traces a street: each left click fixes a point and the last point follows
// the mouse. The trace outlives a change of tool; the next right click ends it
// under whatever tool is current (the tool manager sees to that).

#include "map_tool.h"
#include "tools.h"

#include "records.h"

class CTraceStreetTool : public CMapTool {
public:
    static constexpr MapToolEntry kEntry{.value = TOOL_TRACE_STREET,
                                         .command = ID_TOOL_TRACE_STREET,
                                         .text = QT_TRANSLATE_NOOP("MapTool", "Trazar &Calle"),
                                         .prompt = QT_TRANSLATE_NOOP("MapTool", "Trazar calles"),
                                         .tip = QT_TRANSLATE_NOOP("MapTool", "Calle"),
                                         .icon = ":/shell/icons/street.svg",
                                         .menu = ToolMenu::Tools,
                                         .menuRank = 20,
                                         .bar = ToolBarGroup::Map,
                                         .barRank = 60};

    using CMapTool::CMapTool;

    void LeftPress(QPoint pixel, Qt::KeyboardModifiers modifiers) override;
    QString Hint() const override;
    QCursor Cursor() const override;
    void AddToOverlay(MapOverlay& overlay) const override;

    bool Tracing() const { return m_bTracing; }
    const CmCalles& Trace() const { return m_trace; }
    // The moving point goes under the mouse.
    void Follow(QPoint pixel);
    // Ends the trace at `p` and asks for its name: a route's outline when
    // `routeOutline`, otherwise a new street. Cancelled, nothing is stored.
    void End(MapPoint p, bool routeOutline);
    // Drops the trace (Esc).
    void Cancel();

private:
    CmCalles m_trace{Rgb(0, 0, 255)};
    bool m_bTracing = false;
};
