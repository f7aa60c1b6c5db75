#pragma once

// Shows the card of the business of the current category under the left
// button; the same card is refilled for the next one.

#include "map_tool.h"
#include "tools.h"

class CInfoTool : public CMapTool {
public:
    static constexpr MapToolEntry kEntry{
        .value = TOOL_INFO,
        .command = ID_TOOL_INFO,
        .text = QT_TRANSLATE_NOOP("MapTool", "&Información"),
        .prompt = QT_TRANSLATE_NOOP("MapTool", "Muestra información sobre el punto seleccionado"),
        .tip = QT_TRANSLATE_NOOP("MapTool", "Info"),
        .icon = ":/shell/icons/info.svg",
        .menu = ToolMenu::Tools,
        .menuRank = 80,
        .bar = ToolBarGroup::Measure,
        .barRank = 20};

    using CMapTool::CMapTool;

    void LeftPress(QPoint pixel, Qt::KeyboardModifiers modifiers) override;
    QString Hint() const override;
    QCursor Cursor() const override;
};
