#pragma once

// Marks a reference (a landmark) where the left button is clicked.

#include "place_tool.h"

class CReferenceTool : public CPlaceTool {
public:
    using CPlaceTool::CPlaceTool;

    QString Hint() const override;

protected:
    void AddPlace(MapPoint p, int zoom, const std::string& name) override;
};
