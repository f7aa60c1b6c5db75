#pragma once

// Zooms in four steps with the left button and out with the right, about the
// point clicked, which goes to the centre.

#include "map_tool.h"

class CZoomTool : public CMapTool {
public:
    using CMapTool::CMapTool;

    void LeftPress(QPoint pixel, Qt::KeyboardModifiers modifiers) override;
    void RightPress(QPoint pixel, Qt::KeyboardModifiers modifiers) override;
    QString Hint() const override;
    QCursor Cursor() const override;
};
