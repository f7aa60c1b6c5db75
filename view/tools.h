#pragma once

// The map window's tools; the value is also the frame's record of the current tool.
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
