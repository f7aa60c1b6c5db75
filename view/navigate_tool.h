#pragma once

// Drags the map with the left button under a closed hand; the right button
// brings map point (0,0) back to the centre.

#include "map_tool.h"
#include "tools.h"

class CNavigateTool : public CMapTool {
public:
    static constexpr MapToolEntry kEntry{
        .value = TOOL_NAVIGATE,
        .command = ID_TOOL_NAVIGATE,
        .text = QT_TRANSLATE_NOOP("MapTool", "&Navegar"),
        .prompt = QT_TRANSLATE_NOOP("MapTool", "Cambia al modo de navegación en el mapa"),
        .tip = QT_TRANSLATE_NOOP("MapTool", "Paneo"),
        .icon = ":/shell/icons/navigate.svg",
        .menu = ToolMenu::Tools,
        .menuRank = 10,
        .bar = ToolBarGroup::Map,
        .barRank = 10};

    using CMapTool::CMapTool;

    // The closed hand shown while the map is dragged.
    static QCursor PanCursor();

    void Deactivate() override;
    void LeftPress(QPoint pixel, Qt::KeyboardModifiers modifiers) override;
    void RightPress(QPoint pixel, Qt::KeyboardModifiers modifiers) override;
    void Move(QPoint pixel) override;
    void LeftRelease(QPoint pixel) override;
    QString Hint() const override;
    QCursor Cursor() const override;

private:
    bool m_bDragging = false;
    QPoint m_ptLastMouse;
};
