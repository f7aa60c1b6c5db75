#pragma once

// Paints the block under the left button as a green area, and gives the block
// under the right button back its plain type.

#include "map_tool.h"

class CPaintBlockTool : public CMapTool {
public:
    using CMapTool::CMapTool;

    void LeftPress(QPoint pixel, Qt::KeyboardModifiers modifiers) override;
    void RightPress(QPoint pixel, Qt::KeyboardModifiers modifiers) override;
    QString Hint() const override;
    QCursor Cursor() const override;

private:
    void PaintBlock(QPoint pixel, int type);
};
