#pragma once

// Marks a reference (a landmark) where the left button is clicked.

#include "place_tool.h"
#include "tools.h"

class CReferenceTool : public CPlaceTool {
public:
    static constexpr MapToolEntry kEntry{
        .value = TOOL_REFERENCE,
        .command = ID_TOOL_REFERENCE,
        .text = QT_TRANSLATE_NOOP("MapTool", "&Marcar referencia"),
        .prompt = QT_TRANSLATE_NOOP("MapTool", "Permite marcar lugares en el mapa"),
        .tip = QT_TRANSLATE_NOOP("MapTool", "Referencias"),
        .icon = ":/shell/icons/reference.svg",
        .menu = ToolMenu::Tools,
        .menuRank = 30,
        .bar = ToolBarGroup::Map,
        .barRank = 20};

    using CPlaceTool::CPlaceTool;

    QString Hint() const override;

protected:
    void AddPlace(MapPoint p, int zoom, const std::string& name) override;
};
