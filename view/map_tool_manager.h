#pragma once

// Owns the map tools and knows which one is current. The map window hands it
// its mouse and key events; it passes them to the current tool and applies
// the rules that hold under every tool: traces in progress follow the mouse,
// a right click ends a street trace and adds a station to a route trace
// before the current tool acts, and Esc drops both traces.

#include "map_tool.h"

#include <map>
#include <memory>
#include <utility>

class CDistanceTool;
class CRouteTool;
class CTraceStreetTool;

class CMapToolManager {
public:
    // Makes the eleven tools of view/tools.h; the navigate tool is current.
    explicit CMapToolManager(CMapToolHost& host);
    ~CMapToolManager();
    CMapToolManager(const CMapToolManager&) = delete;
    CMapToolManager& operator=(const CMapToolManager&) = delete;

    // Makes a tool of type T for this manager's window, under a value no tool
    // has yet; nullptr when the value is taken.
    template <typename T, typename... Args>
    T* Add(int value, Args&&... args) {
        if (m_tools.contains(value))
            return nullptr;
        auto tool = std::make_unique<T>(m_host, std::forward<Args>(args)...);
        T* made = tool.get();
        m_tools.emplace(value, std::move(tool));
        return made;
    }
    CMapTool* Find(int value) const;

    // Deactivates the current tool and activates the tool of `value`. A value
    // no tool has is kept, and then no tool is current.
    void SetTool(int value);
    int Tool() const { return m_nTool; }
    CMapTool* Current() const { return m_pCurrent; }

    void LeftPress(QPoint pixel, Qt::KeyboardModifiers modifiers);
    void RightPress(QPoint pixel, Qt::KeyboardModifiers modifiers);
    void Move(QPoint pixel);
    void LeftRelease(QPoint pixel);
    void DoubleClick(QPoint pixel);
    // True when the key was used.
    bool KeyPress(QKeyEvent& event);

    // What every tool shows in the map picture.
    void AddToOverlay(MapOverlay& overlay) const;
    void PaintOver(QPainter& painter) const;

    const CTraceStreetTool& Street() const { return *m_pStreet; }
    const CRouteTool& Route() const { return *m_pRoute; }
    const CDistanceTool& Ruler() const { return *m_pRuler; }
    // Drops both traces without storing anything.
    void CancelTraces();

private:
    CMapToolHost& m_host;
    std::map<int, std::unique_ptr<CMapTool>> m_tools;
    CTraceStreetTool* m_pStreet = nullptr;
    CRouteTool* m_pRoute = nullptr;
    CDistanceTool* m_pRuler = nullptr;
    CMapTool* m_pCurrent = nullptr;
    int m_nTool = 0;
};
