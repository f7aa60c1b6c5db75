#pragma once

// The ruler: a left click starts a measurement on the route trace, the moving
// end follows the mouse with its length in metres written at the top left,
// and the next left click ends it. A right click does nothing to it.

#include "map_tool.h"
#include "tools.h"

class CRouteTool;

class CDistanceTool : public CMapTool {
public:
    static constexpr MapToolEntry kEntry{
        .value = TOOL_DISTANCE,
        .command = ID_TOOL_DISTANCE,
        .text = QT_TRANSLATE_NOOP("MapTool", "&Distancia"),
        .prompt = QT_TRANSLATE_NOOP("MapTool", "Regla para medir distancias"),
        .tip = QT_TRANSLATE_NOOP("MapTool", "Distancia"),
        .icon = ":/shell/icons/distance.svg",
        .menu = ToolMenu::Tools,
        .menuRank = 70,
        .bar = ToolBarGroup::Measure,
        .barRank = 10};

    CDistanceTool(CMapToolHost& host, CRouteTool& route) : CMapTool(host), m_route(route) {}

    void Activate() override;
    void Deactivate() override;
    void LeftPress(QPoint pixel, Qt::KeyboardModifiers modifiers) override;
    QString Hint() const override;
    QCursor Cursor() const override;
    void PaintOver(QPainter& painter) const override;

    // Takes the length of the trace's first stretch, once it has followed the mouse.
    void Measure();
    float Length() const { return m_fLength; }

private:
    CRouteTool& m_route;
    float m_fLength = 0.0f;
};
