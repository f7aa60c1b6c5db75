#pragma once

// Marks a business of the directory's current category where the left button
// is clicked, and shows the marks.

#include "map_tool.h"

class CMarkTool : public CMapTool {
public:
    using CMapTool::CMapTool;

    void LeftPress(QPoint pixel, Qt::KeyboardModifiers modifiers) override;
    QString Hint() const override;
    QCursor Cursor() const override;
};
