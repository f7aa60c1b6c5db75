#pragma once

// Shows the card of the business of the current category under the left
// button; the same card is refilled for the next one.

#include "map_tool.h"

class CInfoTool : public CMapTool {
public:
    using CMapTool::CMapTool;

    void LeftPress(QPoint pixel, Qt::KeyboardModifiers modifiers) override;
    QString Hint() const override;
    QCursor Cursor() const override;
};
