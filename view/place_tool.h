#pragma once

// What the reference and colony tools share: a left click asks for a name and
// puts a named place at the point clicked, with the scale of the moment.

#include "map_tool.h"

#include "geometry.h"

#include <string>

class CPlaceTool : public CMapTool {
public:
    using CMapTool::CMapTool;

    void LeftPress(QPoint pixel, Qt::KeyboardModifiers modifiers) override;
    QCursor Cursor() const override;

protected:
    // Adds the place to its list as one undo step and tells the pages.
    virtual void AddPlace(MapPoint p, int zoom, const std::string& name) = 0;
};
