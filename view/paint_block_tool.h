#pragma once

// Paints the block under the left button as a green area, and gives the block
// under the right button back its plain type.

#include "map_tool.h"
#include "tools.h"

class CPaintBlockTool : public CMapTool {
public:
    static constexpr MapToolEntry kEntry{
        .value = TOOL_PAINT_BLOCK,
        .command = ID_TOOL_PAINT_BLOCK,
        .text = QT_TRANSLATE_NOOP("MapTool", "Pintar man&zana"),
        .prompt = QT_TRANSLATE_NOOP("MapTool", "Permite marcar una manzana con un color diferente"),
        .tip = QT_TRANSLATE_NOOP("MapTool", "Zonas verdes"),
        .icon = ":/shell/icons/paint.svg",
        .menu = ToolMenu::Tools,
        .menuRank = 90,
        .bar = ToolBarGroup::Map,
        .barRank = 70};

    using CMapTool::CMapTool;

    void LeftPress(QPoint pixel, Qt::KeyboardModifiers modifiers) override;
    void RightPress(QPoint pixel, Qt::KeyboardModifiers modifiers) override;
    QString Hint() const override;
    QCursor Cursor() const override;

private:
    void PaintBlock(QPoint pixel, int type);
};
