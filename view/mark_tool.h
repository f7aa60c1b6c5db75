#pragma once

// Marks a business of the directory's current category where the left button
// is clicked, and shows the marks.

#include "map_tool.h"
#include "tools.h"

class CMarkTool : public CMapTool {
public:
    static constexpr MapToolEntry kEntry{
        .value = TOOL_MARK,
        .command = ID_TOOL_MARK,
        .text = QT_TRANSLATE_NOOP("MapTool", "Marcar Comercio/&Servicio"),
        .prompt = QT_TRANSLATE_NOOP("MapTool", "Marca comercios y/o servicios"),
        .tip = QT_TRANSLATE_NOOP("MapTool", "Marcas"),
        .icon = ":/shell/icons/mark.svg",
        .menu = ToolMenu::Tools,
        .menuRank = 40,
        .bar = ToolBarGroup::Map,
        .barRank = 30};

    using CMapTool::CMapTool;

    void LeftPress(QPoint pixel, Qt::KeyboardModifiers modifiers) override;
    QString Hint() const override;
    QCursor Cursor() const override;
};
