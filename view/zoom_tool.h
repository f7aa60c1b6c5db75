#pragma once

// Zooms in four steps with the left button and out with the right, about the
// point clicked, which goes to the centre.

#include "map_tool.h"
#include "tools.h"

class CZoomTool : public CMapTool {
public:
    static constexpr MapToolEntry kEntry{
        .value = TOOL_ZOOM,
        .command = ID_TOOL_ZOOM,
        .text = QT_TRANSLATE_NOOP("MapTool", "&Zoom"),
        .prompt = QT_TRANSLATE_NOOP("MapTool", "Acerca a aleja la escala del mapa"),
        .tip = QT_TRANSLATE_NOOP("MapTool", "Zoom"),
        .icon = ":/shell/icons/zoom.svg",
        .menu = ToolMenu::View,
        .menuRank = 10,
        .bar = ToolBarGroup::View,
        .barRank = 10};

    using CMapTool::CMapTool;

    void LeftPress(QPoint pixel, Qt::KeyboardModifiers modifiers) override;
    void RightPress(QPoint pixel, Qt::KeyboardModifiers modifiers) override;
    QString Hint() const override;
    QCursor Cursor() const override;
};
