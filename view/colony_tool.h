#pragma once

// Marks a colony (a neighbourhood) where the left button is clicked.

#include "place_tool.h"
#include "tools.h"

class CColonyTool : public CPlaceTool {
public:
    static constexpr MapToolEntry kEntry{.value = TOOL_COLONY,
                                         .command = ID_TOOL_COLONY,
                                         .text = QT_TRANSLATE_NOOP("MapTool", "Marcar c&olonia"),
                                         .prompt = QT_TRANSLATE_NOOP("MapTool", "Marca colonias"),
                                         .tip = QT_TRANSLATE_NOOP("MapTool", "Colonia"),
                                         .icon = ":/shell/icons/colony.svg",
                                         .menu = ToolMenu::Tools,
                                         .menuRank = 50,
                                         .bar = ToolBarGroup::Map,
                                         .barRank = 50};

    using CPlaceTool::CPlaceTool;

    QString Hint() const override;

protected:
    void AddPlace(MapPoint p, int zoom, const std::string& name) override;
};
