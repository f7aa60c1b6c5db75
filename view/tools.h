#pragma once

// The map window's tools; the value names the current tool.
enum MapTool : int {
    TOOL_NAVIGATE = 1,
    TOOL_REFERENCE = 2,
    TOOL_INFO = 8,
    TOOL_ROUTE = 16,
    TOOL_PAINT_BLOCK = 32,
    TOOL_ZOOM = 64,
    TOOL_TRACE_STREET = 128,
    TOOL_SELECT_BLOCK = 129,
    TOOL_MARK = 131,
    TOOL_COLONY = 132,
    TOOL_DISTANCE = 146,
};

// The commands that make the tools current; menu items and tool-bar buttons
// carry them as object names ("action32772").
enum MapToolCommand : int {
    ID_TOOL_NAVIGATE = 32772,
    ID_TOOL_REFERENCE = 32773,
    ID_TOOL_INFO = 32775,
    ID_TOOL_ROUTE = 32777,
    ID_TOOL_PAINT_BLOCK = 32778,
    ID_TOOL_ZOOM = 32779,
    ID_TOOL_TRACE_STREET = 32782,
    ID_TOOL_SELECT_BLOCK = 32783,
    ID_TOOL_MARK = 32790,
    ID_TOOL_COLONY = 32791,
    ID_TOOL_DISTANCE = 32801,
};
