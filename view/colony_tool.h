#pragma once

// Marks a colony (a neighbourhood) where the left button is clicked.

#include "place_tool.h"

class CColonyTool : public CPlaceTool {
public:
    using CPlaceTool::CPlaceTool;

    QString Hint() const override;

protected:
    void AddPlace(MapPoint p, int zoom, const std::string& name) override;
};
