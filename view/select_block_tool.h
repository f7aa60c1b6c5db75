#pragma once

// Selects blocks for a zone: a left click adds the block under it, a drag with
// Ctrl adds every block wholly inside the band, a right click takes a block
// out, and a right click with Shift clears the selection.

#include "map_tool.h"
#include "tools.h"

#include "geometry.h"

class CSelectBlockTool : public CMapTool {
public:
    static constexpr MapToolEntry kEntry{
        .value = TOOL_SELECT_BLOCK,
        .command = ID_TOOL_SELECT_BLOCK,
        .text = QT_TRANSLATE_NOOP("MapTool", "Seleccionar Manzana"),
        .prompt = QT_TRANSLATE_NOOP("MapTool", "Seleccionar manzana para edicion"),
        .tip = QT_TRANSLATE_NOOP("MapTool", "Manzana"),
        .icon = ":/shell/icons/select.svg",
        .menu = ToolMenu::Tools,
        .menuRank = 100,
        .bar = ToolBarGroup::Map,
        .barRank = 80};

    using CMapTool::CMapTool;

    void Deactivate() override;
    void LeftPress(QPoint pixel, Qt::KeyboardModifiers modifiers) override;
    void RightPress(QPoint pixel, Qt::KeyboardModifiers modifiers) override;
    void Move(QPoint pixel) override;
    void LeftRelease(QPoint pixel) override;
    QString Hint() const override;
    QCursor Cursor() const override;
    void AddToOverlay(MapOverlay& overlay) const override;

private:
    void SelectBand();

    // The band's first corner is where the drag began; right and bottom follow the mouse.
    bool m_bBand = false;
    MapRect m_rcBand;
};
